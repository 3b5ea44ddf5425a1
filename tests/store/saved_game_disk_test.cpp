// Saved games on disk: the slot listing, reading whole files, and saving
// through a temporary file so that no failure costs the old game.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/places.h"
#include "harness/ordinary_user.h"
#include "store/saved_game_disk.h"
#include "store/saved_game_samples.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using samples::goodImage;
using samples::kLimits;
using testing::AsOrdinaryUser;

class SavedGameDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() /
           ("trivenza-disk-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

  static void write(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
  }
  static std::string read(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static std::string bytesOf(const SavedGameImage& image) {
    const auto bytes = EncodeSavedGame(image);
    return {bytes.begin(), bytes.end()};
  }
  // Every name in the directory: nothing is left behind by a failed save.
  static std::vector<std::string> directory() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(".")) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static SavedGameImage otherGame() {
    SavedGameImage image = goodImage();
    image.Contestants[1].Score = 55;
    return image;
  }

  fs::path dir_, previous_;
};

TEST_F(SavedGameDisk, ListsEveryTzsEntryInNameOrder) {
  for (const char* name : {"b game.tzs", "A game.tzs", "c.TZS", "notes.txt", "d.tzs.bak", "a game.tzs"})
    write(name, "x");
  fs::create_directory("folder.tzs");
  write(".hidden.tzs.Ab12Cd", "a temporary file of a save under way");
  std::vector<std::string> listed;
  for (const SavedGameEntry& e : ListSavedGames()) listed.push_back(e.diskName);
  EXPECT_EQ(listed, (std::vector<std::string>{"A game.tzs", "a game.tzs", "b game.tzs", "c.TZS", "folder.tzs"}));
  write("M\xc3\xbcller.tzs", "x");
  EXPECT_EQ(ListSavedGames().at(5).shownName, "M\xfcller.tzs");
}

TEST_F(SavedGameDisk, WritesTheGameAndReadsItBack) {
  ASSERT_TRUE(WriteSavedGameFile("game.tzs", goodImage()).ok());
  EXPECT_EQ(read("game.tzs"), bytesOf(goodImage()));
  EXPECT_EQ(directory(), std::vector<std::string>{"game.tzs"});
  fs::permissions("game.tzs", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  ASSERT_TRUE(WriteSavedGameFile("game.tzs", otherGame()).ok());
  EXPECT_EQ(read("game.tzs"), bytesOf(otherGame()));
  EXPECT_EQ(fs::status("game.tzs").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
      << "a replaced game keeps its permissions";

  SavedGameImage image{};
  ASSERT_TRUE(ReadSavedGameFile("game.tzs", kLimits, image).ok());
  EXPECT_EQ(image.Contestants[1].Score, 55);
}

// Writes fail part-way when the file may not grow past the limit.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(SavedGameDisk, AFailedWriteLeavesTheOldGameAndNoTemporaryFile) {
  ASSERT_TRUE(WriteSavedGameFile("game.tzs", goodImage()).ok());
  DiskReport first, rest;
  {
    FileSizeLimit limit(100);
    first = WriteSavedGameFile("game.tzs", otherGame());
  }
  {
    FileSizeLimit limit(600);
    rest = WriteSavedGameFile("game.tzs", otherGame());
  }
  EXPECT_EQ(first.message, "Error writing to file");
  EXPECT_EQ(first.location, 2510);
  EXPECT_EQ(rest.message, "Error writing to file");
  EXPECT_EQ(rest.location, 2520);
  EXPECT_EQ(read("game.tzs"), bytesOf(goodImage()));
  EXPECT_EQ(directory(), std::vector<std::string>{"game.tzs"});
  {
    FileSizeLimit limit(100);
    EXPECT_EQ(WriteSavedGameFile("new.tzs", otherGame()).location, 2510);
  }
  EXPECT_EQ(directory(), std::vector<std::string>{"game.tzs"}) << "no half-written new game either";
}

TEST_F(SavedGameDisk, WhatMayNotBeReplacedIsLeftAlone) {
  fs::create_directory("folder.tzs");
  write("folder.tzs/inside", "kept");
  DiskReport report = WriteSavedGameFile("folder.tzs", goodImage());
  EXPECT_EQ(report.message, "Error opening file");
  EXPECT_EQ(report.location, 2530);
  EXPECT_EQ(read("folder.tzs/inside"), "kept");

  write("protected.tzs", "the player's old game");
  fs::permissions("protected.tzs", fs::perms::owner_read);
  write("old.tzs", "an old game");
  fs::permissions(".", fs::perms::owner_all, fs::perm_options::remove);
  fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::add);
  DiskReport protectedFile, newName, oldName;
  {
    AsOrdinaryUser user;
    ASSERT_TRUE(user.ok());
    protectedFile = WriteSavedGameFile("protected.tzs", goodImage());
    newName = WriteSavedGameFile("new.tzs", goodImage());
    oldName = WriteSavedGameFile("old.tzs", goodImage());
  }
  EXPECT_EQ(protectedFile.location, 2530);
  EXPECT_EQ(newName.message, "Unable to create file") << "a read-only directory takes no new game";
  EXPECT_EQ(newName.location, 2500);
  EXPECT_EQ(oldName.message, "Error opening file") << "nor a replacement";
  EXPECT_EQ(oldName.location, 2530);
  EXPECT_EQ(read("old.tzs"), "an old game");
  EXPECT_EQ(read("protected.tzs"), "the player's old game");
  EXPECT_FALSE(fs::exists("new.tzs"));
}

TEST_F(SavedGameDisk, ALinkIsReplacedNeverFollowed) {
  const fs::path outside = dir_.string() + "-outside.tzs";
  std::ofstream(outside) << "not the game's";
  fs::create_symlink(outside, "link.tzs");
  ASSERT_TRUE(WriteSavedGameFile("link.tzs", goodImage()).ok());
  EXPECT_FALSE(fs::is_symlink("link.tzs"));
  EXPECT_EQ(read(outside.string()), "not the game's");
  fs::remove(outside);
}

TEST_F(SavedGameDisk, ReadingReportsWhatCannotBeUsed) {
  const std::string game = bytesOf(goodImage());
  write("empty.tzs", "");
  write("531.tzs", game.substr(0, 531));
  write("532.tzs", game.substr(0, 532));
  write("987.tzs", game.substr(0, 987));
  write("988.tzs", game);
  fs::create_directory("folder.tzs");
  fs::create_symlink("nowhere", "dangling.tzs");
  ASSERT_EQ(::mkfifo("pipe.tzs", 0600), 0);
  const std::pair<const char*, std::int32_t> expected[] = {
      {"empty.tzs", 2610}, {"531.tzs", 2610},      {"532.tzs", 2620},  {"987.tzs", 2620},
      {"988.tzs", 0},      {"folder.tzs", 2640},   {"pipe.tzs", 2640}, {"dangling.tzs", 2640},
      {"missing.tzs", 2640}};
  for (const auto& [name, location] : expected) {
    SCOPED_TRACE(name);
    SavedGameImage image{};
    const DiskReport report = ReadSavedGameFile(name, kLimits, image);
    EXPECT_EQ(report.location, location) << report.reason;
    if (location == 2640) {
      EXPECT_EQ(report.message, "Error opening file");
    } else if (location != 0) {
      EXPECT_EQ(report.message, "Error reading from file");
    }
  }

  write("unreadable.tzs", game);
  fs::permissions("unreadable.tzs", fs::perms::none);
  AsOrdinaryUser user;
  ASSERT_TRUE(user.ok());
  SavedGameImage image{};
  EXPECT_EQ(ReadSavedGameFile("unreadable.tzs", kLimits, image).location, 2640);
}

// An installed game keeps its saved games in the player's data folder: the
// listing, the check for a taken name, reading and saving all go there, and
// nothing is written where the game was started.
TEST_F(SavedGameDisk, AllOfItHappensInTheDataFolder) {
  fs::create_directory("data");
  SetPlaces({"", (dir_ / "data").string(), ""});
  write("started here.tzs", "not a saved game of the player's");
  const DiskReport saved = WriteSavedGameFile("Ann 7 Dec.tzs", goodImage());
  const bool taken = SaveNameTaken("Ann 7 Dec.tzs"), takenHere = SaveNameTaken("started here.tzs");
  const std::vector<SavedGameEntry> listed = ListSavedGames();
  SavedGameImage image{};
  const DiskReport loaded = ReadSavedGameFile("Ann 7 Dec.tzs", kLimits, image);
  const DiskReport replaced = WriteSavedGameFile("Ann 7 Dec.tzs", otherGame());
  SetPlaces({});

  EXPECT_TRUE(saved.ok()) << saved.reason;
  EXPECT_TRUE(taken);
  EXPECT_FALSE(takenHere);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].diskName, "Ann 7 Dec.tzs");
  EXPECT_TRUE(loaded.ok()) << loaded.reason;
  EXPECT_EQ(bytesOf(image), bytesOf(goodImage()));
  EXPECT_TRUE(replaced.ok()) << replaced.reason;
  EXPECT_EQ(read("data/Ann 7 Dec.tzs"), bytesOf(otherGame()));
  std::vector<std::string> inData;
  for (const auto& e : fs::directory_iterator("data")) inData.push_back(e.path().filename().string());
  EXPECT_EQ(inData, std::vector<std::string>{"Ann 7 Dec.tzs"}) << "no temporary file left";
  EXPECT_EQ(directory(), (std::vector<std::string>{"data", "started here.tzs"}));
}

}  // namespace
}  // namespace tvz
