#pragma once
// A session of the real game with a show under way, as the opening leaves it
// at the host's "Let's begin.": the contestants set up through the real
// screens, round 1, a defender in control and the in-game menu made with the
// board. The board itself is stood in for by the two hooks the saved games
// use: its values are the session's, and continuing a loaded game records
// the values it was given.
#include <cstring>
#include <vector>

#include "core/popup_box.h"
#include "core/screens.h"
#include "harness/game_session.h"
#include "menus/game_menu.h"
#include "menus/in_game_menu.h"
#include "menus/player_menu.h"
#include "shell/top_menu.h"

namespace tvz::testing {

class ShowInProgress : public GameSession {
 protected:
  void SetUp() override {
    GameSession::SetUp();
    linkMedia();
  }

  // Top menu, New Game, options, contestant setup, "Start >", then what the
  // opening does at its end.
  bool startShow(Driver& d) {
    if (!reachTopMenu(d)) return false;
    d.press('N');
    if (!d.until([] { return GameMenu && GameMenu->visible(); }, 10)) return false;
    d.press('N');
    if (!d.until([] { return PlayerMenu && PlayerMenu->visible(); }, 10)) return false;
    d.press('S');
    PlayerMenu->CompleteLineUp();
    PlayerMenu->Close();
    TvzMain->MenuPhase = 0;
    TvzMain->Round = 1;
    TvzMain->Contestants[1].Role = 1;
    connectBoard();
    if (!createForm(&InGameMenu)) return false;
    d.ticks(2);
    return GLoadMenu && GSaveMenu && PrefsMenu && PopupBox;
  }

  // The board's side of the saved games.
  void connectBoard() {
    TvzMain->CurrentBoardValues = [this] { return board_; };
    TvzMain->ContinueLoadedGame = [this](const BoardValues& values) {
      continued_.push_back(values);
      return true;
    };
  }

  // A show in round 2 of 3, in the middle of a challenge: the defender
  // (contestant 1) is answering a Music question for cell 4, contestant 2
  // challenges, some cells and questions are used, preferences and options
  // are off their defaults.
  void prepareMidChallenge() {
    GameRecord& r = *TvzMain;
    r.PlayMode = 5;
    r.RoundCount = 3;
    r.Round = 2;
    r.TimeLimit = 20;
    r.ChallengerMayAnswer = 1;
    r.MultiplyByRound = 1;
    r.SoundOn = 0;
    r.CaptionsOn = 0;
    r.AudienceMood = 2;
    r.Category = 3;
    const int question = 17;
    const QuestionIndexRecord& q = r.QuestionIndex[question];
    r.QuestionUsed[question] = 1;
    r.QuestionUsed[250] = 1;
    r.QuestionRecord = question;
    r.QuestionTextRef = q.QuestionLine;
    r.AnswerIds[0] = q.WrongAnswers[0];
    r.AnswerIds[1] = q.RightAnswer;
    r.AnswerIds[2] = q.WrongAnswers[1];
    r.AnswerIds[3] = q.WrongAnswers[2];
    r.CorrectAnswerId = q.RightAnswer;
    for (int k = 0; k < 3; ++k) {
      ContestantRecord& who = r.Contestants[k];
      who.Score = 12 * (k + 1) - 20;
      who.LastCorrectTick = 4000u + k;
      for (int cell = 0; cell < 10; ++cell) {
        who.CellValue[cell] = 2 * (cell + 1);
        who.CellUsed[cell] = cell % (k + 2) == 0;
      }
      who.Role = 0;
    }
    r.Contestants[1].Role = 1;
    r.Contestants[2].Role = 2;
    r.Contestants[2].HasChallenged = 1;
    r.Contestants[1].SelectedCell = 4;
    r.Contestants[1].AnswerSlot = 0;
    board_ = {2, 1, 8};
  }

  // The two saved blocks of the running record, for comparing.
  static std::vector<std::uint8_t> savedBlocks() {
    std::vector<std::uint8_t> bytes(kSavedBlock1Size + kSavedBlock2Size);
    std::memcpy(bytes.data(), &TvzMain->block1(), kSavedBlock1Size);
    std::memcpy(bytes.data() + kSavedBlock1Size, TvzMain->block2(), kSavedBlock2Size);
    return bytes;
  }

  static bool visible(const Form* form) { return form && form->visible(); }

  BoardValues board_;
  std::vector<BoardValues> continued_;
};

}  // namespace tvz::testing
