#include "show/show_flow.h"

#include "core/services.h"
#include "scenes/host_scene.h"
#include "show/board.h"
#include "show/rules_turns.h"
#include "show/show_scenes.h"
#include "show/show_steps.h"

namespace tvz {

bool RunShowStep(TCamera2& board) { return ShowSteps(board).Run(); }

bool PrepareShowStep(TCamera2& board) { return ShowSteps(board).Prepare(); }

ShowSteps::ShowSteps(TCamera2& board) : board_(board), game_(*Services) {}

bool ShowSteps::Prepare() {
  switch (board_.ShowStep) {
    case kRollCredits: return PrepareCredits();
    default: return true;
  }
}

bool ShowSteps::Run() {
  const std::int32_t step = board_.ShowStep;
  // Every step of a challenge addresses two different contestants. A saved
  // game edited by hand may not have them: the defender's turn starts over,
  // which seats them afresh.
  const bool inChallenge = step >= kDrawCategory && step <= kEndChallenge;
  if (inChallenge && !SeatsValid(Challenge())) return AnnounceDefender();
  switch (step) {
    case kAnnounceDefender: return AnnounceDefender();
    case kDrawCategory: return DrawCategory();
    case kChooseCategory: return ChooseCategory();
    case kTakeCategory: return TakeCategory();
    case kReviewQuestion: return ReviewQuestion();
    case kChooseValue: return ChooseValue();
    case kAnnounceChallenge: return AnnounceChallenge();
    case kOfferToDefender: return Offer(board_.Defender, HostLine::OfferToDefender);
    case kDefenderAnswers: return Answer(board_.Defender);
    case kDefenderSaysAnswer: return SayAnswer(board_.Defender);
    case kJudgeDefender: return Judge(board_.Defender);
    case kOfferToChallenger: return Offer(board_.Challenger, HostLine::OfferBackToChallenger);
    case kChallengerAnswers: return Answer(board_.Challenger);
    case kChallengerSaysAnswer: return SayAnswer(board_.Challenger);
    case kJudgeChallenger: return Judge(board_.Challenger);
    case kRevealAnswer: return RevealAnswer();
    case kEndChallenge: return EndChallenge();
    case kAnnounceBreak: return AnnounceBreak();
    case kShowBreak: return ShowBreak();
    case kWelcomeBack: return WelcomeBack();
    case kCrownChampion: return CrownChampion();
    case kThankAudience: return ThankAudience();
    case kSayGoodbye: return SayGoodbye();
    case kRollCredits: return RollCredits();
    default: return AnnounceDefender();
  }
}

void ShowSteps::Schedule(std::uint32_t ms) {
  game_.ElapsedMs = 0;
  board_.StepDelay = ms;
}

void ShowSteps::GoTo(std::int32_t step) { board_.ShowStep = step; }

ContestantRecord& ShowSteps::Seat(int contestant) { return game_.Contestants[contestant]; }

Seats ShowSteps::Challenge() const { return {board_.Defender, board_.Challenger}; }

bool ShowSteps::IsHuman(int contestant) { return Seat(contestant).IsHuman != 0; }

std::int32_t ShowSteps::ValueAtStake(int answerer) {
  ContestantRecord& who = Seat(answerer);
  // A cell left unset by a scene that could not open (or by a saved game) is
  // the defender's cell when it has one, else the defender's lowest unused
  // cell, as when one cell is left.
  if (!IsCell(who.SelectedCell)) {
    const ContestantRecord& defender = Seat(board_.Defender);
    who.SelectedCell = IsCell(defender.SelectedCell) && answerer != board_.Defender
                           ? defender.SelectedCell
                           : LowestUnusedCell(defender);
  }
  return who.CellValue[who.SelectedCell];
}

void ShowSteps::PassControl() {
  board_.SetRole(board_.Defender, 0);
  board_.Defender = SeatAfter(board_.Defender);
  board_.SetRole(board_.Defender, kDefenderRole);
}

bool ShowSteps::HostSays(std::int32_t location, HostLine line) {
  TCamera1* host = MakeHostScene(location);
  if (!host || !SpeakLine(line)) return false;
  host->Show();
  return true;
}

}  // namespace tvz
