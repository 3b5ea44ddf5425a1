#include "core/game_record.h"

#include <cstring>

namespace tvz {

GameRecord::GameRecord()
    : SavedBlock1{},
      IntroPhase(1),
      OpeningShown(0),
      MenuPhase(0),
      StudioSplashDone(0),
      TitleSplashShown(0),
      OpeningPhase(0),
      BreakScene(0),
      DirectDrawObject(nullptr),
      ElapsedMs(0),
      Contestants{},
      QuestionIndex{} {
  std::memcpy(SaveTag, kSaveTag, sizeof(SaveTag));
  TooltipsOn = 1;
  CaptionsOn = 1;
  SoundOn = 1;
  AudienceMood = 1;
  RoundCount = 2;
  TimeLimit = 0;
}

void GameRecord::ResetShowState() {
  FirstPlace = -1;
  SecondPlace = -1;
  ThirdPlace = -1;
  std::memset(QuestionUsed, 0, sizeof(QuestionUsed));
  Round = 0;
}

void GameRecord::ResetContestants() {
  for (ContestantRecord& c : Contestants) {
    const std::int32_t keptAnswer = c.AnswerSlot;
    c = ContestantRecord{};
    c.FirstNameIdx = -1;
    c.LastNameIdx = -1;
    c.OccupationIdx = -1;
    c.ResidenceIdx = -1;
    c.SelectedCell = -1;
    c.AnswerSlot = keptAnswer;
  }
}

}  // namespace tvz
