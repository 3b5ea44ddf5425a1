// The game where the machine works against it: no sound device, a game
// folder it may not write, a disk that fills up during a save, saved games
// that cannot be read among those that can. Each time the game carries on,
// or ends, with a clear report, and nothing already on disk is lost.
// (A champions list that is a folder, and a full disk while the list is
// written, are in champions_test.cpp; a folder that takes no saved game in
// store/save_load_screens_test.cpp.)
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "harness/disk_full.h"
#include "harness/error_boxes.h"
#include "harness/ordinary_user.h"
#include "harness/show_in_progress.h"
#include "harness/whole_show.h"
#include "store/champion_list.h"
#include "store/champions.h"
#include "store/load_menu.h"
#include "store/save_menu.h"
#include "store/saved_game_file.h"

namespace tvz::testing {
namespace {

namespace fs = std::filesystem;

std::string fileEntry(const std::string& message, const std::string& name, int location) {
  return "Err : " + message + "\n      " + name + "\nLocn: " + std::to_string(location) + "\n\n";
}

std::string championsFile(const std::vector<std::string>& entries) {
  const auto bytes = EncodeChampionsFile(entries);
  return {bytes.begin(), bytes.end()};
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnvironment() {
    if (previous_)
      setenv(name_, previous_->c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

// --- No sound device ---------------------------------------------------------

// An audio driver that does not exist, and one that starts but cannot open
// its device (the disk driver told to write into a folder that is not there).
// The sound output tries its device once a process, and ctest runs each test
// in a process of its own.
struct SoundSetting {
  const char* driver;
  const char* diskFile;
  const char* report;  // what the game says on its error output
};
void PrintTo(const SoundSetting& setting, std::ostream* out) { *out << "SDL_AUDIODRIVER=" << setting.driver; }

class NoSoundDevice : public WholeShow, public ::testing::WithParamInterface<SoundSetting> {};

TEST_P(NoSoundDevice, AWholeShowPlaysSilentlyAndSaysWhy) {
  ScopedEnvironment driver("SDL_AUDIODRIVER", GetParam().driver);
  ScopedEnvironment diskFile("SDL_DISKAUDIOFILE", GetParam().diskFile);
  ::testing::internal::CaptureStderr();
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, ShowOptions{.seconds = 10}));
    ASSERT_TRUE(playToChampions(d));
    EXPECT_EQ(Champions->ChampionList.size(), 5u) << "the winner is on the list";
  });
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(GetParam().report), std::string::npos) << said;
  EXPECT_FALSE(fileExists("error.log")) << readFile("error.log");
}

INSTANTIATE_TEST_SUITE_P(Drivers, NoSoundDevice,
                         ::testing::Values(SoundSetting{"no-such-driver", "", "Sound is off: no audio ("},
                                           SoundSetting{"disk", "/nonexistent-trivenza-folder/sound.raw",
                                                        "Sound is off: no audio device (Couldn't open"}),
                         [](const auto& info) { return info.index == 0 ? "UnknownDriver" : "DeviceWillNotOpen"; });

// --- A game folder that may not be written -----------------------------------

// The game folder belongs to someone else: the player may read it but not
// write it. File permissions hold only for an ordinary user, so the show runs
// as one (see ordinary_user.h).
class UnwritableGameFolder : public WholeShow {
 protected:
  void SetUp() override {
    WholeShow::SetUp();
    writeFile("vantoc.mm3", championsFile(BuiltInChampions()));
    before_ = readFile("vantoc.mm3");
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0755);
    WholeShow::TearDown();
  }
  // Plays a show to its end as an ordinary user in the read-only folder.
  void playAsOrdinaryUser(const std::function<void(Driver&)>& scenario) {
    ::chmod(dir_.c_str(), 0555);
    AsOrdinaryUser user;
    ASSERT_TRUE(user.ok());
    play(scenario);
  }
  std::string before_;
};

// Every name in the folder but the links to the media.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& e : fs::directory_iterator(folder))
    if (!isLinkedMedia(e) || e.path().extension() == ".tzs") found.push_back(e.path().filename().string());
  std::sort(found.begin(), found.end());
  return found;
}

// With an error log the player may write to, the winner's entry that could
// not be kept is reported there and the show goes on to the champions list.
TEST_F(UnwritableGameFolder, TheWinnerStaysOnScreenAndTheFailureIsLogged) {
  writeFile("error.log", "");
  ::chmod((dir_ / "error.log").c_str(), 0666);
  playAsOrdinaryUser([&](Driver& d) {
    ASSERT_TRUE(startShow(d, ShowOptions{}));
    ASSERT_TRUE(playToChampions(d));
    EXPECT_EQ(Champions->ChampionList.size(), 5u);
    EXPECT_FALSE(d.app().terminated());
  });
  EXPECT_EQ(readFile("vantoc.mm3"), before_) << "the list on disk is untouched";
  EXPECT_EQ(namesIn(dir_), (std::vector<std::string>{"error.log", "vantoc.mm3"})) << "no temporary file left";
  EXPECT_NE(readFile("error.log").find(fileEntry("Error writing to file", "vantoc.mm3", 3930)), std::string::npos)
      << readFile("error.log");
}

// Without one, not even the report can be written: the game says so in a
// box, with the report, and ends (showing the report once more as it closes,
// as after any failure that ends it).
TEST_F(UnwritableGameFolder, WithoutAnErrorLogTheGameEndsWithABox) {
  ErrorBoxes boxes;
  playAsOrdinaryUser([&](Driver& d) {
    ASSERT_TRUE(startShow(d, ShowOptions{}));
    playToChampions(d);  // stops where the game ends
    EXPECT_TRUE(d.app().terminated()) << "the game ends";
  });
  std::string shown;
  for (const auto& box : boxes.boxes) shown += "[" + box.text + "]";
  const std::string report = fileEntry("Error writing to file", "vantoc.mm3", 3930);
  ASSERT_FALSE(boxes.boxes.empty());
  EXPECT_EQ(boxes.boxes[0].text, report + "\nUnable to create file");
  for (const auto& box : boxes.boxes) EXPECT_EQ(box.text.find(report), 0u) << shown;
  EXPECT_EQ(readFile("vantoc.mm3"), before_);
  EXPECT_EQ(namesIn(dir_), std::vector<std::string>{"vantoc.mm3"});
}

// --- Saved games -------------------------------------------------------------

class SavedGamesOnAHostileDisk : public ShowInProgress {
 protected:
  static bool visible(const Form* form) { return form && form->visible(); }
  static void saveOverSlotOne(Driver& d) {
    if (!visible(InGameMenu)) InGameMenu->Show();
    d.press('S');
    ASSERT_TRUE(visible(GSaveMenu));
    d.press(vk::Return);  // slot 1: its game, or the default name when empty
    if (visible(PopupBox)) d.press('Y');  // "overwrite it anyway?"
  }
};

// The disk fills up while a game is saved over an earlier one: the earlier
// game stays whole, no part-written file is left, the failure is reported and
// the show goes on.
TEST_F(SavedGamesOnAHostileDisk, AFullDiskDuringASaveKeepsTheEarlierGame) {
  std::string name, earlier;
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    prepareMidChallenge();
    saveOverSlotOne(d);
    for (const auto& e : fs::directory_iterator(dir_))
      if (e.path().extension() == ".tzs") name = e.path().filename().string();
    ASSERT_FALSE(name.empty()) << "the first save";
    earlier = readFile(name);
    ASSERT_EQ(earlier.size(), 988u);
    TvzMain->Contestants[0].Score = 77;
    std::vector<std::string> expected = namesIn(dir_);
    expected.push_back("error.log");  // with the report
    std::sort(expected.begin(), expected.end());
    {
      DiskFullAfter full(600);
      saveOverSlotOne(d);
    }
    EXPECT_EQ(namesIn(dir_), expected) << "no part-written file left";
    EXPECT_FALSE(visible(GSaveMenu));
    EXPECT_TRUE(visible(InGameMenu)) << "the show waits on its menu";
    d.press(vk::Escape);  // back to the game
    d.ticks(3);
    EXPECT_FALSE(d.app().terminated());
  });
  EXPECT_EQ(readFile(name), earlier);
  EXPECT_EQ(readFile("error.log"), fileEntry("Error writing to file", name, 2520));
}

// Among readable games, one whose link leads nowhere and a pipe: each is
// reported when picked and keeps the load screen, and a readable one still
// loads; nothing on disk changes.
TEST_F(SavedGamesOnAHostileDisk, UnreadableGamesAmongReadableOnesLoseNothing) {
  std::string game;
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    prepareMidChallenge();
    const auto bytes = EncodeSavedGame(MakeSavedGame(*TvzMain, board_));
    game.assign(bytes.begin(), bytes.end());
  });
  writeFile("a first.tzs", game);
  fs::create_symlink(dir_ / "gone.tzs.old", dir_ / "b gone.tzs");
  ASSERT_EQ(::mkfifo((dir_ / "c pipe.tzs").c_str(), 0644), 0);
  writeFile("d last.tzs", game);
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    connectBoard();
    for (char slot : {'2', '3'}) {
      SCOPED_TRACE(slot);
      if (!visible(GLoadMenu)) d.press('L');
      ASSERT_TRUE(visible(GLoadMenu));
      d.press(slot);
      d.press(vk::Return);
      EXPECT_TRUE(visible(GLoadMenu)) << "a game that cannot be opened keeps the screen";
      EXPECT_TRUE(continued_.empty());
    }
    d.press('4');
    d.keyDown(vk::Return);
    d.clock().advance(kFrameMs);
    d.keyUp(vk::Return);
    ASSERT_EQ(continued_.size(), 1u) << "the readable game after them loads";
    EXPECT_EQ(continued_[0], (BoardValues{2, 1, 8}));
  });
  EXPECT_EQ(readFile("a first.tzs"), game);
  EXPECT_EQ(readFile("d last.tzs"), game);
  EXPECT_TRUE(fs::is_symlink(dir_ / "b gone.tzs"));
  EXPECT_TRUE(fs::is_fifo(dir_ / "c pipe.tzs"));
  EXPECT_EQ(readFile("error.log"),
            fileEntry("Error opening file", "b gone.tzs", 2640) + fileEntry("Error opening file", "c pipe.tzs", 2640));
}

}  // namespace
}  // namespace tvz::testing
