// The harness itself: a real window offscreen, captures written as PNG files
// that decode back to the same pixels.
#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "harness/harness.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/png.h"

namespace tvz {
namespace {

std::uint32_t be32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Reads back a PNG as the writer makes it: one IDAT, filter 0 on every row.
Bitmap decodeSimplePng(const std::vector<std::uint8_t>& png) {
  if (png.size() < 33 || png[1] != 'P') return {};
  const int w = static_cast<int>(be32(&png[16])), h = static_cast<int>(be32(&png[20]));
  std::size_t at = 8;
  std::vector<std::uint8_t> packed;
  while (at + 12 <= png.size()) {
    const std::uint32_t length = be32(&png[at]);
    if (std::string(png.begin() + at + 4, png.begin() + at + 8) == "IDAT")
      packed.insert(packed.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    at += 12 + length;
  }
  std::vector<std::uint8_t> raw(static_cast<std::size_t>(w * 3 + 1) * h);
  uLongf size = raw.size();
  if (uncompress(raw.data(), &size, packed.data(), packed.size()) != Z_OK || size != raw.size()) return {};
  Bitmap out(w, h);
  for (int y = 0; y < h; ++y) {
    if (raw[y * (w * 3 + 1)] != 0) return {};
    std::copy_n(&raw[y * (w * 3 + 1) + 1], w * 3, out.row(y));
  }
  return out;
}

class TitleScreen : public Form {
 public:
  Picture* BkgndImg = add<Picture>(0, 0, 800, 600);
  Picture* Badge = add<Picture>(600, 40, 64, 64);
  Label* TitleLbl = add<Label>(0, 240, 800, 60, "Trivenza");
  Label* VersionLbl = add<Label>(630, 545, 115, 17, "Version 1.0.0");
  TitleScreen() {
    fillScreen();
    setFont({"Times New Roman", 15, true, false, false, rgb(0x44, 0x44, 0x44)});
    Bitmap sky(800, 600);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) sky.setPixel(x, y, rgb(0, y * 255 / 600, 128));
    BkgndImg->setBitmap(sky);
    Bitmap badge(32, 32);
    badge.fill(rgb(255, 0, 255));  // the see-through colour, from the bottom-left pixel
    for (int y = 8; y < 24; ++y)
      for (int x = 8; x < 24; ++x) badge.setPixel(x, y, rgb(255, 255, 255));
    Badge->setBitmap(badge);
    Badge->setStretch(true);
    Badge->setTransparent(true);
    TitleLbl->setFont({"Times New Roman", 48, true, false, false, rgb(255, 102, 0)});
    TitleLbl->setAlignment(Alignment::Center);
    TitleLbl->setLayout(VerticalAlignment::Center);
    TitleLbl->setTransparent(true);
    VersionLbl->setAlignment(Alignment::Right);
    VersionLbl->setTransparent(true);
  }
};

TEST(Harness, RunsARealWindowOffscreenAndWritesTheScreenAsPng) {
  testing::Harness h;
  ASSERT_TRUE(h.ok()) << h.error().reason;
  auto* title = createForm<TitleScreen>();
  title->Show();
  std::string path;
  Bitmap seen;
  h.run([&](testing::Driver& d) {
    d.ticks(3);
    seen = d.capture();
    path = d.capture("title.png");
  });
  std::ifstream file(path, std::ios::binary);
  const std::vector<std::uint8_t> png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const Bitmap back = decodeSimplePng(png);
  ASSERT_EQ(back.width(), 800);
  ASSERT_EQ(back.height(), 600);
  EXPECT_TRUE(std::equal(back.pixels(), back.pixels() + 800 * 600 * 3, seen.pixels()));
  // The stretched badge: its middle drawn, its keyed border see-through.
  EXPECT_EQ(back.pixel(632, 72), rgb(255, 255, 255));
  EXPECT_EQ(back.pixel(602, 42), rgb(0, 42 * 255 / 600, 128));
}

TEST(Png, RejectsAnUnwritablePathWithAReason) {
  std::string error;
  EXPECT_FALSE(writePng(Bitmap(2, 2), "/nonexistent-dir/x.png", &error));
  EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos);
}

TEST(Application, ReportsVideoFailureAsLocationTenWithACode) {
  // A video driver that does not exist cannot start: the window step fails.
  const char* saved = std::getenv("SDL_VIDEODRIVER");
  const std::string previous = saved ? saved : "";
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  {
    Application app;
    VideoInitError error;
    EXPECT_FALSE(app.init({}, &error));
    EXPECT_EQ(error.location, 10);
    EXPECT_EQ(error.code, kErrorNoDriverSupport);
    EXPECT_FALSE(error.reason.empty());
  }
  if (saved)
    setenv("SDL_VIDEODRIVER", previous.c_str(), 1);
  else
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
}  // namespace tvz
