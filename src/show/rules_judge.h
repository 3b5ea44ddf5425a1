#pragma once
// Judging an answer: right or wrong, the points, the cell, the applause and
// what the show does next. The record is changed here (score, cell used, time
// of the last right answer, the challenger's cell after the defender's miss);
// what is said and shown is left to the show, which acts on the outcome.
#include <cstdint>
#include <optional>

#include "core/game_record.h"
#include "show/rules_codes.h"
#include "show/segment_table.h"

namespace tvz {

// The host's line after an answer.
enum class JudgeLine {
  Right,     // "That's correct!"
  NoAnswer,  // "Sorry,": nothing was answered (the buzzer)
  Wrong,     // "Sorry, that's incorrect."
};

inline constexpr std::uint32_t kJudgeDelayMs = 4500;
inline constexpr std::uint32_t kApplauseDelayMs = 7500;
// The stretch of the right-answer speech that the applause volume applies to.
inline constexpr std::int32_t kApplauseFromMs = 1724;
inline constexpr std::int32_t kApplauseToMs = 5235;

// Steps the show goes on with after judging.
inline constexpr int kStepOfferBack = 11;     // the challenge comes back to the challenger
inline constexpr int kStepRevealAnswer = 15;  // the host tells the right answer
inline constexpr int kStepEndChallenge = 16;

struct JudgeOutcome {
  bool right = false;
  JudgeLine line = JudgeLine::Wrong;
  // Applause after a right answer, at volume 0.9, 0.6 or 0.4; none otherwise.
  std::optional<float> applauseVolume;
  std::uint32_t stepDelay = kJudgeDelayMs;
  // The answerer's face: a right or wrong reaction one time in two.
  std::optional<FaceSegment> reaction;
  int nextStep = kStepRevealAnswer;
  int cell = 0;                // the cell played, 0..9
  std::int32_t points = 0;     // added to the answerer's score (negative: deducted)
  std::int32_t score = 0;      // the answerer's score now
};

// Judges the answer of `answerer` (the defender in step 10, the challenger in
// step 14) against the current question. `tick` is the system tick count now,
// kept as the answerer's last right answer. Nothing when the seats or the
// answerer are not contestants of this challenge.
std::optional<JudgeOutcome> Judge(GameRecord& record, Seats seats, int answerer,
                                  std::uint32_t tick);

// Whether the audience applauds a right answer on `cell`, and how loudly:
// (cell + 40)% of the time with a difficult audience, +15 per mood step.
std::optional<float> DrawApplause(int cell, int audienceMood);

}  // namespace tvz
