#pragma once
// The one-pixel frame the category choice draws around a panel while it is
// pressed. It takes no mouse input, so the panel below still gets the click.
#include "platform/control.h"

namespace tvz {

class PanelFrame : public Control {
 public:
  PanelFrame(Form& owner, Color colour);

  // Outlines the control's rectangle and shows the frame.
  void Surround(const Control& control);

  void paint(Canvas& canvas, int originX, int originY) override;

 private:
  Color colour_;
};

}  // namespace tvz
