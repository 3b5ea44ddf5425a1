#pragma once
// Compiles the question entries into the game's three question-bank files:
// "tvzd.tzd" (400 records of seven little-endian 32-bit integers), "tvzd.tzq"
// (question texts) and "tvzd.tza" (answer texts), the text files one text per
// CR LF line, scrambled whole with the text-file key.
#include <cstdint>
#include <string>
#include <vector>

#include "qbank/question_source.h"

namespace tvz::qbank {

inline constexpr int kRecordCount = 400;
inline constexpr int kRecordWords = 7;
inline constexpr std::size_t kIndexBytes = std::size_t{kRecordCount} * kRecordWords * 4;  // 11 200
inline constexpr const char* kIndexFile = "tvzd.tzd";
inline constexpr const char* kQuestionFile = "tvzd.tzq";
inline constexpr const char* kAnswerFile = "tvzd.tza";

struct CompiledBank {
  std::vector<std::uint8_t> index;      // exactly kIndexBytes
  std::vector<std::uint8_t> questions;  // scrambled
  std::vector<std::uint8_t> answers;    // scrambled
};

// At most kRecordCount entries. The records are shuffled with a fixed seed, so
// that the show's draw does not follow the writers' order and yet every build
// writes the same files. Records past the entries stay zero.
CompiledBank compileBank(const std::vector<QuestionEntry>& entries);

// The text-file key: byte i is stored as plain byte - (58 + 9 i), modulo 256.
void scrambleTextFile(std::vector<std::uint8_t>& bytes);

// Writes the three files into directory, each to a temporary name first and
// then renamed, so a failed build never leaves a half-written bank.
bool writeBank(const CompiledBank& bank, const std::string& directory, std::string* error);

}  // namespace tvz::qbank
