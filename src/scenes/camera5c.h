#pragma once
// Commercial break c: the "personal touch" advertisement.
#include "scenes/break_scene.h"

namespace tvz {

class TCamera5c : public BreakScene {
 public:
  TCamera5c() : BreakScene("cam5cust.mm1", "hperson.mm3") {}
};

}  // namespace tvz
