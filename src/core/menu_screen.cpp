#include "core/menu_screen.h"

#include "platform/label.h"

namespace tvz {

MenuScreen::MenuScreen() {
  fillScreen();
  setStayOnTop(true);
  setKeyPreview(true);
  setFont({"Times New Roman", 32});
  BkgndImg = add<Picture>(0, 0, kScreenWidth, kScreenHeight);
}

void MenuScreen::FormCreate() {
  setColor(kPressedColour);
  setFontColor(kNormalColour);
  // Every text of a menu is in the normal colour, also labels with a size of
  // their own.
  for (const auto& control : controls())
    if (auto* label = dynamic_cast<Label*>(control.get())) label->setFontColor(kNormalColour);
}

void MenuScreen::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (buttons.keyDown(key)) key = 0;
}

void MenuScreen::FormKeyUp(int& key, ShiftState) {
  if (buttons.keyUp(key)) key = 0;
}

void MenuScreen::FormClose(CloseAction& action) { action = CloseAction::Free; }

Label* MenuScreen::addButton(int left, int top, int width, int height, const std::string& caption,
                             LabelButtons::Action action, std::vector<int> keys) {
  return buttons.add(add<Label>(left, top, width, height, caption), std::move(action), std::move(keys));
}

Label* MenuScreen::addText(int left, int top, int width, int height, const std::string& caption) {
  Label* label = add<Label>(left, top, width, height, caption);
  label->setTransparent(true);
  return label;
}

}  // namespace tvz
