// Champion entries, their order, marks and the scrambled champions file.
#include <gtest/gtest.h>

#include "store/champion_list.h"

namespace tvz {
namespace {

TEST(ChampionEntries, PadScoreAndNameIntoColumns) {
  EXPECT_EQ(FormatEntry({7, "Alice Abbott", "Albany", 2}),
            "  7   Alice Abbott            Albany=2");
  // Long names and scores are not cut, just not padded.
  EXPECT_EQ(FormatEntry({1234, "Bartholomew Featherstonehaugh", "Reno", 5}),
            "1234   Bartholomew FeatherstonehaughReno=5");
  EXPECT_EQ(FormatEntry({-3, "Zed", "Omaha", 1}).substr(0, 6), " -3   ");
}

TEST(ChampionEntries, KeyIgnoresTheScoreUpToThreeDigits) {
  EXPECT_EQ(ChampionKey({0, "Alice Abbott", "Albany", 2}), ChampionKey({999, "Alice Abbott", "Albany", 2}));
  EXPECT_NE(ChampionKey({0, "Alice Abbott", "Albany", 2}), ChampionKey({0, "Alice Abbott", "Albany", 4}));
}

TEST(ChampionEntries, SortAsTextAndShowBestFirstWithoutPictureAndMark) {
  std::vector<std::string> entries = {
      FormatEntry({45, "b", "X", 1}) + "+", FormatEntry({999, "a", "Y", 2}) + "_",
      FormatEntry({1000, "c", "Z", 3}) + "+", FormatEntry({7, "d", "W", 0}) + "+"};
  SortEntries(entries);
  const auto lines = DisplayLines(entries);
  ASSERT_EQ(lines.size(), 4u);
  // Text order: a four-digit score sorts by its first digit, so 1000 comes
  // below 999 (but above the padded two-digit scores).
  EXPECT_EQ(lines[0].substr(0, 3), "999");
  EXPECT_EQ(lines[1].substr(0, 4), "1000");
  EXPECT_EQ(lines[2].substr(0, 3), " 45");
  EXPECT_EQ(lines[3].substr(0, 3), "  7");
  for (const auto& line : lines) EXPECT_EQ(line.find('='), std::string::npos);
}

TEST(ChampionEntries, RetiringMarksOnlyCurrentEntriesOfThatChampion) {
  const ChampionIdentity alice{10, "Alice Abbott", "Albany", 2};
  const ChampionIdentity brian{20, "Brian Barker", "Boston", 1};
  std::vector<std::string> entries = {FormatEntry(alice) + "+", FormatEntry({30, "Alice Abbott", "Albany", 2}) + "+",
                                      FormatEntry(brian) + "+"};
  EXPECT_TRUE(HasCurrentChampion(entries, ChampionKey(alice)));
  EXPECT_TRUE(RetireEntries(entries, ChampionKey(alice)));
  EXPECT_EQ(entries[0].back(), '_');
  EXPECT_EQ(entries[1].back(), '_');
  EXPECT_EQ(entries[2].back(), '+');
  EXPECT_FALSE(HasCurrentChampion(entries, ChampionKey(alice)));
  EXPECT_FALSE(RetireEntries(entries, ChampionKey(alice))) << "nothing left to change";
}

// The mark is the entry's last character: a "+" typed into a name is part of
// the name, neither a mark nor a place to retire the champion.
TEST(ChampionEntries, APlusInTheNameIsNeitherTheMarkNorRetired) {
  const ChampionIdentity fan{12, "C++ Fan", "Albany", 2};
  std::vector<std::string> entries = {FormatEntry(fan) + "_"};
  EXPECT_FALSE(HasCurrentChampion(entries, ChampionKey(fan))) << "a champion who has lost";
  EXPECT_FALSE(RetireEntries(entries, ChampionKey(fan)));

  entries = {FormatEntry(fan) + "+"};
  EXPECT_TRUE(RetireEntries(entries, ChampionKey(fan)));
  EXPECT_EQ(entries[0], FormatEntry(fan) + "_") << "the name is kept as typed";
  EXPECT_FALSE(HasCurrentChampion(entries, ChampionKey(fan)));
}

TEST(ChampionsFile, RoundTripsThroughTheScrambledFile) {
  const std::vector<std::string> entries = {"  5   Alice Abbott            Albany=0+", "abc"};
  const auto bytes = EncodeChampionsFile(entries);
  ASSERT_EQ(bytes.size(), entries[0].size() + 2 + 3 + 2);
  // Byte i is stored as (plain - (58 + 9 i)) mod 256.
  EXPECT_EQ(bytes[0], static_cast<std::uint8_t>(' ' - 58));
  EXPECT_EQ(bytes[1], static_cast<std::uint8_t>(' ' - 67));
  EXPECT_EQ(DecodeChampionsFile(bytes), entries);
  EXPECT_TRUE(DecodeChampionsFile({}).empty());
}

TEST(ChampionsFile, BuiltInEntriesAreFourStoredEntries) {
  const auto entries = BuiltInChampions();
  ASSERT_EQ(entries.size(), 4u);
  for (const auto& e : entries) {
    EXPECT_EQ(e.size(), 49u);
    EXPECT_NE(e.find('='), std::string::npos);
    EXPECT_TRUE(e.back() == '+' || e.back() == '_');
  }
}

}  // namespace
}  // namespace tvz
