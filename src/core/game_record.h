#pragma once
// The game record: every field more than one screen needs. Saved games copy
// block 1 and block 2 byte for byte, so both are packed structs whose layout is
// checked below, unused bytes included. Flags that a saved file can set are
// bytes (uint8_t), never bool: a loaded byte 2 must not become undefined
// behaviour.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

using StringList = std::vector<std::string>;

inline constexpr int kContestantCount = 3;
inline constexpr int kQuestionRecordCount = 400;
inline constexpr int kCellCount = 10;
inline constexpr int kCategoryCount = 5;
inline constexpr char kSaveTag[9] = "tvzd1011";
inline constexpr std::size_t kPackNameBytes = 7;

#pragma pack(push, 1)

// Saved block 1: preferences, options, places and the current question.
struct SavedBlock1 {
  char SaveTag[9];
  // The question pack of the show: the first bytes of its file name (padded
  // with zeros) and the checksum of its questions, little-endian. All zeros:
  // the first edition, as in every game saved before packs came.
  char PackName[kPackNameBytes];
  std::uint8_t PackHash[4];
  std::int32_t FirstPlace;
  std::int32_t SecondPlace;
  std::int32_t ThirdPlace;
  std::uint8_t QuestionUsed[kQuestionRecordCount];
  std::int32_t QuestionTextRef;
  std::int32_t QuestionRecord;
  std::int32_t AnswerIds[4];
  std::int32_t CorrectAnswerId;
  std::int32_t Category;
  std::uint8_t TooltipsOn;
  std::uint8_t CaptionsOn;
  std::uint8_t SoundOn;
  std::uint8_t Unused467;
  std::int32_t AudienceMood;
  std::int32_t Round;
  std::int32_t RoundCount;
  std::int32_t TimeLimit;
  std::uint8_t ChallengerMayAnswer;
  std::uint8_t DeductIncorrect;
  std::uint8_t MultiplyByRound;
  std::uint8_t HarderEachRound;
  std::int32_t PlayMode;
  std::uint8_t Unused492[40];
};

// One contestant; block 2 is three of these one after the other.
struct ContestantRecord {
  std::uint8_t IsHuman;
  std::uint8_t IsReturningChampion;
  std::uint8_t HasChallenged;
  std::uint8_t Unused3;
  std::uint32_t LastCorrectTick;
  std::int32_t FirstNameIdx;
  std::int32_t LastNameIdx;
  char CustomName[24];
  std::int32_t OccupationIdx;
  std::int32_t ResidenceIdx;
  std::int32_t Knowledge;
  std::int32_t Appearance;
  std::int32_t AppearanceNo;
  std::int32_t Score;
  std::int32_t CategoryKnowledge[kCategoryCount];
  std::int32_t Role;
  std::int32_t SelectedCell;
  std::int32_t AnswerSlot;
  std::int32_t CellValue[kCellCount];
  std::uint8_t CellUsed[kCellCount];
  std::uint8_t Unused146[2];
};

#pragma pack(pop)

static_assert(sizeof(SavedBlock1) == 532);
static_assert(offsetof(SavedBlock1, SaveTag) == 0);
static_assert(offsetof(SavedBlock1, PackName) == 9);
static_assert(offsetof(SavedBlock1, PackHash) == 16);
static_assert(offsetof(SavedBlock1, FirstPlace) == 20);
static_assert(offsetof(SavedBlock1, SecondPlace) == 24);
static_assert(offsetof(SavedBlock1, ThirdPlace) == 28);
static_assert(offsetof(SavedBlock1, QuestionUsed) == 32);
static_assert(offsetof(SavedBlock1, QuestionTextRef) == 432);
static_assert(offsetof(SavedBlock1, QuestionRecord) == 436);
static_assert(offsetof(SavedBlock1, AnswerIds) == 440);
static_assert(offsetof(SavedBlock1, CorrectAnswerId) == 456);
static_assert(offsetof(SavedBlock1, Category) == 460);
static_assert(offsetof(SavedBlock1, TooltipsOn) == 464);
static_assert(offsetof(SavedBlock1, CaptionsOn) == 465);
static_assert(offsetof(SavedBlock1, SoundOn) == 466);
static_assert(offsetof(SavedBlock1, Unused467) == 467);
static_assert(offsetof(SavedBlock1, AudienceMood) == 468);
static_assert(offsetof(SavedBlock1, Round) == 472);
static_assert(offsetof(SavedBlock1, RoundCount) == 476);
static_assert(offsetof(SavedBlock1, TimeLimit) == 480);
static_assert(offsetof(SavedBlock1, ChallengerMayAnswer) == 484);
static_assert(offsetof(SavedBlock1, DeductIncorrect) == 485);
static_assert(offsetof(SavedBlock1, MultiplyByRound) == 486);
static_assert(offsetof(SavedBlock1, HarderEachRound) == 487);
static_assert(offsetof(SavedBlock1, PlayMode) == 488);
static_assert(offsetof(SavedBlock1, Unused492) == 492);

static_assert(sizeof(ContestantRecord) == 148);
static_assert(sizeof(ContestantRecord[kContestantCount]) == 444);
static_assert(offsetof(ContestantRecord, IsHuman) == 0);
static_assert(offsetof(ContestantRecord, IsReturningChampion) == 1);
static_assert(offsetof(ContestantRecord, HasChallenged) == 2);
static_assert(offsetof(ContestantRecord, Unused3) == 3);
static_assert(offsetof(ContestantRecord, LastCorrectTick) == 4);
static_assert(offsetof(ContestantRecord, FirstNameIdx) == 8);
static_assert(offsetof(ContestantRecord, LastNameIdx) == 12);
static_assert(offsetof(ContestantRecord, CustomName) == 16);
static_assert(offsetof(ContestantRecord, OccupationIdx) == 40);
static_assert(offsetof(ContestantRecord, ResidenceIdx) == 44);
static_assert(offsetof(ContestantRecord, Knowledge) == 48);
static_assert(offsetof(ContestantRecord, Appearance) == 52);
static_assert(offsetof(ContestantRecord, AppearanceNo) == 56);
static_assert(offsetof(ContestantRecord, Score) == 60);
static_assert(offsetof(ContestantRecord, CategoryKnowledge) == 64);
static_assert(offsetof(ContestantRecord, Role) == 84);
static_assert(offsetof(ContestantRecord, SelectedCell) == 88);
static_assert(offsetof(ContestantRecord, AnswerSlot) == 92);
static_assert(offsetof(ContestantRecord, CellValue) == 96);
static_assert(offsetof(ContestantRecord, CellUsed) == 136);
static_assert(offsetof(ContestantRecord, Unused146) == 146);

// One record of the question index: line numbers into the text files, the
// category (0..3) and the difficulty (1..10).
struct QuestionIndexRecord {
  std::int32_t QuestionLine;
  std::int32_t Category;
  std::int32_t Difficulty;
  std::int32_t RightAnswer;
  std::int32_t WrongAnswers[3];
};
static_assert(sizeof(QuestionIndexRecord) == 28);

// The whole record. Block 1 is the base; the sequence fields and block 2
// follow. Reading `Round` or `Contestants[i].Score` works as plain members.
struct GameRecord : SavedBlock1 {
  GameRecord();

  // Sequence state, not saved.
  std::uint8_t IntroPhase;
  std::uint8_t OpeningShown;
  std::uint8_t MenuPhase;
  std::uint8_t StudioSplashDone;
  std::uint8_t TitleSplashShown;
  std::uint8_t OpeningPhase;
  std::int32_t BreakScene;
  void* DirectDrawObject;
  std::uint32_t ElapsedMs;
  std::string PendingErrorText;

  // Saved block 2.
  ContestantRecord Contestants[kContestantCount];

  // The question bank and the lists; filled when the main window is created.
  QuestionIndexRecord QuestionIndex[kQuestionRecordCount];
  StringList FirstNamesEven;
  StringList FirstNamesOdd;
  StringList LastNames;
  StringList Occupations;
  StringList Residences;
  StringList AnswerTexts;
  StringList QuestionTexts;

  SavedBlock1& block1() { return *this; }
  const SavedBlock1& block1() const { return *this; }
  std::uint8_t* block2() { return reinterpret_cast<std::uint8_t*>(Contestants); }
  const std::uint8_t* block2() const { return reinterpret_cast<const std::uint8_t*>(Contestants); }

  // "New Game" and "Multi-Player": places -1, no question used, no round.
  void ResetShowState();
  // Every contestant back to an empty seat; the answer slot keeps its value.
  void ResetContestants();
  // Every tick while the top menu is visible: single player.
  void ResetPlayMode() { PlayMode = 0; }
};

inline constexpr std::size_t kSavedBlock1Size = sizeof(SavedBlock1);
inline constexpr std::size_t kSavedBlock2Size = sizeof(ContestantRecord) * kContestantCount;

}  // namespace tvz
