#include "shell/help_menu.h"

#include "core/services.h"
#include "shell/help_text.h"

namespace tvz {

namespace {
// Escape, M and the two "<" codes act on "< Menu".
bool isMenuKey(int key) { return key == vk::Escape || key == 44 || key == 60 || key == 'M'; }
}  // namespace

THelpMenu::THelpMenu() {
  setCaption("HelpMenu");
  setFontHeight(24);
  HelpLbl = addText(236, 88, 300, 36, "Help");
  HelpLbl->setAlignment(Alignment::Center);
  HelpLbl->setFontHeight(32);
  MenuBtn = addButton(80, 480, 120, 27, "< Menu", [this] { MenuPressed = 1; });
  InfoLbl = addText(376, 480, 327, 27, "Use up/down arrow keys to scroll.");
  InfoLbl->setAutoSize(true);  // the whole hint, full stop included
  HelpMemo = add<Memo>(104, 136, 593, 321);
  HelpMemo->setBorder(false);
  HelpMemo->setWordWrap(true);  // long paragraphs wrap at the box's width
  HelpMemo->setTabStop(false);
}

void THelpMenu::FormCreate() {
  std::vector<std::string> lines;
  if (!ReadHelpText(kHelpFile, lines)) {
    TextMissing = true;
    Services->ReportError("Insufficent memory or resources available", 3800);
    Close();
    return;
  }
  HelpMemo->setLines(std::move(lines));
  setColor(kPressedColour);
  setFontColor(kNormalColour);
  HelpLbl->setFontColor(kNormalColour);
  HelpMemo->setFontColor(kNormalColour);
  InfoLbl->setFontColor(kNormalColour);
  HelpMemo->setColor(kPressedColour);
  // The hint stays transparent over the backdrop: its colour only shows if
  // it is ever made opaque.
  InfoLbl->setColor(kPressedColour);
  MenuBtn->setColor(kNormalColour);
}

void THelpMenu::FormShow() {
  SetFocus(HelpMemo);
  MenuPressed = 0;
}

void THelpMenu::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (isMenuKey(key)) {
    buttons.showPressed(MenuBtn);
    key = 0;
  }
}

void THelpMenu::FormKeyUp(int& key, ShiftState) {
  if (isMenuKey(key)) {
    buttons.click(MenuBtn);
    key = 0;
  }
}

}  // namespace tvz
