// The game board drawn from a prepared game record, on the real game with its
// media: cells, colours, scores, names, plates and faces; the menu button and
// keys; damaged records and missing pictures.
#include <cstdint>
#include <filesystem>

#include "core/screens.h"
#include "harness/show_session.h"
#include "platform/application.h"
#include "show/board.h"

namespace tvz::testing {
namespace {

ContestantRecord& seat(int c) { return TvzMain->Contestants[c]; }

Color textColour(const Label* label) { return label->font().color; }

constexpr Color kSilver = rgb(192, 192, 192), kRed = rgb(255, 0, 0), kGrey = rgb(68, 68, 68);

bool samePixels(const Bitmap& a, const Bitmap& b, int bTop = 0) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, bTop + y)) return false;
  return true;
}

class Board : public ShowSession {};

TEST_F(Board, DrawsTheWholeBoardFromTheRecord) {
  play([&](Driver& d) {
    QuietShow();
    seat(0).Score = 12;
    seat(1).Score = -7;
    seat(0).CellUsed[0] = seat(0).CellUsed[9] = 1;
    seat(2).CellUsed[4] = 1;
    seat(0).SelectedCell = 5;
    seat(1).SelectedCell = 3;  // the challenger's cell is never the one in play
    ASSERT_TRUE(createForm(&Camera2));
    Camera2->Defender = 0;
    Camera2->Challenger = 1;
    Camera2->ShowStep = 8;  // the defender is answering
    ASSERT_TRUE(Camera2->LoadPictures());
    Camera2->Show();
    d.settle();
    d.capture("board-round1.png");

    EXPECT_EQ(Camera2->Score1Lbl->caption(), "12");
    EXPECT_EQ(Camera2->Score2Lbl->caption(), "-7");
    EXPECT_EQ(Camera2->Score3Lbl->caption(), "0");
    EXPECT_EQ(Camera2->Name1Lbl->caption(), TvzMain->FirstNamesEven[3]);
    EXPECT_EQ(Camera2->Name2Lbl->caption(), "Mary") << "the first word of a typed name";
    EXPECT_EQ(Camera2->Name3Lbl->caption(), kOneWordName);
    EXPECT_EQ(Camera2->CCLbl->caption(), "");

    for (int c = 0; c < 3; ++c) {
      SCOPED_TRACE("contestant " + std::to_string(c));
      for (int i = 0; i < 10; ++i) {
        const Label* cell = Camera2->CellLabels[c][i];
        EXPECT_EQ(cell->caption(), std::to_string(i + 1));
        EXPECT_EQ(seat(c).CellValue[i], i + 1);
        const bool red = c == 0 && i == 5;
        const Color expected = red ? kRed : seat(c).CellUsed[i] ? kGrey : kSilver;
        EXPECT_EQ(textColour(cell), expected) << "cell " << i;
      }
      // The picture, and the plate of the contestant's role.
      EXPECT_TRUE(samePixels(Camera2->ContestantImages[c]->bitmap(), Camera2->ContestantPictures[c]));
      EXPECT_TRUE(samePixels(Camera2->NamePlateImages[c]->bitmap(), Camera2->NamePlateStrip, 79 * seat(c).Role));
    }
    // The pyramid: cells 9..6 on top from the left, 1 and 0 at the bottom.
    EXPECT_EQ(Camera2->CellLabels[0][9]->boundsRect().left, 64);
    EXPECT_EQ(Camera2->CellLabels[0][6]->boundsRect().left, 172);
    EXPECT_EQ(Camera2->CellLabels[0][9]->boundsRect().top, 413);
    EXPECT_EQ(Camera2->CellLabels[1][1]->boundsRect().left, 366);
    EXPECT_EQ(Camera2->CellLabels[1][0]->boundsRect().left, 402);
    EXPECT_EQ(Camera2->CellLabels[2][0]->boundsRect().top, 460);
    EXPECT_EQ(Camera2->CellLabels[2][5]->boundsRect().left, 596);
  });
}

TEST_F(Board, PlacesEachFaceByItsAppearance) {
  play([&](Driver& d) {
    QuietShow();
    seat(0).Appearance = 5;
    seat(2).Appearance = 0;
    seat(2).AppearanceNo = 1;
    ASSERT_TRUE(OpenBoard(d));
    const Rect f0 = Camera2->Con1Ani->boundsRect();
    EXPECT_EQ(f0.left, 44 + 43);
    EXPECT_EQ(f0.top, 72 + 10);
    EXPECT_EQ(f0.width(), 96);
    const Rect f1 = Camera2->Con2Ani->boundsRect();
    EXPECT_EQ(f1.left, 314 + 43);
    EXPECT_EQ(f1.top, 72 + 1);
    const Rect f2 = Camera2->Con3Ani->boundsRect();
    EXPECT_EQ(f2.left, 584 + 40);
    EXPECT_EQ(f2.top, 72 + 20);
    EXPECT_EQ(Camera2->Con1Ani->fileName(), "con5.mm4");
    EXPECT_EQ(Camera2->Con3Ani->fileName(), "con0.mm4");
  });
}

TEST_F(Board, CellsShowTheRoundsValuesWithAndWithoutTheMultiplier) {
  play([&](Driver& d) {
    QuietShow();
    TvzMain->Round = 3;
    TvzMain->MultiplyByRound = 1;
    ASSERT_TRUE(OpenBoard(d));
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(Camera2->CellLabels[2][i]->caption(), std::to_string(3 * (i + 1)));
      EXPECT_EQ(seat(2).CellValue[i], 3 * (i + 1));
    }
    d.capture("board-round3-multiplied.png");
    Camera2->Close();
    d.settle();
    EXPECT_EQ(Camera2, nullptr);

    TvzMain->MultiplyByRound = 0;
    ASSERT_TRUE(OpenBoard(d));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Camera2->CellLabels[1][i]->caption(), std::to_string(i + 1));

    // A new round after a break: values of the round, every cell available again.
    seat(1).CellUsed[2] = 1;
    Camera2->ShowCell(1, 2, CellState::Used);
    TvzMain->MultiplyByRound = 1;
    TvzMain->Round = 2;
    Camera2->StartRoundCells();
    EXPECT_EQ(Camera2->CellLabels[1][9]->caption(), "20");
    EXPECT_EQ(seat(1).CellValue[9], 20);
    EXPECT_EQ(seat(1).CellUsed[2], 0);
    EXPECT_EQ(textColour(Camera2->CellLabels[1][2]), kSilver);
    // A round from a damaged saved game multiplies without overflowing.
    TvzMain->Round = INT32_MAX;
    Camera2->StartRoundCells();
    EXPECT_EQ(seat(0).CellValue[9], INT32_MAX);
  });
}

TEST_F(Board, ACellIsRedOnlyUnderTheDefenderWhileItsChallengeIsOn) {
  play([&](Driver& d) {
    QuietShow();
    seat(1).SelectedCell = 7;
    seat(1).CellUsed[7] = 1;
    for (int step : {5, 6, 14, 15, 16}) {
      SCOPED_TRACE("step " + std::to_string(step));
      ASSERT_TRUE(createForm(&Camera2));
      Camera2->Defender = 1;
      Camera2->ShowStep = step;
      ASSERT_TRUE(Camera2->LoadPictures());
      Camera2->Show();
      d.settle();
      const bool challenge = step >= 6 && step <= 14;
      EXPECT_EQ(textColour(Camera2->CellLabels[1][7]), challenge ? kRed : kGrey);
      Camera2->Close();
      d.settle();
    }
    // A board loaded before any defender was chosen shows no red at all.
    ASSERT_TRUE(createForm(&Camera2));
    Camera2->ShowStep = 8;
    ASSERT_TRUE(Camera2->LoadPictures());
    Camera2->Show();
    d.settle();
    for (int c = 0; c < 3; ++c)
      for (int i = 0; i < 10; ++i) EXPECT_NE(textColour(Camera2->CellLabels[c][i]), kRed);
  });
}

TEST_F(Board, SingleChangesAfterDrawing) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    seat(2).Score = -30;
    Camera2->ShowScore(2);
    EXPECT_EQ(Camera2->Score3Lbl->caption(), "-30");
    Camera2->ShowCell(0, 4, CellState::Current);
    EXPECT_EQ(textColour(Camera2->CellLabels[0][4]), kRed);
    Camera2->ShowCell(0, 4, CellState::Used);
    EXPECT_EQ(textColour(Camera2->CellLabels[0][4]), kGrey);
    Camera2->ShowCell(3, 4, CellState::Used);   // no such contestant
    Camera2->ShowCell(0, 10, CellState::Used);  // no such cell
    Camera2->SetCaption("I'll challenge for 5.");
    EXPECT_EQ(Camera2->CCLbl->caption(), "I'll challenge for 5.");

    // Roles light the plates: the challenger's plate changes when redrawn.
    Camera2->SetRole(1, 0);
    Camera2->SetRole(2, 2);
    Camera2->DrawNamePlates();
    EXPECT_EQ(seat(2).Role, 2);
    EXPECT_TRUE(samePixels(Camera2->Name2Img->bitmap(), Camera2->NamePlateStrip, 0));
    EXPECT_TRUE(samePixels(Camera2->Name3Img->bitmap(), Camera2->NamePlateStrip, 2 * 79));
    // A role outside the strip keeps the plate it had.
    seat(0).Role = 7;
    Camera2->DrawNamePlates();
    EXPECT_TRUE(samePixels(Camera2->Name1Img->bitmap(), Camera2->NamePlateStrip, 79));
    d.capture("board-changes.png");
  });
}

TEST_F(Board, CaptionsOffHideTheCaptionLineButKeepItsText) {
  play([&](Driver& d) {
    QuietShow();
    TvzMain->CaptionsOn = 0;
    ASSERT_TRUE(OpenBoard(d));
    EXPECT_FALSE(Camera2->CCLbl->visible());
    Camera2->SetCaption("Sorry,");
    EXPECT_EQ(Camera2->CCLbl->caption(), "Sorry,");
    EXPECT_EQ(Application::current().screenCursor(), Cursor::Default);
    // Turned on again while the board is up: seen at the next activation.
    TvzMain->CaptionsOn = 1;
    Camera2->FormActivate();
    EXPECT_TRUE(Camera2->CCLbl->visible());
  });
}

// A stand-in for the in-game menu: a dialog-sized form that only hides.
class StandInMenu : public Form {
 public:
  StandInMenu() {
    setClientSize(274, 305);
    centerOnScreen();
    setStayOnTop(true);
  }
  void FormClose(CloseAction& action) override { action = CloseAction::Hide; }
};

TEST_F(Board, TheMenuButtonAndItsKeysOpenTheInGameMenuOnce) {
  StandInMenu* menu = nullptr;
  play([&](Driver& d) {
    QuietShow();
    // The main window plugs in the real menu; a stand-in takes its place.
    TCamera2::FindInGameMenu = [&]() -> Form* { return menu; };
    ASSERT_TRUE(OpenBoard(d));
    d.keyUp('M');  // no menu yet: nothing happens, not even the click
    EXPECT_TRUE(TvzMain->PlayedClips.empty());

    menu = createForm<StandInMenu>();
    clickOn(d, Camera2->MenuBtn);
    EXPECT_TRUE(menu->visible());
    ASSERT_EQ(TvzMain->PlayedClips.size(), 1u);
    EXPECT_EQ(TvzMain->PlayedClips[0], std::vector<std::string>{"click.mm3"});
    Camera2->MenuBtnClick();  // already open: no second click
    EXPECT_EQ(TvzMain->PlayedClips.size(), 1u);

    for (int key : {vk::Escape, int{'M'}}) {
      menu->Close();
      d.settle();
      d.keyDown(key);
      EXPECT_FALSE(menu->visible()) << "the key acts when it is let go";
      d.keyUp(key);
      EXPECT_TRUE(menu->visible()) << key;
    }
    EXPECT_EQ(TvzMain->PlayedClips.size(), 3u);
  });
  TCamera2::FindInGameMenu = nullptr;
}

TEST_F(Board, TooltipsExplainScoresCellsAndTheMenu) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    auto hintAt = [&](const Control* control) {
      const Rect r = control->boundsRect();
      d.mouseMove(r.left + r.width() / 2, r.top + r.height() / 2);
      d.advance(Application::kHintPauseMs + 100);
      return Application::current().hintOnShow();
    };
    EXPECT_EQ(hintAt(Camera2->Score2Lbl), "Contestant's current score");
    EXPECT_EQ(hintAt(Camera2->CellLabels[2][8]), "Colors: White = available, Red = current, Gray = used");
    EXPECT_EQ(hintAt(Camera2->MenuBtn), "Click Here to See the Menu");
    d.capture("board-tooltip.png");
  });
}

TEST_F(Board, AltF4IsSwallowedAndClosingClearsTheBoardAtOnce) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    ShiftState alt;
    alt.alt = true;
    d.keyDown(vk::F4, alt);
    d.keyUp(vk::F4, alt);
    ASSERT_NE(Camera2, nullptr);
    EXPECT_TRUE(Camera2->visible());
    TCamera2* board = Camera2;
    board->Close();
    EXPECT_EQ(Camera2, nullptr) << "the show sees the board gone in the same frame";
    EXPECT_FALSE(board->StepShow());
    d.settle();
  });
}

// --- Damaged records and missing pictures ---------------------------------------

struct Damage {
  const char* what;
  void (*apply)(ContestantRecord&);
};

const Damage kDamages[] = {
    {"appearance 6", [](ContestantRecord& c) { c.Appearance = 6; }},
    {"appearance -1", [](ContestantRecord& c) { c.Appearance = -1; }},
    {"voice 0", [](ContestantRecord& c) { c.AppearanceNo = 0; }},
    {"voice 4", [](ContestantRecord& c) { c.AppearanceNo = 4; }},
    {"first name 12", [](ContestantRecord& c) { c.FirstNameIdx = 12; }},
    {"first name -1", [](ContestantRecord& c) { c.FirstNameIdx = -1; }},
    {"role 3", [](ContestantRecord& c) { c.Role = 3; }},
};

TEST_F(Board, RefusesADamagedContestantRecordWithAReport) {
  play([&](Driver& d) {
    for (const Damage& damage : kDamages) {
      SCOPED_TRACE(damage.what);
      QuietShow();
      damage.apply(seat(0));  // seat 0 is named from the lists
      std::filesystem::remove("error.log");
      ASSERT_TRUE(createForm(&Camera2));
      EXPECT_FALSE(Camera2->LoadPictures());
      EXPECT_EQ(Camera2, nullptr) << "the board has closed itself";
      d.settle();
      EXPECT_EQ(ErrorLogText(), "Err : Damaged contestant record\n      Contestant 1\nLocn: 810\n\n");
    }
    // A typed name does not need its list position.
    QuietShow();
    seat(1).FirstNameIdx = 400;
    std::filesystem::remove("error.log");
    ASSERT_TRUE(OpenBoard(d));
    EXPECT_EQ(Camera2->Name2Lbl->caption(), "Mary");
    EXPECT_FALSE(std::filesystem::exists("error.log"));
  });
}

class BoardWithoutAPicture : public ShowSession {
 protected:
  BoardWithoutAPicture() { except_ = {"cam22.mm1"}; }
};

TEST_F(BoardWithoutAPicture, FailsAtTheMissingPictureAndCloses) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(createForm(&Camera2));
    EXPECT_FALSE(Camera2->LoadPictures());
    EXPECT_EQ(Camera2, nullptr);
    d.settle();
    EXPECT_EQ(ErrorLogText(), "Err : File does not exist\n      cam22.mm1\nLocn: 120\n\n");
  });
}

}  // namespace
}  // namespace tvz::testing
