// The two scrambling schemes: hand-computed vectors, the key wrap-arounds and
// round trips through the build tools' inverses.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "core/name_table.h"
#include "core/scramble.h"

namespace tvz {
namespace {

TEST(Unscramble, AddsTheRunningKeyModulo256) {
  // Start 250, step 3: keys 250, 253, 0 (wrapped), 3.
  std::vector<std::uint8_t> bytes{10, 10, 10, 10};
  Unscramble(bytes.data(), bytes.size(), 250, 0, 3);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{4, 7, 10, 13}));
}

TEST(Unscramble, CountLimitsTheProcessedBytes) {
  std::vector<std::uint8_t> bytes(300, 0);
  Unscramble(bytes.data(), bytes.size(), kPictureKey.start, kPictureKey.count, kPictureKey.step);
  EXPECT_EQ(bytes[0], 83);
  EXPECT_EQ(bytes[1], 96);
  EXPECT_EQ(bytes[255], (83 + 255 * 13) % 256);
  EXPECT_EQ(bytes[256], 0);  // past the picture key's 256 bytes
  EXPECT_EQ(bytes[299], 0);

  // Exactly 256 bytes with count 256: all of them; count 0: whatever the size.
  std::vector<std::uint8_t> exact(256, 0);
  Unscramble(exact.data(), exact.size(), 83, 256, 13);
  EXPECT_EQ(exact[255], (83 + 255 * 13) % 256);
  std::vector<std::uint8_t> whole(1000, 0);
  Unscramble(whole.data(), whole.size(), 58, 0, 9);
  EXPECT_EQ(whole[999], (58 + 999 * 9) % 256);
  // A buffer shorter than the count is processed to its end.
  std::vector<std::uint8_t> shortSound(10, 0);
  Unscramble(shortSound.data(), shortSound.size(), 62, 64, 6);
  EXPECT_EQ(shortSound[9], 62 + 54);
}

TEST(Unscramble, ScrambleIsItsInverseForEveryKey) {
  std::vector<std::uint8_t> plain(700);
  std::iota(plain.begin(), plain.end(), 0);
  for (const ScrambleKey& key : {kPictureKey, kSoundKey, kTextFileKey, kHelpKey}) {
    std::vector<std::uint8_t> bytes = plain;
    Scramble(bytes.data(), bytes.size(), key.start, key.count, key.step);
    EXPECT_NE(bytes, plain);
    Unscramble(bytes.data(), bytes.size(), key.start, key.count, key.step);
    EXPECT_EQ(bytes, plain);
  }
}

TEST(DescrambleText, HandComputedVector) {
  // Start 23, step 8: "A" - 23 = 42 '*'; ' ' - 31 = 1 -> 96 '`'; '~' - 39 = 87 'W'.
  EXPECT_EQ(DescrambleText("A ~", 23, 8), "*`W");
  // A key of 90 followed by step 8 gives 98 -> 4: the key is reduced by 94.
  EXPECT_EQ(DescrambleText("aa", 90, 8), (std::string{char(97 - 90 + 95), char(97 - 4)}));
  // Characters above 127 count as negative: 0xC8 is -56; -56 - 10 + 95 = 29.
  EXPECT_EQ(DescrambleText("\xC8", 10, 1), std::string(1, char(29)));
}

TEST(DescrambleText, RoundTripsPrintableTextWithEveryKey) {
  std::string printable;
  for (int c = 32; c <= 126; ++c) printable.push_back(static_cast<char>(c));
  for (int start = 1; start <= 94; ++start) {
    const std::string scrambled = ScrambleText(printable, start, 9);
    for (char c : scrambled) ASSERT_TRUE(c >= 32 && c <= 126);
    ASSERT_EQ(DescrambleText(scrambled, start, 9), printable) << "start " << start;
  }
}

TEST(DescrambleText, BuiltInNameTableIsPrintable) {
  for (int i = 0; i < kNameTableSize; ++i) {
    const std::string name = DescrambleText(kScrambledNameTable[i], 23, 8);
    EXPECT_FALSE(name.empty()) << i;
    for (char c : name) EXPECT_TRUE(c >= 32 && c <= 126) << i;
  }
}

}  // namespace
}  // namespace tvz
