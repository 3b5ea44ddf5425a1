// The program from its start: the bank check, the splashes and their timing.
#include "harness/game_session.h"
#include "shell/studio_splash.h"
#include "shell/title_splash.h"
#include "shell/top_menu.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>

namespace tvz::testing {
namespace {

class Startup : public GameSession {};

TEST_F(Startup, WithoutTheQuestionIndexTheProgramLogsItStillLoadsTheClickAndEnds) {
  linkMedia({"tvzd.tzd"});
  bool ended = false;
  play([&](Driver& d) {
    d.ticks(3);
    ended = d.app().terminated() || !TvzMain;
  });
  EXPECT_TRUE(ended);
  // Exactly the one entry: the answer and question files are not read, and
  // "click.mm3" loads without a report.
  EXPECT_EQ(readFile("error.log"), "Err : File does not exist\n      tvzd.tzd\nLocn: 45\n\n");
}

TEST_F(Startup, SplashesStayTenSecondsEachWithoutAKey) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(d.until([] { return VantoSplash && VantoSplash->visible(); }, 100));
    const std::uint32_t studioShown = d.clock().tickCount();
    d.ticks(10);
    EXPECT_FALSE(TvzMain->LoadingLbl->visible());
    d.capture("studio-splash.png");
    EXPECT_EQ(VantoSplash->LogoState, 1) << "the logo animation runs";
    ASSERT_TRUE(d.until([] { return TitleSplash && TitleSplash->visible(); }, 400));
    const std::uint32_t titleShown = d.clock().tickCount();
    EXPECT_GE(titleShown - studioShown, 10000u);
    EXPECT_LE(titleShown - studioShown, 10000u + 3 * kFrameMs);
    EXPECT_EQ(VantoSplash, nullptr) << "the studio splash is released when the title shows";
    EXPECT_EQ(TitleSplash->VersionLbl->caption(), "Version " TRIVENZA_VERSION);
    d.capture("title-splash.png");
    ASSERT_TRUE(d.until([] { return TopMenu && TopMenu->visible(); }, 400));
    const std::uint32_t menuShown = d.clock().tickCount();
    EXPECT_GE(menuShown - titleShown, 10000u);
    EXPECT_LE(menuShown - titleShown, 10000u + 3 * kFrameMs);
    d.ticks(2);
    EXPECT_EQ(TvzMain->IntroPhase, 0);
    EXPECT_EQ(TvzMain->MenuPhase, 1);
    EXPECT_EQ(TitleSplash, nullptr);
  });
}

TEST_F(Startup, AKeyShortensEachSplashToFiveSecondsButNotTheLogo) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(d.until([] { return VantoSplash && VantoSplash->visible(); }, 100));
    const std::uint32_t studioShown = d.clock().tickCount();
    d.press('X');
    EXPECT_EQ(VantoSplash->KeyPressed, 1);
    ASSERT_TRUE(d.until([] { return TitleSplash && TitleSplash->visible(); }, 400));
    const std::uint32_t titleShown = d.clock().tickCount();
    EXPECT_GE(titleShown - studioShown, 5000u);
    EXPECT_LE(titleShown - studioShown, 5000u + 3 * kFrameMs);
    d.press(vk::Space);
    ASSERT_TRUE(d.until([] { return TopMenu && TopMenu->visible(); }, 400));
    EXPECT_LE(d.clock().tickCount() - titleShown, 5000u + 3 * kFrameMs);
  });
}

TEST_F(Startup, AltF4DoesNotCloseTheSplash) {
  linkMedia();
  play([&](Driver& d) {
    ASSERT_TRUE(d.until([] { return VantoSplash && VantoSplash->visible(); }, 100));
    ShiftState alt;
    alt.alt = true;
    d.keyDown(vk::F4, alt);
    d.keyUp(vk::F4, alt);
    d.ticks(2);
    EXPECT_FALSE(d.app().terminated());
    EXPECT_NE(VantoSplash, nullptr);
  });
}

}  // namespace
}  // namespace tvz::testing

namespace tvz::testing {
namespace {

// The installed program, started as a player starts it, with an environment
// of the test's choosing; its exit status and what it wrote to stderr.
struct ProgramRun {
  int status = -1;
  std::string errors;
};

ProgramRun runGame(const std::string& environment) {
  const std::string game = std::string(TRIVENZA_GAME_DIR) + "/trivenza";
  const std::string command = "cd \"" + std::string(TRIVENZA_GAME_DIR) + "\" && " + environment +
                              " SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout 20 \"" + game +
                              "\" 2>&1 >/dev/null";
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) run.errors += buffer;
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

TEST(Installation, WithoutTheGamesFontsTheProgramSaysWhichPackageAndDoesNotStart) {
  if (!std::filesystem::exists(std::string(TRIVENZA_GAME_DIR) + "/trivenza")) GTEST_SKIP() << "no game built";
  const auto config = std::filesystem::temp_directory_path() / "trivenza-no-fonts.conf";
  {
    std::ofstream out(config);
    out << "<?xml version=\"1.0\"?><fontconfig><dir>/nonexistent</dir></fontconfig>\n";
  }
  const ProgramRun run = runGame("FONTCONFIG_FILE=\"" + config.string() + "\"");
  std::filesystem::remove(config);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("Font \"Times New Roman\" not found"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("fonts-liberation"), std::string::npos) << run.errors;
}

}  // namespace
}  // namespace tvz::testing
