#include "core/dialog_screen.h"

namespace tvz {

namespace {
constexpr int kFrame = 8;
constexpr int kTextHeight = 27;
constexpr int kTitleHeight = 32;
}  // namespace

DialogScreen::DialogScreen(const std::string& caption, int width, int height,
                           const std::string& title) {
  setCaption(caption);
  setClientSize(width, height);
  centerOnScreen();
  setStayOnTop(true);
  setKeyPreview(true);
  setFont({"Times New Roman", kTextHeight});
  panel_ = add<Label>(kFrame, kFrame, width - 2 * kFrame - 1, height - 2 * kFrame, title);
  panel_->setAlignment(Alignment::Center);
  panel_->setFontHeight(kTitleHeight);
}

void DialogScreen::FormCreate() {
  setColor(kNormalColour);
  setFontColor(kNormalColour);
  // Every text is orange, also labels with a size of their own.
  for (const auto& control : controls())
    if (auto* label = dynamic_cast<Label*>(control.get())) label->setFontColor(kNormalColour);
  panel_->setTransparent(false);
  panel_->setColor(kPressedColour);
  panel_->setFontColor(kNormalColour);
}

void DialogScreen::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (buttons.keyDown(key)) key = 0;
}

void DialogScreen::FormKeyUp(int& key, ShiftState) {
  if (buttons.keyUp(key)) key = 0;
}

Label* DialogScreen::addButton(int left, int top, int width, int height, const std::string& caption,
                               LabelButtons::Action action, std::vector<int> keys) {
  return buttons.add(add<Label>(left, top, width, height, caption), std::move(action),
                     std::move(keys));
}

Label* DialogScreen::addOption(int left, int top, int width, int height, const std::string& caption) {
  Label* label = add<Label>(left, top, width, height, caption);
  label->setTransparent(true);
  label->setLayout(VerticalAlignment::Center);
  return label;
}

}  // namespace tvz
