#include "core/screen_convention.h"

#include <algorithm>

#include "core/services.h"

namespace tvz {

bool swallowAltF4(int& key, ShiftState shift) {
  if (key == vk::F4 && shift.alt) {
    key = 0;
    return true;
  }
  return false;
}

LabelButtons::LabelButtons(Color pressedText, Color normalText, Color pressedBox)
    : pressedText_(pressedText), normalText_(normalText), pressedBox_(pressedBox) {}

Label* LabelButtons::add(Label* button, Action action, std::vector<int> keys) {
  button->setAutoSize(false);
  button->setAlignment(Alignment::Center);
  button->setLayout(VerticalAlignment::Center);
  button->setTransparent(true);
  button->setCursor(Cursor::HandPoint);
  button->setColor(pressedBox_);
  entries_.push_back({button, std::move(action), std::move(keys)});
  addProxy(button, button);
  return button;
}

void LabelButtons::addProxy(Control* proxy, Label* button) {
  proxy->onMouseDown = [this, button](Control&, MouseButton, ShiftState, int, int) {
    showPressed(button);
  };
  proxy->onMouseUp = [this, button](Control&, MouseButton, ShiftState, int, int) {
    showNormal(button);
  };
  proxy->onClick = [this, button](Control&) { click(button); };
}

LabelButtons::Entry* LabelButtons::entryFor(const Control* control) {
  for (auto& e : entries_)
    if (e.label == control) return &e;
  return nullptr;
}

LabelButtons::Entry* LabelButtons::entryForKey(int key) {
  for (auto& e : entries_) {
    if (!e.label->visible() || !e.label->enabled()) continue;
    if (std::find(e.keys.begin(), e.keys.end(), key) != e.keys.end()) return &e;
  }
  return nullptr;
}

bool LabelButtons::keyDown(int key) {
  Entry* e = entryForKey(key);
  if (!e) return false;
  showPressed(e->label);
  return true;
}

bool LabelButtons::keyUp(int key) {
  Entry* e = entryForKey(key);
  if (!e) return false;
  click(e->label);
  return true;
}

void LabelButtons::showPressed(Label* button) {
  button->setFontColor(pressedText_);
  button->setTransparent(false);
}

void LabelButtons::showNormal(Label* button) {
  button->setFontColor(normalText_);
  button->setTransparent(true);
}

void LabelButtons::click(Label* button) {
  Entry* e = entryFor(button);
  if (!e) return;
  playClick();
  showNormal(button);
  // The action may close (and later release) the screen; copy it first.
  Action action = e->action;
  if (action) action();
}

std::string optionCaption(const std::string& text, bool selected) {
  return (selected ? "(o) " : "(  ) ") + text;
}

std::string checkCaption(const std::string& text, bool checked) {
  return (checked ? "[x] " : "[  ] ") + text;
}

void setOption(Label* label, const std::string& text, bool selected) {
  label->setCaption(optionCaption(text, selected));
}

void setCheck(Label* label, const std::string& text, bool checked) {
  label->setCaption(checkCaption(text, checked));
}

bool isMarked(const Label* label) {
  const std::string& c = label->caption();
  return c.rfind("(o)", 0) == 0 || c.rfind("[x]", 0) == 0;
}

std::string unmarkedText(const Label* label) {
  const std::string& c = label->caption();
  for (const char* mark : {"(o) ", "(  ) ", "[x] ", "[  ] "}) {
    const std::string m = mark;
    if (c.rfind(m, 0) == 0) return c.substr(m.size());
  }
  return c;
}

// Every button of every screen plays the main window's click sound first.
void playClick() {
  if (Services) Services->PlayStream(Services->ClickSound);
}

}  // namespace tvz
