#include "show_fixtures.h"

#include <cstring>
#include <string>

#include "core/question_bank.h"
#include "platform/random.h"

namespace tvz::testing {

std::unique_ptr<GameRecord> ShowInProgress() {
  auto record = std::make_unique<GameRecord>();
  record->ResetShowState();
  record->ResetContestants();
  record->Round = 1;
  record->RoundCount = 1;
  for (int k = 0; k < kContestantCount; ++k) {
    ContestantRecord& who = record->Contestants[k];
    who.Knowledge = 2;
    for (std::int32_t& chance : who.CategoryKnowledge) chance = 56;
    for (int cell = 0; cell < kCellCount; ++cell) who.CellValue[cell] = cell + 1;
  }
  record->Contestants[kSeats.defender].Role = kDefenderRole;
  record->Contestants[kSeats.challenger].Role = kChallengerRole;
  return record;
}

void UseRealBank(GameRecord& record) {
  static const QuestionBank bank = LoadQuestionBank(TRIVENZA_GAME_DIR);
  ASSERT_TRUE(bank.ok()) << "the game directory " << TRIVENZA_GAME_DIR << " has no usable bank";
  std::memcpy(record.QuestionIndex, bank.records, sizeof(record.QuestionIndex));
  record.QuestionTexts = bank.questions;
  record.AnswerTexts = bank.answers;
}

void UseBank(GameRecord& record, const std::vector<BankQuestion>& questions) {
  std::memset(record.QuestionIndex, 0, sizeof(record.QuestionIndex));
  record.QuestionTexts.clear();
  record.AnswerTexts.clear();
  for (int f = 0; f < static_cast<int>(questions.size()); ++f) {
    record.QuestionIndex[f] = {f, questions[f].category, questions[f].difficulty, 4 * f,
                               {4 * f + 1, 4 * f + 2, 4 * f + 3}};
    record.QuestionTexts.push_back("Q" + std::to_string(f));
    for (int a = 0; a < 4; ++a) record.AnswerTexts.push_back("A" + std::to_string(4 * f + a));
  }
}

void SetCurrentQuestion(GameRecord& record, int rightSlot, int difficulty) {
  UseBank(record, {{0, difficulty}});
  record.QuestionRecord = 0;
  int wrong = 1;
  for (int slot = 1; slot <= 4; ++slot) record.AnswerIds[slot - 1] = slot == rightSlot ? 0 : wrong++;
  record.CorrectAnswerId = 0;
}

std::map<int, int> Tally(int draws, const std::function<int()>& draw, std::uint32_t seed) {
  Randomize(seed);
  std::map<int, int> counts;
  for (int i = 0; i < draws; ++i) ++counts[draw()];
  return counts;
}

}  // namespace tvz::testing
