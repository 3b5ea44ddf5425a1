// Where a run reads its media and keeps the player's files: a game folder
// started from itself keeps everything; anything else is an installed copy
// with the player's folders in the home folder, made and seeded at start.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/places.h"
#include "core/places_policy.h"
#include "harness/ordinary_user.h"
#include "test_media.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using testing::AsOrdinaryUser;
using testing::ReadText;
using testing::ScratchDir;

void touch(const fs::path& path, const std::string& text = "") {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A scratch folder with a game folder, an installed tree and a home folder.
class PlacesPolicy : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.path();
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
    touch(root_ / "game" / kMediaMarkerFile);
    touch(root_ / "game/trivenza");
    touch(root_ / "usr/share/trivenza" / kMediaMarkerFile);
    touch(root_ / "usr/share/trivenza" / kChampionsFileName, "installed list");
    touch(root_ / "usr/bin/trivenza");
    fs::create_directories(root_ / "home");
  }
  void TearDown() override { SetPlaces({}); }

  StartFacts facts(const fs::path& program, const fs::path& from) const {
    return {program.string(), from.string(), (root_ / "home").string(), "", ""};
  }

  ScratchDir dir_;
  fs::path root_;
};

TEST_F(PlacesPolicy, AGameFolderStartedFromItselfKeepsEverythingThere) {
  const PlacesChoice choice = ChoosePlaces(facts(root_ / "game/trivenza", root_ / "game"));
  EXPECT_FALSE(choice.installed);
  EXPECT_EQ(choice.places.media, "");
  EXPECT_EQ(choice.places.data, "");
  EXPECT_EQ(choice.places.config, "");
  EXPECT_EQ(FindMediaFolder(facts(root_ / "game/trivenza", root_ / "game")), (root_ / "game").string());
}

TEST_F(PlacesPolicy, AnInstalledProgramFindsItsShareFolderAndUsesTheHomeFolder) {
  const PlacesChoice choice = ChoosePlaces(facts(root_ / "usr/bin/trivenza", root_ / "home"));
  EXPECT_TRUE(choice.installed);
  EXPECT_EQ(choice.places.media, (root_ / "usr/share/trivenza").string());
  EXPECT_EQ(choice.places.data, (root_ / "home/.local/share/trivenza").string());
  EXPECT_EQ(choice.places.config, (root_ / "home/.config/trivenza").string());
  EXPECT_EQ(choice.problem, "");

  // Started from inside the installed media folder it is still installed:
  // the program is not in that folder.
  EXPECT_TRUE(ChoosePlaces(facts(root_ / "usr/bin/trivenza", root_ / "usr/share/trivenza")).installed);
}

TEST_F(PlacesPolicy, TheXdgFoldersCountOnlyWhenAbsolute) {
  StartFacts f = facts(root_ / "usr/bin/trivenza", root_ / "home");
  f.xdgDataHome = (root_ / "data").string();
  f.xdgConfigHome = (root_ / "config/").string();
  PlacesChoice choice = ChoosePlaces(f);
  EXPECT_EQ(choice.places.data, (root_ / "data/trivenza").string());
  EXPECT_EQ(choice.places.config, (root_ / "config/trivenza").string());

  f.xdgDataHome = "relative/data";
  f.xdgConfigHome = "relative/config";
  choice = ChoosePlaces(f);
  EXPECT_EQ(choice.places.data, (root_ / "home/.local/share/trivenza").string());
  EXPECT_EQ(choice.places.config, (root_ / "home/.config/trivenza").string());

  f.home = "";
  EXPECT_NE(ChoosePlaces(f).problem, "") << "nowhere to keep the saved games";
  f.xdgDataHome = (root_ / "data").string();
  f.xdgConfigHome = (root_ / "config").string();
  EXPECT_EQ(ChoosePlaces(f).problem, "") << "the XDG folders are enough";
}

TEST_F(PlacesPolicy, AGameFolderStartedFromElsewhereOrReadOnlyIsAnInstalledCopy) {
  PlacesChoice fromElsewhere = ChoosePlaces(facts(root_ / "game/trivenza", root_ / "home"));
  EXPECT_TRUE(fromElsewhere.installed);
  EXPECT_EQ(fromElsewhere.places.media, (root_ / "game").string());

  fs::permissions(root_ / "game", fs::perms::owner_write, fs::perm_options::remove);
  PlacesChoice readOnly;
  {
    AsOrdinaryUser user;
    ASSERT_TRUE(user.ok());
    readOnly = ChoosePlaces(facts(root_ / "game/trivenza", root_ / "game"));
  }
  fs::permissions(root_ / "game", fs::perms::owner_write, fs::perm_options::add);
  EXPECT_TRUE(readOnly.installed);
  EXPECT_EQ(readOnly.places.media, (root_ / "game").string());
  EXPECT_EQ(readOnly.places.data, (root_ / "home/.local/share/trivenza").string());
}

TEST_F(PlacesPolicy, WithoutMediaBesideTheProgramTheWorkingDirectoryIsTried) {
  touch(root_ / "elsewhere/trivenza");
  const StartFacts f = facts(root_ / "elsewhere/trivenza", root_ / "home");
  EXPECT_EQ(FindMediaFolder(f), (root_ / "home").string());
  EXPECT_TRUE(ChoosePlaces(f).installed);
}

TEST_F(PlacesPolicy, PreparingMakesPrivateFoldersSeedsTheChampionsAndEntersTheMedia) {
  const PlacesChoice choice = ChoosePlaces(facts(root_ / "usr/bin/trivenza", root_ / "home"));
  ASSERT_EQ(PreparePlaces(choice), "");
  const fs::path data = root_ / "home/.local/share/trivenza";
  EXPECT_EQ(Places().data, data.string());
  EXPECT_EQ(fs::status(data).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(fs::status(root_ / "home/.config").permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_TRUE(fs::is_directory(root_ / "home/.config/trivenza"));
  EXPECT_EQ(ReadText((data / kChampionsFileName).string()), "installed list");
  EXPECT_TRUE(fs::equivalent(fs::current_path(), root_ / "usr/share/trivenza"))
      << "media files are found by their bare names";

  // A later start keeps the player's own list.
  touch(data / kChampionsFileName, "the player's list");
  ASSERT_EQ(PreparePlaces(choice), "");
  EXPECT_EQ(ReadText((data / kChampionsFileName).string()), "the player's list");
}

TEST_F(PlacesPolicy, PreparingAGameFolderChangesNothing) {
  fs::current_path(root_ / "game");
  ASSERT_EQ(PreparePlaces(ChoosePlaces(facts(root_ / "game/trivenza", root_ / "game"))), "");
  EXPECT_EQ(Places().data, "");
  EXPECT_TRUE(fs::equivalent(fs::current_path(), root_ / "game"));
  EXPECT_FALSE(fs::exists(root_ / "game" / kChampionsFileName)) << "the built-in list applies";
  EXPECT_TRUE(fs::is_empty(root_ / "home"));
}

TEST_F(PlacesPolicy, AFolderThatCannotBeMadeIsExplained) {
  touch(root_ / "home/.local", "a file where a folder should be");
  const PlacesChoice choice = ChoosePlaces(facts(root_ / "usr/bin/trivenza", root_ / "home"));
  const std::string problem = PreparePlaces(choice);
  EXPECT_NE(problem.find("Cannot create the folder for your saved games"), std::string::npos) << problem;
  EXPECT_NE(problem.find(choice.places.data), std::string::npos) << problem;
  EXPECT_EQ(PreparePlaces(PlacesChoice{{}, true, "no home"}), "no home");
}

}  // namespace
}  // namespace tvz
