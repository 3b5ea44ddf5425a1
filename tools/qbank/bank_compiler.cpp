#include "qbank/bank_compiler.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace tvz::qbank {
namespace {

constexpr std::uint32_t kShuffleSeed = 20261208;
constexpr int kTextKeyStart = 58;
constexpr int kTextKeyStep = 9;

// Fisher-Yates on mt19937, whose sequence the standard fixes, so the order does
// not depend on the standard library the tool is built with.
std::vector<std::size_t> shuffledOrder(std::size_t count) {
  std::vector<std::size_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = i;
  std::mt19937 random(kShuffleSeed);
  for (std::size_t i = count; i > 1; --i) {
    const std::size_t j = random() % i;
    std::swap(order[i - 1], order[j]);
  }
  return order;
}

// One text per line; identical answers share their line.
class LineTable {
 public:
  std::int32_t lineOf(const std::string& text) {
    const auto [it, added] = lines_.emplace(text, static_cast<std::int32_t>(texts_.size()));
    if (added) texts_.push_back(text);
    return it->second;
  }
  std::int32_t append(const std::string& text) {
    texts_.push_back(text);
    return static_cast<std::int32_t>(texts_.size() - 1);
  }
  std::vector<std::uint8_t> scrambledFile() const {
    std::vector<std::uint8_t> bytes;
    for (const auto& text : texts_) {
      bytes.insert(bytes.end(), text.begin(), text.end());
      bytes.push_back('\r');
      bytes.push_back('\n');
    }
    scrambleTextFile(bytes);
    return bytes;
  }

 private:
  std::map<std::string, std::int32_t> lines_;
  std::vector<std::string> texts_;
};

void putWord(std::vector<std::uint8_t>& index, std::size_t record, int word, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::size_t at = (record * kRecordWords + static_cast<std::size_t>(word)) * 4;
  for (int i = 0; i < 4; ++i) index[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool writeAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, std::string* error) {
  const std::filesystem::path temporary = path.string() + ".tmp";
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
    if (error) *error = "cannot rename " + temporary.string() + " to " + path.string() + ": " + failure.message();
    std::filesystem::remove(temporary, failure);
    return false;
  }
  return true;
}

}  // namespace

void scrambleTextFile(std::vector<std::uint8_t>& bytes) {
  unsigned key = kTextKeyStart;
  for (auto& byte : bytes) {
    byte = static_cast<std::uint8_t>(byte - key);
    key = (key + kTextKeyStep) & 0xFF;
  }
}

CompiledBank compileBank(const std::vector<QuestionEntry>& entries) {
  CompiledBank bank;
  bank.index.assign(kIndexBytes, 0);
  LineTable questions;
  LineTable answers;
  const std::size_t count = std::min<std::size_t>(entries.size(), kRecordCount);
  const auto order = shuffledOrder(count);
  for (std::size_t record = 0; record < count; ++record) {
    const QuestionEntry& entry = entries[order[record]];
    putWord(bank.index, record, 0, questions.append(entry.question));
    putWord(bank.index, record, 1, entry.category);
    putWord(bank.index, record, 2, entry.difficulty);
    putWord(bank.index, record, 3, answers.lineOf(entry.rightAnswer));
    for (int w = 0; w < 3; ++w) putWord(bank.index, record, 4 + w, answers.lineOf(entry.wrongAnswers[w]));
  }
  bank.questions = questions.scrambledFile();
  bank.answers = answers.scrambledFile();
  return bank;
}

bool writeBank(const CompiledBank& bank, const std::string& directory, std::string* error) {
  std::error_code failure;
  std::filesystem::create_directories(directory, failure);
  const std::filesystem::path dir(directory);
  return writeAtomically(dir / kQuestionFile, bank.questions, error) &&
         writeAtomically(dir / kAnswerFile, bank.answers, error) &&
         writeAtomically(dir / kIndexFile, bank.index, error);
}

}  // namespace tvz::qbank
