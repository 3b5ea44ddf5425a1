#pragma once
// A sheet of figures: one figure per appearance, stacked top to bottom, each
// exactly the size of the picture control it is drawn into. The line-up and
// the winners' stage take their contestants from such sheets.
#include <cstdint>
#include <string>

#include "platform/bitmap.h"
#include "platform/picture.h"

namespace tvz {

// The figure of appearance a in a sheet of w x h figures: (0, a*h, w, a*h + h).
Rect FigureRect(std::int32_t appearance, int width, int height);

// Copies the figure of the appearance into the picture (at the picture's own
// size). A figure the sheet does not hold in full (an appearance outside the
// sheet, a sheet too short or too narrow) is not drawn and the picture is
// left empty, so the stage behind shows. False in that case.
bool DrawFigure(const Bitmap& sheet, std::int32_t appearance, Picture* into);

}  // namespace tvz
