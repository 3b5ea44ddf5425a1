// Windows that cannot be made for want of memory: the in-game menu's four,
// the in-game menu itself when "Load Game" needs it, and the board of a
// loaded game. The test program's
// allocator refuses, once, an allocation of exactly the size of the window
// named.
#include "harness/show_in_progress.h"
#include "menus/prefs_menu.h"
#include "menus/refused_allocation.h"
#include "show/board.h"
#include "store/load_menu.h"
#include "store/save_menu.h"

namespace tvz::testing {
namespace {

class CreationFailure : public ShowInProgress {};

TEST_F(CreationFailure, AMissingWindowIsReportedAndTheShowEnds) {
  struct Case {
    std::size_t size;
    std::int32_t location;
    std::function<bool()> made;
  };
  const Case cases[] = {
      {sizeof(TPopupBox), 1600, [] { return PopupBox != nullptr; }},
      {sizeof(TGSaveMenu), 1610, [] { return GSaveMenu != nullptr; }},
      {sizeof(TGLoadMenu), 1620, [] { return GLoadMenu != nullptr; }},
      {sizeof(TPrefsMenu), 1630, [] { return PrefsMenu != nullptr; }},
  };
  std::string log;
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    for (const Case& c : cases) {
      SCOPED_TRACE(c.location);
      destroyForm(InGameMenu);
      RefuseNextAllocationOf(c.size);
      ASSERT_NE(createForm(&InGameMenu), nullptr);
      EXPECT_TRUE(AllocationRefused()) << "the window was asked for";
      EXPECT_FALSE(c.made());
      EXPECT_EQ(InGameMenu->QuitPressed, 1) << "the board ends the program when it looks";
      EXPECT_FALSE(InGameMenu->visible());
      // The board's menu button finds no menu to open, and a menu shown
      // anyway keeps its failure.
      ASSERT_TRUE(TCamera2::FindInGameMenu);
      EXPECT_EQ(TCamera2::FindInGameMenu(), nullptr);
      InGameMenu->Show();
      EXPECT_EQ(InGameMenu->QuitPressed, 1);
      InGameMenu->Hide();
      log += "Err : Insufficent memory or resources available\nLocn: " + std::to_string(c.location) + "\n\n";
    }
  });
  EXPECT_EQ(readFile("error.log"), log);
}

TEST_F(CreationFailure, LoadGameWithoutAnInGameMenuEndsTheProgram) {
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    RefuseNextAllocationOf(sizeof(TInGameMenu));
    d.press('L');
    d.ticks(2);
    EXPECT_TRUE(d.app().terminated());
  });
  EXPECT_EQ(readFile("error.log"), "Err : Insufficent memory or resources available\nLocn: 2720\n\n");
}

TEST_F(CreationFailure, ALoadedGameWithoutABoardEndsTheProgram) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    InGameMenu->Show();
    d.press('S');
    ASSERT_TRUE(GSaveMenu->visible());
    d.press(vk::Return);
  });
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    d.press('L');
    d.press('1');
    RefuseNextAllocationOf(sizeof(TCamera2));
    d.press(vk::Return);
    EXPECT_TRUE(AllocationRefused()) << "the board was asked for";
    d.ticks(2);
    EXPECT_TRUE(d.app().terminated());
  });
  EXPECT_EQ(readFile("error.log"), "Err : Insufficent memory or resources available\nLocn: 2630\n\n");
}

}  // namespace
}  // namespace tvz::testing
