// The program as a player or a launcher starts it: the real executable in a
// child process, headless. Its command line, its exit status, and where it
// keeps the player's files: in its own game folder when started from it, in
// the player's home folder when installed.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "harness/pack_text.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using testing::PackText;
using testing::SectionText;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
// Missing, this file ends the game at its start with a failure shown.
constexpr const char* kClickSound = "click.mm3";
constexpr const char* kClickSoundEntry = "Err : Error loading file\n      click.mm3\nLocn: 50\n\n";

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Ended {
  int status = -1;  // the exit status; -1 when it did not exit by itself in time
  std::string out, err;
};

struct Launch {
  std::vector<std::string> args{};
  fs::path cwd{};
  std::map<std::string, std::string> env{};
  bool asOrdinaryUser = false;  // as "nobody" when the test runs as the superuser
};

// Every file below a folder, as paths relative to it.
std::set<std::string> filesBelow(const fs::path& folder) {
  std::set<std::string> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    files.insert(fs::relative(it->path(), folder).string());
  return files;
}

// A scratch folder that anyone may enter; removed with everything in it.
class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "trivenza-program-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    fs::permissions(path_, fs::perms::all & ~(fs::perms::group_write | fs::perms::others_write));
  }
  ~Scratch() {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec))
      if (it->is_directory(ec) && !it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

class Program : public ::testing::Test {
 protected:
  // Runs the program and waits up to a minute for it to end.
  Ended run(const Launch& launch) {
    const fs::path out = scratch_.path() / "stdout.txt", err = scratch_.path() / "stderr.txt";
    const pid_t child = ::fork();
    if (child == 0) {
      const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0) ::_exit(120);
      if (!launch.cwd.empty() && ::chdir(launch.cwd.c_str()) != 0) ::_exit(121);
      if (launch.asOrdinaryUser && ::geteuid() == 0 &&
          (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0))
        ::_exit(122);
      std::map<std::string, std::string> vars = {{"SDL_VIDEODRIVER", "offscreen"}, {"SDL_AUDIODRIVER", "dummy"},
                                                 {"PATH", "/usr/bin:/bin"}, {"LANG", "C.UTF-8"}};
      // A sanitizer build's program is checked as the tests around it are.
      for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (const char* value = std::getenv(name)) vars[name] = value;
      for (const auto& [name, value] : launch.env) vars[name] = value;
      std::vector<std::string> env;
      for (const auto& [name, value] : vars) env.push_back(name + "=" + value);
      std::vector<char*> envp, argv;
      for (std::string& e2 : env) envp.push_back(e2.data());
      envp.push_back(nullptr);
      std::string program = program_.string();
      argv.push_back(program.data());
      std::vector<std::string> args = launch.args;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execve(program.c_str(), argv.data(), envp.data());
      ::_exit(123);
    }
    Ended result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (::waitpid(child, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        status = -1;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    result.out = readText(out);
    result.err = readText(err);
    fs::remove(out);
    fs::remove(err);
    return result;
  }

  // A file of the build in a folder of the test's: a hard link (a copy on
  // another file system), which the ordinary user can open wherever the
  // build is, also in a checkout in a private temporary folder that a
  // symbolic link would have to pass through.
  static void placeFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_hard_link(from, to, ec);
    if (ec) fs::copy_file(from, to);
  }

  // A game folder as the build makes it: the program and its media,
  // leaving out the files named.
  void makeGameFolder(const fs::path& folder, const std::set<std::string>& without = {}) {
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(TRIVENZA_GAME_DIR)) {
      const std::string name = entry.path().filename().string();
      const bool players = name == "vantoc.mm3" || name == "error.log" || name == "settings.ini" ||
                           entry.path().extension() == ".tzs" || entry.path().extension() == ".tvh";
      if (players || name == "trivenza" || without.count(name) || !entry.is_regular_file()) continue;
      placeFile(entry.path(), folder / name);
    }
  }

  // The program itself in a folder: a hard link, so that the process's own
  // path is that folder's (a symbolic link would lead back to the build).
  fs::path placeProgram(const fs::path& folder) {
    fs::create_directories(folder);
    const fs::path placed = folder / "trivenza";
    placeFile(TRIVENZA_EXECUTABLE, placed);
    return placed;
  }

  // Gives a folder and all in it to the user the program runs as.
  static void giveToPlayer(const fs::path& root) {
    if (::geteuid() != 0) return;
    if (::lchown(root.c_str(), kNobody, kNoGroup) != 0) ADD_FAILURE() << "chown " << root;
    for (const auto& entry : fs::recursive_directory_iterator(root))
      if (::lchown(entry.path().c_str(), kNobody, kNoGroup) != 0) ADD_FAILURE() << "chown " << entry.path();
  }

  // A home folder that belongs to the user the program runs as.
  fs::path makeHome() {
    const fs::path home = scratch_.path() / "home";
    fs::create_directories(home);
    giveToPlayer(home);
    return home;
  }

  // Makes a tree's folders read-only for everyone (the superuser aside): no
  // file can be made, replaced or removed there. Its files are the build's
  // (linked) or the test's, which the ordinary user may not write anyway.
  static void makeReadOnly(const fs::path& root) {
    for (const auto& entry : fs::recursive_directory_iterator(root))
      if (entry.is_directory() && !entry.is_symlink())
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::remove);
    fs::permissions(root, fs::perms::owner_write, fs::perm_options::remove);
  }

  Scratch scratch_;
  fs::path program_ = TRIVENZA_EXECUTABLE;
};

TEST_F(Program, HelpVersionAndARefusedCommandLine) {
  const Ended help = run({.args = {"--help"}});
  EXPECT_EQ(help.status, 0);
  for (const char* said : {"--fullscreen", "--windowed", "--help", "--version", "F11", "Alt+Enter",
                           "~/.local/share/trivenza", "~/.config/trivenza"})
    EXPECT_NE(help.out.find(said), std::string::npos) << said << " in\n" << help.out;
  EXPECT_EQ(help.err, "");

  const Ended version = run({.args = {"--version"}});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("Trivenza ") + TRIVENZA_VERSION + "\n");

  const Ended wrong = run({.args = {"--windowed", "--bogus"}});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_NE(wrong.err.find("unknown option '--bogus'"), std::string::npos) << wrong.err;
  EXPECT_NE(wrong.err.find("--help"), std::string::npos) << wrong.err;
  const Ended stray = run({.args = {"saved.tzs"}});
  EXPECT_EQ(stray.status, 2);
  EXPECT_NE(stray.err.find("unexpected argument 'saved.tzs'"), std::string::npos) << stray.err;
}

// Started from its own writable game folder, the game keeps its files there
// as it always has; and a failure the player was shown ends the program with
// a failure status (it used to end with 0 whatever happened).
TEST_F(Program, FromItsOwnGameFolderTheFilesStayThereAndAFailureIsTheExitStatus) {
  const fs::path game = scratch_.path() / "game";
  makeGameFolder(game, {kClickSound});
  program_ = placeProgram(game);
  const Ended failed = run({.args = {"--windowed"}, .cwd = game});
  EXPECT_EQ(failed.status, 1) << failed.err;
  EXPECT_NE(failed.err.find("Error loading file"), std::string::npos) << failed.err;
  EXPECT_TRUE(readText(game / "error.log").ends_with(kClickSoundEntry)) << readText(game / "error.log");
}

// Installed: the program in bin/, the media in share/trivenza/, all of it
// read-only, started by an ordinary user from the home folder. The player's
// folders are made on the first start, the champions list is seeded from the
// installed one, the error log is written there; nothing is written anywhere
// else, and the installed media is only read.
TEST_F(Program, InstalledItKeepsThePlayersFilesInTheirHomeFolder) {
  const fs::path prefix = scratch_.path() / "usr";
  makeGameFolder(prefix / "share/trivenza", {kClickSound});
  const std::string seed = "the installed champions";
  std::ofstream(prefix / "share/trivenza/vantoc.mm3", std::ios::binary) << seed;
  program_ = placeProgram(prefix / "bin");
  makeReadOnly(prefix);
  const std::set<std::string> installed = filesBelow(prefix);
  const fs::path home = makeHome();

  const Ended failed = run({.cwd = home, .env = {{"HOME", home.string()}}, .asOrdinaryUser = true});
  EXPECT_EQ(failed.status, 1) << failed.err;
  const fs::path data = home / ".local/share/trivenza";
  EXPECT_TRUE(readText(data / "error.log").ends_with(kClickSoundEntry)) << readText(data / "error.log");
  EXPECT_EQ(readText(data / "vantoc.mm3"), seed);
  EXPECT_TRUE(fs::is_directory(home / ".config/trivenza"));
  const std::set<std::string> written = {".config", ".config/trivenza", ".local", ".local/share",
                                         ".local/share/trivenza", ".local/share/trivenza/error.log",
                                         ".local/share/trivenza/vantoc.mm3"};
  EXPECT_EQ(filesBelow(home), written);
  EXPECT_EQ(filesBelow(prefix), installed);
  EXPECT_EQ(fs::status(data).permissions() & fs::perms::all, fs::perms::owner_all)
      << "the player's folder is the player's alone";

  // The XDG folders, when set, are used instead; a champions list the
  // player already has is never replaced by the installed one.
  const fs::path xdgData = scratch_.path() / "xdg-data", xdgConfig = scratch_.path() / "xdg-config";
  fs::create_directories(xdgData / "trivenza");
  fs::create_directories(xdgConfig);
  std::ofstream(xdgData / "trivenza/vantoc.mm3", std::ios::binary) << "mine";
  giveToPlayer(xdgData);
  giveToPlayer(xdgConfig);
  const Ended again = run({.cwd = home,
                         .env = {{"HOME", home.string()},
                                 {"XDG_DATA_HOME", xdgData.string()},
                                 {"XDG_CONFIG_HOME", xdgConfig.string()}},
                         .asOrdinaryUser = true});
  EXPECT_EQ(again.status, 1) << again.err;
  EXPECT_EQ(readText(xdgData / "trivenza/vantoc.mm3"), "mine");
  EXPECT_TRUE(fs::exists(xdgData / "trivenza/error.log"));
  EXPECT_TRUE(fs::is_directory(xdgConfig / "trivenza"));
  EXPECT_EQ(filesBelow(home), written) << "the home folder is left as it was";
}

// A game folder the player may not write to is run as an installed copy,
// even from inside it: the files go to the home folder.
TEST_F(Program, AReadOnlyGameFolderKeepsThePlayersFilesInTheHomeFolder) {
  const fs::path game = scratch_.path() / "game";
  makeGameFolder(game, {kClickSound});
  program_ = placeProgram(game);
  makeReadOnly(game);
  const fs::path home = makeHome();
  const Ended failed = run({.cwd = game, .env = {{"HOME", home.string()}}, .asOrdinaryUser = true});
  EXPECT_EQ(failed.status, 1) << failed.err;
  EXPECT_FALSE(fs::exists(game / "error.log"));
  EXPECT_TRUE(fs::exists(home / ".local/share/trivenza/error.log"));
}

// Without a folder for the saved games the game does not start, says why,
// and ends with a failure status.
TEST_F(Program, NoFolderForTheSavedGamesIsReportedAndEndsTheProgram) {
  const fs::path prefix = scratch_.path() / "usr";
  makeGameFolder(prefix / "share/trivenza");
  program_ = placeProgram(prefix / "bin");
  const fs::path home = makeHome();
  makeReadOnly(home);
  if (::geteuid() == 0 && ::chown(home.c_str(), 0, 0) != 0) ADD_FAILURE() << "chown home";
  const Ended refused = run({.cwd = home, .env = {{"HOME", home.string()}}, .asOrdinaryUser = true});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("Cannot create the folder for your saved games"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find((home / ".local/share/trivenza").string()), std::string::npos) << refused.err;
  EXPECT_TRUE(filesBelow(home).empty());

  const Ended homeless = run({.cwd = home, .env = {{"HOME", "relative/home"}}, .asOrdinaryUser = true});
  EXPECT_EQ(homeless.status, 1);
  EXPECT_NE(homeless.err.find("no home folder"), std::string::npos) << homeless.err;
}

// Without a display: a video driver that does not exist would make any
// window fail, so these prove the pack writer's options open none.
const std::map<std::string, std::string> kNoWindow = {{"SDL_VIDEODRIVER", "none-such"}, {"DISPLAY", ""}};

// A pack with a fifth answer at line 4 and a difficulty out of range at line 11.
std::string PackWithTwoProblems() {
  return "Title: Broken\n\n== History\n[2] Five answers?\n+ a\n- b\n- c\n- d\n- e\n\n[11] Too hard?\n+ a\n- b\n"
         "- c\n- d\n\n" +
         SectionText(0, 1).substr(std::string("== History\n\n").size()) + SectionText(1, 1) + SectionText(2, 1) +
         SectionText(3, 1);
}

TEST_F(Program, CheckPackNamesEveryProblemByItsLineOrSaysWhatThePackHolds) {
  const fs::path folder = scratch_.path() / "my packs";
  fs::create_directories(folder);
  std::ofstream(folder / "world.tvq", std::ios::binary) << PackText("Around the W\xC3\xB6rld", 1);
  std::ofstream(folder / "broken.tvq", std::ios::binary) << PackWithTwoProblems();
  const std::set<std::string> before = filesBelow(scratch_.path());

  const Ended good = run({.args = {"--check-pack", "world.tvq"}, .cwd = folder, .env = kNoWindow});
  EXPECT_EQ(good.status, 0) << good.err;
  EXPECT_EQ(good.out,
            "world.tvq: \"Around the W\xC3\xB6rld\" can be played: 40 questions (History 10, Music 10, Sports 10, TV, "
            "Arts, and Literature 10)\n");
  EXPECT_EQ(good.err, "");

  const Ended bad = run({.args = {"--check-pack=broken.tvq"}, .cwd = folder, .env = kNoWindow});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out,
            "broken.tvq:4: the question has 1 right (\"+\") and 4 wrong (\"-\") answers; it needs 1 and 3\n"
            "broken.tvq:11: the difficulty must be a number from 1 to 10 in brackets, as in \"[7] Question?\"\n") << bad.out;

  const Ended missing = run({.args = {"--check-pack", "gone.tvq"}, .cwd = folder, .env = kNoWindow});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "gone.tvq: the file cannot be read\n");
  const Ended folderGiven = run({.args = {"--check-pack", folder.string()}, .env = kNoWindow});
  EXPECT_EQ(folderGiven.status, 1);
  EXPECT_EQ(folderGiven.out, folder.string() + ": the file cannot be read\n");
  EXPECT_EQ(run({.args = {"--check-pack"}}).status, 2) << "the file is needed";
  EXPECT_EQ(filesBelow(scratch_.path()), before) << "checking writes nothing";
}

// The packs in the order the game options step through them, where the game
// finds them: from its own game folder, and installed (without making the
// player's folders, since listing writes nothing).
TEST_F(Program, ListPacksShowsEachPackTheGameFindsWithItsQuestionsTitleAndFile) {
  const fs::path game = scratch_.path() / "game";
  makeGameFolder(game);
  program_ = placeProgram(game);
  fs::create_directories(game / "packs");
  std::ofstream(game / "packs/world.tvq", std::ios::binary) << PackText("Around the World", 1);
  std::ofstream(game / "packs/broken.tvq", std::ios::binary) << PackWithTwoProblems();
  const std::string builtIn = "400\tFirst Edition\t" + (game / "tvzd.tzd").string() + "\n400\tSecond Edition\t" +
                              (game / "second.tvq").string() + "\n400\tThird Edition\t" +
                              (game / "third.tvq").string() + "\n";
  const Ended portable = run({.args = {"--list-packs"}, .cwd = game, .env = kNoWindow});
  EXPECT_EQ(portable.status, 0) << portable.err;
  EXPECT_EQ(portable.out, builtIn + "-\tBroken (cannot be played)\t" + (game / "packs/broken.tvq").string() +
                              "\n40\tAround the World\t" + (game / "packs/world.tvq").string() + "\n");

  const fs::path prefix = scratch_.path() / "usr";
  makeGameFolder(prefix / "share/trivenza");
  program_ = placeProgram(prefix / "bin");
  makeReadOnly(prefix);
  const fs::path home = makeHome();
  const Ended installed =
      run({.args = {"--list-packs"}, .cwd = home, .env = {{"HOME", home.string()}}, .asOrdinaryUser = true});
  EXPECT_EQ(installed.status, 0) << installed.err;
  const fs::path share = prefix / "share/trivenza";
  EXPECT_EQ(installed.out, "400\tFirst Edition\t" + (share / "tvzd.tzd").string() + "\n400\tSecond Edition\t" +
                               (share / "second.tvq").string() + "\n400\tThird Edition\t" +
                               (share / "third.tvq").string() + "\n");
  EXPECT_TRUE(filesBelow(home).empty()) << "listing makes no folder";

  const fs::path xdgData = scratch_.path() / "xdg-data";
  fs::create_directories(xdgData / "trivenza/packs");
  std::ofstream(xdgData / "trivenza/packs/world.tvq", std::ios::binary) << PackText("Around the World", 1);
  giveToPlayer(xdgData);
  const Ended players = run({.args = {"--list-packs"},
                             .cwd = home,
                             .env = {{"HOME", home.string()}, {"XDG_DATA_HOME", xdgData.string()}},
                             .asOrdinaryUser = true});
  EXPECT_NE(players.out.find("\n40\tAround the World\t" + (xdgData / "trivenza/packs/world.tvq").string() + "\n"),
            std::string::npos)
      << players.out;
}

}  // namespace
}  // namespace tvz
