#pragma once
// A contestant's face queue: up to four segments of the face clip waiting to
// be played, one after the other. A spoken phrase fills three places (the
// words, the value or letter, the closing mouth), a reaction one. The board
// starts the head whenever the face player is idle.
#include <array>
#include <cstdint>
#include <span>

#include "show/segment_table.h"

namespace tvz {

inline constexpr int kFaceQueuePlaces = 4;
using FaceQueue = std::array<FrameRange, kFaceQueuePlaces>;

// Writes the segments into the first places of the queue, replacing what was
// there; places after them keep their segments. At most four are written.
void WriteFaceQueue(FaceQueue& queue, std::span<const FrameRange> segments);
inline void WriteFaceQueue(FaceQueue& queue, const FrameRange& segment) {
  WriteFaceQueue(queue, std::span(&segment, 1));
}

// Takes the head for playing: returns it (empty when the head is empty) and
// moves the following places up when the second is not empty.
FrameRange TakeFaceQueueHead(FaceQueue& queue);

// The reactions that need a way back to the resting face record their last
// frame; these find the segment that brings the face back. Both give the
// empty range when the frame is not the end of such a reaction in the
// appearance's clip.
//
// After the defender's glance towards the challenger (the return of the
// glance's direction).
FrameRange ReturnFromGlance(std::uint16_t lastReaction, int appearance);
// After a thinking face or a right-answer face (the segment that starts where
// the reaction ended).
FrameRange ReturnFromReaction(std::uint16_t lastReaction, int appearance);

}  // namespace tvz
