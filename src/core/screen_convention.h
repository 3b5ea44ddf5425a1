#pragma once
// The conventions every screen of the game shares: label buttons with their
// pressed look, accelerator keys acting on key up, option and check labels
// whose caption carries the mark, Alt+F4 swallowed, the two menu colours.
#include <functional>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/label.h"

namespace tvz {

// Colours in the desktop's blue-green-red order: grey and orange.
inline constexpr Color kPressedColour = 0x666666;
inline constexpr Color kNormalColour = 0x0066FF;

// Alt+F4 never closes a window of the game. Clears the key and returns true
// when it was Alt+F4.
bool swallowAltF4(int& key, ShiftState shift);

// The label buttons of one screen. A button is a text label: centred,
// transparent, hand cursor. Pressing the mouse on it (or holding one of its
// accelerator keys) shows it pressed: text in the pressed colour on an opaque
// box of the normal colour. A click (or releasing the key) restores it and
// runs its action after the click sound; releasing the mouse outside only
// restores it.
class LabelButtons {
 public:
  using Action = std::function<void()>;

  LabelButtons(Color pressedText = kPressedColour, Color normalText = kNormalColour,
               Color pressedBox = kNormalColour);

  // Turns the label into a button. Keys are virtual-key codes acting on this
  // button (letters as upper-case codes). Returns the label.
  Label* add(Label* button, Action action, std::vector<int> keys = {});
  // Another control whose press shows the button pressed and whose click runs
  // it (the info line of contestant setup, the menu's title panel). It keeps
  // its own cursor: only buttons show the hand.
  void addProxy(Control* proxy, Label* button);

  // Key handling for the screen's key preview; true when the key belongs to a
  // visible, enabled button (the key is then left to the caller to clear).
  bool keyDown(int key);
  bool keyUp(int key);

  void showPressed(Label* button);
  void showNormal(Label* button);
  // The click action: click sound, normal look, then the button's action.
  void click(Label* button);

 private:
  struct Entry {
    Label* label;
    Action action;
    std::vector<int> keys;
  };
  Entry* entryFor(const Control* control);
  Entry* entryForKey(int key);

  Color pressedText_, normalText_, pressedBox_;
  std::vector<Entry> entries_;
};

// Option labels: "(o) " / "(  ) " before a choice of a group, "[x] " / "[  ] "
// before a rule that is on or off.
std::string optionCaption(const std::string& text, bool selected);
std::string checkCaption(const std::string& text, bool checked);
void setOption(Label* label, const std::string& text, bool selected);
void setCheck(Label* label, const std::string& text, bool checked);
// True when the caption carries "(o)" or "[x]".
bool isMarked(const Label* label);
// The caption without its mark.
std::string unmarkedText(const Label* label);

// Plays the game's click sound (silent with sound off).
void playClick();

}  // namespace tvz
