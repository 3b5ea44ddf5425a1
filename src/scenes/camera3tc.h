#pragma once
// The challenge value scene of TV, Arts, and Literature: red on grey.
#include "scenes/value_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3tcLook{"cam3ctva.mm1", kTvArtsColours, {3510, 3520, 3530}};

class TCamera3tc : public ChallengeValueScene {
 public:
  TCamera3tc() : ChallengeValueScene(kCamera3tcLook) {}
};

}  // namespace tvz
