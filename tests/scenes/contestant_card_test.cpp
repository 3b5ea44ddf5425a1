// The contestant cards: their caption lines during the opening (champion,
// article rule, typed names, captions off), and as turn cards in the game.
#include "core/contestant_names.h"
#include "scene_session.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera2c.h"
#include "scenes/camera3h.h"
#include "scenes/camera3sc.h"
#include "scenes/camera3w.h"
#include "scenes/card_captions.h"

namespace tvz::testing {
namespace {

class ContestantCards : public SceneSession {
 protected:
  // The captions a card shows from its showing through two advances; the
  // first one's screen is kept when a picture name is given.
  template <class Card>
  std::vector<std::string> OpeningCaptions(Driver& d, Card*& slot, const std::string& png = {}) {
    EXPECT_NE(OpenPlain(d, slot), nullptr);
    if (!png.empty()) d.capture(png);
    std::vector<std::string> lines{slot->CCLbl->caption()};
    for (int step = 0; step < 2; ++step) {
      slot->AdvanceCaption();
      if (lines.back() != slot->CCLbl->caption()) lines.push_back(slot->CCLbl->caption());
    }
    return lines;
  }
  void SetOccupation(int k, const std::string& text) {
    game().Occupations[static_cast<std::size_t>(game().Contestants[k].OccupationIdx)] = text;
  }
};

TEST_F(ContestantCards, ReturningChampionIsIntroducedInOneSentence) {
  run([&](Driver& d) {
    SeatLineUp();
    game().OpeningPhase = 1;
    ContestantRecord& champion = game().Contestants[1];
    champion.IsReturningChampion = 1;
    SetOccupation(1, "optician");
    const std::string home = Residence(game(), champion);
    EXPECT_EQ(OpeningCaptions(d, Camera2b, "card-2-champion-line.png"),
              (std::vector<std::string>{"Our returning champion", "an optician from " + home,
                                        ListName(game(), champion)}));
    EXPECT_EQ(Camera2b->ShownLine(), CardLine::Name);
    d.capture("card-2-name-line.png");
    SetOccupation(1, "dentist");
    Camera2b->Close();
    d.settle();
    EXPECT_EQ(OpeningCaptions(d, Camera2b)[1], "a dentist from " + home);
    Camera2b->Close();
  });
}

TEST_F(ContestantCards, ArticleFollowsTheOccupationsFirstLetter) {
  run([&](Driver& d) {
    SeatLineUp();
    game().OpeningPhase = 1;
    const ContestantRecord& who = game().Contestants[0];
    const std::string home = Residence(game(), who);
    const std::pair<std::string, std::string> cases[] = {
        {"engineer", "An engineer from "}, {"upholsterer", "An upholsterer from "},
        {"baker", "A baker from "},        {"Optician", "A Optician from "},  // lower-case vowels only
    };
    for (const auto& [occupation, line] : cases) {
      SetOccupation(0, occupation);
      const std::vector<std::string> lines =
          OpeningCaptions(d, Camera2a, occupation == "engineer" ? "card-1-occupation-line.png" : "");
      ASSERT_EQ(lines.size(), 2u) << "no champion line";
      EXPECT_EQ(Camera2a->ShownLine(), CardLine::Name);
      EXPECT_EQ(lines[0], line + home);
      EXPECT_EQ(lines[1], ListName(game(), who));
      Camera2a->Close();
      d.settle();
    }
  });
}

TEST_F(ContestantCards, TypedNameIsTheNameLineAndListNamesFollowTheGender) {
  run([&](Driver& d) {
    SeatLineUp();
    game().OpeningPhase = 1;
    std::snprintf(game().Contestants[2].CustomName, 24, "%s", "Zoe Q. Public");
    EXPECT_EQ(OpeningCaptions(d, Camera2c).back(), "Zoe Q. Public");
    Camera2c->Close();
    d.settle();
    // Appearance 3 (odd) takes its first name from the odd list.
    ContestantRecord& odd = game().Contestants[1];
    EXPECT_EQ(OpeningCaptions(d, Camera2b).back(),
              game().FirstNamesOdd[odd.FirstNameIdx] + " " + game().LastNames[odd.LastNameIdx]);
    Camera2b->Close();
  });
}

TEST_F(ContestantCards, CaptionsOffOnlyTheFirstCardShowsItsName) {
  run([&](Driver& d) {
    SeatLineUp();
    game().OpeningPhase = 1;
    game().CaptionsOn = 0;
    OpeningCaptions(d, Camera2a);
    EXPECT_TRUE(Camera2a->CCLbl->visible()) << "card 1 shows its name line";
    OpeningCaptions(d, Camera2b);
    EXPECT_FALSE(Camera2b->CCLbl->visible());
    ASSERT_NE(OpenPlain(d, Camera2c), nullptr);
    EXPECT_FALSE(Camera2c->CCLbl->visible());
    EXPECT_EQ(Camera2c->ShownLine(), CardLine::Occupation);
    Camera2c->AdvanceCaption();
    EXPECT_FALSE(Camera2c->CCLbl->visible());
    d.settle();
  });
}

TEST_F(ContestantCards, DuringTheOpeningInputIsIgnored) {
  run([&](Driver& d) {
    SeatLineUp();
    game().OpeningPhase = 1;
    ASSERT_NE(OpenPlain(d, Camera2a), nullptr);
    d.click(400, 300);
    d.click(400, 550);
    d.press('X');
    d.press(vk::Escape);
    d.keyDown(vk::F4, {.alt = true});
    d.settle();
    ASSERT_NE(Camera2a, nullptr);
    EXPECT_TRUE(Camera2a->visible());
  });
}

TEST_F(ContestantCards, InTheGameTheCardSaysWhoseTurnAndGoesAtAClickOrKey) {
  run([&](Driver& d) {
    SeatLineUp();
    game().CaptionsOn = 0;
    const std::string turn = ListName(game(), game().Contestants[1]) + " (Click to continue)";
    ASSERT_NE(OpenPlain(d, Camera2b), nullptr);
    EXPECT_EQ(Camera2b->CCLbl->caption(), turn);
    EXPECT_EQ(Camera2b->ShownLine(), CardLine::Other);
    EXPECT_TRUE(Camera2b->CCLbl->visible()) << "shown even with captions off";
    d.click(400, 300);
    EXPECT_EQ(Camera2b, nullptr);
    ASSERT_NE(OpenPlain(d, Camera2b), nullptr);
    clickOn(d, Camera2b->CCLbl);
    EXPECT_EQ(Camera2b, nullptr);
    ASSERT_NE(OpenPlain(d, Camera2b), nullptr);
    d.keyDown('Q');
    d.settle();
    EXPECT_NE(Camera2b, nullptr);
    d.keyUp('Q');
    EXPECT_EQ(Camera2b, nullptr);
  });
}

TEST_F(ContestantCards, PictureFollowsTheAppearance) {
  run([&](Driver& d) {
    SeatLineUp();
    game().Contestants[1].Appearance = 5;
    ASSERT_NE(OpenPlain(d, Camera2b), nullptr);
    Bitmap expected;
    ASSERT_TRUE(game().LoadPicture("cam2x5.mm1", expected));
    EXPECT_EQ(Camera2b->BkgndImg->bitmap().width(), 800);
    EXPECT_TRUE(std::equal(expected.pixels(), expected.pixels() + 800 * 600 * 3,
                           Camera2b->BkgndImg->bitmap().pixels()));
    Camera2b->Close();
    d.settle();
    // A damaged saved game's appearance: no such picture, the card does not show.
    game().Contestants[1].Appearance = 9;
    EXPECT_EQ(OpenPlain(d, Camera2b), nullptr);
    EXPECT_EQ(Camera2b, nullptr);
    EXPECT_EQ(ErrorLog(), "Err : File does not exist\n      cam2x9.mm1\nLocn: 120\n\n");
  });
}

// Multi-player: the scenes put the card of the contestant whose turn it is on
// top; it has the keyboard, so a key meant for the scene only dismisses it.
TEST_F(ContestantCards, TurnCardCoversTheSceneAndTakesTheFirstKey) {
  run([&](Driver& d) {
    SeatLineUp();
    game().PlayMode = 5;
    game().Category = 6;
    ASSERT_NE(Open(d, Camera3w, 0), nullptr);
    ASSERT_NE(Camera2a, nullptr);
    EXPECT_TRUE(Camera2a->visible());
    EXPECT_TRUE(Camera2a->stayOnTop());
    EXPECT_TRUE(Camera2a->active());
    EXPECT_TRUE(AnyContestantCard());
    EXPECT_EQ(Camera2a->CCLbl->caption(), ListName(game(), game().Contestants[0]) + kClickToContinue);
    d.capture("turn-card.png");
    d.press('H');
    EXPECT_EQ(Camera2a, nullptr);
    EXPECT_EQ(game().Category, 6) << "the key only dismissed the card";
    ASSERT_NE(Camera3w, nullptr);
    EXPECT_TRUE(Camera3w->active());
    d.press('H');
    EXPECT_EQ(game().Category, 1);
  });
}

TEST_F(ContestantCards, TurnCardsGoToTheRightContestantOnlyInMultiPlayer) {
  run([&](Driver& d) {
    SeatLineUp();
    // Single player: never a card.
    ASSERT_NE(Open(d, Camera3h, 0), nullptr);
    EXPECT_FALSE(AnyContestantCard());
    Camera3h->Close();
    d.settle();

    game().PlayMode = 5;
    game().Contestants[1].IsHuman = 1;
    game().Contestants[1].Role = 2;
    // The value scene serves the defender but shows the challenger's card.
    ASSERT_NE(Open(d, Camera3sc, 0), nullptr);
    EXPECT_EQ(Camera2a, nullptr);
    ASSERT_NE(Camera2b, nullptr);
    d.press(vk::Space);
    Camera3sc->Close();
    // The show may name the challenger itself.
    d.settle();
    OnAppThread(d, [&] {
      ASSERT_NE(createForm(&Camera3sc), nullptr);
      Camera3sc->Challenger = 2;
      Camera3sc->Contestant = 0;
      ASSERT_TRUE(Camera3sc->LoadPictures());
      Camera3sc->Show();
    });
    EXPECT_NE(Camera2c, nullptr);
    d.press(vk::Space);
    Camera3sc->Close();
    d.settle();

    // A computer answers without a card.
    ASSERT_NE(Open(d, Camera3h, 2), nullptr);
    EXPECT_FALSE(AnyContestantCard());
    Camera3h->Close();
    d.settle();
    ASSERT_NE(Open(d, Camera3h, 1), nullptr);
    EXPECT_NE(Camera2b, nullptr);
    d.click(10, 10);
    EXPECT_EQ(Camera2b, nullptr);
    Camera3h->Close();
  });
}

// The card's picture cannot be read: reported, no card, the choice goes on.
TEST_F(ContestantCards, MissingCardPictureLeavesTheSceneWithoutACard) {
  linkMedia({"cam2x0.mm1"});
  run([&](Driver& d) {
    SeatLineUp();
    game().PlayMode = 5;
    ASSERT_NE(Open(d, Camera3w, 0), nullptr);
    d.settle();
    EXPECT_FALSE(AnyContestantCard());
    EXPECT_EQ(ErrorLog(), "Err : File does not exist\n      cam2x0.mm1\nLocn: 120\n\n");
    d.press('M');
    EXPECT_EQ(game().Category, 3);
  });
}

}  // namespace
}  // namespace tvz::testing
