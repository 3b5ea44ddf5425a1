#pragma once
// The small windows that open over a screen: the in-game menu, the
// preferences and the load and save screens. Each keeps its designed size,
// centred on the screen and above the other windows, and sees keys before its
// controls. An orange frame surrounds a grey panel label that carries the
// title at its top; texts are orange, and buttons show grey text on an orange
// box while pressed. Closing one only hides it: its owner shows the same
// object again next time.
#include <string>
#include <vector>

#include "core/screen_convention.h"
#include "platform/form.h"
#include "platform/label.h"

namespace tvz {

class DialogScreen : public Form {
 public:
  void FormCreate() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

 protected:
  // A dialog of the given size with its panel and title.
  DialogScreen(const std::string& caption, int width, int height, const std::string& title);

  // The grey panel inset by 8 pixels, with the title centred at its top.
  Label* panel() const { return panel_; }
  Label* addButton(int left, int top, int width, int height, const std::string& caption,
                   LabelButtons::Action action, std::vector<int> keys = {});
  // A transparent text label (an option, a heading) with the hand cursor
  // when it can be clicked.
  Label* addOption(int left, int top, int width, int height, const std::string& caption);

  LabelButtons buttons;

 private:
  Label* panel_;
};

}  // namespace tvz
