// A show interrupted and taken up again on the real program: the in-game
// menu's pause, clocks that run out, "End Game" and "Quit" in the middle of a
// challenge, a game saved and loaded through the real screens, and a show
// whose media fails.
#include <cstring>

#include "core/contestant_names.h"
#include "core/popup_box.h"
#include "menus/in_game_menu.h"
#include "platform/sound_output.h"
#include "scenes/camera3h.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3mc.h"
#include "scenes/camera3sc.h"
#include "scenes/camera3tc.h"
#include "scenes/camera3m.h"
#include "scenes/camera3s.h"
#include "scenes/camera3t.h"
#include "scenes/camera3w.h"
#include "scenes/contestant_card.h"
#include "scenes/host_scene.h"
#include "shell/top_menu.h"
#include "show/board.h"
#include "show/contestant_media.h"
#include "show/rules_turns.h"
#include "show_checks.h"
#include "store/load_menu.h"
#include "store/save_menu.h"
#include "store/saved_game_file.h"
#include "store/saved_game_names.h"

namespace tvz::testing {
namespace {

// The question scene open now, for whoever answers.
QuestionScene* QuestionUp() {
  for (QuestionScene* scene : {static_cast<QuestionScene*>(Camera3h), static_cast<QuestionScene*>(Camera3m),
                               static_cast<QuestionScene*>(Camera3s), static_cast<QuestionScene*>(Camera3t)})
    if (scene && scene->visible()) return scene;
  return nullptr;
}

bool ComputerQuestionUp() {
  const QuestionScene* scene = QuestionUp();
  return scene && !TvzMain->Contestants[scene->Contestant].IsHuman;
}

std::string LastSaid() { return TvzMain->ShownCaptions.empty() ? "" : TvzMain->ShownCaptions.back(); }

// Every screen of a show is gone.
void ExpectNothingOfTheShowLeft() {
  EXPECT_EQ(Camera2, nullptr);
  EXPECT_EQ(Camera1, nullptr);
  EXPECT_EQ(Camera3w, nullptr);
  EXPECT_EQ(Camera3h, nullptr);
  EXPECT_EQ(Camera3m, nullptr);
  EXPECT_EQ(Camera3s, nullptr);
  EXPECT_EQ(Camera3t, nullptr);
  EXPECT_EQ(Camera3hc, nullptr);
  EXPECT_EQ(Camera3mc, nullptr);
  EXPECT_EQ(Camera3sc, nullptr);
  EXPECT_EQ(Camera3tc, nullptr);
  EXPECT_EQ(Camera5a, nullptr);
  EXPECT_EQ(Camera5b, nullptr);
  EXPECT_EQ(Camera5c, nullptr);
  EXPECT_EQ(Camera4x, nullptr);
  EXPECT_FALSE(AnyContestantCard());
}

class Interruptions : public WholeShow {
 protected:
  // The board's menu button, clicked.
  static void openMenu(Driver& d) {
    onAppThread(d, [] { Camera2->MenuBtnClick(); });
    ASSERT_TRUE(InGameMenu && InGameMenu->visible());
  }
};

TEST_F(Interruptions, TheMenuPausesTheShowAndTheStepWaitsItsWholeDelayAgain) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    // The first frame announces the defender; the category comes 4500 ms on.
    ASSERT_TRUE(d.until([] { return Camera2->ShowStep == kDrawCategory; }, 3));
    ASSERT_EQ(Camera2->StepDelay, 4500u);
    d.ticks(121);  // 3993 ms
    ASSERT_EQ(Camera2->ShowStep, kDrawCategory);
    d.press(vk::Escape);  // the board's key for the menu
    ASSERT_TRUE(InGameMenu->visible());
    d.ticks(100);
    EXPECT_EQ(TvzMain->ElapsedMs, 0u) << "held while the menu is up";
    EXPECT_EQ(Camera2->ShowStep, kDrawCategory);
    d.press(vk::Escape);  // "Back to Game"
    ASSERT_FALSE(InGameMenu->visible());
    int frames = 0;
    while (Camera2->ShowStep == kDrawCategory && frames < 300) {
      d.ticks(1);
      ++frames;
    }
    EXPECT_EQ(frames, (4500 + kFrameMs - 1) / kFrameMs) << "4500 ms after the menu closed, not 500";
  });
}

// Without a clock a person may take all the time they like: the scene waits
// for them and the show with it, its delay long past.
TEST_F(Interruptions, ScenesForAPersonHoldTheShowUntilTheyChoose) {
  auto valueUp = [] {
    for (Form* scene : {static_cast<Form*>(Camera3hc), static_cast<Form*>(Camera3mc),
                        static_cast<Form*>(Camera3sc), static_cast<Form*>(Camera3tc)})
      if (scene && scene->visible()) return true;
    return false;
  };
  auto personsQuestionUp = [] { return QuestionUp() && !ComputerQuestionUp(); };
  auto categoryUp = [] { return Camera3w && Camera3w->visible(); };
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    for (const auto& [name, sceneUp] : std::vector<std::pair<std::string, std::function<bool()>>>{
             {"value", valueUp}, {"question", personsQuestionUp}, {"category", categoryUp}}) {
      SCOPED_TRACE(name);
      ASSERT_TRUE(playUntil(d, sceneUp));
      const std::int32_t step = Camera2->ShowStep;
      const std::size_t said = TvzMain->ShownCaptions.size();
      d.ticks(600);  // twenty seconds
      EXPECT_TRUE(sceneUp());
      EXPECT_EQ(Camera2->ShowStep, step);
      EXPECT_EQ(TvzMain->ShownCaptions.size(), said) << "nothing said meanwhile";
      EXPECT_GT(TvzMain->ElapsedMs, Camera2->StepDelay) << "only the person holds it up";
    }
  });
}

TEST_F(Interruptions, ClocksRunOutAndTheChallengerAnswersAfterAMiss) {
  // The person lets every clock run out, and misses as defender.
  // A show (by its draws) in which the person is given a category to pick.
  harnessOptions_.startTick = 2000;
  pickCategory = [](int) { return 0; };
  pickAnswer = [](int) { return 0; };
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {.seconds = 10, .challengerMayAnswer = true}));

    // A person defending lets the category clock run out: the category is
    // drawn, and the caption says so while the voice still takes it.
    ASSERT_TRUE(playUntil(d, [&] { return !turns_.empty() && turns_.back().kind == PlayerTurn::Category; }));
    EXPECT_EQ(turns_.back().contestant, 0);
    EXPECT_EQ(Camera2->ShowStep, kReviewQuestion) << "taken in the frame the clock ran out";
    const std::string category = LastSaid().substr(std::strlen("The category is "));
    EXPECT_EQ(LastSaid().rfind("The category is ", 0), 0u) << LastSaid();
    const std::vector<std::string> voice = TvzMain->PlayedClips.back();
    ASSERT_EQ(voice.size(), 2u);
    EXPECT_EQ(voice[0], VoicePrefix(Seat(0)) + "illtak.mm3");
    EXPECT_TRUE(TvzMain->Category >= 1 && TvzMain->Category <= 5);

    // A computer that gives no answer: its question stays up for the whole
    // clock, then the buzzer, then "Sorry,".
    ASSERT_TRUE(playUntil(d, [] { return ComputerQuestionUp() && Camera2->StepDelay == 10500u; }));
    const std::int32_t answerer = QuestionUp()->Contestant;
    EXPECT_EQ(Seat(answerer).AnswerSlot, 0);
    d.ticks(303);  // 9999 ms
    EXPECT_TRUE(QuestionUp()) << "up for the whole ten seconds";
    d.ticks(1);
    EXPECT_FALSE(QuestionUp()) << "its own clock closes it at ten seconds";
    const std::int32_t step = Camera2->ShowStep;
    d.ticks(14);  // 10494 ms
    EXPECT_EQ(Camera2->ShowStep, step) << "the board waits its own ten and a half seconds";
    d.ticks(1);
    EXPECT_EQ(LastSaid(), "<BUZZER>");
    ASSERT_TRUE(playUntil(d, [&] { return Camera2->ShowStep != step + 1; }));
    EXPECT_EQ(LastSaid(), "Sorry,");

    // The person, defending, lets the question's clock run out; the
    // challenger answers after the miss.
    ASSERT_TRUE(playUntil(d, [&] {
      return !steps_.empty() && steps_.back().step == kJudgeDefender && Camera2->Defender == 0;
    }));
    EXPECT_EQ(LastSaid(), "Sorry,");
    EXPECT_EQ(Camera2->ShowStep, kOfferToChallenger);
    const int challenger = Camera2->Challenger;
    const int cell = Seat(0).SelectedCell;
    EXPECT_EQ(Seat(challenger).SelectedCell, cell);
    EXPECT_EQ(Seat(0).CellUsed[cell], 1);
    const std::int32_t scoreBefore = Seat(challenger).Score;
    ASSERT_TRUE(playUntil(d, [] { return Camera2->ShowStep == kChallengerAnswers; }));
    EXPECT_EQ(LastSaid(), ShownName(*TvzMain, Seat(challenger)) + ", the challenge comes back to you for " +
                              std::to_string(cell + 1) + ".");
    ASSERT_TRUE(playUntil(d, [] { return Camera2->ShowStep == kEndChallenge; }));
    const std::int32_t slot = Seat(challenger).AnswerSlot;
    EXPECT_NE(slot, Seat(0).AnswerSlot == 0 ? -1 : Seat(0).AnswerSlot) << "never the defender's letter";
    EXPECT_EQ(Seat(challenger).Score - scoreBefore, slot == RightSlot() ? cell + 1 : 0);
  });
}

TEST_F(Interruptions, EndGameWithAQuestionUpThenANewGameStartsClean) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 3 && ComputerQuestionUp(); },
                          40000));
    d.capture("question-for-a-computer.png");
    openMenu(d);
    d.press('E');
    ASSERT_TRUE(PopupBox && PopupBox->visible());
    EXPECT_EQ(PopupBox->TextLbl->caption(), "End the game in progress?");
    d.press('Y');
    EXPECT_EQ(InGameMenu->EndPressed, 1);
    d.ticks(2);
    ExpectNothingOfTheShowLeft();
    EXPECT_EQ(InGameMenu, nullptr);
    EXPECT_EQ(GSaveMenu, nullptr) << "the menu's own screens went with it";
    ASSERT_TRUE(TopMenu && TopMenu->visible());
    EXPECT_EQ(TvzMain->MenuPhase, 1);
    EXPECT_FALSE(SoundOutput::instance().playing());
    EXPECT_TRUE(TvzMain->VoiceStream.bytes.empty());
    d.capture("top-menu-after-end-game.png");

    // A new game: a fresh line-up, fresh boards, a fresh show.
    const std::size_t saidBefore = TvzMain->ShownCaptions.size();
    steps_.clear();
    turns_.clear();
    ASSERT_TRUE(startShow(d, {}));
    EXPECT_EQ(TvzMain->Round, 1);
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(Seat(c).Score, 0);
      EXPECT_EQ(UnusedCells(Seat(c)), 10);
      EXPECT_EQ(Camera2->ScoreLabels[c]->caption(), "0");
    }
    EXPECT_EQ(std::count(std::begin(TvzMain->QuestionUsed), std::end(TvzMain->QuestionUsed), 1), 0);
    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 2; }));
    ExpectStepsInTheirOrder(steps_);
    EXPECT_EQ(TvzMain->ShownCaptions[saidBefore].find(" will defend."),
              TvzMain->ShownCaptions[saidBefore].size() - std::strlen(" will defend."));
    const std::vector<Form*> forms = d.app().formsInZOrder();
    EXPECT_EQ(std::count_if(forms.begin(), forms.end(), [](Form* f) { return f->visible(); }), 2)
        << "the main window and the board";
  });
}

TEST_F(Interruptions, QuitInTheMiddleOfAShowEndsTheProgram) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    ASSERT_TRUE(playUntil(d, [] { return Camera2->ShowStep == kDefenderAnswers; }));
    // Full screen the window manager's close is Alt+F4, which the show
    // swallows; a window's close button asks as "Quit" does.
    d.closeRequest();
    EXPECT_FALSE(InGameMenu->visible());
    d.app().setFullscreen(false);
    d.closeRequest();
    ASSERT_TRUE(InGameMenu->visible() && PopupBox->visible());
    EXPECT_EQ(PopupBox->TextLbl->caption(), "Do you really wish to leave Trivenza?");
    d.press('N');
    EXPECT_FALSE(d.app().terminated()) << "No keeps the show, paused under its menu";
    EXPECT_TRUE(InGameMenu->visible());
    d.press('Q');
    EXPECT_EQ(PopupBox->TextLbl->caption(), "Do you really wish to leave Trivenza?");
    d.press('Y');
    d.ticks(2);
    EXPECT_TRUE(d.app().terminated());
    EXPECT_TRUE(TvzMain->PendingErrorText.empty());
  });
  EXPECT_FALSE(fileExists("error.log"));
}

TEST_F(Interruptions, AGameSavedMidChallengeIsLoadedAtTheSameStep) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    // Saved when the host has offered a challenge to the defender.
    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 2 && Camera2->ShowStep == kDefenderAnswers; }));
    const BoardValues board{Camera2->Challenger, Camera2->Defender, Camera2->ShowStep};
    d.press(vk::Escape);
    ASSERT_TRUE(InGameMenu->visible());
    d.press('S');
    ASSERT_TRUE(GSaveMenu->visible());
    std::tm date{};
    date.tm_mday = 7, date.tm_mon = 11, date.tm_year = 2026 - 1900;
    GSaveMenu->Date = [date] { return date; };
    d.press(vk::Return);  // into slot 1, under the first contestant's name and the date
    const std::string saved = readFile(DefaultSaveName(FirstName(*TvzMain, Seat(0)), date));
    ASSERT_EQ(saved.size(), 988u);
    const auto game = EncodeSavedGame(MakeSavedGame(*TvzMain, board));
    EXPECT_EQ(saved, std::string(game.begin(), game.end()));
    d.press(vk::Escape);  // back to the game, which goes on
    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 4; }));

    // Loaded from the in-game menu: the show under way goes, the saved one
    // takes up at its step at once.
    d.press(vk::Escape);
    d.press('L');
    ASSERT_TRUE(GLoadMenu->visible());
    d.press('1');
    d.press(vk::Return);
    ASSERT_TRUE(PopupBox->visible());
    EXPECT_EQ(PopupBox->TextLbl->caption(), "Abandon the game in progress?");
    d.press('Y');
    ASSERT_TRUE(Camera2 && Camera2->visible());
    EXPECT_FALSE(InGameMenu->visible()) << "closed by the load, kept for the new board";
    EXPECT_EQ((BoardValues{Camera2->Challenger, Camera2->Defender, Camera2->ShowStep}), board);
    const auto now = EncodeSavedGame(MakeSavedGame(*TvzMain, board));
    EXPECT_EQ(saved, std::string(now.begin(), now.end()));
    d.ticks(1);
    EXPECT_EQ(Camera2->ShowStep, kDefenderSaysAnswer) << "the saved step ran at the first frame";
    EXPECT_TRUE(QuestionUp());

    // And again from the top menu after "End Game".
    ASSERT_TRUE(playUntil(d, [] { return Camera2->ShowStep == kEndChallenge; }));
    d.press(vk::Escape);
    d.press('E');
    d.press('Y');
    ASSERT_TRUE(d.until([] { return TopMenu && TopMenu->visible() && TvzMain->MenuPhase; }, 5));
    d.press('L');
    ASSERT_TRUE(GLoadMenu && GLoadMenu->visible());
    d.press('1');
    d.press(vk::Return);
    d.press('Y');  // Round is still set after "End Game"
    ASSERT_TRUE(d.until([] { return Camera2 && Camera2->visible() && !TopMenu && !TvzMain->MenuPhase; }, 5));
    EXPECT_EQ(Camera2->ShowStep, kDefenderAnswers);
    d.ticks(1);
    EXPECT_EQ(Camera2->ShowStep, kDefenderSaysAnswer) << "the first frame of the show runs the saved step";
    steps_.clear();
    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 1; }));
    ExpectStepsInTheirOrder(steps_, false);
  });
  EXPECT_FALSE(fileExists("error.log"));
}

// Saved games the show could not have written as they stand (a scene that
// could not open leaves its result unset; a file can be edited), loaded
// through the real screens: the show makes the sound choice and goes on.
class EditedSavedGames : public Interruptions {
 protected:
  // The running show saved at `step` after `edit`, then loaded from the
  // in-game menu; the saved step runs at the next frame.
  void loadEdited(Driver& d, std::int32_t step, const std::function<void(GameRecord&, BoardValues&)>& edit) {
    GameRecord record = *TvzMain;
    BoardValues board{Camera2->Challenger, Camera2->Defender, step};
    edit(record, board);
    const auto bytes = EncodeSavedGame(MakeSavedGame(record, board));
    writeFile("edited.tzs", std::string(bytes.begin(), bytes.end()));
    d.press(vk::Escape);
    d.press('L');
    d.press('1');
    d.press(vk::Return);
    d.press('Y');
    ASSERT_EQ(Camera2->ShowStep, step);
    d.ticks(1);
    ASSERT_NE(Camera2, nullptr) << "the show went on";
  }
};

TEST_F(EditedSavedGames, EachIsTakenUpSoundlyAndTheShowGoesOn) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    ASSERT_TRUE(playUntil(d, [] { return Camera2->ShowStep == kReviewQuestion; }));

    // The defender's pick never came: drawn, as when its clock runs out.
    loadEdited(d, kTakeCategory, [](GameRecord& r, BoardValues&) { r.Category = 6; });
    EXPECT_EQ(Camera2->ShowStep, kReviewQuestion);
    EXPECT_EQ(LastSaid().rfind("The category is ", 0), 0u) << LastSaid();
    EXPECT_TRUE(TvzMain->Category >= 1 && TvzMain->Category <= 5);

    // No cell staked: the defender's lowest unused cell is offered.
    loadEdited(d, kOfferToDefender, [](GameRecord& r, BoardValues& b) {
      r.Contestants[b.Defender].SelectedCell = -1;
      r.Contestants[b.Defender].CellUsed[0] = 1;
    });
    EXPECT_EQ(Seat(Camera2->Defender).SelectedCell, 1);
    EXPECT_EQ(LastSaid(), ShownName(*TvzMain, Seat(Camera2->Defender)) + ", the challenge is to you for 2.");

    // The defender challenging itself: the turn starts over with its seats.
    loadEdited(d, kOfferToDefender, [](GameRecord&, BoardValues& b) { b.Challenger = b.Defender; });
    EXPECT_EQ(Camera2->ShowStep, kDrawCategory);
    EXPECT_NE(Camera2->Challenger, Camera2->Defender);
    EXPECT_EQ(LastSaid(), ShownName(*TvzMain, Seat(Camera2->Defender)) + " will defend.");

    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 2; }));
  });
  EXPECT_FALSE(fileExists("error.log"));
}

class ShowWithoutAClip : public Interruptions {
 protected:
  ShowWithoutAClip() { missingMedia_ = {"hcanswer.mm3"}; }
};

TEST_F(ShowWithoutAClip, AFailedStepEndsTheProgramWithItsReportAnd5220) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    ASSERT_TRUE(playUntil(d, [&] { return d.app().terminated(); }));
    EXPECT_FALSE(TvzMain->PendingErrorText.empty());
  });
  const std::string log = readFile("error.log");
  EXPECT_NE(log.find("Error loading file"), std::string::npos) << log;
  EXPECT_NE(log.find("Insufficent memory or resources available\nLocn: 5220"), std::string::npos) << log;
}

}  // namespace
}  // namespace tvz::testing
