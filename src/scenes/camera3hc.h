#pragma once
// The challenge value scene of History: yellow on black.
#include "scenes/value_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3hcLook{"cam3chis.mm1", kHistoryColours, {2910, 2920, 2930}};

class TCamera3hc : public ChallengeValueScene {
 public:
  TCamera3hc() : ChallengeValueScene(kCamera3hcLook) {}
};

}  // namespace tvz
