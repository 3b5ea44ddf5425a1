#include "store/saved_game_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tvz {

// The blocks are copied as they lie in memory, which is the file's order only
// on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr int kLastShowStep = 23;
constexpr int kCrowningStep = 20;  // the crowning and every step after it
constexpr int kMaxRounds = 3;
constexpr int kPictureCount = 6;
constexpr std::int32_t kTimeLimits[] = {0, 10, 20, 30};
constexpr std::int32_t kSinglePlayer = 0, kMultiPlayer = 5;

// Collects the first fault of a part; later checks are skipped once one has
// failed, so the reason names the first bad value.
class Checker {
 public:
  explicit Checker(std::int32_t location) : location_(location) {}

  void require(bool good, const std::string& what) {
    if (!good && fault_.ok()) fault_ = {location_, what};
  }
  void flag(std::uint8_t value, const std::string& what) {
    require(value <= 1, what + " is not 0 or 1");
  }
  void range(std::int64_t value, std::int64_t low, std::int64_t high, const std::string& what) {
    require(value >= low && value <= high, what + " is out of range");
  }
  // An index into a list of the given size.
  void index(std::int32_t value, std::size_t size, const std::string& what) {
    require(value >= 0 && static_cast<std::size_t>(value) < size, what + " is not in its list");
  }

  SavedGameFault result() const { return fault_; }

 private:
  std::int32_t location_;
  SavedGameFault fault_;
};

void checkQuestion(Checker& c, const SavedBlock1& b, const SavedGameLimits& limits) {
  for (std::uint8_t used : b.QuestionUsed) c.flag(used, "QuestionUsed");
  c.index(b.QuestionTextRef, limits.questionLines, "QuestionTextRef");
  c.index(b.QuestionRecord, kQuestionRecordCount, "QuestionRecord");
  for (std::int32_t id : b.AnswerIds) c.index(id, limits.answerLines, "AnswerIds");
  c.index(b.CorrectAnswerId, limits.answerLines, "CorrectAnswerId");
  const bool shown = std::find(std::begin(b.AnswerIds), std::end(b.AnswerIds), b.CorrectAnswerId) !=
                     std::end(b.AnswerIds);
  c.require(shown, "CorrectAnswerId is none of the answers shown");
}

void checkPreferencesAndOptions(Checker& c, const SavedBlock1& b) {
  c.flag(b.TooltipsOn, "TooltipsOn");
  c.flag(b.CaptionsOn, "CaptionsOn");
  c.flag(b.SoundOn, "SoundOn");
  c.range(b.AudienceMood, 0, 2, "AudienceMood");
  c.range(b.RoundCount, 1, kMaxRounds, "RoundCount");
  // Past the last round (one more than RoundCount) while the champion is crowned.
  c.range(b.Round, 1, std::int64_t{b.RoundCount} + 1, "Round");
  c.require(std::find(std::begin(kTimeLimits), std::end(kTimeLimits), b.TimeLimit) !=
                std::end(kTimeLimits),
            "TimeLimit is not 0, 10, 20 or 30");
  c.flag(b.ChallengerMayAnswer, "ChallengerMayAnswer");
  c.flag(b.DeductIncorrect, "DeductIncorrect");
  c.flag(b.MultiplyByRound, "MultiplyByRound");
  c.flag(b.HarderEachRound, "HarderEachRound");
  c.require(b.PlayMode == kSinglePlayer || b.PlayMode == kMultiPlayer, "PlayMode is not 0 or 5");
}

void checkBoard(Checker& c, const SavedGameImage& image) {
  c.range(image.ShowStep, 0, kLastShowStep, "ShowStep");
  // Before the first defender is announced the board has neither; from then
  // on every step addresses both contestants by these values.
  const std::int32_t lowest = image.ShowStep == 0 ? -1 : 0;
  c.range(image.Defender, lowest, kContestantCount - 1, "Defender");
  c.range(image.Challenger, lowest, kContestantCount - 1, "Challenger");
  // A round past the last is only the crowning's: any other step would play
  // a round the show has no values or clips for.
  c.require(image.Record.Round <= image.Record.RoundCount || image.ShowStep >= kCrowningStep,
            "Round is past the last round before the crowning");
  if (image.ShowStep == 0) {
    // The step announces the contestant in control: there must be one.
    const bool inControl = std::any_of(std::begin(image.Contestants), std::end(image.Contestants),
                                       [](const ContestantRecord& who) { return who.Role == 1; });
    c.require(inControl, "no contestant in control, so no defender to come");
  }
}

void checkContestant(Checker& c, const ContestantRecord& who, const SavedGameLimits& limits,
                     const std::string& name) {
  c.flag(who.IsHuman, name + " IsHuman");
  c.flag(who.IsReturningChampion, name + " IsReturningChampion");
  c.flag(who.HasChallenged, name + " HasChallenged");
  c.range(who.Appearance, 0, kPictureCount - 1, name + " Appearance");
  c.require(who.AppearanceNo == who.Appearance / 2 + 1, name + " AppearanceNo does not match Appearance");
  const std::size_t firstNames = who.Appearance % 2 != 0 ? limits.firstNamesOdd : limits.firstNamesEven;
  c.index(who.FirstNameIdx, firstNames, name + " FirstNameIdx");
  c.index(who.LastNameIdx, limits.lastNames, name + " LastNameIdx");
  c.index(who.OccupationIdx, limits.occupations, name + " OccupationIdx");
  c.index(who.ResidenceIdx, limits.residences, name + " ResidenceIdx");
  c.require(std::memchr(who.CustomName, 0, sizeof who.CustomName) != nullptr,
            name + " CustomName is not terminated");
  c.range(who.Knowledge, 1, 3, name + " Knowledge");
  c.range(who.Role, 0, 2, name + " Role");
  c.range(who.SelectedCell, -1, kCellCount - 1, name + " SelectedCell");
  c.range(who.AnswerSlot, 0, 4, name + " AnswerSlot");
  for (std::uint8_t used : who.CellUsed) c.flag(used, name + " CellUsed");
}

}  // namespace

SavedGameLimits SavedGameLimits::Of(const GameRecord& record) {
  return {record.QuestionTexts.size(), record.AnswerTexts.size(), record.FirstNamesEven.size(),
          record.FirstNamesOdd.size(),  record.LastNames.size(),   record.Occupations.size(),
          record.Residences.size()};
}

SavedGameLimits SavedGameLimits::Of(const GameRecord& record, const PackBank& bank) {
  SavedGameLimits limits = Of(record);
  limits.questionLines = bank.questions.size();
  limits.answerLines = bank.answers.size();
  return limits;
}

SavedGameLimits SavedGameLimits::AnyPack(const GameRecord& record) {
  SavedGameLimits limits = Of(record);
  limits.questionLines = kQuestionRecordCount;
  limits.answerLines = 4 * kQuestionRecordCount;  // four answers a question, none shared
  return limits;
}

SavedGameImage MakeSavedGame(const GameRecord& record, const BoardValues& board) {
  SavedGameImage image;
  std::memcpy(&image.Record, &record.block1(), kSavedBlock1Size);
  image.Challenger = board.Challenger;
  image.Defender = board.Defender;
  image.ShowStep = board.ShowStep;
  std::memcpy(image.Contestants, record.block2(), kSavedBlock2Size);
  return image;
}

std::vector<std::uint8_t> EncodeSavedGame(const SavedGameImage& image) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&image);
  return {bytes, bytes + kSavedGameSize};
}

SavedGameFault CheckFirstBlock(const SavedBlock1& block, const SavedGameLimits& limits) {
  Checker c(kFirstBlockUnreadable);
  for (std::int32_t place : {block.FirstPlace, block.SecondPlace, block.ThirdPlace})
    c.range(place, -1, kContestantCount - 1, "a place");
  checkQuestion(c, block, limits);
  c.range(block.Category, 0, 6, "Category");
  checkPreferencesAndOptions(c, block);
  return c.result();
}

SavedGameFault CheckBoardAndContestants(const SavedGameImage& image, const SavedGameLimits& limits) {
  Checker c(kRestUnreadable);
  checkBoard(c, image);
  for (int k = 0; k < kContestantCount; ++k)
    checkContestant(c, image.Contestants[k], limits, "contestant " + std::to_string(k));
  return c.result();
}

SavedGameFault CheckSavedGame(const SavedGameImage& image, const SavedGameLimits& limits) {
  if (SavedGameFault fault = CheckFirstBlock(image.Record, limits); !fault.ok()) return fault;
  return CheckBoardAndContestants(image, limits);
}

SavedGameFault DecodeSavedGame(const std::uint8_t* bytes, std::size_t size,
                               const SavedGameLimits& limits, SavedGameImage& image) {
  if (size < kSavedBlock1Size) return {kFirstBlockUnreadable, "the file ends in the first block"};
  SavedGameImage read{};
  std::memcpy(&read.Record, bytes, kSavedBlock1Size);
  if (SavedGameFault fault = CheckFirstBlock(read.Record, limits); !fault.ok()) return fault;
  if (size < kSavedGameSize) return {kRestUnreadable, "the file ends before the last contestant"};
  std::memcpy(&read, bytes, kSavedGameSize);
  if (SavedGameFault fault = CheckBoardAndContestants(read, limits); !fault.ok()) return fault;
  image = read;
  return {};
}

void ApplySavedGame(const SavedGameImage& image, GameRecord& record) {
  std::memcpy(&record.block1(), &image.Record, kSavedBlock1Size);
  std::memcpy(record.block2(), image.Contestants, kSavedBlock2Size);
}

BoardValues BoardValuesOf(const SavedGameImage& image) {
  return {image.Challenger, image.Defender, image.ShowStep};
}

}  // namespace tvz
