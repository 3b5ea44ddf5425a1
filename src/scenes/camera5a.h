#pragma once
// Commercial break a: the optician's advertisement.
#include "scenes/break_scene.h"

namespace tvz {

class TCamera5a : public BreakScene {
 public:
  TCamera5a() : BreakScene("cam5see.mm1", "hcfresh.mm3") {}
};

}  // namespace tvz
