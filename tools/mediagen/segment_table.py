"""Writes the program's face clip segment table (src/show/segment_table.h) from
data/characters/segments.txt, the timeline the face clips are drawn from.

    segment_table.py <segments.txt> <out.cpp>
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from characters_timeline import NUMBERS, read  # noqa: E402

TEMPLATE = """// Generated from data/characters/segments.txt by tools/mediagen/segment_table.py.
// Do not edit: change the timeline and rebuild (the face clips follow it too).
#include "show/segment_table.h"

namespace tvz {{

const std::array<std::array<FrameRange, kAppearanceCount>, kFaceSegmentCount>
    kFaceSegmentTable = {{{{
{rows}
}}}};

FrameRange faceSegmentFrames(FaceSegment segment, int appearance) {{
  const auto index = static_cast<int>(segment);
  if (appearance < 0 || appearance >= kAppearanceCount || index < 0 || index >= kFaceSegmentCount)
    return {{}};
  return kFaceSegmentTable[index][appearance];
}}

std::optional<FaceSegment> numberSegment(int value) {{
  switch (value) {{
{number_cases}
    default: return std::nullopt;
  }}
}}

std::optional<FaceSegment> categorySegment(int categoryCode) {{
  switch (categoryCode) {{
    case 1:
    case 2: return FaceSegment::History;
    case 3: return FaceSegment::Music;
    case 4: return FaceSegment::Sports;
    case 5: return FaceSegment::TvArtsLiterature;
    default: return std::nullopt;
  }}
}}

std::optional<FaceSegment> letterSegment(int answerSlot) {{
  switch (answerSlot) {{
    case 1: return FaceSegment::LetterA;
    case 2: return FaceSegment::LetterB;
    case 3: return FaceSegment::LetterC;
    case 4: return FaceSegment::LetterD;
    default: return std::nullopt;
  }}
}}

FrameRange segmentStartingAt(std::uint16_t frame, int appearance) {{
  if (appearance < 0 || appearance >= kAppearanceCount || frame == 0) return {{}};
  // Several segments may share a first frame (the two endings of a glance);
  // the shortest one ends on the next boundary.
  FrameRange best;
  for (const auto& row : kFaceSegmentTable) {{
    const FrameRange r = row[appearance];
    if (r.start == frame && r.end > frame && (best.start == 0 || r.end < best.end)) best = r;
  }}
  return best;
}}

}}  // namespace tvz
"""


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    src, dst = sys.argv[1], sys.argv[2]
    try:
        segs = read(src)
    except (OSError, ValueError) as e:
        print(f"segment_table: {e}", file=sys.stderr)
        return 1
    rows = []
    for s in segs:
        cells = ", ".join(f"FrameRange{{{a}, {b}}}" for a, b in zip(s.starts, s.ends))
        rows.append(f"    {{{{{cells}}}}},  // {s.name}")
    cases = "\n".join(f"    case {n}: return FaceSegment::Number{n};" for n in NUMBERS)
    code = TEMPLATE.format(rows="\n".join(rows), number_cases=cases)
    tmp = dst + ".part"
    with open(tmp, "w", encoding="ascii") as f:
        f.write(code)
    os.replace(tmp, dst)
    return 0


if __name__ == "__main__":
    sys.exit(main())
