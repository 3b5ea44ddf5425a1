#pragma once
// The steps of the show, one member each, written in the files of their part
// of the show: show_challenge.cpp (from the defender's announcement to the
// challenge), show_answer.cpp (offers, answers, judging, the end of a
// challenge), show_breaks.cpp and show_close.cpp. Each step says what it
// speaks, opens and reads, and which step follows after what delay.
#include <cstdint>

#include "core/game_record.h"
#include "show/host_lines.h"
#include "show/rules_codes.h"

namespace tvz {

class TCamera2;
class TvzServices;

class ShowSteps {
 public:
  explicit ShowSteps(TCamera2& board);

  bool Run();
  // Work of the next step that may be done ahead, on a frame that runs none.
  bool Prepare();

 private:
  // --- A defender's turn and the challenge (show_challenge.cpp) ---
  bool AnnounceDefender();
  bool DrawCategory();
  bool ChooseCategory();
  bool TakeCategory();
  bool ReviewQuestion();
  bool ChooseValue();
  bool AnnounceChallenge();

  // --- Answers (show_answer.cpp); the answerer is the defender first, the
  // challenger after the defender's miss ---
  bool Offer(int answerer, HostLine line);
  bool Answer(int answerer);
  bool SayAnswer(int answerer);
  bool Judge(int answerer);
  bool RevealAnswer();
  bool EndChallenge();

  // --- Commercial breaks (show_breaks.cpp) ---
  bool AnnounceBreak();
  bool ShowBreak();
  bool WelcomeBack();

  // --- The close of the show (show_close.cpp) ---
  bool CrownChampion();
  bool ThankAudience();
  bool SayGoodbye();
  bool RollCredits();
  bool PrepareCredits();

  // --- Shared ---
  // The next step runs once ElapsedMs has reached ms, counted from now.
  void Schedule(std::uint32_t ms);
  void GoTo(std::int32_t step);
  ContestantRecord& Seat(int contestant);
  Seats Challenge() const;
  bool IsHuman(int contestant);
  // The value of the cell the answerer plays (the defender's cell).
  std::int32_t ValueAtStake(int answerer);
  // Control passes to the contestant seated after the defender.
  void PassControl();
  // A new host scene with the line under it, then shown: its caption tells
  // the host how to move.
  bool HostSays(std::int32_t location, HostLine line);

  TCamera2& board_;
  TvzServices& game_;
};

}  // namespace tvz
