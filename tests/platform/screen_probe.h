#pragma once
// Reading captured screens in tests: where the ink of a colour lies.
#include <cstdlib>

#include "platform/bitmap.h"

namespace tvz::testing {

// The smallest rectangle holding every pixel close to the colour inside area
// (right and bottom exclusive); empty (all zero) when there is none.
inline Rect inkBounds(const Bitmap& screen, Color ink, const Rect& area, int tolerance = 60) {
  Rect found{0, 0, 0, 0};
  bool any = false;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const Color c = screen.pixel(x, y);
      const int d = std::abs(redOf(c) - redOf(ink)) + std::abs(greenOf(c) - greenOf(ink)) +
                    std::abs(blueOf(c) - blueOf(ink));
      if (d > tolerance) continue;
      if (!any) {
        found = {x, y, x + 1, y + 1};
        any = true;
      }
      found.left = std::min(found.left, x);
      found.top = std::min(found.top, y);
      found.right = std::max(found.right, x + 1);
      found.bottom = std::max(found.bottom, y + 1);
    }
  }
  return found;
}

inline Rect wholeScreen() { return {0, 0, 800, 600}; }

}  // namespace tvz::testing
