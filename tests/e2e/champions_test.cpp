// The champions screen: its file, adding and retiring, Ctrl+R.
#include "harness/disk_full.h"
#include "harness/game_session.h"
#include "shell/top_menu.h"
#include "store/champion_list.h"
#include "store/champions.h"

namespace tvz::testing {
namespace {

class ChampionsScreen : public GameSession {
 protected:
  void SetUp() override {
    GameSession::SetUp();
    linkMedia();
  }
  static bool openChampions(Driver& d) {
    if (!reachTopMenu(d)) return false;
    d.press('C');
    return d.until([] { return Champions && Champions->visible(); }, 10);
  }
};

ContestantRecord listContestant(int first, int last, int residence, int appearance, int score) {
  ContestantRecord r{};
  r.FirstNameIdx = first;
  r.LastNameIdx = last;
  r.ResidenceIdx = residence;
  r.Appearance = appearance;
  r.Score = score;
  return r;
}

TEST_F(ChampionsScreen, AMissingFileStartsFromTheBuiltInChampions) {
  play([&](Driver& d) {
    ASSERT_TRUE(openChampions(d));
    EXPECT_EQ(Champions->ChampionList.size(), 4u);
    EXPECT_EQ(Champions->ChampsMemo->lines().front().substr(0, 3), " 87") << "best first";
  });
}

TEST_F(ChampionsScreen, WinnersAreSavedRetiredAndResetWithCtrlR) {
  play([&](Driver& d) {
    ASSERT_TRUE(openChampions(d));
    const ContestantRecord winner = listContestant(0, 0, 0, 2, 31);
    const ContestantRecord loser = listContestant(1, 1, 1, 3, 12);
    Champions->AddChampion(loser);
    Champions->AddChampion(winner);
    EXPECT_TRUE(Champions->IsChampion(loser));
    Champions->RetireChampion(loser);
    EXPECT_FALSE(Champions->IsChampion(loser));
    EXPECT_TRUE(Champions->IsChampion(winner));
    d.capture("champions-with-winners.png");

    // The file holds exactly the sorted list.
    const std::string stored = readFile("vantoc.mm3");
    auto onDisk = DecodeChampionsFile(std::vector<std::uint8_t>(stored.begin(), stored.end()));
    EXPECT_EQ(onDisk, Champions->ChampionList);
    EXPECT_EQ(onDisk.size(), 6u);

    ShiftState ctrl;
    ctrl.ctrl = true;
    d.keyDown('R', ctrl);
    d.keyUp('R', ctrl);
    EXPECT_EQ(Champions->ChampionList.size(), 4u);
    EXPECT_FALSE(Champions->IsChampion(winner));
    const std::string file = readFile("vantoc.mm3");
    EXPECT_EQ(DecodeChampionsFile(std::vector<std::uint8_t>(file.begin(), file.end())).size(), 4u);
  });
}

TEST_F(ChampionsScreen, AnUnreadableFileIsReportedAndNeverOverwritten) {
  std::filesystem::create_directory(dir_ / "vantoc.mm3");  // exists, cannot be read as a file
  play([&](Driver& d) {
    ASSERT_TRUE(openChampions(d));
    EXPECT_TRUE(Champions->ChampionList.empty());
    Champions->AddChampion(listContestant(0, 0, 0, 0, 5));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "vantoc.mm3"));
  });
  EXPECT_EQ(readFile("error.log"), "Err : Error reading from file\n      vantoc.mm3\nLocn: 3920\n\n");
}

// A full disk when the list is saved: the old file stays whole, the failure
// is reported, and the list on screen goes on.
TEST_F(ChampionsScreen, AFullDiskNeverReplacesTheListWithPartOfIt) {
  play([&](Driver& d) {
    ASSERT_TRUE(openChampions(d));
    Champions->AddChampion(listContestant(0, 0, 0, 2, 31));
    const std::string before = readFile("vantoc.mm3");
    ASSERT_GT(before.size(), 200u);
    const ContestantRecord next = listContestant(1, 1, 1, 3, 40);
    {
      DiskFullAfter full(before.size() / 2);
      Champions->AddChampion(next);
    }
    EXPECT_EQ(readFile("vantoc.mm3"), before);
    EXPECT_FALSE(fileExists("vantoc.mm3.new"));
    EXPECT_TRUE(Champions->IsChampion(next));
    EXPECT_EQ(Champions->ChampionList.size(), 6u);
  });
  EXPECT_EQ(readFile("error.log"), "Err : Error writing to file\n      vantoc.mm3\nLocn: 3930\n\n");
}

}  // namespace
}  // namespace tvz::testing
