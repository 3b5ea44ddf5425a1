#include "core/pack_bank.h"

#include <algorithm>
#include <map>
#include <random>
#include <string>

namespace tvz {
namespace {

constexpr std::uint32_t kShuffleSeed = 20261208;

// Fisher-Yates on mt19937, whose sequence the standard fixes, so the order
// does not depend on the standard library the game is built with.
std::vector<std::size_t> ShuffledOrder(std::size_t count) {
  std::vector<std::size_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = i;
  std::mt19937 random(kShuffleSeed);
  for (std::size_t i = count; i > 1; --i) {
    const std::size_t j = random() % i;
    std::swap(order[i - 1], order[j]);
  }
  return order;
}

class AnswerLines {
 public:
  explicit AnswerLines(StringList& lines) : lines_(lines) {}
  std::int32_t lineOf(const std::string& text) {
    const auto [it, added] = index_.emplace(text, static_cast<std::int32_t>(lines_.size()));
    if (added) lines_.push_back(text);
    return it->second;
  }

 private:
  StringList& lines_;
  std::map<std::string, std::int32_t> index_;
};

class Fnv1a {
 public:
  void add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ bytes[i]) * 16777619u;
  }
  void add(std::int32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    add(bytes, 4);
  }
  void add(const StringList& lines) {
    add(static_cast<std::int32_t>(lines.size()));
    for (const std::string& line : lines) {
      add(line.data(), line.size());
      add("\n", 1);
    }
  }
  std::uint32_t value() const { return hash_; }

 private:
  std::uint32_t hash_ = 2166136261u;
};

}  // namespace

PackBank CompilePack(const std::vector<PackQuestion>& questions) {
  PackBank bank;
  AnswerLines answers(bank.answers);
  const std::size_t count = std::min<std::size_t>(questions.size(), kQuestionRecordCount);
  for (const std::size_t i : ShuffledOrder(count)) {
    const PackQuestion& q = questions[i];
    QuestionIndexRecord record{};
    record.QuestionLine = static_cast<std::int32_t>(bank.questions.size());
    bank.questions.push_back(q.question);
    record.Category = q.category;
    record.Difficulty = q.difficulty;
    record.RightAnswer = answers.lineOf(q.rightAnswer);
    for (int w = 0; w < 3; ++w) record.WrongAnswers[w] = answers.lineOf(q.wrongAnswers[w]);
    bank.records.push_back(record);
  }
  return bank;
}

std::uint32_t PackHash(const PackBank& bank) {
  Fnv1a hash;
  hash.add(static_cast<std::int32_t>(bank.records.size()));
  for (const QuestionIndexRecord& r : bank.records) {
    for (std::int32_t word : {r.QuestionLine, r.Category, r.Difficulty, r.RightAnswer, r.WrongAnswers[0],
                              r.WrongAnswers[1], r.WrongAnswers[2]})
      hash.add(word);
  }
  hash.add(bank.questions);
  hash.add(bank.answers);
  return hash.value();
}

}  // namespace tvz
