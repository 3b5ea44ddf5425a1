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
#include "show/board.h"
#include "show/board_layout.h"
#include "show/show_flow.h"
#include "store/saved_game_disk.h"

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

// The name plate the board shows for a contestant: the row of the plate
// strip (0 none, 1 defender, 2 challenger) its picture is a copy of, or -1.
inline int PlateShown(int c) {
  const Bitmap& plate = Camera2->NamePlateImages[c]->bitmap();
  const Bitmap& strip = Camera2->NamePlateStrip;
  const int h = plate.height();
  for (int row = 0; h > 0 && (row + 1) * h <= strip.height(); ++row) {
    bool same = plate.width() <= strip.width();
    for (int y = 0; same && y < h; ++y)
      for (int x = 0; same && x < plate.width(); ++x) same = plate.pixel(x, y) == strip.pixel(x, row * h + y);
    if (same) return row;
  }
  return -1;
}

// Each contestant's role, and the plate that shows it.
inline void ExpectRoles(const std::array<std::int32_t, kContestantCount>& roles) {
  for (int c = 0; c < kContestantCount; ++c) {
    EXPECT_EQ(TvzMain->Contestants[c].Role, roles[c]) << "contestant " << c;
    EXPECT_EQ(PlateShown(c), roles[c]) << "the plate of contestant " << c;
  }
}

// What the board shows as a live show goes on, checked after the steps that
// change it: the challenger's role and plate while it challenges, the
// staked cell red from the challenge and grey once the defender's answer
// is judged, every role cleared between rounds, the winner's plate lit at
// the crowning.
inline void ExpectTheBoardAfter(const StepRun& run) {
  if (!Camera2) return;
  const int defender = Camera2->Defender, challenger = Camera2->Challenger;
  auto cellColour = [&] {
    return Camera2->CellLabels[defender][TvzMain->Contestants[defender].SelectedCell]->font().color;
  };
  switch (run.step) {
    case kAnnounceChallenge: {
      std::array<std::int32_t, kContestantCount> roles{};
      roles[defender] = 1;
      roles[challenger] = 2;
      ExpectRoles(roles);
      EXPECT_EQ(cellColour(), board_layout::kCurrentColour) << "the staked cell turns red";
      break;
    }
    case kJudgeDefender:
      EXPECT_EQ(cellColour(), board_layout::kUsedColour) << "the judged cell turns grey";
      break;
    case kEndChallenge:
      if (TvzMain->Round != run.round && run.next == kAnnounceBreak) {
        ExpectRoles({0, 0, 0});
      } else if (run.next == kDrawCategory) {
        EXPECT_NE(challenger, defender);
        EXPECT_EQ(TvzMain->Contestants[challenger].Role, 2) << "the next challenger";
        EXPECT_EQ(std::count_if(TvzMain->Contestants, TvzMain->Contestants + kContestantCount,
                                [](const ContestantRecord& c) { return c.Role == 2; }),
                  1);
      } else if (run.next == kAnnounceDefender) {
        for (int c = 0; c < kContestantCount; ++c) EXPECT_NE(TvzMain->Contestants[c].Role, 2) << c;
      }
      break;
    case kCrownChampion:
      if (TvzMain->FirstPlace >= 0) {
        std::array<std::int32_t, kContestantCount> roles{};
        roles[TvzMain->FirstPlace] = 1;
        ExpectRoles(roles);
      }
      break;
    default: break;
  }
}

// A game saved right after this step, as the in-game menu's "Save" writes
// it, loads back whole: checked once for each step the board waits to run
// in each round (the files stay in the session's directory).
inline void ExpectASaveHereLoads(const StepRun& run, std::set<std::pair<int, int>>& saved) {
  if (!Camera2 || !saved.insert({run.next, run.round}).second) return;
  const SavedGameImage image =
      MakeSavedGame(*TvzMain, {Camera2->Challenger, Camera2->Defender, Camera2->ShowStep});
  const std::string name = "round" + std::to_string(run.round) + "-step" + std::to_string(run.next) + ".tzs";
  ASSERT_TRUE(WriteSavedGameFile(name, image).ok()) << name;
  SavedGameImage loaded{};
  const DiskReport report = ReadSavedGameFile(name, SavedGameLimits::Of(*TvzMain), loaded);
  EXPECT_TRUE(report.ok()) << name << ": " << report.reason;
  EXPECT_EQ(EncodeSavedGame(loaded), EncodeSavedGame(image)) << name;
}

// Played frame by frame: a step that set a delay is followed at the first
// frame at which that delay is over, never before; a step that set none is
// followed on the very next frame (a person's scene, answered at once, holds
// nothing up).
inline void ExpectEachStepOnItsFrame(const std::vector<StepRun>& steps) {
  for (std::size_t i = 1; i < steps.size(); ++i) {
    const StepRun& before = steps[i - 1];
    const StepRun& s = steps[i];
    SCOPED_TRACE("step " + std::to_string(s.step) + " after step " + std::to_string(before.step) + " at " +
                 std::to_string(i));
    if (before.delaySet) {
      const std::uint32_t waited = s.atMs - before.atMs;
      EXPECT_GE(waited, before.delay) << "not before its delay";
      EXPECT_LT(waited - s.frameMs, before.delay) << "at the first frame it was due";
    } else {
      EXPECT_EQ(s.frame, before.frame + 1) << "on the very next frame";
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
