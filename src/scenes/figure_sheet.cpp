#include "scenes/figure_sheet.h"

namespace tvz {

Rect FigureRect(std::int32_t appearance, int width, int height) {
  const int top = appearance * height;
  return {0, top, width, top + height};
}

bool DrawFigure(const Bitmap& sheet, std::int32_t appearance, Picture* into) {
  const int w = into->width(), h = into->height();
  // Checked in 64 bits: an appearance from a damaged saved game may be huge.
  const std::int64_t bottom = (static_cast<std::int64_t>(appearance) + 1) * h;
  if (appearance < 0 || w <= 0 || h <= 0 || w > sheet.width() || bottom > sheet.height()) {
    into->clear();
    return false;
  }
  Bitmap figure(w, h);
  figure.copyRect({0, 0, w, h}, sheet, FigureRect(appearance, w, h));
  into->setBitmap(std::move(figure));
  return true;
}

}  // namespace tvz
