#pragma once
// Whether a pack's texts fit the question scene, measured in the game's own
// font and word wrap: a question fits its label (601 by 108 pixels, Times New
// Roman 24), an answer fits its line with the widest letter before it.
#include <string>

#include "core/question_pack.h"

namespace tvz {

inline constexpr int kQuestionLabelWidth = 601;
inline constexpr int kQuestionLabelHeight = 108;
inline constexpr int kAnswerLabelWidth = 601;

// Adds a problem, at its question's line, for every text that would not fit,
// and takes that question out of the pack. False (with *error) when the font
// cannot be opened to measure: then nothing is checked.
bool CheckPackFits(QuestionPack& pack, std::string* error = nullptr);

}  // namespace tvz
