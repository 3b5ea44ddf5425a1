#include "qbank/bank_compiler.h"

#include <filesystem>
#include <fstream>

namespace tvz::qbank {
namespace {

constexpr int kTextKeyStart = 58;
constexpr int kTextKeyStep = 9;

void putWord(std::vector<std::uint8_t>& index, std::size_t record, int word, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::size_t at = (record * kRecordWords + static_cast<std::size_t>(word)) * 4;
  for (int i = 0; i < 4; ++i) index[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> scrambledLines(const StringList& lines) {
  std::vector<std::uint8_t> bytes;
  for (const auto& text : lines) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back('\r');
    bytes.push_back('\n');
  }
  scrambleTextFile(bytes);
  return bytes;
}

}  // namespace

void scrambleTextFile(std::vector<std::uint8_t>& bytes) {
  unsigned key = kTextKeyStart;
  for (auto& byte : bytes) {
    byte = static_cast<std::uint8_t>(byte - key);
    key = (key + kTextKeyStep) & 0xFF;
  }
}

CompiledBank compileBank(const PackBank& bank) {
  CompiledBank files;
  files.index.assign(kIndexBytes, 0);
  const std::size_t count = std::min<std::size_t>(bank.records.size(), kRecordCount);
  for (std::size_t record = 0; record < count; ++record) {
    const QuestionIndexRecord& r = bank.records[record];
    const std::int32_t words[kRecordWords] = {r.QuestionLine, r.Category, r.Difficulty, r.RightAnswer,
                                              r.WrongAnswers[0], r.WrongAnswers[1], r.WrongAnswers[2]};
    for (int w = 0; w < kRecordWords; ++w) putWord(files.index, record, w, words[w]);
  }
  files.questions = scrambledLines(bank.questions);
  files.answers = scrambledLines(bank.answers);
  return files;
}

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* error) {
  const std::filesystem::path temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      if (error) *error = "cannot write " + temporary.string();
      std::filesystem::remove(temporary);
      return false;
    }
  }
  std::error_code failure;
  std::filesystem::rename(temporary, path, failure);
  if (failure) {
    if (error) *error = "cannot rename " + temporary.string() + " to " + path + ": " + failure.message();
    std::filesystem::remove(temporary, failure);
    return false;
  }
  return true;
}

bool writeBank(const CompiledBank& bank, const std::string& directory, std::string* error) {
  std::error_code failure;
  std::filesystem::create_directories(directory, failure);
  const std::filesystem::path dir(directory);
  return writeFileAtomically((dir / kQuestionFile).string(), bank.questions, error) &&
         writeFileAtomically((dir / kAnswerFile).string(), bank.answers, error) &&
         writeFileAtomically((dir / kIndexFile).string(), bank.index, error);
}

}  // namespace tvz::qbank
