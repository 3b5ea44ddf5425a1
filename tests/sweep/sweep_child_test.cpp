// The sweep's child runs, each started by the sweep (sweep_test.cpp) in a
// process of its own with its orders in the environment; run without them
// they skip. "first" plays a player's first show and keeps the files it
// leaves for the player; "record" plays a whole show from there and notes
// every file of its game folder the show opens; "run" plays the show with
// one file missing or cut short and notes how it ended.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "core/contestant_names.h"
#include "harness/error_boxes.h"
#include "harness/game_session.h"
#include "harness/show_player.h"
#include "show/board.h"
#include "show/show_flow.h"
#include "store/champion_list.h"
#include "sweep/damage.h"
#include "sweep/game_folder.h"
#include "sweep/opened_files.h"
#include "sweep/run_report.h"

namespace tvz::testing {
namespace {

namespace fs = std::filesystem;

// A show that runs no step for this many frames of the show player hangs; a
// whole show's longest wait between two steps is a few frames.
constexpr int kStallFrames = 2000;

std::string Order(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// One round, or three with every option on; both with a ten-second clock, so
// that some answers come too late and the buzzer sounds.
ShowOptions OptionsFor(int rounds) {
  if (rounds == 3)
    return {.rounds = 3,
            .seconds = 10,
            .challengerMayAnswer = true,
            .deductIncorrect = true,
            .multiplyByRound = true,
            .harderEachRound = true};
  return {.seconds = 10};
}

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class SweepChild : public GameSession, public ShowPlayer {
 protected:
  // The whole show from start-up, the folder watched all along.
  void PlayWatching(int rounds, OpenedFiles& watch, RunReport& report) {
    std::string championEntry;
    onStep = [&](const StepRun& run) {
      // Crowned: the step ran whole, the host's words said.
      if (run.step != kCrownChampion || run.next != kThankAudience || TvzMain->FirstPlace < 0) return;
      report.crowned = true;
      const ContestantRecord& winner = Seat(TvzMain->FirstPlace);
      championEntry = FormatEntry({winner.Score, FullName(*TvzMain, winner), Residence(*TvzMain, winner),
                                   winner.Appearance}) + "+";
    };
    play([&](Driver& d) {
      report.boardUp = startShow(d, OptionsFor(rounds));
      watch.collect();
      if (!report.boardUp) {
        report.ended = d.app().terminated();
        report.stalled = !report.ended;  // stuck before the board
        return;
      }
      std::size_t stepsSeen = steps_.size();
      int sinceStep = 0;
      playUntil(
          d,
          [&] {
            watch.collect();
            if (steps_.size() != stepsSeen) {
              stepsSeen = steps_.size();
              sinceStep = 0;
            }
            report.longestGap = std::max(report.longestGap, sinceStep);
            report.stalled = ++sinceStep > kStallFrames;
            return ChampionsUp() || report.stalled || d.app().terminated();
          },
          1000000);
      report.champions = ChampionsUp();
      report.ended = d.app().terminated();
    });
    watch.collect();
    report.steps = static_cast<int>(steps_.size());
    report.codes = LocationCodes(readFile("error.log"));
    const std::string champions = readFile("vantoc.mm3");
    const std::vector<std::string> entries =
        DecodeChampionsFile(std::vector<std::uint8_t>(champions.begin(), champions.end()));
    report.championKept = std::find(entries.begin(), entries.end(), championEntry) != entries.end();
    for (const ErrorBoxes::Box& box : boxes_.boxes) report.boxes.push_back({box.text, box.displayReleased});
  }

  ErrorBoxes boxes_;
};

TEST_F(SweepChild, First) {
  if (Order(kRoleVariable) != "first") GTEST_SKIP() << "started by the sweep only";
  PlaceGameMedia(dir_.string());
  OpenedFiles watch(dir_.string());
  RunReport report;
  PlayWatching(1, watch, report);
  KeepPlayerFiles(dir_.string(), Order(kPlayerFilesVariable));
  ASSERT_TRUE(WriteReport(Order(kReportVariable), report));
}

TEST_F(SweepChild, Record) {
  if (Order(kRoleVariable) != "record") GTEST_SKIP() << "started by the sweep only";
  PlaceGameMedia(dir_.string());
  PutPlayerFiles(Order(kPlayerFilesVariable), dir_.string());
  const std::set<std::string> atStart = FilesIn(dir_);
  OpenedFiles watch(dir_.string());
  ASSERT_TRUE(watch.watching());
  RunReport report;
  PlayWatching(std::stoi(Order(kRoundsVariable)), watch, report);
  ASSERT_FALSE(watch.lostReports()) << "the kernel dropped reports of opened files";
  for (const std::string& name : watch.inOrder())
    if (atStart.count(name)) report.opened.push_back(name);
  ASSERT_TRUE(WriteReport(Order(kReportVariable), report));
}

TEST_F(SweepChild, Run) {
  if (Order(kRoleVariable) != "run") GTEST_SKIP() << "started by the sweep only";
  const std::string file = Order(kFileVariable);
  const std::optional<Damage> damage = DamageNamed(Order(kDamageVariable));
  const std::optional<std::string> whole = WholeFile(file, Order(kPlayerFilesVariable));
  ASSERT_TRUE(damage && whole) << file << ", " << Order(kDamageVariable);
  // The spoiled file is written in place of the medium, never through it:
  // the build's media stay whole.
  PlaceGameMedia(dir_.string(), {file});
  PutPlayerFiles(Order(kPlayerFilesVariable), dir_.string(), file);
  const std::optional<std::string> spoiled = Spoil(*whole, *damage);
  if (spoiled) writeFile(file, *spoiled);
  OpenedFiles watch(dir_.string());
  ASSERT_TRUE(watch.watching());
  RunReport report;
  PlayWatching(std::stoi(Order(kRoundsVariable)), watch, report);
  report.fileOpened = watch.opened(file);
  ASSERT_TRUE(WriteReport(Order(kReportVariable), report));
}

}  // namespace
}  // namespace tvz::testing
