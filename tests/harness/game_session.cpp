#include "harness/game_session.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "core/popup_box.h"
#include "core/screens.h"
#include "platform/control.h"
#include "shell/top_menu.h"

namespace tvz::testing {

namespace fs = std::filesystem;

void GameSession::SetUp() {
  previous_ = fs::current_path();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  // The process id keeps test runs of several checkouts at once apart.
  dir_ = fs::temp_directory_path() / ("trivenza-" + std::string(info->test_suite_name()) + "-" +
                                      info->name() + "-" + std::to_string(::getpid()));
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  // Pictures of the screens outlive the scratch directory.
  fs::create_directories(previous_ / "test-output");
  fs::create_directory_symlink(previous_ / "test-output", dir_ / "test-output");
  fs::current_path(dir_);
}

void GameSession::TearDown() {
  fs::current_path(previous_);
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void GameSession::linkMedia(const std::vector<std::string>& except) {
  const fs::path game = TRIVENZA_GAME_DIR;
  ASSERT_TRUE(fs::exists(game / "tvzd.tzd")) << "the game directory has no media: " << game;
  linkGameMedia(game.string(), dir_.string(), except);
  mediaLinked_ = true;
}

void GameSession::writeFile(const std::string& name, const std::string& bytes) {
  // A media file linked from the game folder is replaced, never written
  // through: other tests read the game folder's copy at the same time.
  std::error_code ignored;
  fs::remove(dir_ / name, ignored);
  std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string GameSession::readFile(const std::string& name) const {
  std::ifstream in(dir_ / name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool GameSession::fileExists(const std::string& name) const { return fs::exists(dir_ / name); }

void GameSession::play(const std::function<void(Driver&)>& scenario) {
  Harness h(harnessOptions_);
  ASSERT_TRUE(h.ok()) << h.error().reason;
  ASSERT_NE(createForm(&TvzMain), nullptr);
  if (!TvzMain->MainWindowClosed()) {
    TvzMain->Show();
    createForm(&PopupBox2);
  }
  h.run(scenario);
}

bool GameSession::reachTopMenu(Driver& d, bool pressKeys) {
  // Keys shorten both splashes to five seconds each.
  auto menuUp = [] { return TvzMain && TvzMain->MenuPhase && TopMenu && TopMenu->visible(); };
  if (pressKeys) {
    for (int i = 0; i < 1000 && !menuUp(); i += 30) {
      d.press('X');
      d.ticks(30);
    }
  }
  return d.until(menuUp, 1200);
}

void GameSession::clickOn(Driver& d, const Control* control) {
  const Rect r = control->boundsRect();
  const Form& form = control->owner();
  d.click(form.left() + r.left + r.width() / 2, form.top() + r.top + r.height() / 2);
}

}  // namespace tvz::testing
