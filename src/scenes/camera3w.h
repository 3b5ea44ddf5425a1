#pragma once
// The category choice: a human defender picks the category of the next
// question from four panels, by click or by its initial letter, against the
// answer clock. The choice goes into the game record's Category: 1 History,
// 3 Music, 4 Sports, 5 TV, Arts, and Literature, 0 when the clock ran out.
#include "platform/picture.h"
#include "scenes/panel_frame.h"
#include "scenes/timed_scene.h"

namespace tvz {

class TCamera3w : public TimedScene {
 public:
  TCamera3w();

  Picture* BkgndImg;    // the menu backdrop
  Picture* CategoryImg; // "cam3choo.mm1", the four panels
  Label* TVALLbl;       // top left
  Label* MusicLbl;      // top right
  Label* SportsLbl;     // bottom left
  Label* HistoryLbl;    // bottom right
  PanelFrame* Frame = nullptr;  // the orange frame of a pressed panel

  bool LoadPictures() override;

  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;
  void FormClose(CloseAction& action) override;

 protected:
  void ClockRanOut() override;

 private:
  Label* AddPanel(int left, int top, int width, int height, std::int32_t category);
  Label* PanelForKey(int key) const;
  void Press(Label* panel);
  void Choose(std::int32_t category);
};

}  // namespace tvz
