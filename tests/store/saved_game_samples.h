#pragma once
// A valid saved game for the format and disk tests, with the sizes of a bank
// of 400 questions and the game's name lists.
#include "store/saved_game_file.h"

namespace tvz::samples {

inline const SavedGameLimits kLimits{400, 1600, 12, 12, 24, 24, 24};

// A game as a show in round 1 leaves it: every value in use and valid.
inline const GameRecord& runningGame() {
  static const GameRecord* record = [] {
    auto* r = new GameRecord();
    r->Round = 1;
    r->FirstPlace = r->SecondPlace = r->ThirdPlace = -1;
    r->QuestionRecord = 399;
    r->QuestionTextRef = 399;
    r->AnswerIds[0] = 5, r->AnswerIds[1] = 1599, r->AnswerIds[2] = 7, r->AnswerIds[3] = 8;
    r->CorrectAnswerId = 1599;
    for (int k = 0; k < 3; ++k) {
      ContestantRecord& who = r->Contestants[k];
      who.Appearance = 2 * k + 1;
      who.AppearanceNo = who.Appearance / 2 + 1;
      who.FirstNameIdx = 11, who.LastNameIdx = 23, who.OccupationIdx = k, who.ResidenceIdx = k;
      who.Knowledge = 3;
      who.SelectedCell = -1;
    }
    r->Contestants[0].Role = 1;
    return r;
  }();
  return *record;
}

inline SavedGameImage goodImage() { return MakeSavedGame(runningGame(), {-1, -1, 0}); }

}  // namespace tvz::samples
