#pragma once
// The main window: the first form of the program, alive for the whole run. It
// owns the game record and the shared services, and drives every screen from
// one 33 ms frame timer: each tick adds the elapsed milliseconds to ElapsedMs
// and runs exactly one stage of the sequence (intro, menu, opening, show).
// Screens never open their successors; they set result flags that the stages
// read on the next tick.
#include <cstdint>
#include <exception>
#include <functional>

#include "core/screens.h"
#include "core/services.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/timer.h"

namespace tvz {

// The display set-up failed before the main window was created: its creation
// reports "DirectDraw Error" with the location and code, and the program ends.
void SetDisplayFailure(const VideoInitError& error);

class TTvzMain;
// The main window, while it exists. Screens below the shell reach it as
// Services.
extern TTvzMain* TvzMain;

class TTvzMain : public Form, public TvzServices {
 public:
  TTvzMain();
  ~TTvzMain() override;

  Label* LoadingLbl;
  Timer* FrameTimer;

  // The frame clock, outside the record.
  std::uint32_t LastTick = 0;
  bool ClockStarted = false;

  void FormCreate() override;
  // The desktop gets its screen back before the box with the last error
  // opens, then everything shared is freed.
  void FormDestroy() override;
  void FormClose(CloseAction& action) override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FrameTimerTimer(Timer& sender);

  // One tick of the sequence; false when a stage failed (the program ends).
  bool RunStage();

  // --- Stages, each true to go on, false to end the program ---
  bool StudioSplashStage();
  bool TitleSplashStage();
  bool TopMenuEntryStage();
  bool TopMenuStage();
  bool GameMenuStage();
  bool PlayerMenuStage();
  bool ChampionsStage();
  bool HelpStage();
  // The opening: line-up, the three contestant cards, the host's welcome
  // (opening_stage.cpp).
  bool OpeningStage();
  // The show: the board's step every frame, paused while the in-game menu or
  // a contestant card is up; the way out after "End Game" or "Quit"; the
  // winners' stage, the credits and the champions list at the end
  // (show_stage.cpp).
  bool ShowStage();
  // "Start >" on contestant setup: the line-up is made and loaded on one
  // tick, then the computer contestants are completed, the soundtrack built
  // and the line-up shown on the next.
  bool StartShow();
  // The host has said "Let's begin.": round 1, a random defender, the board
  // up and the host gone. The show runs from the next tick. A board that is
  // not there yet is made and loaded first, so a show can begin from any
  // seated line-up.
  bool BeginShow();

  // An exception escaped a handler (out of memory, a lookup out of range):
  // the main loop has ended, and the box at the program's end shows what is
  // known: the last report, or else what the exception says.
  void EndAfterException(std::exception_ptr exception);

  // The product page the buy entry opens.
  std::string ProductPageUrl() const;

 private:
  bool OpenGameOptions(std::int32_t location);
  // The opening's steps by the scene on screen.
  bool LineUpSteps();
  bool HostSteps();
  bool PrepareBoard();
  void ShowTopMenu();

  // --- The show (show_stage.cpp) ---
  // Plugs the show into the board's menu button, the in-game menu's results
  // and the saved games.
  void ConnectShow();
  // The board has closed itself: back to the top menu, out of the program,
  // or (neither asked for) a failed step, after which a champion already
  // crowned is still kept.
  bool LeaveShow(bool crowned);
  // After the board: the winners' stage, the credits, the champions list.
  bool WinnersStage();
  // The show's result is kept: its questions join the pack's history, its
  // winner the champions list (the others' earlier wins retired). False when
  // the champions screen could not be made (reported).
  bool KeepTheResult();
  // The player closed the game's window (not full screen).
  void WindowCloseRequested();
  // A saved game loaded: the show under way goes and a new board takes up
  // the loaded one at its saved step.
  bool ContinueLoadedShow(const BoardValues& values);
  bool BackdropLoaded = false;
};

}  // namespace tvz
