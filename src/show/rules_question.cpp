#include "show/rules_question.h"

#include <algorithm>

#include "platform/random.h"
#include "show/rules_codes.h"

namespace tvz {
namespace {

bool InCategory(const GameRecord& record, int f, int category) {
  return record.QuestionIndex[f].Category == category;
}

bool AnyUnused(const GameRecord& record, int category) {
  const int drawable = DrawableQuestions(record);
  for (int f = 0; f < drawable; ++f)
    if (!record.QuestionUsed[f] && InCategory(record, f, category)) return true;
  return false;
}

// Every question of the category is offered again, except the one asked last
// when the category has another: no question is asked twice in a row.
// False when the category has no question at all.
bool OfferCategoryAgain(GameRecord& record, int category) {
  const int drawable = DrawableQuestions(record);
  int questions = 0;
  for (int f = 0; f < drawable; ++f) {
    if (!InCategory(record, f, category)) continue;
    record.QuestionUsed[f] = 0;
    ++questions;
  }
  const int last = record.QuestionRecord;
  if (questions > 1 && last >= 0 && last < drawable && InCategory(record, last, category))
    record.QuestionUsed[last] = 1;
  return questions > 0;
}

// Draws until a question of the category is unused and either of the band or
// the draws passed over for their difficulty are used up.
int DrawQuestion(const GameRecord& record, int category, DifficultyBand band) {
  const int drawable = DrawableQuestions(record);
  int misses = 0;
  for (;;) {
    const int f = Random(drawable);
    if (record.QuestionUsed[f] || !InCategory(record, f, category)) continue;
    if (band.contains(record.QuestionIndex[f].Difficulty) || misses >= kMostPassedOver) return f;
    ++misses;
  }
}

// Slots A, B, C hold the wrong answers in the record's order; the right one
// takes a random slot and, unless that is D, sends that slot's answer to D.
void PlaceAnswers(GameRecord& record, const QuestionIndexRecord& question) {
  for (int k = 0; k < 3; ++k) record.AnswerIds[k] = question.WrongAnswers[k];
  record.CorrectAnswerId = question.RightAnswer;
  const int r = Random(4);
  if (r < 3) {
    record.AnswerIds[3] = record.AnswerIds[r];
    record.AnswerIds[r] = question.RightAnswer;
  } else {
    record.AnswerIds[3] = question.RightAnswer;
  }
}

}  // namespace

DifficultyBand QuestionBand(const GameRecord& record, const ContestantRecord& defender) {
  const int lowest[] = {1, 4, 7};
  const int highest[] = {4, 7, 10};
  const int level = PlayedKnowledge(defender.Knowledge) - 1;
  DifficultyBand band{lowest[level], highest[level]};
  if (record.HarderEachRound) band.lowest += std::clamp(record.Round, 1, 3) - 1;
  return band;
}

int DrawableQuestions(const GameRecord& record) {
  return static_cast<int>(
      std::min<std::size_t>(record.QuestionTexts.size(), kQuestionRecordCount));
}

bool PickQuestion(GameRecord& record, int defender) {
  if (!IsContestant(defender)) return false;
  record.Category = PlayedCategory(record.Category);
  const int category = QuestionCategoryOf(record.Category);
  if (!AnyUnused(record, category) && !OfferCategoryAgain(record, category)) return false;

  const int f = DrawQuestion(record, category, QuestionBand(record, record.Contestants[defender]));
  const QuestionIndexRecord& question = record.QuestionIndex[f];
  record.QuestionUsed[f] = 1;
  record.QuestionRecord = f;
  record.QuestionTextRef = question.QuestionLine;
  PlaceAnswers(record, question);
  return true;
}

int RightAnswerSlot(const GameRecord& record) {
  for (int slot = 1; slot <= 4; ++slot)
    if (record.AnswerIds[slot - 1] == record.CorrectAnswerId) return slot;
  return 0;
}

std::int32_t AnswerLineInSlot(const GameRecord& record, int slot) {
  return IsAnswerSlot(slot) ? record.AnswerIds[slot - 1] : -1;
}

int CurrentDifficulty(const GameRecord& record) {
  const int f = record.QuestionRecord;
  if (f < 0 || f >= DrawableQuestions(record)) return 10;
  return std::clamp(record.QuestionIndex[f].Difficulty, 1, 10);
}

}  // namespace tvz
