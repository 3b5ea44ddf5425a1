#pragma once
// A contestant's close-up card. During the opening it presents the
// contestant (champion line, occupation line, name line, advanced by the
// opening's timing) and ignores input. During the game, in multi-player mode,
// the category, value and question scenes put it on top to say whose turn it
// is: "name (Click to continue)", gone at a click or a key release. While any
// card exists the main window holds the show.
#include <cstdint>

#include "platform/form.h"
#include "platform/label.h"
#include "platform/picture.h"

namespace tvz {

// The lines a card shows in turn during the opening.
enum class CardLine { Champion, Occupation, Name, Other };

class ContestantCard : public Form {
 public:
  Picture* BkgndImg;  // "cam2x<appearance>.mm1"
  Label* CCLbl;       // caption line

  std::int32_t Contestant() const { return contestant_; }

  // Loads the contestant's close-up. On failure the loader has reported it
  // and the card has closed itself.
  bool LoadPictures();
  // Champion line -> occupation line -> name line; any other caption stays.
  void AdvanceCaption();
  // Which of the opening's lines the caption holds (the opening's timing
  // depends on it).
  CardLine ShownLine() const;

  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;
  void FormMouseUp(MouseButton button, ShiftState shift, int x, int y) override;
  void FormClose(CloseAction& action) override;

 protected:
  // showsNameWithoutCaptions: the first card also shows its name line when
  // captions are off.
  ContestantCard(std::int32_t contestant, const char* designCaption, bool showsNameWithoutCaptions);

 private:
  void BkgndImgClick();
  bool InOpening() const;

  std::int32_t contestant_;
  bool showsNameWithoutCaptions_;
};

// Whether any contestant card is up (the show stands still meanwhile).
bool AnyContestantCard();
// The registry variable of contestant c's card (c outside 0..2: null).
ContestantCard* ContestantCardOf(std::int32_t contestant);

}  // namespace tvz
