// The picture loader on real files: scrambled JPEG and BMP pictures, the
// extension rules, the report codes, and damaged data that must fail cleanly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "core/bmp_decoder.h"
#include "core/error_log.h"
#include "core/jpeg_decoder.h"
#include "core/media.h"
#include "test_media.h"

namespace tvz {
namespace {

using namespace tvz::testing;

struct PictureTest : ::testing::Test {
  ScratchDir dir;
  std::string pending;
  ErrorLog log{pending, {}};
  Bitmap bitmap;
};

int ColourDistance(Color a, Color b) {
  return std::abs(redOf(a) - redOf(b)) + std::abs(greenOf(a) - greenOf(b)) +
         std::abs(blueOf(a) - blueOf(b));
}

TEST_F(PictureTest, JpegPictureDecodesToItsSizeAndColours) {
  const Bitmap original = TestPicture(320, 200);
  WriteScrambledPicture("cam3bknd.mm1", JpegBytes(original, 95));
  ASSERT_TRUE(LoadPicture(log, "cam3bknd.mm1", bitmap));
  EXPECT_EQ(bitmap.width(), 320);
  EXPECT_EQ(bitmap.height(), 200);
  for (auto [x, y] : {std::pair{10, 10}, {300, 20}, {160, 190}})
    EXPECT_LT(ColourDistance(bitmap.pixel(x, y), original.pixel(x, y)), 24) << x << "," << y;
  EXPECT_TRUE(pending.empty());
  // Four times the game's largest picture decodes; a header claiming more is
  // refused before anything is allocated for it.
  Bitmap large;
  const auto largest = JpegBytes(TestPicture(1600, 1200), 50);
  EXPECT_TRUE(DecodeJpeg(largest.data(), largest.size(), large));
  const auto tooLarge = JpegBytes(TestPicture(1601, 1200), 50);
  EXPECT_FALSE(DecodeJpeg(tooLarge.data(), tooLarge.size(), large));
}

TEST_F(PictureTest, BmpPictureDecodesExactly) {
  const Bitmap original = TestPicture(33, 17);  // odd width: padded rows
  WriteScrambledPicture("sheet.v2.mm2", BmpBytes(original));  // several dots
  ASSERT_TRUE(LoadPicture(log, "sheet.v2.mm2", bitmap));
  ASSERT_EQ(bitmap.width(), 33);
  ASSERT_EQ(bitmap.height(), 17);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 33; ++x) ASSERT_EQ(bitmap.pixel(x, y), original.pixel(x, y));
}

TEST_F(PictureTest, ExtensionRules) {
  WriteScrambledPicture("upper.MM1", JpegBytes(TestPicture(8, 8)));
  WriteScrambledPicture("other.mm3", JpegBytes(TestPicture(8, 8)));
  EXPECT_FALSE(LoadPicture(log, "upper.MM1", bitmap));  // not recognised, not reported
  EXPECT_FALSE(LoadPicture(log, "other.mm3", bitmap));
  EXPECT_TRUE(pending.empty());
  EXPECT_FALSE(std::filesystem::exists("error.log"));
  // The extension is what follows the last dot: "a.mm1.mm2" is a BMP.
  WriteScrambledPicture("a.mm1.mm2", JpegBytes(TestPicture(8, 8)));
  EXPECT_FALSE(LoadPicture(log, "a.mm1.mm2", bitmap));
  EXPECT_EQ(pending, "Err : Error loading file\n      a.mm1.mm2\nLocn: 105\n\n");
}

TEST_F(PictureTest, ReportCodes) {
  EXPECT_FALSE(LoadPicture(log, "missing.mm1", bitmap));
  EXPECT_EQ(pending, "Err : File does not exist\n      missing.mm1\nLocn: 120\n\n");
  // Shorter than the scrambled part: unscrambled completely, then undecodable.
  WriteScrambledPicture("tiny.mm1", {0xFF, 0xD8, 0xFF});
  WriteScrambledPicture("tiny.mm2", {'B', 'M', 0});
  EXPECT_FALSE(LoadPicture(log, "tiny.mm1", bitmap));
  EXPECT_EQ(pending, "Err : Error loading file\n      tiny.mm1\nLocn: 115\n\n");
  EXPECT_FALSE(LoadPicture(log, "tiny.mm2", bitmap));
  EXPECT_EQ(pending, "Err : Error loading file\n      tiny.mm2\nLocn: 105\n\n");
  EXPECT_TRUE(bitmap.empty());
}

TEST_F(PictureTest, TruncatedJpegFailsWithCode115OrDecodesGrey) {
  std::vector<std::uint8_t> jpeg = JpegBytes(TestPicture(64, 64));
  jpeg.resize(300);  // header intact, scan data cut short
  WriteScrambledPicture("cut.mm1", jpeg);
  // libjpeg pads a cut scan with grey and warns; either way nothing else happens.
  if (!LoadPicture(log, "cut.mm1", bitmap)) {
    EXPECT_EQ(pending, "Err : Error loading file\n      cut.mm1\nLocn: 115\n\n");
  } else {
    EXPECT_EQ(bitmap.width(), 64);
  }
}

// Many corrupted copies of valid pictures: each must either decode to a
// picture or fail; none may crash or read outside its buffer (the sanitizer
// build checks the latter).
TEST(PictureMutation, CorruptedPicturesNeverCrash) {
  const std::vector<std::uint8_t> jpeg = JpegBytes(TestPicture(48, 40), 80);
  const std::vector<std::uint8_t> bmp = BmpBytes(TestPicture(21, 13));
  std::mt19937 random(20261208);
  int decoded = 0;
  for (int round = 0; round < 1500; ++round) {
    const bool isJpeg = round % 2 == 0;
    std::vector<std::uint8_t> data = isJpeg ? jpeg : bmp;
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % data.size();
      switch (random() % 3) {
        case 0: data[at] = static_cast<std::uint8_t>(random()); break;
        case 1: data[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
        default: data.resize(at + 1); break;
      }
    }
    Bitmap out;
    const bool ok = isJpeg ? DecodeJpeg(data.data(), data.size(), out)
                           : DecodeBmp(data.data(), data.size(), out);
    if (ok) {
      ++decoded;
      EXPECT_FALSE(out.empty());
    } else {
      EXPECT_TRUE(out.empty());
    }
  }
  EXPECT_GT(decoded, 0);  // small edits often leave a decodable picture
}

TEST(BmpDecoder, PaletteAndTopDownPictures) {
  // A 2x2 8-bit top-down picture with a three-colour palette and an index
  // outside the palette (black).
  std::vector<std::uint8_t> bmp{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 66, 0, 0, 0};
  const std::uint8_t info[40] = {40, 0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 8, 0,
                                 0,  0, 0, 0, 0, 0, 0, 0, 0,    0,    0,    0,    0, 0, 0, 0,
                                 3,  0, 0, 0, 0, 0, 0, 0};
  bmp.insert(bmp.end(), info, info + 40);
  const std::uint8_t palette[12] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // red, green, blue
  bmp.insert(bmp.end(), palette, palette + 12);
  const std::uint8_t pixels[8] = {0, 1, 0, 0, 2, 7, 0, 0};
  bmp.insert(bmp.end(), pixels, pixels + 8);
  Bitmap out;
  ASSERT_TRUE(DecodeBmp(bmp.data(), bmp.size(), out));
  EXPECT_EQ(out.pixel(0, 0), rgb(255, 0, 0));
  EXPECT_EQ(out.pixel(1, 0), rgb(0, 255, 0));
  EXPECT_EQ(out.pixel(0, 1), rgb(0, 0, 255));
  EXPECT_EQ(out.pixel(1, 1), rgb(0, 0, 0));
  // Pixel data claimed beyond the end of the file.
  bmp.resize(bmp.size() - 1);
  EXPECT_FALSE(DecodeBmp(bmp.data(), bmp.size(), out));
}

}  // namespace
}  // namespace tvz
