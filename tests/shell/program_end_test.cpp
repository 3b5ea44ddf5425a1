// How the program ends after a failure: the box with the last report opens
// once the full-screen window is gone, an exception that escapes a handler
// ends the program with what is known instead of aborting it, and a studio
// logo clip too short to play is a failed load, not a splash for ever.
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>

#include "core/popup_box.h"
#include "harness/error_boxes.h"
#include "harness/game_session.h"
#include "platform/desktop.h"
#include "shell/studio_splash.h"

namespace tvz::testing {
namespace {

// A window of the test's own over the top menu: a key runs onKey, and its
// frame-length timer runs onTick, so either can throw from inside the game's
// event handling.
class TrapWindow : public Form {
 public:
  TrapWindow() {
    setKeyPreview(true);
    addTimer(33, [this](Timer&) {
      if (onTick) onTick();
    });
  }
  std::function<void()> onKey;
  std::function<void()> onTick;
  void FormKeyDown(int& key, ShiftState) override {
    key = 0;
    if (onKey) onKey();
  }
};

class ProgramEnd : public GameSession {
 protected:
  TrapWindow* openTrap(std::function<void()> onKey) {
    TrapWindow* trap = createForm<TrapWindow>();
    if (!trap) return nullptr;
    trap->onKey = std::move(onKey);
    trap->Show();
    return trap;
  }
  ErrorBoxes errorBoxes;
};

TEST_F(ProgramEnd, TheBoxWithTheLastReportOpensAfterTheWindowIsGone) {
  linkMedia({"tvzd.tzd"});
  play([&](Driver& d) { d.ticks(3); });
  const std::string entry = "Err : File does not exist\n      tvzd.tzd\nLocn: 45\n\n";
  ASSERT_EQ(errorBoxes.boxes.size(), 1u);
  EXPECT_EQ(errorBoxes.boxes[0].text, entry);
  EXPECT_TRUE(errorBoxes.boxes[0].displayReleased) << "a full-screen window could hide the box";
}

TEST_F(ProgramEnd, OutOfMemoryInAHandlerEndsTheProgramWithTheMemoryMessage) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    TrapWindow* trap = openTrap([] { throw std::bad_alloc(); });
    ASSERT_NE(trap, nullptr);
    d.press('L');
    d.ticks(2);
    EXPECT_TRUE(d.app().terminated());
  });
  ASSERT_EQ(errorBoxes.boxes.size(), 1u);
  EXPECT_EQ(errorBoxes.boxes[0].text, "Insufficent memory or resources available");
  EXPECT_TRUE(errorBoxes.boxes[0].displayReleased);
}

// The frame timer fires inside the modal box's own loop; the exception
// leaves that loop and the handler that opened it.
TEST_F(ProgramEnd, AnExceptionInsideAModalBoxShowsWhatItSays) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    ASSERT_NE(createForm(&PopupBox), nullptr);
    TrapWindow* trap = openTrap([] { PopupBox->Ask("Load Game", "Abandon the game in progress?"); });
    ASSERT_NE(trap, nullptr);
    trap->onTick = [] { throw std::out_of_range("saved game 7 of 6"); };
    d.press('L');
    d.ticks(3);
    EXPECT_TRUE(d.app().terminated());
  });
  ASSERT_EQ(errorBoxes.boxes.size(), 1u);
  EXPECT_EQ(errorBoxes.boxes[0].text, "saved game 7 of 6");
  EXPECT_FALSE(fileExists("error.log")) << "nothing was reported";
}

TEST_F(ProgramEnd, AReportMadeBeforeAnExceptionIsWhatTheBoxShows) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    TvzMain->ReportError("Unable to play sound", 2010);
    ASSERT_NE(openTrap([] { throw std::logic_error("after the report"); }), nullptr);
    d.press('L');
    d.ticks(3);
    EXPECT_TRUE(d.app().terminated());
  });
  ASSERT_EQ(errorBoxes.boxes.size(), 1u);
  EXPECT_EQ(errorBoxes.boxes[0].text, "Err : Unable to play sound\nLocn: 2010\n\n");
}

// The studio logo clip with only its first `frames` frames: the index is cut
// short and the file ends after it.
std::string shortenedClip(const std::string& clip, std::uint32_t frames) {
  auto u32 = [&](std::size_t at) {
    return std::uint32_t(std::uint8_t(clip[at])) | std::uint32_t(std::uint8_t(clip[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(clip[at + 2])) << 16 | std::uint32_t(std::uint8_t(clip[at + 3])) << 24;
  };
  auto put32 = [](std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
  };
  std::size_t at = 12;
  while (at + 8 <= clip.size() && clip.compare(at, 4, "idx1") != 0) at += 8 + ((u32(at + 4) + 1) & ~1u);
  if (at + 8 > clip.size()) return {};
  std::string shorter = clip.substr(0, at + 8 + 16 * frames);
  put32(shorter, at + 4, 16 * frames);
  put32(shorter, 4, static_cast<std::uint32_t>(shorter.size() - 8));
  return shorter;
}

TEST_F(ProgramEnd, ALogoClipTooShortToPlayIsAFailedLoad) {
  linkMedia({"vantosplsh.mm4"});
  std::ifstream in(std::string(TRIVENZA_GAME_DIR) + "/vantosplsh.mm4", std::ios::binary);
  const std::string clip((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string shorter = shortenedClip(clip, 30);
  ASSERT_FALSE(shorter.empty()) << "the logo clip has an index";
  writeFile("vantosplsh.mm4", shorter);
  bool ended = false;
  play([&](Driver& d) { ended = d.until([&] { return d.app().terminated(); }, 100); });
  EXPECT_TRUE(ended) << "the splash does not wait for ever";
  EXPECT_EQ(readFile("error.log"), "Err : Error loading file\n      vantosplsh.mm4\nLocn: 4010\n\n");
  ASSERT_EQ(errorBoxes.boxes.size(), 1u);
}

}  // namespace
}  // namespace tvz::testing
