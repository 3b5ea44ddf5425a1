#include "show/face_queue.h"

namespace tvz {

namespace {

bool EndsWith(std::uint16_t lastReaction, int appearance, std::initializer_list<FaceSegment> reactions) {
  for (FaceSegment reaction : reactions)
    if (faceSegmentFrames(reaction, appearance).end == lastReaction) return true;
  return false;
}

}  // namespace

void WriteFaceQueue(FaceQueue& queue, std::span<const FrameRange> segments) {
  std::size_t place = 0;
  for (const FrameRange& segment : segments) {
    if (place == queue.size()) break;
    queue[place++] = segment;
  }
}

FrameRange TakeFaceQueueHead(FaceQueue& queue) {
  const FrameRange head = queue[0];
  if (head.empty()) return {};
  queue[0].start = 0;
  if (!queue[1].empty()) {
    for (std::size_t i = 1; i < queue.size(); ++i) queue[i - 1] = queue[i];
    queue.back() = {};
  }
  return head;
}

FrameRange ReturnFromGlance(std::uint16_t lastReaction, int appearance) {
  if (lastReaction == 0) return {};
  if (EndsWith(lastReaction, appearance, {FaceSegment::GlanceLower1, FaceSegment::GlanceLower2}))
    return faceSegmentFrames(FaceSegment::GlanceLowerReturn, appearance);
  if (EndsWith(lastReaction, appearance, {FaceSegment::GlanceHigher1, FaceSegment::GlanceHigher2}))
    return faceSegmentFrames(FaceSegment::GlanceHigherReturn, appearance);
  return {};
}

FrameRange ReturnFromReaction(std::uint16_t lastReaction, int appearance) {
  if (lastReaction == 0) return {};
  if (!EndsWith(lastReaction, appearance,
                {FaceSegment::Thinking1, FaceSegment::Thinking2, FaceSegment::Right1, FaceSegment::Right2}))
    return {};
  return segmentStartingAt(lastReaction, appearance);
}

}  // namespace tvz
