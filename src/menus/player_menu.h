#pragma once
// Contestant setup: picture, gender, names, occupation, residence and
// knowledge of each human contestant; the computer fills the line-up.
#include <cstdint>

#include "core/game_record.h"
#include "core/menu_screen.h"
#include "platform/edit.h"

namespace tvz {

class TPlayerMenu : public MenuScreen {
 public:
  TPlayerMenu();
  ~TPlayerMenu() override;

  Label* PlayerLbl;
  Label* ChangeLbl;
  Label* ChangeGenBtn;
  Label* ChangeAppBtn;
  Label* ChangeFirstBtn;
  Label* ChangeLastBtn;
  Label* ChangeOccBtn;
  Label* ChangeResBtn;
  Picture* ContestantImg;
  Label* KnowledgeLbl;
  Label* BeginnerRbtn;
  Label* AverageRbtn;
  Label* ExpertRbtn;
  Label* InfoLbl;
  Edit* NameMemo;
  Label* PrevBtn;
  Label* NextBtn;
  Label* StartBtn;

  std::int32_t CurrentContestant = 0;
  std::uint8_t CancelPressed = 0;
  std::uint8_t StartPressed = 0;
  Bitmap PictureStrip;  // "conpics.mm1": six 241x257 pictures stacked

  // Loads "conpics.mm1" into PictureStrip (called by the sequence after
  // creating the screen).
  bool LoadPictureStrip();
  // Completes the computer contestants and draws every contestant's category
  // knowledge (called by "Next Human" and after "Start >").
  void CompleteLineUp();

  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;
  void FormDestroy() override;

  // The steps the buttons and keys take, named as the screen describes them.
  void ShowPicture();
  void PickNames(int k);
  void ShowContestant();
  void ShowKnowledge();
  void SeparateAppearance();
  void CommitName();

 private:
  void ChooseKnowledge(int knowledge);
  void ChangeAppearance();
  void ChangeGender();
  void ChangeFirstName();
  void StepPosition(std::int32_t& position, const StringList& list);
  void NextHuman();
  void Previous();
  bool NameBoxTakes(int key, ShiftState shift) const;

  bool OwnsChampions = false;
};

}  // namespace tvz
