// The animation clip reader: hand-built clips of every frame kind, the clips
// the media generator writes, and damaged copies of both.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/avi.h"

namespace tvz {
namespace {

using Bytes = std::vector<std::uint8_t>;

void append32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void append16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void appendId(Bytes& out, const char* id) { out.insert(out.end(), id, id + 4); }
void appendBytes(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

Bytes chunk(const char* id, const Bytes& body) {
  Bytes out;
  appendId(out, id);
  append32(out, static_cast<std::uint32_t>(body.size()));
  appendBytes(out, body);
  if (body.size() & 1) out.push_back(0);
  return out;
}

Bytes list(const char* kind, const Bytes& body) {
  Bytes inner;
  appendId(inner, kind);
  appendBytes(inner, body);
  return chunk("LIST", inner);
}

// A clip as a writer of the desktop's format lays it out.
struct ClipSpec {
  int width = 0;
  int height = 0;  // negative: uncompressed rows stored top row first
  int bitCount = 8;
  std::uint32_t compression = 0;
  std::vector<Color> palette;
  std::vector<Bytes> frames;
  std::vector<bool> keys;  // empty: every frame a key frame
  std::uint32_t microseconds = 100000;
  std::uint32_t scale = 1, rate = 10;
  bool withIndex = true;
  bool indexFromFileStart = false;
  bool inRecordGroups = false;
};

Bytes buildClip(const ClipSpec& spec) {
  Bytes avih;
  for (std::uint32_t v : {spec.microseconds, 0u, 0u, 0x10u, static_cast<std::uint32_t>(spec.frames.size()),
                          0u, 1u, 0u, static_cast<std::uint32_t>(spec.width),
                          static_cast<std::uint32_t>(std::abs(spec.height)), 0u, 0u, 0u, 0u}) {
    append32(avih, v);
  }
  Bytes strh;
  appendId(strh, "vids");
  appendId(strh, spec.compression ? "mrle" : "DIB ");
  for (std::uint32_t v : {0u, 0u, 0u, spec.scale, spec.rate, 0u, static_cast<std::uint32_t>(spec.frames.size()),
                          0u, 0xFFFFFFFFu, 0u, 0u, 0u}) {
    append32(strh, v);
  }
  Bytes strf;
  append32(strf, 40);
  append32(strf, static_cast<std::uint32_t>(spec.width));
  append32(strf, static_cast<std::uint32_t>(spec.height));
  append16(strf, 1);
  append16(strf, static_cast<std::uint16_t>(spec.bitCount));
  append32(strf, spec.compression);
  for (std::uint32_t v : {0u, 0u, 0u, static_cast<std::uint32_t>(spec.palette.size()), 0u}) append32(strf, v);
  for (Color c : spec.palette) {
    strf.push_back(static_cast<std::uint8_t>(blueOf(c)));
    strf.push_back(static_cast<std::uint8_t>(greenOf(c)));
    strf.push_back(static_cast<std::uint8_t>(redOf(c)));
    strf.push_back(0);
  }
  const std::string stream = spec.compression ? "00dc" : "00db";
  Bytes movi;
  Bytes index;
  const std::size_t moviTagInFile = 12 + 8 + 4 + 8 + avih.size() + 8 + 4 + 8 + strh.size() + 8 + strf.size() + 8;
  for (std::size_t i = 0; i < spec.frames.size(); ++i) {
    const Bytes frame = chunk(stream.c_str(), spec.frames[i]);
    const bool key = spec.keys.empty() || spec.keys[i];
    const std::size_t offset = 4 + movi.size() + (spec.inRecordGroups ? 12 : 0);
    appendId(index, stream.c_str());
    append32(index, key ? 0x10 : 0);
    append32(index, static_cast<std::uint32_t>(spec.indexFromFileStart ? offset + moviTagInFile : offset));
    append32(index, static_cast<std::uint32_t>(spec.frames[i].size()));
    appendBytes(movi, spec.inRecordGroups ? list("rec ", frame) : frame);
  }
  Bytes strl = chunk("strh", strh);
  appendBytes(strl, chunk("strf", strf));
  Bytes hdrl = chunk("avih", avih);
  appendBytes(hdrl, list("strl", strl));
  Bytes body;
  appendId(body, "AVI ");
  appendBytes(body, list("hdrl", hdrl));
  appendBytes(body, list("movi", movi));
  if (spec.withIndex) appendBytes(body, chunk("idx1", index));
  return chunk("RIFF", body);
}

const std::vector<Color> kPalette = {rgb(0, 0, 0), rgb(255, 102, 0), rgb(10, 20, 30), rgb(200, 201, 202),
                                     rgb(0, 0, 255)};

// Uncompressed 8-bit rows, bottom row first, padded to whole words.
Bytes indexedFrame(const std::vector<std::vector<std::uint8_t>>& rowsTopDown, bool topDown = false) {
  Bytes out;
  const std::size_t n = rowsTopDown.size();
  for (std::size_t r = 0; r < n; ++r) {
    const auto& row = rowsTopDown[topDown ? r : n - 1 - r];
    appendBytes(out, Bytes(row.begin(), row.end()));
    while (out.size() % 4) out.push_back(0xEE);
  }
  return out;
}

void expectPixels(const Bitmap& bitmap, const std::vector<std::vector<Color>>& rows, const std::string& what) {
  ASSERT_EQ(bitmap.height(), static_cast<int>(rows.size())) << what;
  for (std::size_t y = 0; y < rows.size(); ++y) {
    ASSERT_EQ(bitmap.width(), static_cast<int>(rows[y].size())) << what;
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      EXPECT_EQ(bitmap.pixel(static_cast<int>(x), static_cast<int>(y)), rows[y][x])
          << what << " at " << x << "," << y;
    }
  }
}

std::vector<std::vector<Color>> coloursOf(const std::vector<std::vector<std::uint8_t>>& indexes) {
  std::vector<std::vector<Color>> out;
  for (const auto& row : indexes) {
    out.emplace_back();
    for (auto i : row) out.back().push_back(kPalette[i]);
  }
  return out;
}

ClipSpec eightBitClip() {
  ClipSpec spec;
  spec.width = 3;  // rows of 3 bytes padded to 4
  spec.height = 2;
  spec.palette = kPalette;
  spec.frames = {indexedFrame({{1, 2, 3}, {4, 0, 1}}), indexedFrame({{0, 0, 0}, {3, 3, 3}})};
  return spec;
}

TEST(AviClip, UncompressedEightBitFramesThroughThePalette) {
  std::string error;
  auto clip = AviClip::parse(buildClip(eightBitClip()), &error);
  ASSERT_NE(clip, nullptr) << error;
  EXPECT_EQ(clip->width(), 3);
  EXPECT_EQ(clip->height(), 2);
  EXPECT_EQ(clip->frameCount(), 2);
  EXPECT_EQ(clip->microsecondsPerFrame(), 100000u);
  Bitmap frame;
  ASSERT_TRUE(clip->decodeFrame(1, frame));
  expectPixels(frame, coloursOf({{0, 0, 0}, {3, 3, 3}}), "frame 1");
  ASSERT_TRUE(clip->decodeFrame(0, frame));
  expectPixels(frame, coloursOf({{1, 2, 3}, {4, 0, 1}}), "frame 0");
  EXPECT_FALSE(clip->decodeFrame(2, frame));
  EXPECT_FALSE(clip->decodeFrame(-1, frame));
}

TEST(AviClip, FindsFramesWithoutAnIndexInsideRecordGroupsAndTopDown) {
  ClipSpec spec = eightBitClip();
  spec.withIndex = false;
  spec.inRecordGroups = true;
  spec.height = -2;
  spec.frames = {indexedFrame({{1, 2, 3}, {4, 0, 1}}, true), indexedFrame({{0, 0, 0}, {3, 3, 3}}, true)};
  std::string error;
  auto clip = AviClip::parse(buildClip(spec), &error);
  ASSERT_NE(clip, nullptr) << error;
  EXPECT_EQ(clip->frameCount(), 2);
  EXPECT_EQ(clip->height(), 2);
  Bitmap frame;
  ASSERT_TRUE(clip->decodeFrame(0, frame));
  expectPixels(frame, coloursOf({{1, 2, 3}, {4, 0, 1}}), "top-down frame 0");
  // Index offsets counted from the start of the file, as some writers do.
  spec = eightBitClip();
  spec.indexFromFileStart = true;
  clip = AviClip::parse(buildClip(spec), &error);
  ASSERT_NE(clip, nullptr) << error;
  ASSERT_TRUE(clip->decodeFrame(1, frame));
  expectPixels(frame, coloursOf({{0, 0, 0}, {3, 3, 3}}), "frame 1 by file offsets");
}

TEST(AviClip, TwentyFourBitBottomUpFrames) {
  ClipSpec spec;
  spec.width = 2;  // rows of 6 bytes padded to 8
  spec.height = 2;
  spec.bitCount = 24;
  spec.microseconds = 0;  // the rate comes from the stream header
  spec.scale = 1;
  spec.rate = 25;
  // Bottom row first, blue-green-red.
  spec.frames = {{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}};
  std::string error;
  auto clip = AviClip::parse(buildClip(spec), &error);
  ASSERT_NE(clip, nullptr) << error;
  EXPECT_EQ(clip->microsecondsPerFrame(), 40000u);
  Bitmap frame;
  ASSERT_TRUE(clip->decodeFrame(0, frame));
  expectPixels(frame, {{rgb(9, 8, 7), rgb(12, 11, 10)}, {rgb(3, 2, 1), rgb(6, 5, 4)}}, "24-bit");
}

TEST(AviClip, Rle8EscapesAndDeltaFrames) {
  ClipSpec spec;
  spec.width = 5;
  spec.height = 3;
  spec.compression = 1;
  spec.palette = kPalette;
  spec.frames = {
      // Key frame, bottom row first: a run of 5, end of line; an absolute
      // stretch of 3 (padded to a word) and a run of 2; end of line; a run of 5
      // on the top row; end of picture.
      {5, 1, 0, 0, 0, 3, 2, 3, 4, 0, 2, 3, 0, 0, 5, 2, 0, 1},
      // Delta frame: move 1 right and 1 up, paint 2 pixels, end of picture.
      {0, 2, 1, 1, 2, 4, 0, 1},
      // Key frame that ends without an end-of-picture escape.
      {5, 0, 0, 0, 5, 0, 0, 0, 5, 0},
  };
  spec.keys = {true, false, true};
  std::string error;
  auto clip = AviClip::parse(buildClip(spec), &error);
  ASSERT_NE(clip, nullptr) << error;
  Bitmap frame;
  ASSERT_TRUE(clip->decodeFrame(0, frame));
  expectPixels(frame, coloursOf({{2, 2, 2, 2, 2}, {2, 3, 4, 3, 3}, {1, 1, 1, 1, 1}}), "key frame");
  ASSERT_TRUE(clip->decodeFrame(1, frame));
  expectPixels(frame, coloursOf({{2, 2, 2, 2, 2}, {2, 4, 4, 3, 3}, {1, 1, 1, 1, 1}}), "delta frame");
  ASSERT_TRUE(clip->decodeFrame(2, frame));
  expectPixels(frame, coloursOf({{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}), "second key frame");
  // Going back to the delta frame decodes it again from its key frame.
  ASSERT_TRUE(clip->decodeFrame(1, frame));
  expectPixels(frame, coloursOf({{2, 2, 2, 2, 2}, {2, 4, 4, 3, 3}, {1, 1, 1, 1, 1}}), "delta frame again");
}

// A clip made by the media generator's writer, with the frames it was made from.
class GeneratedClip : public ::testing::Test {
 protected:
  static constexpr int kWidth = 37, kHeight = 23, kFrames = 70;

  static void SetUpTestSuite() {
    directory_ = std::filesystem::temp_directory_path() / ("tvz_avi_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    const std::string command = std::string("/usr/bin/python3 ") + TRIVENZA_TEST_DIR +
                                "/platform/avi_test_clip.py " + TRIVENZA_SOURCE_DIR + " " +
                                directory_.string();
    generated_ = std::system(command.c_str()) == 0;
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(directory_); }

  void SetUp() override { ASSERT_TRUE(generated_) << "the test clip could not be written"; }

  static Bytes readFile(const std::string& name) {
    std::ifstream in(directory_ / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::string clipPath() { return (directory_ / "clip.mm4").string(); }

  static void expectFrame(const Bitmap& frame, const Bytes& expected, int index) {
    const std::size_t frameBytes = std::size_t{kWidth} * kHeight * 3;
    ASSERT_EQ(frame.width(), kWidth);
    ASSERT_EQ(frame.height(), kHeight);
    EXPECT_EQ(std::memcmp(frame.pixels(), expected.data() + index * frameBytes, frameBytes), 0)
        << "frame " << index;
  }

  static inline std::filesystem::path directory_;
  static inline bool generated_ = false;
};

TEST_F(GeneratedClip, PlaysEveryFrameExactlyForwardsAndBySeeking) {
  std::string error;
  auto clip = AviClip::load(clipPath(), &error);
  ASSERT_NE(clip, nullptr) << error;
  const Bytes expected = readFile("frames.rgb");
  ASSERT_EQ(expected.size(), std::size_t{kWidth} * kHeight * 3 * kFrames);
  EXPECT_EQ(clip->width(), kWidth);
  EXPECT_EQ(clip->height(), kHeight);
  EXPECT_EQ(clip->frameCount(), kFrames);
  EXPECT_EQ(clip->microsecondsPerFrame(), 80000u);  // 12.5 frames a second
  Bitmap frame;
  for (int i = 0; i < kFrames; ++i) {
    ASSERT_TRUE(clip->decodeFrame(i, frame)) << i;
    expectFrame(frame, expected, i);
  }
  // Backwards, across key frames and within a stretch of delta frames.
  for (int i : {69, 45, 44, 31, 29, 0, 59, 60, 61, 12}) {
    ASSERT_TRUE(clip->decodeFrame(i, frame)) << i;
    expectFrame(frame, expected, i);
  }
}

TEST(AviClipLoad, MissingAndForeignFilesFailWithAReason) {
  std::string error;
  EXPECT_EQ(AviClip::load("/nonexistent/clip.mm4", &error), nullptr);
  EXPECT_NE(error.find("/nonexistent/clip.mm4"), std::string::npos);
  error.clear();
  Bytes wave = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_EQ(AviClip::parse(wave, &error), nullptr);
  EXPECT_FALSE(error.empty());
  ClipSpec spec = eightBitClip();
  spec.bitCount = 16;
  EXPECT_EQ(AviClip::parse(buildClip(spec), &error), nullptr);
  EXPECT_NE(error.find("16-bit"), std::string::npos) << error;
  spec = eightBitClip();
  spec.width = 100000;
  EXPECT_EQ(AviClip::parse(buildClip(spec), &error), nullptr);
  spec = eightBitClip();
  spec.frames = {};
  EXPECT_EQ(AviClip::parse(buildClip(spec), &error), nullptr);
}

// Offsets of every chunk header in a RIFF image, nested lists included.
void chunkHeaders(const Bytes& bytes, std::size_t begin, std::size_t end, std::vector<std::size_t>& out) {
  for (std::size_t pos = begin; pos + 8 <= end;) {
    std::uint32_t size = 0;
    std::memcpy(&size, bytes.data() + pos + 4, 4);
    out.push_back(pos);
    const bool isList = std::memcmp(bytes.data() + pos, "LIST", 4) == 0 || std::memcmp(bytes.data() + pos, "RIFF", 4) == 0;
    if (isList && size >= 4) chunkHeaders(bytes, pos + 12, std::min<std::size_t>(end, pos + 8 + size), out);
    pos += 8 + size + (size & 1);
  }
}

// Parses a damaged image and plays it whole; a clip that parses must stay
// within its bounds whatever its frames hold.
void playDamaged(const Bytes& bytes) {
  std::string error;
  auto clip = AviClip::parse(bytes, &error);
  if (!clip) {
    EXPECT_FALSE(error.empty());
    return;
  }
  ASSERT_GT(clip->width(), 0);
  ASSERT_LE(clip->width(), 2048);
  ASSERT_LE(clip->height(), 2048);
  ASSERT_LE(static_cast<std::size_t>(clip->frameCount()), bytes.size() / 8);
  Bitmap frame;
  for (int i = 0; i < clip->frameCount(); ++i) clip->decodeFrame(i, frame);
  clip->decodeFrame(0, frame);
  clip->decodeFrame(clip->frameCount() - 1, frame);
}

void mutate(const Bytes& original, std::uint32_t seed) {
  std::vector<std::size_t> headers;
  chunkHeaders(original, 0, original.size(), headers);
  for (std::size_t at : headers) {
    for (std::size_t cut : {at, at + 4, at + 8, at + 9}) {
      if (cut < original.size()) playDamaged(Bytes(original.begin(), original.begin() + cut));
    }
    for (std::uint32_t size : {0u, 1u, 3u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
      Bytes damaged = original;
      std::memcpy(damaged.data() + at + 4, &size, 4);
      playDamaged(damaged);
    }
  }
  std::mt19937 random(seed);
  for (int copy = 0; copy < 1000; ++copy) {
    Bytes damaged = original;
    const int flips = 1 + copy % 4;
    for (int f = 0; f < flips; ++f) {
      const std::size_t at = random() % damaged.size();
      damaged[at] = copy % 3 == 0 ? static_cast<std::uint8_t>(random()) : damaged[at] ^ (1u << (random() % 8));
    }
    if (copy % 10 == 0) damaged.resize(random() % damaged.size());
    playDamaged(damaged);
  }
}

TEST_F(GeneratedClip, DamagedCopiesFailCleanly) { mutate(readFile("clip.mm4"), 1); }

TEST(AviClipDamaged, HandBuiltCopiesFailCleanly) {
  ClipSpec spec;
  spec.width = 2;
  spec.height = 2;
  spec.bitCount = 24;
  spec.frames = {Bytes(16, 7), Bytes(16, 9), {}};
  mutate(buildClip(spec), 2);
  spec = eightBitClip();
  spec.withIndex = false;
  spec.inRecordGroups = true;
  mutate(buildClip(spec), 3);
}

}  // namespace
}  // namespace tvz
