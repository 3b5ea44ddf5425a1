#pragma once
// The show as a sequence of steps the game board runs one at a time, each
// once ElapsedMs has reached the delay the previous step set. A defender is
// announced; a category is drawn or chosen; each of the other two contestants
// in turn reviews the defender's question and challenges for one of the
// defender's cells, the defender answers and after a miss the challenger may
// answer in turn. Commercial breaks come half way through round 1 and between
// rounds; after the last round the winner is crowned, the host says goodbye
// and the credits roll.
#include <cstdint>

namespace tvz {

class TCamera2;

// The steps, as the board's ShowStep names them.
enum ShowStepCode : std::int32_t {
  kAnnounceDefender = 0,
  kDrawCategory = 1,
  kChooseCategory = 2,  // only when the draw lets the defender pick
  kTakeCategory = 3,    // only after the defender's pick
  kReviewQuestion = 4,
  kChooseValue = 5,     // not for a defender's last cell
  kAnnounceChallenge = 6,
  kOfferToDefender = 7,
  kDefenderAnswers = 8,
  kDefenderSaysAnswer = 9,
  kJudgeDefender = 10,
  kOfferToChallenger = 11,  // after the defender's miss, when the challenger may answer
  kChallengerAnswers = 12,
  kChallengerSaysAnswer = 13,
  kJudgeChallenger = 14,
  kRevealAnswer = 15,
  kEndChallenge = 16,
  kAnnounceBreak = 17,
  kShowBreak = 18,
  kWelcomeBack = 19,
  kCrownChampion = 20,
  kThankAudience = 21,
  kSayGoodbye = 22,
  kRollCredits = 23,
};

// The pause after most steps: long enough for the line just spoken.
inline constexpr std::uint32_t kLineDelayMs = 4500;

// Runs the board's step ShowStep and moves ShowStep on. False when the step
// failed: a clip or a scene that could not be loaded or made, reported where
// it failed; the show cannot go on then.
bool RunShowStep(TCamera2& board);
// On a frame that runs no step: the costliest work of the step to come, done
// ahead so that no single frame carries all of it. False when that work
// failed (reported): the step could not have run either.
bool PrepareShowStep(TCamera2& board);

}  // namespace tvz
