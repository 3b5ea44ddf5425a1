// The main window's part in a show: stepping the board once a frame, pausing
// while the in-game menu or a contestant card is up, leaving the show from
// the in-game menu, taking up a loaded game, and the end of the show: the
// winners' stage, the credits and the champions list.
#include "core/question_history.h"
#include "core/switch_screen.h"
#include "menus/in_game_menu.h"
#include "scenes/camera4x.h"
#include "scenes/contestant_card.h"
#include "shell/main_window.h"
#include "shell/top_menu.h"
#include "show/board.h"
#include "show/show_flow.h"
#include "show/show_scenes.h"
#include "store/champions.h"

namespace tvz {

namespace {
constexpr std::int32_t kTopMenuAfterEndLocation = 5210;
constexpr std::int32_t kShowFailedLocation = 5220;
constexpr std::int32_t kChampionsLocation = 5230;
constexpr std::int32_t kLoadedBoardLocation = 2630;

bool GameLeftFromMenu() { return InGameMenu && (InGameMenu->EndPressed || InGameMenu->QuitPressed); }

// The in-game menu goes with the show it served, with the screens it owns.
void ReleaseInGameMenu() {
  if (InGameMenu) destroyForm(InGameMenu);
}
}  // namespace

void TTvzMain::ConnectShow() {
  // A menu that could not make its windows is never opened over the show.
  TCamera2::FindInGameMenu = []() -> Form* { return InGameMenu && InGameMenu->Usable() ? InGameMenu : nullptr; };
  TCamera2::GameLeftFromMenu = GameLeftFromMenu;
  CurrentBoardValues = [] {
    if (!Camera2) return BoardValues{};
    return BoardValues{Camera2->Challenger, Camera2->Defender, Camera2->ShowStep};
  };
  ContinueLoadedGame = [this](const BoardValues& values) { return ContinueLoadedShow(values); };
}

bool TTvzMain::ShowStage() {
  // Paused: ElapsedMs is held at 0, so the step waiting now waits its whole
  // delay again once the menu or the card has gone.
  if (InGameMenu && InGameMenu->visible()) {
    ElapsedMs = 0;
    return true;
  }
  if (!Camera2) return WinnersStage();
  if (AnyContestantCard()) {
    ElapsedMs = 0;
    return true;
  }
  if (!Camera2->visible()) return true;
  // Past the crowning the host has named the champion (the board is gone
  // once a step has failed).
  const bool crowned = Camera2->ShowStep > kCrownChampion && FirstPlace >= 0;
  if (Camera2->StepShow()) return true;
  return LeaveShow(crowned);
}

bool TTvzMain::LeaveShow(bool crowned) {
  const bool ended = InGameMenu && InGameMenu->EndPressed;
  const bool quit = InGameMenu && InGameMenu->QuitPressed;
  // Nothing of the show stays on screen, sounding or in memory, so that a
  // new game starts clean.
  DisposeOfShow();
  if (ended) {
    ReleaseInGameMenu();
    if (!TopMenu && !createScreen(TopMenu, kTopMenuAfterEndLocation)) return false;
    TopMenu->BkgndImg->setBitmap(Backdrop);
    TopMenu->Show();
    MenuPhase = 1;
    return true;
  }
  if (quit) {
    ReleaseInGameMenu();
    Close();
    return true;
  }
  // A step failed and has said why; the show cannot go on. A step of the
  // close that fails (a clip or picture of the goodbye or the winners'
  // stage) does not lose the win of the champion already crowned.
  if (crowned) KeepTheResult();
  ReportError(kMemoryError, kShowFailedLocation);
  return false;
}

bool TTvzMain::KeepTheResult() {
  // The next show of this pack asks fresh questions first.
  RememberAsked(*this);
  if (!Champions && !createScreen(Champions, kChampionsLocation, Backdrop)) return false;
  for (int c = 0; c < kContestantCount; ++c) {
    if (c == FirstPlace)
      Champions->AddChampion(Contestants[c]);
    else
      Champions->RetireChampion(Contestants[c]);
  }
  return true;
}

bool TTvzMain::WinnersStage() {
  if (!Camera4x || !Camera4x->visible()) return true;
  if (!Camera4x->CreditsOver(ElapsedMs)) return true;
  Round = 0;
  ElapsedMs = 0;
  if (!KeepTheResult()) return false;
  ReleaseInGameMenu();
  Champions->Show();
  Camera4x->Close();
  MenuPhase = 1;
  return true;
}

bool TTvzMain::ContinueLoadedShow(const BoardValues& values) {
  // The in-game menu stays: its load screen is the one running now.
  DisposeOfShow();
  if (!createForm(&Camera2)) {
    ReportError(kMemoryError, kLoadedBoardLocation);
    return false;
  }
  // A board that could not make its pictures or load them has said so and
  // closed itself.
  if (!Camera2 || Camera2->releasing() || !Camera2->LoadPictures()) return false;
  Camera2->Challenger = values.Challenger;
  Camera2->Defender = values.Defender;
  Camera2->ShowStep = values.ShowStep;
  Camera2->Show();
  return true;
}

}  // namespace tvz
