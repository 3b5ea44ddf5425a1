#pragma once
// Commercial break b: the "step up" advertisement.
#include "scenes/break_scene.h"

namespace tvz {

class TCamera5b : public BreakScene {
 public:
  TCamera5b() : BreakScene("cam5step.mm1", "hstepup.mm3") {}
};

}  // namespace tvz
