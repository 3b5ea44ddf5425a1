#pragma once
// The challenge value scene of Music: blue on grey.
#include "scenes/value_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3mcLook{"cam3cmus.mm1", kMusicColours, {3110, 3120, 3130}};

class TCamera3mc : public ChallengeValueScene {
 public:
  TCamera3mc() : ChallengeValueScene(kCamera3mcLook) {}
};

}  // namespace tvz
