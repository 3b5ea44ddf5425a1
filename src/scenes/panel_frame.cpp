#include "scenes/panel_frame.h"

#include "platform/canvas.h"

namespace tvz {

PanelFrame::PanelFrame(Form& owner, Color colour) : Control(owner), colour_(colour) {
  setEnabled(false);
  hide();
}

void PanelFrame::Surround(const Control& control) {
  setBounds(control.left(), control.top(), control.width(), control.height());
  show();
  invalidate();
}

void PanelFrame::paint(Canvas& canvas, int originX, int originY) {
  canvas.frameRect({originX + left(), originY + top(), originX + left() + width(),
                    originY + top() + height()},
                   colour_);
}

}  // namespace tvz
