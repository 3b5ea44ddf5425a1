// Question packs on the real game: choosing one on the options screen (and
// finding it chosen again next time), a pack that cannot be played, shows
// that ask fresh questions first, and saved games that remember their pack.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "core/pack_library.h"
#include "core/popup_box.h"
#include "core/question_history.h"
#include "core/settings.h"
#include "harness/pack_text.h"
#include "menus/game_menu.h"
#include "menus/in_game_menu.h"
#include "show/board.h"
#include "show/show_flow.h"
#include "shell/top_menu.h"
#include "show_checks.h"
#include "store/load_menu.h"
#include "store/save_menu.h"

namespace tvz::testing {
namespace {

namespace fs = std::filesystem;

bool Visible(const Form* form) { return form && form->visible(); }

class QuestionPacks : public WholeShow {
 protected:
  void writePack(const std::string& name, const std::string& text) {
    fs::create_directories(dir_ / "packs");
    writeFile("packs/" + name, text);
  }
  // The options screen from the top menu.
  static bool openOptions(Driver& d) {
    if (!reachTopMenu(d)) return false;
    d.press('N');
    return d.until([] { return Visible(GameMenu); }, 10);
  }
  static std::string packShown() { return GameMenu->PackLbl->caption(); }
  // Back to the top menu from the champions list.
  static bool backToTheTopMenu(Driver& d) {
    d.press(vk::Escape);
    return d.until([] { return TopMenu && TopMenu->visible(); }, 20);
  }
};

// A small pack of the player's own, and one with a fifth answer at line 8.
const std::string kAroundTheWorld = PackText("Around the World", 1, "world ");
std::string BrokenPack() {
  return "Title: Broken\n\n== History\n[2] Five answers?\n+ a\n- b\n- c\n- d\n- e\n\n" + SectionText(0, 1, "broken ").substr(std::string("== History\n\n").size()) +
         SectionText(1, 1) + SectionText(2, 1) + SectionText(3, 1);
}

TEST_F(QuestionPacks, TheOptionsStepThroughEveryPackAndTheChoiceIsRemembered) {
  writePack("world.tvq", kAroundTheWorld);
  writePack("broken.tvq", BrokenPack());
  play([&](Driver& d) {
    ASSERT_TRUE(openOptions(d));
    EXPECT_EQ(packShown(), "First Edition (400 questions)") << "the first time, the first edition";
    EXPECT_TRUE(GameMenu->PackLbl->cursor() == Cursor::HandPoint);
    d.capture("options-first-edition.png");
    // Built-in packs first, then the player's, each by file name.
    const std::vector<std::string> expected = {"Second Edition (400 questions)", "Third Edition (400 questions)",
                                               "Broken (cannot be played)", "Around the World (40 questions)",
                                               "First Edition (400 questions)"};
    for (const std::string& caption : expected) {
      d.press('Q');
      EXPECT_EQ(packShown(), caption);
      if (caption == "Broken (cannot be played)") {
        d.capture("options-broken-pack.png");
        EXPECT_EQ(GameMenu->PackProblemLbl->caption(),
                  "Cannot be played: line 4: the question has 1 right (\"+\") and 4 wrong (\"-\") answers; it "
                  "needs 1 and 3");
        EXPECT_FALSE(GameMenu->NextBtn->visible());
        d.press('N');
        EXPECT_TRUE(Visible(GameMenu)) << "a pack with a problem is never played";
      } else {
        EXPECT_TRUE(GameMenu->PackProblemLbl->caption().empty());
        EXPECT_TRUE(GameMenu->NextBtn->visible());
      }
    }
    ShiftState shift;
    shift.shift = true;
    d.keyDown('Q', shift);
    d.keyUp('Q', shift);
    EXPECT_EQ(packShown(), "Around the World (40 questions)") << "Shift+Q steps back";
    clickOn(d, GameMenu->PackLbl);
    EXPECT_EQ(packShown(), "First Edition (400 questions)") << "a click steps on";
    clickOn(d, GameMenu->PackLbl);
    EXPECT_EQ(packShown(), "Second Edition (400 questions)");
    d.capture("options-second-edition.png");
    // "Next >" gives the show the pack's questions.
    d.press('N');
    ASSERT_TRUE(d.until([] { return !GameMenu; }, 10));
    EXPECT_EQ(TvzMain->QuestionTexts, tvz::Packs().packs()[1].bank.questions);
    EXPECT_EQ(PackKeyOf(*TvzMain), PackKeyFor("second.tvq", PackHash(tvz::Packs().packs()[1].bank)));
  });
  EXPECT_EQ(readFile(kSettingsFile), "pack=second.tvq\n");
  // The next run starts on the pack chosen last.
  ForgetSettings();
  play([&](Driver& d) {
    ASSERT_TRUE(openOptions(d));
    EXPECT_EQ(packShown(), "Second Edition (400 questions)");
  });
  EXPECT_FALSE(fileExists("error.log"));
}

// The records each show asked, read at the step that draws the question.
class FreshQuestions : public QuestionPacks {
 protected:
  void SetUp() override {
    QuestionPacks::SetUp();
    writeFile(kSettingsFile, "pack=second.tvq\n");
    onStep = [this](const StepRun& run) {
      if (run.step == kReviewQuestion) asked_.back().push_back(TvzMain->QuestionRecord);
    };
  }
  bool playAShow(Driver& d) {
    asked_.emplace_back();
    return startShow(d, {.names = {"Ferdinand"}}) && playToChampions(d) && backToTheTopMenu(d);
  }
  std::vector<std::vector<std::int32_t>> asked_;
};

TEST_F(FreshQuestions, FiveShowsAskNoQuestionTwiceAndASixthAfterTheHistoryStillPlays) {
  play([&](Driver& d) {
    for (int show = 0; show < 5; ++show) ASSERT_TRUE(playAShow(d)) << "show " << show + 1;
    std::set<std::int32_t> distinct;
    for (const auto& show : asked_) {
      EXPECT_EQ(show.size(), 30u);
      distinct.insert(show.begin(), show.end());
    }
    EXPECT_EQ(distinct.size(), 150u) << "five shows, 150 questions, none asked twice";
    EXPECT_EQ(TvzMain->QuestionTexts.size(), 400u) << "the second edition's bank";

    // Every question of the pack asked before: each category starts over.
    std::string all = "# every record asked\n" + std::string("00000000") + "\n";
    char hash[9];
    std::snprintf(hash, sizeof hash, "%08x", PackKeyOf(*TvzMain).hash);
    all += hash;
    for (int f = 0; f < 400; ++f) all += " " + std::to_string(f);
    writeFile(kHistoryFile, all + "\n");
    ASSERT_TRUE(playAShow(d)) << "the sixth show";
    EXPECT_EQ(asked_.back().size(), 30u);
  });
  // The history now holds the sixth show's questions of the pack, and the
  // first edition's (untouched) line.
  const std::string history = readFile(kHistoryFile);
  EXPECT_NE(history.find("\n00000000\n"), std::string::npos) << history;
  EXPECT_FALSE(fileExists("error.log"));
}

TEST_F(FreshQuestions, ADamagedHistoryIsIgnoredAndWrittenAnew) {
  writeFile(kHistoryFile, std::string(1, '\0') + "\xff garbage\nzz 1 2 3\n12345678 -4 99999 7\n");
  play([&](Driver& d) { ASSERT_TRUE(playAShow(d)); });
  const std::string history = readFile(kHistoryFile);
  EXPECT_EQ(history.rfind("# Questions each question pack has asked", 0), 0u) << history;
  EXPECT_EQ(history.find("garbage"), std::string::npos);
  EXPECT_NE(history.find("12345678 7\n"), std::string::npos) << "what could be read is kept";
  EXPECT_FALSE(fileExists("error.log"));
}

// Saved from a three-round show of the player's pack, the smallest a pack
// may be (ten questions a category for the show's ninety), which then plays
// on to the champions; loaded while the first edition's show runs, with the
// pack there, gone and changed.
TEST_F(QuestionPacks, ASavedGameNeedsItsOwnPackAsItWas) {
  writePack("world.tvq", kAroundTheWorld);
  writeFile(kSettingsFile, "pack=world.tvq\n");
  std::string saved;
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {.rounds = 3}));
    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 2; }));
    EXPECT_EQ(TvzMain->QuestionTexts.size(), 40u);
    d.press(vk::Escape);
    d.press('S');
    ASSERT_TRUE(Visible(GSaveMenu));
    clickOn(d, GSaveMenu->Game1Btn);
    d.type("world game");
    d.press(vk::Return);
    saved = readFile("world game.tzs");
    ASSERT_EQ(saved.size(), 988u);
    EXPECT_EQ(saved.substr(9, 7), std::string("world\0\0", 7));
    d.press(vk::Escape);  // back to the show, which goes on to its end
    ASSERT_TRUE(playToChampions(d)) << "ninety questions drawn from forty";
    EXPECT_TRUE(std::any_of(steps_.begin(), steps_.end(), [](const StepRun& s) { return s.round == 3; }))
        << "the third round played";
  });
  EXPECT_NE(readFile(kHistoryFile).find(' '), std::string::npos) << "a saved show's questions are remembered";

  auto loadInTheMiddleOfAFirstEditionShow = [&](Driver& d) {
    writeFile(kSettingsFile, "pack=\n");
    ForgetSettings();
    EXPECT_TRUE(startShow(d, {}));
    d.press(vk::Escape);
    d.press('L');
    d.press('1');
    d.press(vk::Return);
    d.press('Y');  // abandon the game in progress
  };
  // With the pack there: the saved show goes on, with the pack's questions.
  play([&](Driver& d) {
    loadInTheMiddleOfAFirstEditionShow(d);
    ASSERT_TRUE(Camera2 && Camera2->visible());
    EXPECT_EQ(TvzMain->QuestionTexts.size(), 40u);
    EXPECT_EQ(PackKeyOf(*TvzMain).name, "world");
    ASSERT_TRUE(playUntil(d, [&] { return CountSteps(steps_, kEndChallenge) >= 4; }));
  });
  // Gone, then changed: the player is told which pack, nothing else changes.
  const std::pair<std::string, std::string> cases[] = {
      {"", "This game needs the question pack \"world.tvq\", which is not here. Put the pack back to load the game."},
      {PackText("Around the World", 1, "other "),
       "The question pack \"Around the World\" has changed since this game was saved. The game can only be loaded "
       "with the pack as it was."}};
  for (const auto& [pack, message] : cases) {
    fs::remove(dir_ / "packs" / "world.tvq");
    if (!pack.empty()) writePack("world.tvq", pack);
    play([&](Driver& d) {
      loadInTheMiddleOfAFirstEditionShow(d);
      ASSERT_TRUE(Visible(PopupBox2));
      EXPECT_EQ(PopupBox2->TextLbl->caption(), message);
      d.capture(pack.empty() ? "load-pack-missing.png" : "load-pack-changed.png");
      d.press(vk::Return);
      EXPECT_TRUE(Visible(GLoadMenu)) << "the load screen stays for another choice";
      EXPECT_EQ(TvzMain->QuestionTexts.size(), 400u) << "the running show keeps its questions";
      EXPECT_TRUE(PackKeyOf(*TvzMain).firstEdition());
    });
    EXPECT_EQ(readFile("world game.tzs"), saved) << "the file is untouched";
  }
  EXPECT_FALSE(fileExists("error.log"));
}

}  // namespace
}  // namespace tvz::testing
