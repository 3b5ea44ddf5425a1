// The opening of the show on the real game: "Start >" on contestant setup,
// the line-up with the theme, the three contestant cards, the host's welcome
// and the board that takes over at "Let's begin.", each line at its time; and
// a show whose opening cannot load what it needs ends with its report.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/contestant_names.h"
#include "harness/error_boxes.h"
#include "harness/game_session.h"
#include "menus/game_menu.h"
#include "menus/in_game_menu.h"
#include "menus/player_menu.h"
#include "platform/sound_output.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera2c.h"
#include "scenes/camera4.h"
#include "scenes/card_captions.h"
#include "scenes/host_scene.h"
#include "scenes/opening_soundtrack.h"
#include "show/board.h"
#include "store/champions.h"

namespace tvz::testing {
namespace {

ContestantRecord& seat(int k) { return TvzMain->Contestants[k]; }

bool HasPicture(const Picture* picture) { return picture->bitmap().width() > 0; }

Cursor ShownCursor(Driver& d) { return d.app().effectiveCursor(); }

class Opening : public GameSession {
 protected:
  // From the top menu through the options to contestant setup.
  static bool OpenSetup(Driver& d) {
    if (!reachTopMenu(d)) return false;
    d.press('N');
    if (!d.until([] { return GameMenu && GameMenu->visible(); }, 10)) return false;
    d.press('N');
    return d.until([] { return PlayerMenu && PlayerMenu->visible(); }, 10);
  }

  // "Start >", then the ticks until the line-up is on screen.
  static bool Start(Driver& d) {
    d.press('S');
    return d.until([] { return Camera4 && Camera4->visible() && !PlayerMenu; }, 5);
  }

  // Lets the opening run to one millisecond short of a step's time, where
  // the step must not fire yet, then to the time itself, where it fires and
  // ElapsedMs starts again from 0.
  static bool FiresAt(Driver& d, std::uint32_t ms, const std::function<bool()>& fired) {
    while (TvzMain->ElapsedMs + 2 * kFrameMs < ms) {
      d.ticks(1);
      if (fired()) {
        ADD_FAILURE() << "fired at " << TvzMain->ElapsedMs << " ms, before " << ms;
        return false;
      }
    }
    TvzMain->ElapsedMs = ms - 1 - kFrameMs;
    d.ticks(1);
    if (fired()) {
      ADD_FAILURE() << "fired one millisecond before " << ms;
      return false;
    }
    TvzMain->ElapsedMs = ms - kFrameMs;
    d.ticks(1);
    if (!fired()) {
      ADD_FAILURE() << "did not fire at " << ms << " ms";
      return false;
    }
    EXPECT_EQ(TvzMain->ElapsedMs, 0u) << "a step that fires starts the clock again";
    return true;
  }

  static bool Caption(const Label* label, const std::string& text) { return label->caption() == text; }
};

// The whole opening with a returning champion in seat 1 and two computer
// contestants, every step at its exact time.
TEST_F(Opening, StartPlaysTheLineUpCardsAndHostToTheBoard) {
  linkMedia();
  SoundOutput::instance().setRecordHistory(true);
  SoundOutput::instance().clearHistory();
  play([&](Driver& d) {
    ASSERT_TRUE(OpenSetup(d));
    // The player comes back as the champion of the last show.
    ContestantRecord champion = seat(0);
    champion.Score = 17;
    Champions->AddChampion(champion);
    for (int i = 0; i < 24; ++i) d.press('L');  // round the last names to the champion's again
    ASSERT_EQ(seat(0).IsReturningChampion, 1);

    ASSERT_TRUE(Start(d));
    EXPECT_EQ(TvzMain->OpeningPhase, 1);
    EXPECT_EQ(TvzMain->MenuPhase, 0);
    EXPECT_EQ(ShownCursor(d), Cursor::None) << "no pointer through the opening";
    for (int k = 1; k < 3; ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(seat(k).IsHuman, 0);
      EXPECT_GE(seat(k).FirstNameIdx, 0) << "the computer contestants are completed at the start";
      EXPECT_NE(seat(k).Appearance, seat(0).Appearance);
    }
    // The soundtrack assembled for this line-up is what plays.
    ASSERT_FALSE(TvzMain->PlayedClips.empty());
    const std::vector<std::string>& played = TvzMain->PlayedClips.back();
    EXPECT_EQ(played, TvzMain->VoiceStream.clips);
    ASSERT_GE(played.size(), 2u);
    EXPECT_EQ(played[0], "theme.mm3");
    for (int k = 0; k < 3; ++k)
      EXPECT_NE(std::find(played.begin(), played.end(), NumberedClip("ho", seat(k).OccupationIdx + 1)),
                played.end())
          << "contestant " << k << "'s occupation is spoken";
    ASSERT_FALSE(SoundOutput::instance().history().empty());
    EXPECT_EQ(SoundOutput::instance().history().back(), TvzMain->VoiceStream.bytes);

    // The line-up: card 1 is made at once, hidden, without restarting the clock.
    EXPECT_EQ(Camera4->CCLbl->caption(), "");
    d.ticks(1);
    ASSERT_NE(Camera2a, nullptr);
    EXPECT_FALSE(Camera2a->visible());
    EXPECT_EQ(TvzMain->ElapsedMs, kFrameMs);
    ASSERT_TRUE(FiresAt(d, 4169, [] { return Caption(Camera4->CCLbl, "This is Trivenza."); }));
    EXPECT_TRUE(HasPicture(Camera2a->BkgndImg)) << "card 1 loads with the first caption";
    d.capture("opening-lineup.png");
    ASSERT_TRUE(FiresAt(d, 3493, [] { return Caption(Camera4->CCLbl, "Lets meet tonight's contestants."); }));
    ASSERT_TRUE(FiresAt(d, 5123, [] { return Camera2a && Camera2a->visible(); }));
    EXPECT_EQ(Camera4, nullptr);
    EXPECT_EQ(TvzMain->OpeningShown, 1);

    // Card 1, the champion: three lines.
    EXPECT_EQ(Camera2a->CCLbl->caption(), "Our returning champion");
    d.ticks(1);
    ASSERT_NE(Camera2b, nullptr);
    EXPECT_FALSE(Camera2b->visible());
    EXPECT_EQ(TvzMain->ElapsedMs, kFrameMs);
    ASSERT_TRUE(FiresAt(d, 3500, [] { return Camera2a->ShownLine() == CardLine::Occupation; }));
    const std::string occupation = Occupation(*TvzMain, seat(0));
    EXPECT_EQ(Camera2a->CCLbl->caption(),
              Article(occupation, false) + occupation + " from " + Residence(*TvzMain, seat(0)));
    d.capture("opening-card-champion.png");
    ASSERT_TRUE(FiresAt(d, 2980, [] { return Camera2a->ShownLine() == CardLine::Name; }));
    EXPECT_EQ(Camera2a->CCLbl->caption(), ListName(*TvzMain, seat(0)));
    EXPECT_TRUE(HasPicture(Camera2b->BkgndImg));
    ASSERT_TRUE(FiresAt(d, 3004, [] { return Camera2b && Camera2b->visible(); }));
    EXPECT_EQ(Camera2a, nullptr);

    // Cards 2 and 3: no champion line, so occupation and name only.
    EXPECT_EQ(Camera2b->ShownLine(), CardLine::Occupation);
    d.ticks(1);
    ASSERT_NE(Camera2c, nullptr);
    ASSERT_TRUE(FiresAt(d, 2980, [] { return Camera2b->ShownLine() == CardLine::Name; }));
    EXPECT_TRUE(HasPicture(Camera2c->BkgndImg));
    ASSERT_TRUE(FiresAt(d, 3004, [] { return Camera2c && Camera2c->visible(); }));
    EXPECT_EQ(Camera2b, nullptr);
    EXPECT_EQ(Camera2c->ShownLine(), CardLine::Occupation);
    d.ticks(1);
    ASSERT_NE(Camera1, nullptr) << "the host is made while card 3 is up";
    EXPECT_FALSE(Camera1->visible());
    ASSERT_TRUE(FiresAt(d, 2980, [] { return Camera2c->ShownLine() == CardLine::Name; }));
    EXPECT_TRUE(HasPicture(Camera1->BkgndImg));
    d.capture("opening-card-3.png");
    ASSERT_TRUE(FiresAt(d, 3004, [] { return Camera1 && Camera1->visible(); }));
    EXPECT_EQ(Camera2c, nullptr);
    EXPECT_EQ(ShownCursor(d), Cursor::None);

    // The host: the board and the in-game menu come at once, hidden, and the
    // host starts his welcome while the caption stays.
    EXPECT_EQ(Camera1->CCLbl->caption(), "Welcome to Trivenza.");
    EXPECT_EQ(Camera2, nullptr);
    d.ticks(1);
    ASSERT_NE(Camera2, nullptr);
    ASSERT_NE(InGameMenu, nullptr);
    EXPECT_FALSE(Camera2->visible());
    EXPECT_FALSE(InGameMenu->visible());
    EXPECT_EQ(TvzMain->ElapsedMs, kFrameMs);
    EXPECT_EQ(Camera1->CCLbl->caption(), "Welcome to Trivenza.");
    EXPECT_TRUE(Camera1->Animating) << "the welcome stretch plays";
    EXPECT_FALSE(HasPicture(Camera2->BkgndImg));
    d.capture("opening-host.png");
    ASSERT_TRUE(FiresAt(d, 3500, [] { return Caption(Camera1->CCLbl, "I'm your host, Corvin Ashdale."); }));
    EXPECT_TRUE(HasPicture(Camera2->BkgndImg)) << "the board loads while the host gives his name";
    ASSERT_TRUE(FiresAt(d, 3000, [] { return Caption(Camera1->CCLbl, "Let's begin."); }));
    ASSERT_TRUE(FiresAt(d, 3000, [] { return Camera2->visible(); }));

    // The show begins: round 1, one defender, nobody challenging yet.
    EXPECT_EQ(Camera1, nullptr);
    EXPECT_EQ(TvzMain->Round, 1);
    EXPECT_EQ(TvzMain->OpeningPhase, 0);
    EXPECT_EQ(TvzMain->BreakScene, 0);
    EXPECT_EQ(Camera2->Defender, -1);
    EXPECT_EQ(Camera2->Challenger, -1);
    EXPECT_EQ(Camera2->ShowStep, 0);
    int defenders = 0;
    for (int k = 0; k < 3; ++k) {
      EXPECT_TRUE(seat(k).Role == 0 || seat(k).Role == 1);
      defenders += seat(k).Role == 1;
    }
    EXPECT_EQ(defenders, 1);
    EXPECT_FALSE(InGameMenu->visible());
    EXPECT_EQ(ShownCursor(d), Cursor::Arrow) << "the board brings the pointer back";
    d.ticks(30);
    EXPECT_TRUE(Camera2 && Camera2->visible()) << "the board stays for the show";
    d.capture("opening-board.png");
  });
  SoundOutput::instance().setRecordHistory(false);
}

// A typed name with captions off: the soundtrack leaves a gap instead of the
// name, and only card 1 shows its name line.
TEST_F(Opening, ATypedNameWithCaptionsOff) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(OpenSetup(d));
    clickOn(d, PlayerMenu->NameMemo);
    d.press(vk::Home);
    for (int i = 0; i < 30; ++i) d.press(vk::Delete);
    d.type("Zanzibar");
    TvzMain->CaptionsOn = 0;
    // An in-game menu left from a cancelled load is kept, not made twice.
    ASSERT_NE(createForm(&InGameMenu), nullptr);
    const TInGameMenu* menu = InGameMenu;
    clickOn(d, PlayerMenu->StartBtn);
    ASSERT_TRUE(d.until([] { return Camera4 && Camera4->visible() && !PlayerMenu; }, 5));
    ASSERT_STREQ(seat(0).CustomName, "Zanzibar");

    // The host speaks occupation and home town, then leaves 1.6 s before the
    // next contestant's occupation; no name clips for the typed name.
    const std::vector<std::string> played = TvzMain->PlayedClips.back();
    std::vector<SoundCue> cues;
    ASSERT_TRUE(AssembleOpeningSoundtrack(*TvzMain, &cues));
    EXPECT_EQ(TvzMain->VoiceStream.clips, played) << "the soundtrack that played";
    ASSERT_GE(cues.size(), 5u);
    EXPECT_EQ(cues[2].clip, NumberedClip("ho", seat(0).OccupationIdx + 1));
    EXPECT_EQ(cues[3].clip, NumberedClip("hr", seat(0).ResidenceIdx + 1));
    EXPECT_EQ(cues[4].clip, NumberedClip("ho", seat(1).OccupationIdx + 1));
    EXPECT_EQ(cues[4].atMs, cues[3].endMs + 1600 + 2000);
    EXPECT_EQ(std::count_if(played.begin(), played.end(),
                            [](const std::string& clip) { return clip.rfind("hf", 0) == 0; }),
              2)
        << "only the two computer contestants are named";

    auto hiddenUntil = [&](const std::function<bool()>& condition, const Label* const* caption) {
      for (int i = 0; i < 600 && !condition(); ++i) {
        if (*caption && (*caption)->visible()) return false;
        d.ticks(1);
      }
      return condition();
    };
    Label* lineUpCaption = Camera4->CCLbl;
    EXPECT_TRUE(hiddenUntil([] { return Camera2a && Camera2a->visible(); }, &lineUpCaption));
    ASSERT_NE(Camera2a, nullptr);
    Label* cardCaption = Camera2a->CCLbl;
    EXPECT_TRUE(hiddenUntil([] { return Camera2a->ShownLine() == CardLine::Name; }, &cardCaption));
    EXPECT_EQ(Camera2a->CCLbl->caption(), "Zanzibar");
    EXPECT_TRUE(Camera2a->CCLbl->visible()) << "card 1 shows its name line even with captions off";
    d.capture("opening-card-typed-name.png");
    ASSERT_TRUE(d.until([] { return Camera2b && Camera2b->visible(); }, 200));
    cardCaption = Camera2b->CCLbl;
    EXPECT_TRUE(hiddenUntil([] { return Camera2c && Camera2c->visible(); }, &cardCaption));
    cardCaption = Camera2c->CCLbl;
    EXPECT_TRUE(hiddenUntil([] { return Camera1 && Camera1->visible(); }, &cardCaption));
    Label* hostCaption = Camera1->CCLbl;
    EXPECT_TRUE(hiddenUntil([] { return Camera2 && Camera2->visible(); }, &hostCaption));
    ASSERT_NE(Camera2, nullptr);
    EXPECT_FALSE(Camera2->CCLbl->visible());
    EXPECT_EQ(InGameMenu, menu);
    EXPECT_EQ(TvzMain->OpeningPhase, 0);
  });
}

// What the opening needs but cannot load: the loader's report, and the
// program ends in order, without waiting for ever.
struct MissingFile {
  const char* file;
  const char* box;  // the last report, as the box at the end shows it
};

class OpeningWithout : public Opening, public ::testing::WithParamInterface<MissingFile> {
 protected:
  ErrorBoxes errorBoxes;
};

TEST_P(OpeningWithout, EndsTheProgramWithTheReport) {
  linkMedia({GetParam().file});
  bool started = false;
  play([&](Driver& d) {
    ASSERT_TRUE(OpenSetup(d));
    d.press('A');  // picture 2
    d.press('G');  // picture 3, whose close-up is "cam2x3.mm1"
    ASSERT_EQ(seat(0).Appearance, 3);
    started = true;
    d.press('S');
    // The whole opening takes about 45 s; the program ends well before.
    d.ticks(1600);
  });
  ASSERT_TRUE(started);
  ASSERT_EQ(errorBoxes.boxes.size(), 1u);
  EXPECT_EQ(errorBoxes.boxes[0].text, GetParam().box);
  std::ifstream log("error.log");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(log), {}), GetParam().box);
  EXPECT_EQ(TvzMain, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Opening, OpeningWithout,
    ::testing::Values(
        // At "Start >": the line-up's studio, the theme of the soundtrack.
        MissingFile{"cam4bknd.mm1", "Err : File does not exist\n      cam4bknd.mm1\nLocn: 120\n\n"},
        MissingFile{"theme.mm3", "Err : Error loading file\nLocn: 2105\n\n"},
        // Card 1's close-up, loaded on the line-up's first caption.
        MissingFile{"cam2x3.mm1", "Err : File does not exist\n      cam2x3.mm1\nLocn: 120\n\n"},
        // The host's studio, loaded while card 3 gives the name.
        MissingFile{"cam1bknd.mm1", "Err : File does not exist\n      cam1bknd.mm1\nLocn: 120\n\n"},
        // The board's background, loaded while the host gives his name.
        MissingFile{"cam2bknd.mm1", "Err : File does not exist\n      cam2bknd.mm1\nLocn: 120\n\n"}),
    [](const ::testing::TestParamInfo<MissingFile>& info) {
      std::string name = info.param.file;
      std::replace(name.begin(), name.end(), '.', '_');
      return name;
    });

}  // namespace
}  // namespace tvz::testing
