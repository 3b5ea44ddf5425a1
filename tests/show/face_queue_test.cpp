// The contestants' faces on the board: queued segments play one after the
// other, each only once the face is still; reactions note where they end and
// get their way back; missing or short clips never stop the show.
#include <filesystem>

#include "core/screens.h"
#include "harness/show_session.h"
#include "show/board.h"

namespace tvz::testing {
namespace {

ContestantRecord& seat(int c) { return TvzMain->Contestants[c]; }

FrameRange frames(FaceSegment s, int c) { return faceSegmentFrames(s, seat(c).Appearance); }

// Runs the board's frame duty once a tick until `count` segments of the
// contestant have started, checking that each starts on a still face and
// shows its first frame. Returns the segments in the order they started.
std::vector<FrameRange> playQueue(Driver& d, int c, std::size_t count, int maxTicks = 600) {
  std::vector<FrameRange> started;
  for (int t = 0; t < maxTicks && started.size() < count; ++t) {
    const FaceQueue before = Camera2->AnimQueue[c];
    const bool wasPlaying = Camera2->AnimPlaying[c];
    Camera2->StepShow();
    if (Camera2->AnimQueue[c] != before) {
      EXPECT_FALSE(wasPlaying) << "a segment started while another played";
      EXPECT_TRUE(Camera2->AnimPlaying[c]);
      EXPECT_EQ(Camera2->ContestantAnims[c]->currentFrame(), before[0].start);
      started.push_back(before[0]);
    }
    d.ticks(1);
  }
  return started;
}

class Faces : public ShowSession {};

TEST_F(Faces, FourQueuedSegmentsPlayOneAfterTheOther) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    EXPECT_FALSE(Camera2->Con1Ani->visible()) << "the picture shows the resting face until then";
    Camera2->QueueFaces(0, {FaceSegment::IllChallengeFor, FaceSegment::Number12, FaceSegment::Closing,
                            FaceSegment::ValueChosen});
    const std::vector<FrameRange> expected = {
        frames(FaceSegment::IllChallengeFor, 0), frames(FaceSegment::Number12, 0),
        frames(FaceSegment::Closing, 0), frames(FaceSegment::ValueChosen, 0)};
    EXPECT_EQ(playQueue(d, 0, 4), expected);
    EXPECT_TRUE(Camera2->Con1Ani->visible());
    for (const FrameRange& place : Camera2->AnimQueue[0]) EXPECT_TRUE(place.empty());
    // The last one plays to its end and the face rests.
    EXPECT_TRUE(d.until([] { return !Camera2->AnimPlaying[0]; }, 100));
    EXPECT_EQ(Camera2->Con1Ani->currentFrame(), expected.back().end);
  });
}

TEST_F(Faces, NothingStartsWhileAClipPlaysAndThreeFacesRunSideBySide) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    Camera2->QueueFaces(0, {FaceSegment::IllTake, FaceSegment::Music, FaceSegment::Closing});
    Camera2->QueueFaces(1, {FaceSegment::ReviewGlance2});
    Camera2->QueueReaction(2, FaceSegment::Thinking1);
    Camera2->StepShow();
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(Camera2->AnimPlaying[c]) << c;
    d.ticks(3);
    d.capture("board-faces.png");

    // A reaction queued mid-phrase takes the head's place but waits its turn.
    const FrameRange playing = frames(FaceSegment::IllTake, 0);
    Camera2->QueueFaces(0, {FaceSegment::Wrong1});
    for (int t = 0; t < 5; ++t) {
      Camera2->StepShow();
      d.ticks(1);
      ASSERT_TRUE(Camera2->AnimPlaying[0]);
      EXPECT_GE(Camera2->Con1Ani->currentFrame(), playing.start);
      EXPECT_LE(Camera2->Con1Ani->currentFrame(), playing.end);
      EXPECT_EQ(Camera2->AnimQueue[0][0], frames(FaceSegment::Wrong1, 0));
    }
    const std::vector<FrameRange> rest = {frames(FaceSegment::Wrong1, 0), frames(FaceSegment::Closing, 0)};
    EXPECT_EQ(playQueue(d, 0, 2), rest);
  });
}

TEST_F(Faces, ADefenderWhoGlancedLooksBackWhenTheChallengeIsMade) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    Camera2->QueueReaction(0, FaceSegment::GlanceLower2);
    Camera2->QueueReaction(2, FaceSegment::GlanceHigher1);
    Camera2->QueueReaction(1, FaceSegment::Thinking2);  // not a glance
    EXPECT_EQ(Camera2->LastReaction[0], frames(FaceSegment::GlanceLower2, 0).end);
    // Played out first, as in the show: the challenge comes seconds later.
    for (int t = 0; t < 60; ++t) {
      Camera2->StepShow();
      d.ticks(1);
    }
    Camera2->QueueReturnGlances();
    EXPECT_EQ(Camera2->AnimQueue[0][0], frames(FaceSegment::GlanceLowerReturn, 0));
    EXPECT_EQ(Camera2->AnimQueue[2][0], frames(FaceSegment::GlanceHigherReturn, 2));
    EXPECT_TRUE(Camera2->AnimQueue[1][0].empty()) << "a thinking face comes back at the end";
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Camera2->LastReaction[c], 0) << "forgotten, matched or not";
    const std::vector<FrameRange> back = {frames(FaceSegment::GlanceLowerReturn, 0)};
    EXPECT_EQ(playQueue(d, 0, 1), back);
  });
}

TEST_F(Faces, ThinkingAndRightAnswerFacesComeBackWhenTheChallengeEnds) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    Camera2->QueueReaction(0, FaceSegment::Right2);
    Camera2->QueueReaction(1, FaceSegment::Thinking1);
    Camera2->QueueReaction(2, FaceSegment::GlanceLower1);  // a glance has no return here
    Camera2->QueueReturns();
    EXPECT_EQ(Camera2->AnimQueue[0][0], frames(FaceSegment::Right2Return, 0));
    EXPECT_EQ(Camera2->AnimQueue[1][0], frames(FaceSegment::Thinking1Return, 1));
    EXPECT_EQ(Camera2->AnimQueue[2][0], frames(FaceSegment::GlanceLower1, 2));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Camera2->LastReaction[c], 0);

    // Faces without a way back note nothing.
    Camera2->QueueFaces(0, {FaceSegment::Wrong2});
    Camera2->QueueFaces(1, {FaceSegment::ValueChosen});
    EXPECT_EQ(Camera2->LastReaction[0], 0);
    EXPECT_EQ(Camera2->LastReaction[1], 0);
    Camera2->QueueReturns();
    EXPECT_EQ(Camera2->AnimQueue[0][0], frames(FaceSegment::Wrong2, 0));
  });
}

// Contestant 2's clip is missing and contestant 3's is far shorter than the
// table asks (the studio's 44-frame logo in its place).
class FacesWithBadClips : public ShowSession {
 protected:
  FacesWithBadClips() { except_ = {"con1.mm4", "con2.mm4"}; }
};

TEST_F(FacesWithBadClips, PlayNothingReportNothingAndTheShowGoesOn) {
  std::filesystem::create_symlink(std::filesystem::path(TRIVENZA_GAME_DIR) / "vantosplsh.mm4",
                                  dir_ / "con2.mm4");
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    for (int c = 0; c < 3; ++c)
      Camera2->QueueFaces(c, {FaceSegment::IllChallengeFor, FaceSegment::Number30, FaceSegment::Closing});
    for (int t = 0; t < 10; ++t) {
      ASSERT_TRUE(Camera2->StepShow());
      d.ticks(1);
    }
    EXPECT_TRUE(Camera2->AnimPlaying[0] || Camera2->Con1Ani->currentFrame() > 0);
    for (int c = 1; c < 3; ++c) {
      SCOPED_TRACE(c);
      EXPECT_FALSE(Camera2->AnimPlaying[c]);
      EXPECT_FALSE(Camera2->ContestantAnims[c]->visible()) << "the picture's face stays";
      for (const FrameRange& place : Camera2->AnimQueue[c]) EXPECT_TRUE(place.empty());
    }
    EXPECT_LT(Camera2->Con3Ani->frameCount(), frames(FaceSegment::IllChallengeFor, 2).start)
        << "the short clip was read";
    EXPECT_FALSE(std::filesystem::exists("error.log"));
    EXPECT_TRUE(Camera2->visible());
  });
}

}  // namespace
}  // namespace tvz::testing
