#pragma once
// The question scene of History: yellow on black.
#include "scenes/question_scene.h"

namespace tvz {

inline constexpr CategoryLook kCamera3hLook{"cam3hist.mm1", kHistoryColours, {2810, 2820, 2830}};

class TCamera3h : public QuestionScene {
 public:
  TCamera3h() : QuestionScene(kCamera3hLook) {}
};

}  // namespace tvz
