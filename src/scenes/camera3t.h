#pragma once
// The question scene of TV, Arts, and Literature: red on grey.
#include "scenes/question_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3tLook{"cam3tval.mm1", kTvArtsColours, {3410, 3420, 3430}};

class TCamera3t : public QuestionScene {
 public:
  TCamera3t() : QuestionScene(kCamera3tLook) {}
};

}  // namespace tvz
