#pragma once
// The real game with its main window and services, its intro switched off, so
// a test can put the show's screens up by itself with a prepared line-up.
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>

#include "core/screens.h"
#include "harness/game_session.h"
#include "platform/timer.h"
#include "show/board.h"

namespace tvz::testing {

// Three contestants as the tests know them: a woman named from the lists
// (picture 4, voice f3) defending, a man with a two-word typed name (picture
// 1, voice m1) challenging, and a woman with a one-word typed name (picture
// 2, voice f2).
inline constexpr const char* kTwoWordName = "Mary Ann";
inline constexpr const char* kOneWordName = "Zanzibar";

class ShowSession : public GameSession {
 protected:
  void SetUp() override {
    GameSession::SetUp();
    linkMedia(except_);
  }

  // Media files left out of the game directory (set before SetUp runs).
  std::vector<std::string> except_;

  // Before the first frame tick: the main window stays quiet (no splashes,
  // no menus, no show of its own: its frame timer is off, so these tests
  // drive the board's parts by hand) and the line-up is seated for round 1.
  static void QuietShow() {
    TvzMain->FrameTimer->setEnabled(false);
    TvzMain->IntroPhase = 0;
    TvzMain->Round = 1;
    TvzMain->RoundCount = 2;
    SeatLineUp();
  }

  // Creates the board, loads its pictures and shows it, as the show does.
  // Its first step is held back for good: the board's parts are tested here,
  // the show's steps with the whole program.
  static bool OpenBoard(Driver& d) {
    if (!createForm(&Camera2) || !Camera2->LoadPictures()) return false;
    Camera2->StepDelay = std::numeric_limits<std::uint32_t>::max();
    Camera2->Show();
    d.settle();
    return Camera2 && Camera2->visible();
  }

  // Runs a step of the show inside one frame tick, on the game's own thread,
  // as the show runs its steps. Its result, false when the tick did not come.
  static bool InFrame(Driver& d, const std::function<bool()>& step) {
    bool ran = false, result = false;
    Timer once(1, [&](Timer& timer) {
      timer.setEnabled(false);
      result = step();
      ran = true;
    });
    d.ticks(1);
    return ran && result;
  }

  // What the game has written to its error log ("" when nothing).
  static std::string ErrorLogText() {
    std::ifstream in("error.log");
    return {std::istreambuf_iterator<char>(in), {}};
  }

  static void SetTypedName(ContestantRecord& who, const char* name) {
    std::memset(who.CustomName, 0, sizeof who.CustomName);
    std::strncpy(who.CustomName, name, sizeof who.CustomName - 1);
  }

  static void SeatLineUp() {
    TvzMain->ResetContestants();
    ContestantRecord* seats = TvzMain->Contestants;
    const int appearances[] = {4, 1, 2};
    for (int c = 0; c < 3; ++c) {
      seats[c].Appearance = appearances[c];
      seats[c].AppearanceNo = appearances[c] / 2 + 1;
      seats[c].FirstNameIdx = 3 + c;
      seats[c].Knowledge = 2;
    }
    seats[0].IsHuman = 1;
    seats[0].Role = 1;
    seats[1].Role = 2;
    SetTypedName(seats[1], kTwoWordName);
    SetTypedName(seats[2], kOneWordName);
  }
};

}  // namespace tvz::testing
