// The saved-game format: its byte layout, and the checks every file passes
// before the game uses any of it.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "store/saved_game_file.h"
#include "store/saved_game_samples.h"

namespace tvz {
namespace {

using samples::goodImage;
using samples::kLimits;
using samples::runningGame;

SavedGameFault decode(const SavedGameImage& image, std::size_t size = kSavedGameSize) {
  const auto bytes = EncodeSavedGame(image);
  SavedGameImage out{};
  return DecodeSavedGame(bytes.data(), size, kLimits, out);
}

std::int32_t int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::int32_t value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

TEST(SavedGameFile, LaysTheRecordOutAsTheFileFormatSays) {
  GameRecord record = runningGame();
  record.Round = 3, record.RoundCount = 3, record.TimeLimit = 30, record.SoundOn = 0;
  record.Contestants[1].Score = -17;
  record.Contestants[2].CellUsed[9] = 1;
  std::strcpy(record.Contestants[2].CustomName, "Zoe Q");
  const auto bytes = EncodeSavedGame(MakeSavedGame(record, {2, 0, 14}));
  ASSERT_EQ(bytes.size(), 988u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 9), std::string("tvzd1011\0", 9));
  EXPECT_EQ(bytes[466], 0) << "SoundOn";
  EXPECT_EQ(int32At(bytes, 472), 3) << "Round";
  EXPECT_EQ(int32At(bytes, 480), 30) << "TimeLimit";
  EXPECT_EQ(int32At(bytes, 532), 2) << "Challenger";
  EXPECT_EQ(int32At(bytes, 536), 0) << "Defender";
  EXPECT_EQ(int32At(bytes, 540), 14) << "ShowStep";
  EXPECT_EQ(int32At(bytes, 692 + 60), -17) << "contestant 1 Score";
  EXPECT_EQ(bytes[840 + 136 + 9], 1) << "contestant 2 CellUsed[9]";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[840 + 16])), "Zoe Q");
  // Unused bytes are written as they are: two saves of one state are identical.
  EXPECT_EQ(bytes, EncodeSavedGame(MakeSavedGame(record, {2, 0, 14})));
}

TEST(SavedGameFile, LoadingReplacesBothBlocksAndNothingElse) {
  GameRecord saved = runningGame();
  saved.SoundOn = 0, saved.AudienceMood = 2, saved.HarderEachRound = 1, saved.RoundCount = 3;
  saved.Contestants[2].Score = 41;
  std::memcpy(saved.SaveTag, "other\0\0\0", 9);
  const SavedGameImage image = MakeSavedGame(saved, {1, 2, 5});
  SavedGameImage decoded{};
  const auto bytes = EncodeSavedGame(image);
  ASSERT_TRUE(DecodeSavedGame(bytes.data(), bytes.size(), kLimits, decoded).ok())
      << "the tag is not checked";

  GameRecord target;
  target.ElapsedMs = 1234;
  target.LastNames = {"kept"};
  ApplySavedGame(decoded, target);
  EXPECT_EQ(target.SoundOn, 0);
  EXPECT_EQ(target.AudienceMood, 2);
  EXPECT_EQ(target.HarderEachRound, 1);
  EXPECT_EQ(target.Contestants[2].Score, 41);
  EXPECT_EQ(std::memcmp(target.SaveTag, "other", 5), 0);
  EXPECT_EQ(target.ElapsedMs, 1234u);
  EXPECT_EQ(target.LastNames, StringList{"kept"});
  EXPECT_EQ(BoardValuesOf(decoded), (BoardValues{1, 2, 5}));
}

TEST(SavedGameFile, ShortFilesFailInTheBlockTheyEndIn) {
  EXPECT_EQ(decode(goodImage(), 0).location, 2610);
  EXPECT_EQ(decode(goodImage(), 531).location, 2610);
  EXPECT_EQ(decode(goodImage(), 532).location, 2620);
  EXPECT_EQ(decode(goodImage(), 987).location, 2620);
  EXPECT_TRUE(decode(goodImage(), 988).ok());
  // A longer file loads; what follows the game is ignored.
  auto bytes = EncodeSavedGame(goodImage());
  bytes.resize(1200, 0xEE);
  SavedGameImage out{};
  EXPECT_TRUE(DecodeSavedGame(bytes.data(), bytes.size(), kLimits, out).ok());
  // A short file with a bad first block is reported for its first block.
  SavedGameImage bad = goodImage();
  bad.Record.RoundCount = 9;
  EXPECT_EQ(decode(bad, 600).location, 2610);
}

struct Corruption {
  const char* what;
  std::function<void(SavedGameImage&)> apply;
  std::int32_t location;
};

TEST(SavedGameFile, EveryIndexAndCountIsCheckedAgainstTheBankAndLists) {
  const Corruption corruptions[] = {
      {"a place", [](SavedGameImage& g) { g.Record.SecondPlace = 3; }, 2610},
      {"QuestionUsed", [](SavedGameImage& g) { g.Record.QuestionUsed[7] = 2; }, 2610},
      {"QuestionTextRef", [](SavedGameImage& g) { g.Record.QuestionTextRef = 400; }, 2610},
      {"QuestionTextRef", [](SavedGameImage& g) { g.Record.QuestionTextRef = -1; }, 2610},
      {"QuestionRecord", [](SavedGameImage& g) { g.Record.QuestionRecord = 400; }, 2610},
      {"AnswerIds", [](SavedGameImage& g) { g.Record.AnswerIds[2] = 1600; }, 2610},
      {"CorrectAnswerId", [](SavedGameImage& g) { g.Record.CorrectAnswerId = 6; }, 2610},
      {"Category", [](SavedGameImage& g) { g.Record.Category = 7; }, 2610},
      {"TooltipsOn", [](SavedGameImage& g) { g.Record.TooltipsOn = 255; }, 2610},
      {"AudienceMood", [](SavedGameImage& g) { g.Record.AudienceMood = 3; }, 2610},
      {"Round", [](SavedGameImage& g) { g.Record.Round = 0; }, 2610},
      {"Round", [](SavedGameImage& g) { g.Record.Round = 4; }, 2610},
      {"RoundCount", [](SavedGameImage& g) { g.Record.RoundCount = 0; }, 2610},
      {"TimeLimit", [](SavedGameImage& g) { g.Record.TimeLimit = 15; }, 2610},
      {"DeductIncorrect", [](SavedGameImage& g) { g.Record.DeductIncorrect = 2; }, 2610},
      {"PlayMode", [](SavedGameImage& g) { g.Record.PlayMode = 1; }, 2610},
      {"ShowStep", [](SavedGameImage& g) { g.ShowStep = 24; }, 2620},
      {"Defender", [](SavedGameImage& g) { g.Defender = 3; }, 2620},
      {"Defender", [](SavedGameImage& g) { g.ShowStep = 4, g.Defender = -1, g.Challenger = 2; }, 2620},
      {"Challenger", [](SavedGameImage& g) { g.ShowStep = 4, g.Defender = 0, g.Challenger = -1; }, 2620},
      {"no defender to come", [](SavedGameImage& g) { g.Contestants[0].Role = 0; }, 2620},
      // Only the crowning and what follows it come after the last round.
      {"past the last round",
       [](SavedGameImage& g) {
         g.Record.RoundCount = 2, g.Record.Round = 3, g.ShowStep = 19, g.Defender = 0, g.Challenger = 1;
       },
       2620},
      {"IsHuman", [](SavedGameImage& g) { g.Contestants[1].IsHuman = 2; }, 2620},
      {"HasChallenged", [](SavedGameImage& g) { g.Contestants[2].HasChallenged = 9; }, 2620},
      {"Appearance", [](SavedGameImage& g) { g.Contestants[0].Appearance = 6; }, 2620},
      {"AppearanceNo", [](SavedGameImage& g) { g.Contestants[0].AppearanceNo = 3; }, 2620},
      {"FirstNameIdx", [](SavedGameImage& g) { g.Contestants[1].FirstNameIdx = 12; }, 2620},
      {"LastNameIdx", [](SavedGameImage& g) { g.Contestants[1].LastNameIdx = -1; }, 2620},
      {"OccupationIdx", [](SavedGameImage& g) { g.Contestants[2].OccupationIdx = 24; }, 2620},
      {"ResidenceIdx", [](SavedGameImage& g) { g.Contestants[2].ResidenceIdx = 99; }, 2620},
      {"CustomName", [](SavedGameImage& g) { std::memset(g.Contestants[0].CustomName, 'x', 24); }, 2620},
      {"Knowledge", [](SavedGameImage& g) { g.Contestants[0].Knowledge = 0; }, 2620},
      {"Role", [](SavedGameImage& g) { g.Contestants[1].Role = 3; }, 2620},
      {"SelectedCell", [](SavedGameImage& g) { g.Contestants[1].SelectedCell = 10; }, 2620},
      {"AnswerSlot", [](SavedGameImage& g) { g.Contestants[1].AnswerSlot = 5; }, 2620},
      {"CellUsed", [](SavedGameImage& g) { g.Contestants[2].CellUsed[3] = 7; }, 2620},
  };
  for (const Corruption& c : corruptions) {
    SCOPED_TRACE(c.what);
    SavedGameImage image = goodImage();
    c.apply(image);
    const SavedGameFault fault = decode(image);
    EXPECT_EQ(fault.location, c.location);
    EXPECT_NE(fault.reason.find(c.what), std::string::npos) << fault.reason;
  }
}

TEST(SavedGameFile, ValuesAGameReallyHasAreAccepted) {
  SavedGameImage image = goodImage();
  // Crowning the champion after the last round: Round is one past RoundCount.
  image.Record.RoundCount = 2, image.Record.Round = 3;
  image.ShowStep = 20, image.Defender = 1, image.Challenger = 2;
  image.Record.FirstPlace = 2, image.Record.TimeLimit = 10, image.Record.PlayMode = 5;
  image.Contestants[1].SelectedCell = 9, image.Contestants[1].AnswerSlot = 4;
  image.Contestants[0].Score = -300;
  std::strcpy(image.Contestants[2].CustomName, "A name of twenty-three");
  image.Record.Unused492[5] = 0x5A;  // unused bytes are saved as stored, never checked
  EXPECT_TRUE(decode(image).ok()) << decode(image).reason;
}

TEST(SavedGameFile, RandomBytesNeverReachTheGame) {
  std::mt19937 random(20261207);
  std::vector<std::uint8_t> bytes(kSavedGameSize);
  SavedGameImage untouched = goodImage();
  for (int round = 0; round < 200; ++round) {
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    SavedGameImage out = untouched;
    const SavedGameFault fault = DecodeSavedGame(bytes.data(), bytes.size(), kLimits, out);
    EXPECT_FALSE(fault.ok());
    EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0) << "the image is filled only when all is well";
  }
}

}  // namespace
}  // namespace tvz
