#include "core/popup_box.h"

namespace tvz {

namespace {
// Both boxes share frame, fonts and colours: an orange frame around a grey
// panel that carries the title and the text.
void layOutBox(Form& box, Label*& title, Label*& text) {
  box.setClientSize(234, 217);
  box.centerOnScreen();
  box.setStayOnTop(true);
  box.setKeyPreview(true);
  box.setFont({"Times New Roman", 16});
  title = box.add<Label>(8, 8, 217, 201);
  title->setAlignment(Alignment::Center);
  title->setFontHeight(19);
  // Only the title is centred; the question reads as a paragraph.
  text = box.add<Label>(16, 40, 201, 129);
  text->setWordWrap(true);
  text->setAlignment(Alignment::Left);
}

void colourBox(Form& box, Label* title, Label* text) {
  box.setColor(kNormalColour);
  box.setFontColor(kNormalColour);
  title->setTransparent(false);
  title->setColor(kPressedColour);
  title->setFontColor(kNormalColour);
  text->setTransparent(false);
  text->setColor(kPressedColour);
}
}  // namespace

TPopupBox::TPopupBox() {
  setCaption("PopupBox");
  layOutBox(*this, TitleLbl, TextLbl);
  YesBtn = buttons_.add(add<Label>(16, 176, 97, 25, "Yes"), [this] {
    YesPressed = 1;
    Close();
  });
  NoBtn = buttons_.add(add<Label>(120, 176, 97, 25, "No"), [this] {
    NoPressed = 1;
    Close();
  });
}

void TPopupBox::FormCreate() { colourBox(*this, TitleLbl, TextLbl); }

void TPopupBox::FormShow() { YesPressed = NoPressed = 0; }

bool TPopupBox::Ask(const std::string& title, const std::string& text) {
  TitleLbl->setCaption(title);
  TextLbl->setCaption(text);
  ShowModal();
  return YesPressed != 0;
}

// Enter and Y press "Yes", Escape and N press "No"; C confirms and D
// declines too, but only on release.
void TPopupBox::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (key == vk::Return || key == 'Y') buttons_.showPressed(YesBtn);
  if (key == vk::Escape || key == 'N') buttons_.showPressed(NoBtn);
}

void TPopupBox::FormKeyUp(int& key, ShiftState) {
  if (key == vk::Return || key == 'C' || key == 'Y') {
    buttons_.click(YesBtn);
    key = 0;
  } else if (key == vk::Escape || key == 'D' || key == 'N') {
    buttons_.click(NoBtn);
    key = 0;
  }
}

TPopupBox2::TPopupBox2() {
  setCaption("PopupBox2");
  layOutBox(*this, TitleLbl, TextLbl);
  OkBtn = buttons_.add(add<Label>(68, 176, 97, 25, "Ok"), [this] {
    OkPressed = 1;
    Close();
  }, {vk::Return, 'O'});
}

void TPopupBox2::FormCreate() { colourBox(*this, TitleLbl, TextLbl); }

void TPopupBox2::Tell(const std::string& title, const std::string& text) {
  TitleLbl->setCaption(title);
  TextLbl->setCaption(text);
  ShowModal();
}

void TPopupBox2::FormShow() { OkPressed = 0; }

void TPopupBox2::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (buttons_.keyDown(key)) key = 0;
}

void TPopupBox2::FormKeyUp(int& key, ShiftState) {
  if (buttons_.keyUp(key)) key = 0;
}

}  // namespace tvz
