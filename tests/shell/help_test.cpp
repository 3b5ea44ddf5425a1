// The help screen: Escape (and the other menu keys) lead back to the top
// menu, and a paragraph longer than the box wraps inside it.
#include "core/scramble.h"
#include "harness/game_session.h"
#include "platform/screen_probe.h"
#include "shell/help_menu.h"
#include "shell/top_menu.h"

namespace tvz::testing {
namespace {

class Help : public GameSession {
 protected:
  static bool openHelp(Driver& d) {
    if (!reachTopMenu(d)) return false;
    d.press('H');
    return d.until([] { return HelpMenu && HelpMenu->visible(); }, 10);
  }
};

TEST_F(Help, EscapeLeavesAsTheMenuButtonDoes) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(openHelp(d));
    d.keyDown(vk::Escape);
    EXPECT_FALSE(HelpMenu->MenuBtn->transparent()) << "pressed look while Escape is held";
    EXPECT_EQ(HelpMenu->MenuPressed, 0);
    d.keyUp(vk::Escape);
    EXPECT_EQ(HelpMenu->MenuPressed, 1);
    ASSERT_TRUE(d.until([] { return TopMenu && TopMenu->visible() && !HelpMenu; }, 10));
    d.press('H');
    ASSERT_TRUE(d.until([] { return HelpMenu && HelpMenu->visible(); }, 10)) << "and help opens again";
  });
}

TEST_F(Help, LongLinesWrapInsideTheTextBox) {
  linkMedia({"he.mm3"});
  const std::string paragraph =
      "Every contestant defends in turn while the other two challenge for the cells of the "
      "defender's board, and right answers score the value of the cell they were asked for.";
  std::string text = "Short first line\r\n" + paragraph + "\r\nLast line\r\n";
  Scramble(reinterpret_cast<std::uint8_t*>(text.data()), text.size(), kHelpKey.start, kHelpKey.count,
           kHelpKey.step);
  writeFile("he.mm3", text);
  play([&](Driver& d) {
    ASSERT_TRUE(openHelp(d));
    Memo* memo = HelpMenu->HelpMemo;
    ASSERT_EQ(memo->lines().size(), 3u);
    EXPECT_GE(memo->displayLineCount(), 5) << "the paragraph takes several lines";
    d.ticks(1);
    d.capture("help-wrapped.png");
    // No text runs past the box: its right margin shows only the box colour.
    const Rect box = memo->boundsRect();
    const Rect margin{box.right - 6, box.top, box.right, box.bottom};
    EXPECT_EQ(inkBounds(d.capture(), rgb(255, 102, 0), margin).width(), 0);
  });
}

}  // namespace
}  // namespace tvz::testing
