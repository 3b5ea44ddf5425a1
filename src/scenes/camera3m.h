#pragma once
// The question scene of Music: blue on grey.
#include "scenes/question_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3mLook{"cam3musi.mm1", kMusicColours, {3010, 3020, 3030}};

class TCamera3m : public QuestionScene {
 public:
  TCamera3m() : QuestionScene(kCamera3mLook) {}
};

}  // namespace tvz
