#pragma once
// Writes a pack's questions as the game's three question-bank files:
// "tvzd.tzd" (400 records of seven little-endian 32-bit integers), "tvzd.tzq"
// (question texts) and "tvzd.tza" (answer texts), the text files one text per
// CR LF line, scrambled whole with the text-file key.
#include <cstdint>
#include <string>
#include <vector>

#include "core/pack_bank.h"

namespace tvz::qbank {

inline constexpr int kRecordCount = 400;
inline constexpr int kRecordWords = 7;
inline constexpr std::size_t kIndexBytes = std::size_t{kRecordCount} * kRecordWords * 4;  // 11 200
inline constexpr const char* kIndexFile = "tvzd.tzd";
inline constexpr const char* kQuestionFile = "tvzd.tzq";
inline constexpr const char* kAnswerFile = "tvzd.tza";

struct CompiledBank {
  std::vector<std::uint8_t> index;      // exactly kIndexBytes; records past the pack's stay zero
  std::vector<std::uint8_t> questions;  // scrambled
  std::vector<std::uint8_t> answers;    // scrambled
};

CompiledBank compileBank(const PackBank& bank);

// The text-file key: byte i is stored as plain byte - (58 + 9 i), modulo 256.
void scrambleTextFile(std::vector<std::uint8_t>& bytes);

// Writes a file under a temporary name first and then renames it, so that a
// failed build never leaves half a file.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* error);

// The three bank files into directory.
bool writeBank(const CompiledBank& bank, const std::string& directory, std::string* error);

}  // namespace tvz::qbank
