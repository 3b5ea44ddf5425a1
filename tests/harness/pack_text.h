#pragma once
// Question pack texts for the tests: single questions in the pack format and
// whole packs of well-formed, distinct questions to start from.
#include <string>

namespace tvz::testing {

inline const char* const kSectionNames[] = {"History", "Music", "Sports", "TV, Arts, and Literature"};

// One question: "[d] question", "+ right", three "- wrong" lines, a blank line.
inline std::string QuestionText(int difficulty, const std::string& question, const std::string& right,
                                const std::string& wrong1, const std::string& wrong2, const std::string& wrong3) {
  return "[" + std::to_string(difficulty) + "] " + question + "\n+ " + right + "\n- " + wrong1 + "\n- " +
         wrong2 + "\n- " + wrong3 + "\n\n";
}

// A section of `perDifficulty` distinct questions at each difficulty 1..10,
// each tagged with its section's, difficulty's and place's words so that no
// two of a pack are alike; `salt` keeps two packs apart.
inline std::string SectionText(int category, int perDifficulty, const std::string& salt = "") {
  static const char* const kWords[] = {"amber", "basalt", "cedar", "delta", "ember",
                                       "fjord", "granite", "harbour", "iris", "juniper"};
  static const char* const kStems[] = {"history", "music", "sports", "tval"};
  std::string text = "== " + std::string(kSectionNames[category]) + "\n\n";
  for (int d = 1; d <= 10; ++d)
    for (int i = 0; i < perDifficulty; ++i) {
      const std::string tag = salt + std::string(kStems[category]) + " " + kWords[d - 1] + " " + kWords[i % 10] +
                              (i >= 10 ? " " + std::to_string(i) : "");
      text += QuestionText(d, "Which answer belongs to " + tag + "?", "Right " + tag, "Wrong one", "Wrong two",
                           "Wrong three");
    }
  return text;
}

// A whole pack: the header, then each category with perDifficulty questions
// at each difficulty (10 gives an edition's 400).
inline std::string PackText(const std::string& title, int perDifficulty = 10, const std::string& salt = "") {
  std::string text = "Title: " + title + "\nAuthor: The tests\n\n";
  for (int c = 0; c < 4; ++c) text += SectionText(c, perDifficulty, salt);
  return text;
}

}  // namespace tvz::testing
