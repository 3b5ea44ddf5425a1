// A defender's turn up to the challenge: the defender is announced, the
// category drawn (or picked by the defender), the challenger reviews the
// defender's question and stakes one of the defender's cells.
#include "core/services.h"
#include "platform/random.h"
#include "show/board.h"
#include "show/computer_player.h"
#include "show/rules_question.h"
#include "show/rules_turns.h"
#include "show/show_flow.h"
#include "show/show_scenes.h"
#include "show/show_steps.h"

namespace tvz {

namespace {
constexpr std::int32_t kDefenderPicks = 6;
constexpr int kCategoryDraws = 6;  // History has two of the six codes
constexpr std::int32_t kNoQuestionLocation = 820;
}  // namespace

bool ShowSteps::AnnounceDefender() {
  CloseHostScene();
  for (ContestantRecord& who : game_.Contestants) who.HasChallenged = 0;
  board_.Defender = ContestantInControl(game_);
  if (board_.Defender < 0) {
    // Nobody in control (only a saved game edited by hand): the first
    // contestant takes it, so the show goes on.
    board_.Defender = 0;
    board_.SetRole(0, kDefenderRole);
  }
  game_.Category = 0;
  LineRequest line;
  line.contestant = board_.Defender;
  if (!SpeakLine(HostLine::DefenderAnnounced, line)) return false;
  board_.Challenger = SeatBefore(board_.Defender);
  board_.SetRole(board_.Challenger, kChallengerRole);
  Schedule(kLineDelayMs);
  GoTo(kDrawCategory);
  return true;
}

bool ShowSteps::DrawCategory() {
  game_.Category = 1 + Random(kCategoryDraws);
  const bool defenderPicks = game_.Category == kDefenderPicks;
  LineRequest line;
  line.contestant = board_.Defender;
  if (!SpeakLine(defenderPicks ? HostLine::DefenderPicks : HostLine::CategoryDrawn, line)) return false;
  Seat(board_.Defender).SelectedCell = 0;
  Schedule(kLineDelayMs);
  GoTo(defenderPicks ? kChooseCategory : kReviewQuestion);
  return true;
}

bool ShowSteps::ChooseCategory() {
  if (IsHuman(board_.Defender)) {
    // The scene holds the show until the defender has chosen.
    board_.SetCaption("");
    if (!OpenCategoryChoice(board_.Defender)) return false;
  } else {
    Schedule(ChooseComputerCategory(game_, board_.Defender));
  }
  GoTo(kTakeCategory);
  return true;
}

bool ShowSteps::TakeCategory() {
  LineRequest line;
  line.contestant = board_.Defender;
  // The clock ran out on the choice (or nothing was chosen at all): the
  // category is drawn for the defender, History two chances in five.
  if (game_.Category < 1 || game_.Category > kCategoryCount) {
    game_.Category = 1 + Random(kCategoryCount);
    line.categoryTimedOut = true;
  }
  if (!SpeakLine(HostLine::CategoryTaken, line)) return false;
  Schedule(kLineDelayMs);
  GoTo(kReviewQuestion);
  return true;
}

bool ShowSteps::ReviewQuestion() {
  // The bank is checked at start-up to hold questions of every category, so
  // this fails only with a bank that changed under the running game.
  if (!PickQuestion(game_, board_.Defender)) {
    Services->ReportFileError("Error reading from file", "tvzd.tzd", kNoQuestionLocation);
    return false;
  }
  board_.DrawNamePlates();
  ContestantRecord& defender = Seat(board_.Defender);
  if (OneCellLeft(defender)) {
    // The defender's last cell goes to the challenge straight away.
    defender.SelectedCell = LowestUnusedCell(defender);
    Seat(board_.Challenger).HasChallenged = 1;
    GoTo(kOfferToDefender);
    return true;
  }
  LineRequest line;
  line.contestant = board_.Challenger;
  line.defender = board_.Defender;
  if (!SpeakLine(HostLine::Review, line)) return false;
  Schedule(kLineDelayMs);
  // A computer challenger looks the question over a while; its choice of
  // value comes at the end of that time.
  if (!IsHuman(board_.Challenger)) board_.StepDelay += ComputerReviewTime(game_);
  GoTo(kChooseValue);
  return true;
}

bool ShowSteps::ChooseValue() {
  if (IsHuman(board_.Challenger)) {
    board_.SetCaption("");
    if (!OpenChallengeValue(game_.Category, board_.Defender, board_.Challenger)) return false;
  } else {
    ChooseComputerValue(game_, Challenge());
  }
  board_.QueueFaces(board_.Challenger, {FaceSegment::ValueChosen});
  Seat(board_.Challenger).HasChallenged = 1;
  GoTo(kAnnounceChallenge);
  return true;
}

bool ShowSteps::AnnounceChallenge() {
  board_.QueueReturnGlances();
  LineRequest line;
  line.contestant = board_.Challenger;
  line.value = ValueAtStake(board_.Defender);
  if (!SpeakLine(HostLine::Challenge, line)) return false;
  ContestantRecord& defender = Seat(board_.Defender);
  board_.ShowCell(board_.Defender, defender.SelectedCell, CellState::Current);
  defender.AnswerSlot = 0;
  Schedule(kLineDelayMs);
  GoTo(kOfferToDefender);
  return true;
}

}  // namespace tvz
