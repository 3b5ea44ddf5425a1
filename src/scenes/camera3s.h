#pragma once
// The question scene of Sports: green on white.
#include "scenes/question_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3sLook{"cam3spor.mm1", kSportsColours, {3210, 3220, 3230}};

class TCamera3s : public QuestionScene {
 public:
  TCamera3s() : QuestionScene(kCamera3sLook) {}
};

}  // namespace tvz
