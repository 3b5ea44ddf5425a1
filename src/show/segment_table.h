#pragma once
// Frame ranges of the contestants' face clips ("con0.mm4".."con5.mm4"): which
// frames make a contestant say a word or pull a face. The board queues these
// (start, end) pairs into a contestant's animation queue. Frames count from 1,
// as the animation control counts them.
//
// The frame numbers come from data/characters/segments.txt, the same timeline
// the face clips are drawn from, turned into rows at build time. Every
// segment named below must have its row: the generator refuses a timeline
// that lacks one, and the table is checked again here at compile time, so a
// segment can never silently play an empty range.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tvz {

enum class FaceSegment : std::uint8_t {
  IllTake, History, Music, Sports, TvArtsLiterature, IllChallengeFor,
  Number1, Number2, Number3, Number4, Number5, Number6, Number7, Number8, Number9,
  Number10, Number12, Number14, Number15, Number16, Number18, Number20, Number21,
  Number24, Number27, Number30,
  IllChoose, IllSelect, IllPick,
  LetterA, LetterB, LetterC, LetterD,
  Closing,
  ReviewGlance1, ReviewGlance2,
  GlanceLower1, GlanceLower2, GlanceLowerReturn,
  GlanceHigher1, GlanceHigher2, GlanceHigherReturn,
  ValueChosen,
  Thinking1, Thinking1Return, Thinking2, Thinking2Return,
  Right1, Right1Return, Right2, Right2Return,
  Wrong1, Wrong2,
};
inline constexpr int kFaceSegmentCount = static_cast<int>(FaceSegment::Wrong2) + 1;
inline constexpr int kAppearanceCount = 6;

struct FrameRange {
  std::uint16_t start = 0;  // 0 = empty
  std::uint16_t end = 0;
  constexpr bool empty() const { return start == 0; }
  bool operator==(const FrameRange&) const = default;
};

using FaceSegmentFrameRow = std::array<FrameRange, kAppearanceCount>;
using FaceSegmentTable = std::array<FaceSegmentFrameRow, kFaceSegmentCount>;

namespace face_segments {

// One line of the timeline: a segment and its frames for Appearance 0..5.
struct Row {
  FaceSegment segment;
  FaceSegmentFrameRow frames;
};

// The timeline's rows, in the order the clips hold them.
inline constexpr Row kRows[] = {
#include "show/face_segment_rows.inc"
};

// True when every segment has exactly one row whose ranges are all usable.
constexpr bool EverySegmentOnce() {
  std::array<int, kFaceSegmentCount> seen{};
  for (const Row& row : kRows) {
    ++seen[static_cast<std::size_t>(row.segment)];
    for (const FrameRange& r : row.frames)
      if (r.start == 0 || r.end < r.start) return false;
  }
  for (int count : seen)
    if (count != 1) return false;
  return true;
}

constexpr FaceSegmentTable BySegment() {
  FaceSegmentTable table{};
  for (const Row& row : kRows) table[static_cast<std::size_t>(row.segment)] = row.frames;
  return table;
}

}  // namespace face_segments

static_assert(face_segments::EverySegmentOnce(),
              "data/characters/segments.txt must give every FaceSegment exactly one row of "
              "non-empty frame ranges");

// The table by segment and appearance: kFaceSegmentTable[segment][appearance].
inline constexpr FaceSegmentTable kFaceSegmentTable = face_segments::BySegment();

// First and last frame of a segment in the face clip of an appearance (0..5).
// An appearance outside 0..5 gives the empty range {0, 0}.
constexpr FrameRange faceSegmentFrames(FaceSegment segment, int appearance) {
  if (appearance < 0 || appearance >= kAppearanceCount) return {};
  return kFaceSegmentTable[static_cast<std::size_t>(segment)][static_cast<std::size_t>(appearance)];
}

// The spoken number segment for a cell value (1..10, 12, 14, 15, 16, 18, 20,
// 21, 24, 27, 30); nullopt for any other value.
constexpr std::optional<FaceSegment> numberSegment(int value) {
  switch (value) {
    case 1: return FaceSegment::Number1;
    case 2: return FaceSegment::Number2;
    case 3: return FaceSegment::Number3;
    case 4: return FaceSegment::Number4;
    case 5: return FaceSegment::Number5;
    case 6: return FaceSegment::Number6;
    case 7: return FaceSegment::Number7;
    case 8: return FaceSegment::Number8;
    case 9: return FaceSegment::Number9;
    case 10: return FaceSegment::Number10;
    case 12: return FaceSegment::Number12;
    case 14: return FaceSegment::Number14;
    case 15: return FaceSegment::Number15;
    case 16: return FaceSegment::Number16;
    case 18: return FaceSegment::Number18;
    case 20: return FaceSegment::Number20;
    case 21: return FaceSegment::Number21;
    case 24: return FaceSegment::Number24;
    case 27: return FaceSegment::Number27;
    case 30: return FaceSegment::Number30;
    default: return std::nullopt;
  }
}

// The category word for a category code (1 and 2 History, 3 Music, 4 Sports,
// 5 TV, Arts, and Literature); nullopt for any other code.
constexpr std::optional<FaceSegment> categorySegment(int categoryCode) {
  switch (categoryCode) {
    case 1:
    case 2: return FaceSegment::History;
    case 3: return FaceSegment::Music;
    case 4: return FaceSegment::Sports;
    case 5: return FaceSegment::TvArtsLiterature;
    default: return std::nullopt;
  }
}

// The answer letter for an answer slot 1..4 (A..D); nullopt otherwise.
constexpr std::optional<FaceSegment> letterSegment(int answerSlot) {
  switch (answerSlot) {
    case 1: return FaceSegment::LetterA;
    case 2: return FaceSegment::LetterB;
    case 3: return FaceSegment::LetterC;
    case 4: return FaceSegment::LetterD;
    default: return std::nullopt;
  }
}

// The segment that starts on `frame` and ends on the next boundary of the
// appearance's column: how a reaction's return is found from the reaction's
// end frame. Empty range when no segment starts there.
constexpr FrameRange segmentStartingAt(std::uint16_t frame, int appearance) {
  if (appearance < 0 || appearance >= kAppearanceCount || frame == 0) return {};
  // Several segments may share a first frame (the two endings of a glance);
  // the shortest one ends on the next boundary.
  FrameRange best;
  for (const FaceSegmentFrameRow& row : kFaceSegmentTable) {
    const FrameRange r = row[static_cast<std::size_t>(appearance)];
    if (r.start == frame && r.end > frame && (best.start == 0 || r.end < best.end)) best = r;
  }
  return best;
}

}  // namespace tvz
