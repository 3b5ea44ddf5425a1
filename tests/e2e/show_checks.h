#pragma once
// What every whole show must keep to, checked from what the show said and
// the steps it ran: the order of the steps and the delays between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "harness/whole_show.h"
#include "show/show_flow.h"

namespace tvz::testing {

inline std::vector<std::string> Said() {
  return {TvzMain->ShownCaptions.begin(), TvzMain->ShownCaptions.end()};
}

inline int Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

inline int CountEnding(const std::vector<std::string>& lines, const std::string& ending) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
    return l.size() >= ending.size() && l.compare(l.size() - ending.size(), ending.size(), ending) == 0;
  }));
}

inline int CountSteps(const std::vector<StepRun>& steps, std::int32_t step) {
  return static_cast<int>(
      std::count_if(steps.begin(), steps.end(), [&](const StepRun& s) { return s.step == step; }));
}

// Each step is followed only by the steps the show allows after it; the
// credits close the board (-1).
inline void ExpectStepsInTheirOrder(const std::vector<StepRun>& steps, bool fromTheStart = true) {
  static const std::map<std::int32_t, std::set<std::int32_t>> kFollowers = {
      {kAnnounceDefender, {kDrawCategory}},
      {kDrawCategory, {kChooseCategory, kReviewQuestion}},
      {kChooseCategory, {kTakeCategory}},
      {kTakeCategory, {kReviewQuestion}},
      {kReviewQuestion, {kChooseValue, kOfferToDefender}},
      {kChooseValue, {kAnnounceChallenge}},
      {kAnnounceChallenge, {kOfferToDefender}},
      {kOfferToDefender, {kDefenderAnswers}},
      {kDefenderAnswers, {kDefenderSaysAnswer}},
      {kDefenderSaysAnswer, {kJudgeDefender}},
      {kJudgeDefender, {kOfferToChallenger, kRevealAnswer, kEndChallenge}},
      {kOfferToChallenger, {kChallengerAnswers}},
      {kChallengerAnswers, {kChallengerSaysAnswer}},
      {kChallengerSaysAnswer, {kJudgeChallenger}},
      {kJudgeChallenger, {kRevealAnswer, kEndChallenge}},
      {kRevealAnswer, {kEndChallenge}},
      {kEndChallenge, {kAnnounceDefender, kDrawCategory, kAnnounceBreak, kCrownChampion}},
      {kAnnounceBreak, {kShowBreak}},
      {kShowBreak, {kWelcomeBack}},
      {kWelcomeBack, {kAnnounceDefender}},
      {kCrownChampion, {kThankAudience}},
      {kThankAudience, {kSayGoodbye}},
      {kSayGoodbye, {kRollCredits}},
      {kRollCredits, {-1}},
  };
  ASSERT_FALSE(steps.empty());
  if (fromTheStart) {
    EXPECT_EQ(steps.front().step, kAnnounceDefender) << "the show opens with its defender";
  }
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const StepRun& s = steps[i];
    ASSERT_TRUE(kFollowers.count(s.step)) << "step " << s.step;
    EXPECT_TRUE(kFollowers.at(s.step).count(s.next)) << "step " << s.step << " -> " << s.next << " at " << i;
    if (i + 1 < steps.size()) {
      EXPECT_EQ(steps[i + 1].step, s.next) << "one step at a time, at " << i;
    }
  }
}

// The delays the steps set. Steps that wait on a person or run on at the
// next frame set none; a computer's thinking and reviewing time vary with
// the answer clock (`seconds`).
inline void ExpectDelaysAsTheShowSays(const std::vector<StepRun>& steps, int seconds) {
  const std::uint32_t clockMs = 1000u * static_cast<std::uint32_t>(seconds);
  for (const StepRun& s : steps) {
    SCOPED_TRACE("step " + std::to_string(s.step) + " delay " + std::to_string(s.delay));
    switch (s.step) {
      case kAnnounceDefender:
      case kDrawCategory:
      case kTakeCategory:
      case kAnnounceChallenge:
      case kOfferToDefender:
      case kOfferToChallenger:
      case kDefenderSaysAnswer:
      case kChallengerSaysAnswer:
      case kRevealAnswer:
      case kAnnounceBreak:
      case kWelcomeBack:
      case kSayGoodbye:
        EXPECT_EQ(s.delay, 4500u);
        break;
      case kJudgeDefender:
      case kJudgeChallenger:
        EXPECT_TRUE(s.delay == 4500u || s.delay == 7500u);  // 7500 with applause
        break;
      case kReviewQuestion:
        // A human challenger: 4500; a computer adds up to its review time.
        if (s.next == kChooseValue) {
          EXPECT_TRUE(s.delay >= 4500u && s.delay <= 4500u + (seconds ? clockMs - 3000u : 4000u));
        }
        break;
      case kDefenderAnswers:
      case kChallengerAnswers:
        // 4500 for a person; a computer's thinking time.
        if (seconds == 0)
          EXPECT_TRUE(s.delay >= 4500u && s.delay <= 8500u);
        else
          EXPECT_TRUE(s.delay == 4500u || (s.delay >= 4000u && s.delay <= clockMs - 2000u) ||
                      s.delay == clockMs + 500u);
        break;
      case kShowBreak: EXPECT_EQ(s.delay, 15000u); break;
      case kCrownChampion: EXPECT_EQ(s.delay, 10500u); break;
      case kThankAudience: EXPECT_EQ(s.delay, 2500u); break;
      default: break;
    }
  }
}

}  // namespace tvz::testing
