// The animation control playing a real clip from disk, off the manual clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "harness/harness.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace tvz {
namespace {

void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putId(std::vector<std::uint8_t>& b, const char* id) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(id[i]));
}

// Wraps a body as a chunk or a list.
std::vector<std::uint8_t> chunk(const char* id, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> b;
  putId(b, id);
  put32(b, static_cast<std::uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2) b.push_back(0);
  return b;
}
std::vector<std::uint8_t> list(const char* riff, const char* type, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> inner;
  putId(inner, type);
  inner.insert(inner.end(), body.begin(), body.end());
  return chunk(riff, inner);
}

// An uncompressed 24-bit clip whose frame n (from 1) is filled with grey n*10.
std::vector<std::uint8_t> greyClip(int width, int height, int frames, std::uint32_t usPerFrame) {
  std::vector<std::uint8_t> avih;
  put32(avih, usPerFrame);
  for (int i = 0; i < 3; ++i) put32(avih, 0);
  put32(avih, static_cast<std::uint32_t>(frames));
  put32(avih, 0);
  put32(avih, 1);
  put32(avih, 0);
  put32(avih, static_cast<std::uint32_t>(width));
  put32(avih, static_cast<std::uint32_t>(height));
  for (int i = 0; i < 4; ++i) put32(avih, 0);
  std::vector<std::uint8_t> strh;
  putId(strh, "vids");
  putId(strh, "DIB ");
  for (int i = 0; i < 3; ++i) put32(strh, 0);
  put32(strh, usPerFrame);  // scale
  put32(strh, 1000000);     // rate
  put32(strh, 0);
  put32(strh, static_cast<std::uint32_t>(frames));
  for (int i = 0; i < 5; ++i) put32(strh, 0);
  std::vector<std::uint8_t> strf;
  put32(strf, 40);
  put32(strf, static_cast<std::uint32_t>(width));
  put32(strf, static_cast<std::uint32_t>(height));
  put16(strf, 1);
  put16(strf, 24);
  for (int i = 0; i < 6; ++i) put32(strf, 0);
  std::vector<std::uint8_t> strl = chunk("strh", strh);
  const auto f = chunk("strf", strf);
  strl.insert(strl.end(), f.begin(), f.end());
  std::vector<std::uint8_t> hdrl = chunk("avih", avih);
  const auto s = list("LIST", "strl", strl);
  hdrl.insert(hdrl.end(), s.begin(), s.end());
  const int stride = (width * 3 + 3) & ~3;
  std::vector<std::uint8_t> movi;
  for (int n = 1; n <= frames; ++n) {
    const auto frame = chunk("00db", std::vector<std::uint8_t>(static_cast<std::size_t>(stride) * height,
                                                              static_cast<std::uint8_t>(n * 10)));
    movi.insert(movi.end(), frame.begin(), frame.end());
  }
  std::vector<std::uint8_t> avi;
  const auto h = list("LIST", "hdrl", hdrl);
  const auto m = list("LIST", "movi", movi);
  avi.insert(avi.end(), h.begin(), h.end());
  avi.insert(avi.end(), m.begin(), m.end());
  return list("RIFF", "AVI ", avi);
}

class LogoScreen : public Form {
 public:
  Animate* LogoAni = add<Animate>(100, 100, 64, 48);
  int LogoState = 0;
  LogoScreen() {
    fillScreen();
    LogoAni->onStart = [this](Control&) { ++LogoState; };
    LogoAni->onStop = [this](Control&) { ++LogoState; };
  }
};

class AnimateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.ok()) << h.error().reason;
    path = testing::outputPath("grey.mm4");
    const auto bytes = greyClip(32, 24, 12, 100000);  // 10 frames a second
    testing::writeFixture(path, bytes.data(), bytes.size());
    screen = createForm<LogoScreen>();
    screen->LogoAni->setFileName(path);
    screen->Show();
  }
  testing::Harness h;
  std::string path;
  LogoScreen* screen = nullptr;
};

TEST_F(AnimateTest, PlaysTheRangeOnceAtTheClipsRateWithStartAndStop) {
  Animate& ani = *screen->LogoAni;
  h.run([&](testing::Driver& d) {
    ASSERT_TRUE(ani.play(3, 7, 1)) << ani.lastError();
    EXPECT_EQ(screen->LogoState, 1);  // the start comes from play() itself
    EXPECT_TRUE(ani.active());
    EXPECT_EQ(ani.currentFrame(), 3);
    EXPECT_EQ(d.capture().pixel(110, 110), rgb(30, 30, 30));
    EXPECT_EQ(d.capture().pixel(170, 110), rgb(0, 0, 0));  // beside the 32-pixel frame
    d.advance(250);
    EXPECT_EQ(ani.currentFrame(), 5);
    EXPECT_EQ(d.capture().pixel(110, 110), rgb(50, 50, 50));
    d.advance(240);
    EXPECT_EQ(ani.currentFrame(), 7);
    EXPECT_EQ(screen->LogoState, 1);
    d.advance(100);  // frame 7 has had its time: the clip ends
    EXPECT_EQ(screen->LogoState, 2);
    EXPECT_FALSE(ani.active());
    EXPECT_EQ(d.capture().pixel(110, 110), rgb(70, 70, 70));  // the last frame stays
    d.advance(1000);
    EXPECT_EQ(screen->LogoState, 2);
  });
}

TEST_F(AnimateTest, StopNotifiesAndRepeatsLoop) {
  Animate& ani = *screen->LogoAni;
  h.run([&](testing::Driver& d) {
    ASSERT_TRUE(ani.play(1, 2, 3));
    d.advance(500);  // three plays of two frames take 600 ms
    EXPECT_TRUE(ani.active());
    d.advance(150);
    EXPECT_FALSE(ani.active());
    EXPECT_EQ(screen->LogoState, 2);
    ASSERT_TRUE(ani.play(1, 0, 0));  // to the last frame, forever
    d.advance(5000);
    EXPECT_TRUE(ani.active());
    ani.stop();
    EXPECT_EQ(screen->LogoState, 4);
  });
}

TEST_F(AnimateTest, MissingOrDamagedClipFailsCleanlyWithoutNotifications) {
  Animate& ani = *screen->LogoAni;
  ani.setFileName(testing::outputPath("no-such-clip.mm4"));
  EXPECT_FALSE(ani.play(1, 2));
  EXPECT_FALSE(ani.lastError().empty());
  EXPECT_EQ(screen->LogoState, 0);
  const std::string damaged = testing::outputPath("damaged.mm4");
  auto bytes = greyClip(32, 24, 4, 100000);
  bytes.resize(bytes.size() / 3);
  testing::writeFixture(damaged, bytes.data(), bytes.size());
  ani.setFileName(damaged);
  ani.play(1, 4);
  h.run([&](testing::Driver& d) { d.advance(1000); });  // draws whatever decodes, never crashes
  ani.setFileName(path);
  ani.stop();
  const int seen = screen->LogoState;
  EXPECT_FALSE(ani.play(5, 13));  // beyond the clip
  EXPECT_EQ(screen->LogoState, seen);
}

}  // namespace
}  // namespace tvz
