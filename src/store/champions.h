#pragma once
// The champions list: the winner of every completed show, best first, kept
// scrambled in "vantoc.mm3". Contestant setup asks it whether a contestant is
// the returning champion.
#include <cstdint>
#include <string>
#include <vector>

#include "core/game_record.h"
#include "core/menu_screen.h"
#include "platform/memo.h"

namespace tvz {

class TChampions : public MenuScreen {
 public:
  TChampions();

  Label* ChampsLbl;
  Memo* ChampsMemo;
  Label* MenuBtn;
  Label* InfoLbl;

  std::uint8_t MenuPressed = 0;
  std::vector<std::string> ChampionList;

  void AddChampion(const ContestantRecord& record);
  void RetireChampion(const ContestantRecord& record);
  bool IsChampion(const ContestantRecord& record) const;
  void ResetChampions();

  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

  // The file exists but could not be read: the list is not saved over it.
  bool FileUnreadable = false;

 private:
  void LoadChampions();
  void RefreshDisplay();
  void SaveChampions();
};

}  // namespace tvz
