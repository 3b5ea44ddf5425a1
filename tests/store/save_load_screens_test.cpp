// Saving and loading through the real screens of the running game: from the
// in-game menu during a show, and from the top menu after a restart.
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "core/contestant_names.h"
#include "harness/ordinary_user.h"
#include "harness/show_in_progress.h"
#include "menus/game_menu.h"
#include "store/load_menu.h"
#include "store/save_menu.h"
#include "store/saved_game_file.h"
#include "store/saved_game_names.h"

namespace tvz::testing {
namespace {

namespace fs = std::filesystem;

std::tm seventhOfDecember() {
  std::tm t{};
  t.tm_mday = 7, t.tm_mon = 11, t.tm_year = 2026 - 1900;
  return t;
}

std::int32_t int32At(const std::string& bytes, std::size_t offset) {
  std::int32_t value = 0;
  if (bytes.size() >= offset + 4) std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

std::string fileEntry(const std::string& message, const std::string& name, int location) {
  return "Err : " + message + "\n      " + name + "\nLocn: " + std::to_string(location) + "\n\n";
}

class SavedGames : public ShowInProgress {
 protected:
  // The running game as a file's bytes.
  std::string currentGame() const {
    const auto bytes = EncodeSavedGame(MakeSavedGame(*TvzMain, board_));
    return {bytes.begin(), bytes.end()};
  }
  // Opens the save screen from the in-game menu, with the date fixed.
  static void openSaveScreen(Driver& d) {
    if (!visible(InGameMenu)) InGameMenu->Show();
    d.press('S');
    ASSERT_TRUE(visible(GSaveMenu));
    GSaveMenu->Date = seventhOfDecember;
  }
  static std::string defaultName() {
    return DefaultSaveName(FirstName(*TvzMain, TvzMain->Contestants[0]), seventhOfDecember());
  }
  static std::vector<std::string> savedGamesOnDisk() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator("."))
      if (HasSaveExtension(e.path().filename().string())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SavedGames, AGameSavedMidChallengeGoesOnAfterARestart) {
  std::vector<std::uint8_t> saved;
  std::string name;
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    prepareMidChallenge();
    openSaveScreen(d);
    EXPECT_TRUE(visible(InGameMenu)) << "the menu stays open behind the save screen";
    name = defaultName();
    d.press(vk::Return);  // no slot chosen: slot 1, empty, so the default name
    EXPECT_FALSE(visible(GSaveMenu));
    saved = savedBlocks();
  });
  ASSERT_TRUE(fileExists(name)) << name;
  ASSERT_EQ(readFile(name).size(), 988u);
  EXPECT_EQ(int32At(readFile(name), 540), 8) << "the board's step";

  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    connectBoard();
    EXPECT_NE(savedBlocks(), saved);
    d.press('L');
    ASSERT_TRUE(visible(GLoadMenu));
    EXPECT_EQ(GLoadMenu->Game1Btn->caption(), name);
    // The frame ticks go on under the load screen; nothing is decided yet.
    d.ticks(10);
    EXPECT_TRUE(visible(TopMenu));
    EXPECT_EQ(TvzMain->MenuPhase, 1);
    clickOn(d, GLoadMenu->Game1Btn);
    EXPECT_EQ(GLoadMenu->chosenSlot(), 0);
    // Round is 0: no question. A frame tick falls due as the key comes up,
    // so it runs right after the load, before the load screen's loop returns.
    d.keyDown(vk::Return);
    d.clock().advance(kFrameMs);
    d.keyUp(vk::Return);
    EXPECT_FALSE(visible(PopupBox));
    ASSERT_EQ(continued_.size(), 1u);
    EXPECT_EQ(continued_[0], (BoardValues{2, 1, 8}));
    EXPECT_EQ(savedBlocks(), saved) << "record, options and preferences as saved";
    ASSERT_TRUE(d.until([] { return !TopMenu; }, 3));
    EXPECT_EQ(TvzMain->MenuPhase, 0) << "the show runs";
    EXPECT_EQ(TvzMain->PlayMode, 5) << "the menu's play-mode reset did not touch the loaded game";
    EXPECT_EQ(TvzMain->SoundOn, 0);
    EXPECT_EQ(TvzMain->AudienceMood, 2);
    EXPECT_EQ(TvzMain->Round, 2);
  });
  EXPECT_FALSE(fileExists("error.log"));
}

TEST_F(SavedGames, TheDefaultNameIsNotOverwrittenWithoutAsking) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    openSaveScreen(d);
    const std::string name = defaultName();
    d.press(vk::Return);
    const std::string first = readFile(name);
    ASSERT_EQ(first.size(), 988u);

    TvzMain->Contestants[0].Score = 77;
    openSaveScreen(d);
    EXPECT_EQ(GSaveMenu->Game1Btn->caption(), name);
    EXPECT_EQ(GSaveMenu->Game1Edit->text(), name);
    EXPECT_EQ(GSaveMenu->Game2Btn->caption(), "Empty");
    clickOn(d, GSaveMenu->Game2Btn);
    ASSERT_TRUE(GSaveMenu->Game2Edit->visible());
    EXPECT_TRUE(GSaveMenu->Game2Edit->focused());
    EXPECT_EQ(GSaveMenu->Game2Edit->text(), "Empty");
    EXPECT_EQ(GSaveMenu->Game2Edit->selLength(), 5);
    d.capture("save-screen.png");
    // Another empty slot on the same day gets the same name: asked first.
    d.press(vk::Return);
    ASSERT_TRUE(visible(PopupBox));
    EXPECT_EQ(PopupBox->TitleLbl->caption(), "Save Game");
    EXPECT_EQ(PopupBox->TextLbl->caption(), "File already exists, overwrite it anyway?");
    d.capture("yes-no-box.png");
    d.press('N');
    EXPECT_FALSE(visible(GSaveMenu)) << "No closes the save screen";
    EXPECT_EQ(readFile(name), first);

    openSaveScreen(d);
    d.press(vk::Return);  // slot 1 holds the game: asked again
    ASSERT_TRUE(visible(PopupBox));
    d.press('Y');
    EXPECT_EQ(int32At(readFile(name), 544 + 60), 77);
    EXPECT_EQ(savedGamesOnDisk(), std::vector<std::string>{name});

    // A game deleted meanwhile leaves its slot empty, not showing its name.
    fs::remove(name);
    openSaveScreen(d);
    EXPECT_EQ(GSaveMenu->Game1Btn->caption(), "Empty");
  });
}

TEST_F(SavedGames, TypedNamesGetTheExtensionAndNeverLeaveTheDirectory) {
  const fs::path outside = dir_.parent_path() / "escape.tzs";
  fs::remove(outside);
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    openSaveScreen(d);
    clickOn(d, GSaveMenu->Game3Btn);
    d.type("Final round");
    d.press(vk::Return);
    EXPECT_EQ(savedGamesOnDisk(), std::vector<std::string>{"Final round.tzs"});
    openSaveScreen(d);
    EXPECT_EQ(GSaveMenu->Game1Btn->caption(), "Final round.tzs") << "listed again";

    for (const char* name : {"../escape", "/tmp/escape", "a\\b", "x/y", ".", ".."}) {
      openSaveScreen(d);
      clickOn(d, GSaveMenu->Game6Btn);
      d.type(name);
      d.press(vk::Return);
      EXPECT_FALSE(visible(PopupBox)) << name;
      EXPECT_FALSE(visible(GSaveMenu)) << name;
    }
  });
  EXPECT_EQ(readFile("error.log"),
            fileEntry("Unable to create file", "../escape", 2500) +
                fileEntry("Unable to create file", "/tmp/escape", 2500) +
                fileEntry("Unable to create file", "a\\b", 2500) + fileEntry("Unable to create file", "x/y", 2500) +
                fileEntry("Unable to create file", ".", 2500) + fileEntry("Unable to create file", "..", 2500));
  EXPECT_FALSE(fs::exists(outside));
  EXPECT_FALSE(fs::exists("/tmp/escape.tzs"));
  EXPECT_EQ(savedGamesOnDisk(), std::vector<std::string>{"Final round.tzs"});
}

TEST_F(SavedGames, LoadingDuringAShowAsksToAbandonIt) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    prepareMidChallenge();
    openSaveScreen(d);
    d.press(vk::Return);
    const auto saved = savedBlocks();
    TvzMain->Contestants[2].Score = 99;
    const auto changed = savedBlocks();

    d.press('L');
    ASSERT_TRUE(visible(GLoadMenu));
    EXPECT_TRUE(visible(InGameMenu));
    d.press(vk::Return);
    EXPECT_FALSE(visible(PopupBox)) << "nothing chosen, nothing to load";
    clickOn(d, GLoadMenu->Game2Btn);
    EXPECT_EQ(GLoadMenu->chosenSlot(), -1) << "an empty slot is not chosen";
    d.press('1');
    EXPECT_EQ(GLoadMenu->chosenSlot(), 0);
    EXPECT_FALSE(GLoadMenu->Game1Btn->transparent()) << "highlighted";
    d.press(vk::Return);
    ASSERT_TRUE(visible(PopupBox));
    EXPECT_EQ(PopupBox->TitleLbl->caption(), "Load Game");
    EXPECT_EQ(PopupBox->TextLbl->caption(), "Abandon the game in progress?");
    d.press('N');
    EXPECT_TRUE(visible(GLoadMenu));
    EXPECT_EQ(savedBlocks(), changed);
    EXPECT_TRUE(continued_.empty());

    d.press(vk::Return);
    d.press('Y');
    EXPECT_EQ(savedBlocks(), saved);
    EXPECT_EQ(continued_, (std::vector<BoardValues>{BoardValues{2, 1, 8}}));
    EXPECT_FALSE(visible(GLoadMenu));
    EXPECT_FALSE(visible(InGameMenu)) << "the menu went with the old board";
    EXPECT_NE(InGameMenu, nullptr) << "and stays for the new one";

    InGameMenu->Show();
    d.press('L');
    EXPECT_EQ(GLoadMenu->chosenSlot(), 0) << "the chosen game stays chosen";
  });
}

TEST_F(SavedGames, BadFilesAreReportedAndTheShowGoesOnUnchanged) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    prepareMidChallenge();
    const std::string game = currentGame();
    std::string badIndex = game;
    badIndex[840 + 52] = 9;  // contestant 2's Appearance
    std::string random(988, '\0');
    for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<char>(i * 7919 % 251);
    writeFile("a empty.tzs", "");
    writeFile("b 531.tzs", game.substr(0, 531));
    writeFile("c 532.tzs", game.substr(0, 532));
    writeFile("d 987.tzs", game.substr(0, 987));
    fs::create_directory("e folder.tzs");
    writeFile("f random.tzs", random);
    writeFile("g bad index.tzs", badIndex);
    const auto before = savedBlocks();

    InGameMenu->Show();
    d.press('L');
    ASSERT_TRUE(visible(GLoadMenu));
    EXPECT_EQ(GLoadMenu->Game6Btn->caption(), "f random.tzs") << "six of the seven listed";
    d.press('3');
    d.capture("load-screen.png");
    for (char slot = '1'; slot <= '6'; ++slot) {
      if (!visible(GLoadMenu)) d.press('L');
      d.press(slot);
      d.press(vk::Return);
      d.press('Y');  // abandon the show under way: the file decides
      EXPECT_EQ(visible(GLoadMenu), slot == '5') << "only a file that cannot be opened keeps the screen";
    }
    EXPECT_EQ(savedBlocks(), before);
    EXPECT_TRUE(continued_.empty());
    EXPECT_TRUE(visible(InGameMenu)) << "the show is still paused on its menu";
  });
  EXPECT_EQ(readFile("error.log"),
            fileEntry("Error reading from file", "a empty.tzs", 2610) +
                fileEntry("Error reading from file", "b 531.tzs", 2610) +
                fileEntry("Error reading from file", "c 532.tzs", 2620) +
                fileEntry("Error reading from file", "d 987.tzs", 2620) +
                fileEntry("Error opening file", "e folder.tzs", 2640) +
                fileEntry("Error reading from file", "f random.tzs", 2610));
}

TEST_F(SavedGames, AnUnreadableFileOrAReadOnlyDirectoryLosesNothing) {
  // The bank's index is opened for writing too, as the game always has.
  fs::remove("tvzd.tzd");
  fs::copy_file(fs::path(TRIVENZA_GAME_DIR) / "tvzd.tzd", "tvzd.tzd");
  ::chmod("tvzd.tzd", 0666);
  writeFile("error.log", "");
  ::chmod("error.log", 0666);
  writeFile("a.tzs", "the first saved game");
  writeFile("b.tzs", "the second saved game");
  ::chmod("b.tzs", 0);
  ::chmod(".", 0555);
  {
    AsOrdinaryUser user;
    ASSERT_TRUE(user.ok());
    play([&](Driver& d) {
      ASSERT_TRUE(startShow(d));
      openSaveScreen(d);
      d.press(vk::Return);  // over slot 1's game
      d.press('Y');
      openSaveScreen(d);
      clickOn(d, GSaveMenu->Game3Btn);
      d.type("new");
      d.press(vk::Return);
      InGameMenu->Show();
      d.press('L');
      d.press('2');
      d.press(vk::Return);
      d.press('Y');
      EXPECT_TRUE(visible(GLoadMenu));
      EXPECT_TRUE(continued_.empty());
    });
  }
  ::chmod(".", 0755);
  ::chmod("b.tzs", 0644);
  EXPECT_EQ(readFile("a.tzs"), "the first saved game");
  EXPECT_EQ(readFile("b.tzs"), "the second saved game");
  EXPECT_FALSE(fileExists("new.tzs"));
  EXPECT_EQ(readFile("error.log"), fileEntry("Error opening file", "a.tzs", 2530) +
                                       fileEntry("Unable to create file", "new.tzs", 2500) +
                                       fileEntry("Error opening file", "b.tzs", 2640));
}

TEST_F(SavedGames, ACancelledLoadLeavesAWorkingTopMenu) {
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    clickOn(d, TopMenu->LoadGameBtn);
    ASSERT_TRUE(visible(GLoadMenu));
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(GLoadMenu->slot(i - 1)->caption(), "Empty");
    d.press('1');
    d.press(vk::Return);
    EXPECT_TRUE(visible(GLoadMenu)) << "Load does nothing without a game";
    d.press(vk::Escape);
    EXPECT_FALSE(visible(GLoadMenu));
    d.ticks(3);
    EXPECT_TRUE(visible(TopMenu));
    EXPECT_EQ(TvzMain->MenuPhase, 1);
    d.press('N');
    EXPECT_TRUE(d.until([] { return visible(GameMenu); }, 10)) << "the menu still works";
  });
}

TEST_F(SavedGames, ALoadedGameWhoseBoardCannotBeDrawnEndsTheProgram) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    openSaveScreen(d);
    d.press(vk::Return);
  });
  // The board's background has gone since: the loaded game has nothing to
  // be played on.
  fs::remove(dir_ / "cam2bknd.mm1");
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    d.press('L');
    d.press('1');
    d.press(vk::Return);
    d.ticks(2);
    EXPECT_TRUE(d.app().terminated());
  });
  EXPECT_EQ(readFile("error.log"), "Err : File does not exist\n      cam2bknd.mm1\nLocn: 120\n\n");
}

}  // namespace
}  // namespace tvz::testing
