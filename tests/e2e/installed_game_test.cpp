// An installed game: the media folder it runs in is read-only to the player,
// and everything the player makes (champions list, saved games, error log)
// goes to the data folder, through the real screens.
#include <filesystem>

#include "core/places.h"
#include "harness/ordinary_user.h"
#include "harness/show_in_progress.h"
#include "menus/in_game_menu.h"
#include "store/champions.h"
#include "store/load_menu.h"
#include "store/save_menu.h"

namespace tvz::testing {
namespace {

namespace fs = std::filesystem;

class InstalledGame : public ShowInProgress {
 protected:
  void SetUp() override {
    ShowInProgress::SetUp();
    data_ = dir_ / "player";
    fs::create_directories(data_);
    fs::permissions(data_, fs::perms::all);  // the ordinary user's own folder
    SetPlaces({"", data_.string(), (dir_ / "settings").string()});
  }
  void TearDown() override {
    SetPlaces({});
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
    ShowInProgress::TearDown();
  }
  std::vector<std::string> filesIn(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
      if (!isLinkedMedia(e)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path data_;
};

TEST_F(InstalledGame, ChampionsAndSavedGamesGoToTheDataFolder) {
  fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::string loadSlot;
  {
    AsOrdinaryUser user;
    ASSERT_TRUE(user.ok());
    play([&](Driver& d) {
      ASSERT_TRUE(reachTopMenu(d));
      d.press('C');
      ASSERT_TRUE(d.until([] { return Champions && Champions->visible(); }, 10));
      ShiftState ctrl;
      ctrl.ctrl = true;
      d.keyDown('R', ctrl);
      d.keyUp('R', ctrl);
      d.press(vk::Escape);
      ASSERT_TRUE(startShow(d));
      InGameMenu->Show();
      d.press('S');
      ASSERT_TRUE(GSaveMenu && GSaveMenu->visible());
      d.press(vk::Return);  // the first slot, with the default name
      d.press('L');
      ASSERT_TRUE(GLoadMenu && GLoadMenu->visible());
      loadSlot = GLoadMenu->Game1Btn->caption();
      d.press(vk::Escape);
    });
  }
  const std::vector<std::string> kept = filesIn(data_);
  std::vector<std::string> saved;
  for (const std::string& name : kept)
    if (name.ends_with(".tzs")) saved.push_back(name);
  ASSERT_EQ(saved.size(), 1u) << ::testing::PrintToString(kept);
  EXPECT_EQ(fs::file_size(data_ / saved[0]), 988u);
  EXPECT_EQ(loadSlot, saved[0]) << "the load screen lists the data folder's games";
  EXPECT_TRUE(fs::exists(data_ / "vantoc.mm3")) << "the champions list";
  EXPECT_FALSE(fs::exists(data_ / "error.log")) << "nothing failed";
  EXPECT_EQ(filesIn(dir_), std::vector<std::string>{"player"}) << "nothing written beside the media";
}

}  // namespace
}  // namespace tvz::testing
