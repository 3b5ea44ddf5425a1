// The game record: defaults of a fresh run, the resets, and the two saved
// blocks as the bytes a saved game holds.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/game_record.h"

namespace tvz {
namespace {

std::int32_t Int32At(const std::uint8_t* bytes, std::size_t offset) {
  std::int32_t v;
  std::memcpy(&v, bytes + offset, 4);
  return v;
}

TEST(GameRecord, FreshRunDefaultsInBlockOneBytes) {
  GameRecord record;
  const auto* b = reinterpret_cast<const std::uint8_t*>(&record.block1());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b), 9), std::string("tvzd1011\0", 9));
  // Preferences and options at their saved offsets.
  EXPECT_EQ(b[464], 1);  // tooltips
  EXPECT_EQ(b[465], 1);  // captions
  EXPECT_EQ(b[466], 1);  // sound
  EXPECT_EQ(Int32At(b, 468), 1);  // general audience
  EXPECT_EQ(Int32At(b, 476), 2);  // two rounds
  EXPECT_EQ(Int32At(b, 480), 0);  // no time limit
  // Everything else is zero, the unused bytes and the places included.
  std::vector<std::uint8_t> expected(kSavedBlock1Size, 0);
  std::memcpy(expected.data(), "tvzd1011", 9);
  expected[464] = expected[465] = expected[466] = 1;
  expected[468] = 1;
  expected[476] = 2;
  EXPECT_EQ(std::vector<std::uint8_t>(b, b + kSavedBlock1Size), expected);
  EXPECT_EQ(std::vector<std::uint8_t>(record.block2(), record.block2() + kSavedBlock2Size),
            std::vector<std::uint8_t>(kSavedBlock2Size, 0));
  EXPECT_EQ(record.IntroPhase, 1);
  EXPECT_EQ(record.MenuPhase, 0);
  EXPECT_EQ(record.ElapsedMs, 0u);
  EXPECT_TRUE(record.PendingErrorText.empty());
}

TEST(GameRecord, ContestantFieldsLandAtTheirSavedOffsets) {
  GameRecord record;
  ContestantRecord& second = record.Contestants[1];
  second.IsHuman = 1;
  second.LastCorrectTick = 0xA1B2C3D4u;
  std::strcpy(second.CustomName, "Pat Q. Public");
  second.Score = -7;
  second.CategoryKnowledge[4] = 80;
  second.CellUsed[9] = 1;
  const std::uint8_t* b = record.block2() + 148;
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(static_cast<std::uint32_t>(Int32At(b, 4)), 0xA1B2C3D4u);
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 16), "Pat Q. Public");
  EXPECT_EQ(Int32At(b, 60), -7);
  EXPECT_EQ(Int32At(b, 80), 80);
  EXPECT_EQ(b[145], 1);
}

TEST(GameRecord, SavedBlocksRoundTripAsByteCopies) {
  GameRecord saved;
  saved.SoundOn = 0;
  saved.Round = 2;
  saved.QuestionUsed[399] = 1;
  saved.Contestants[2].Score = 31;
  std::vector<std::uint8_t> file(kSavedBlock1Size + kSavedBlock2Size);
  std::memcpy(file.data(), &saved.block1(), kSavedBlock1Size);
  std::memcpy(file.data() + kSavedBlock1Size, saved.block2(), kSavedBlock2Size);

  GameRecord loaded;
  std::memcpy(&loaded.block1(), file.data(), kSavedBlock1Size);
  std::memcpy(loaded.block2(), file.data() + kSavedBlock1Size, kSavedBlock2Size);
  EXPECT_EQ(loaded.SoundOn, 0);  // the preferences travel with the game
  EXPECT_EQ(loaded.Round, 2);
  EXPECT_EQ(loaded.QuestionUsed[399], 1);
  EXPECT_EQ(loaded.Contestants[2].Score, 31);
  // The sequence fields after block 1 are untouched by loading it.
  EXPECT_EQ(loaded.IntroPhase, 1);
}

TEST(GameRecord, ResetsOfANewGame) {
  GameRecord record;
  record.Round = 3;
  record.QuestionUsed[17] = 1;
  record.PlayMode = 5;
  for (ContestantRecord& c : record.Contestants) {
    c.IsHuman = c.HasChallenged = c.IsReturningChampion = 1;
    c.Score = 12;
    c.Knowledge = 3;
    c.Role = 1;
    c.AnswerSlot = 4;
    c.CellValue[3] = 8;
    c.CellUsed[3] = 1;
    std::strcpy(c.CustomName, "Someone");
  }
  record.ResetShowState();
  record.ResetContestants();
  record.ResetPlayMode();
  EXPECT_EQ(record.FirstPlace, -1);
  EXPECT_EQ(record.SecondPlace, -1);
  EXPECT_EQ(record.ThirdPlace, -1);
  EXPECT_EQ(record.QuestionUsed[17], 0);
  EXPECT_EQ(record.Round, 0);
  EXPECT_EQ(record.PlayMode, 0);
  for (const ContestantRecord& c : record.Contestants) {
    EXPECT_EQ(c.IsHuman + c.HasChallenged + c.IsReturningChampion, 0);
    EXPECT_EQ(c.FirstNameIdx, -1);
    EXPECT_EQ(c.LastNameIdx, -1);
    EXPECT_EQ(c.OccupationIdx, -1);
    EXPECT_EQ(c.ResidenceIdx, -1);
    EXPECT_EQ(c.SelectedCell, -1);
    EXPECT_EQ(c.CustomName[0], 0);
    EXPECT_EQ(c.Score + c.Knowledge + c.Role + c.CellValue[3] + c.CellUsed[3], 0);
    EXPECT_EQ(c.AnswerSlot, 4);  // the answer slot keeps its value
  }
}

}  // namespace
}  // namespace tvz
