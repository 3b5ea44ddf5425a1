#pragma once
// Frame ranges of the contestants' face clips ("con0.mm4".."con5.mm4"): which
// frames make a contestant say a word or pull a face. The board queues these
// (start, end) pairs into a contestant's animation queue. Frames count from 1,
// as the animation control counts them. The table is generated at build time
// from data/characters/segments.txt, the same timeline the face clips are
// drawn from, so table and clips always agree.
#include <array>
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
  bool operator==(const FrameRange&) const = default;
};

// First and last frame of a segment in the face clip of an appearance (0..5).
// An appearance outside 0..5 gives the empty range {0, 0}.
FrameRange faceSegmentFrames(FaceSegment segment, int appearance);

// The spoken number segment for a cell value (1..10, 12, 14, 15, 16, 18, 20,
// 21, 24, 27, 30); nullopt for any other value.
std::optional<FaceSegment> numberSegment(int value);

// The category word for a category code (1 and 2 History, 3 Music, 4 Sports,
// 5 TV, Arts, and Literature); nullopt for any other code.
std::optional<FaceSegment> categorySegment(int categoryCode);

// The answer letter for an answer slot 1..4 (A..D); nullopt otherwise.
std::optional<FaceSegment> letterSegment(int answerSlot);

// The segment that starts on `frame` and ends on the next boundary of the
// appearance's column: how a reaction's return is found from the reaction's
// end frame. Empty range when no segment starts there.
FrameRange segmentStartingAt(std::uint16_t frame, int appearance);

// Raw table, filled by the generated source: [segment][appearance].
extern const std::array<std::array<FrameRange, kAppearanceCount>, kFaceSegmentCount>
    kFaceSegmentTable;

}  // namespace tvz
