// Names of saved games: the default name, the extension, names refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "store/saved_game_names.h"

namespace tvz {
namespace {

std::tm date(int day, int month, int year) {
  std::tm t{};
  t.tm_mday = day, t.tm_mon = month - 1, t.tm_year = year - 1900;
  return t;
}

TEST(SavedGameNames, DefaultNameIsFirstNameAndEnglishDate) {
  EXPECT_EQ(DefaultSaveName("Alice", date(7, 12, 2026)), "Alice 07-Dec-2026.tzs");
  EXPECT_EQ(DefaultSaveName("Bo", date(31, 1, 2027)), "Bo 31-Jan-2027.tzs");
  const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int m = 1; m <= 12; ++m)
    EXPECT_EQ(DefaultSaveName("X", date(1, m, 2030)), std::string("X 01-") + months[m - 1] + "-2030.tzs");
}

TEST(SavedGameNames, TheExtensionIsAddedWhenMissing) {
  EXPECT_EQ(WithSaveExtension("Final round"), "Final round.tzs");
  EXPECT_EQ(WithSaveExtension("game.tzs"), "game.tzs");
  EXPECT_EQ(WithSaveExtension("GAME.TZS"), "GAME.TZS");
  EXPECT_EQ(WithSaveExtension("game.tz"), "game.tz.tzs");
  EXPECT_FALSE(HasSaveExtension("tzs"));
}

TEST(SavedGameNames, NamesThatLeaveTheDirectoryOrHideAreRefused) {
  for (const char* bad : {"", ".", "..", "../x.tzs", "/tmp/x.tzs", "a/b.tzs", "a\\b.tzs",
                          "tab\there.tzs", "new\nline.tzs", "del\x7f.tzs", "c1\x81.tzs"}) {
    EXPECT_FALSE(IsSafeSaveName(bad)) << bad;
  }
  for (const char* good : {"Alice 07-Dec-2026.tzs", "..x.tzs", ".tzs", "M\xfcller & Sons!.tzs", "a b c"})
    EXPECT_TRUE(IsSafeSaveName(good)) << good;
}

TEST(SavedGameNames, SlotsAreInNameOrderIgnoringCase) {
  std::vector<std::string> names = {"b.tzs", "A.tzs", "a.tzs", "C.tzs", "ab.tzs", "Z.tzs", "_x.tzs"};
  std::sort(names.begin(), names.end(), SlotOrderBefore);
  EXPECT_EQ(names, (std::vector<std::string>{"_x.tzs", "A.tzs", "a.tzs", "ab.tzs", "b.tzs", "C.tzs", "Z.tzs"}));
}

TEST(SavedGameNames, ScreenNamesAndDiskNamesConvert) {
  EXPECT_EQ(DiskName("M\xfcller.tzs"), "M\xc3\xbcller.tzs");
  EXPECT_EQ(ShownName("M\xc3\xbcller.tzs"), "M\xfcller.tzs");
  // What the screen cannot show is marked, not dropped.
  EXPECT_EQ(ShownName("\xe6\x97\xa5.tzs"), "???.tzs");
  EXPECT_EQ(ShownName("bad\xff.tzs"), "bad?.tzs");
}

}  // namespace
}  // namespace tvz
