#pragma once
// The challenge value scene of Sports: green on white.
#include "scenes/value_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3scLook{"cam3cspo.mm1", kSportsColours, {3310, 3320, 3330}};

class TCamera3sc : public ChallengeValueScene {
 public:
  TCamera3sc() : ChallengeValueScene(kCamera3scLook) {}
};

}  // namespace tvz
