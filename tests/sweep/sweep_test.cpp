// The show's files, each missing and each cut short. The files are those a
// whole one-round show and a whole three-round show (every option on) open
// from start-up to the champions list, as recorded while they play in the
// game folder a player has after a first show. Then a show is played once
// for each file and each way of spoiling it, each in a process of its own,
// two at a time. Every run must end soundly: the show goes on to the
// champions list, or the failure is reported with its location code
// (error.log and the error box) and the program ends in order; and a
// champion the host has crowned is in the champions list either way. The
// table of every run, sweep.tsv, is left in the test's output folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <map>
#include <set>

#include "harness/harness.h"
#include "sweep/child_runs.h"
#include "sweep/damage.h"
#include "sweep/run_report.h"
#include "sweep/verdict.h"

#ifndef TRIVENZA_SWEEP_SAMPLE
#define TRIVENZA_SWEEP_SAMPLE 1
#endif
#ifndef TRIVENZA_SWEEP_RUN_SECONDS
#define TRIVENZA_SWEEP_RUN_SECONDS 120
#endif

namespace tvz::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kAtOnce = 2;  // the machine's two cores

// A run that has not ended after this long hangs (TRIVENZA_SWEEP_RUN_SECONDS
// chooses another bound).
std::chrono::seconds RunTime() {
  const char* seconds = std::getenv("TRIVENZA_SWEEP_RUN_SECONDS");
  const int chosen = seconds ? std::atoi(seconds) : 0;
  return std::chrono::seconds(chosen > 0 ? chosen : TRIVENZA_SWEEP_RUN_SECONDS);
}

// Every file in the normal build; the sanitizer build takes every fifth, an
// even spread that keeps it within its time. TRIVENZA_SWEEP_EVERY=n chooses.
int SampleEvery() {
  const char* every = std::getenv("TRIVENZA_SWEEP_EVERY");
  return every && std::atoi(every) > 0 ? std::atoi(every) : TRIVENZA_SWEEP_SAMPLE;
}

struct ShowFile {
  std::string name;
  int rounds;  // the show that opens it: 1, or 3 when only that one does
};

struct Row {
  ShowFile file;
  Damage damage;
  Verdict verdict;
  std::string log;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A child that did not end by itself has left its scratch game folder (named
// for its test and its process) behind.
void ClearUpAfter(const ChildEnd& end) {
  if (end.exited || end.pid < 0) return;
  const std::string ending = "-" + std::to_string(end.pid);
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("trivenza-SweepChild-", 0) == 0 && name.size() > ending.size() &&
        name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
      fs::remove_all(entry.path());
  }
}

std::string Slug(const std::string& name, Damage damage) {
  std::string slug = name + "-" + NameOf(damage);
  for (char& c : slug)
    if (c == ' ') c = '-';
  return slug;
}

// The player's files a first show leaves, which every later run starts with.
fs::path PlayerFilesFolder(const fs::path& out) { return out / "player-files"; }

ChildJob Job(const fs::path& runs, const std::string& slug, std::vector<std::string> environment) {
  environment.push_back(std::string(kReportVariable) + "=" + (runs / (slug + ".report")).string());
  environment.push_back(std::string(kPlayerFilesVariable) + "=" +
                        PlayerFilesFolder(runs.parent_path()).string());
  return {"SweepChild.*", std::move(environment), (runs / (slug + ".log")).string()};
}

// A player's first show, from a game folder with nothing of the player's yet.
void PlayAFirstShow(const fs::path& runs) {
  fs::remove_all(PlayerFilesFolder(runs.parent_path()));
  const std::vector<ChildJob> jobs{Job(runs, "first", {std::string(kRoleVariable) + "=first"})};
  const std::vector<ChildEnd> ends = RunChildren(jobs, 1, RunTime());
  ClearUpAfter(ends[0]);
  const Verdict verdict =
      Judge(ends[0], ReadReport((runs / "first.report").string()), ReadText(jobs[0].logFile), false);
  EXPECT_TRUE(verdict.outcome == Outcome::Champions && verdict.codes == "-")
      << "a first show: " << NameOf(verdict.outcome) << " " << verdict.codes << " " << verdict.why << "; see "
      << jobs[0].logFile;
}

// The files the two whole shows open, the one-round show's first.
std::vector<ShowFile> RecordTheShowFiles(const fs::path& runs, const fs::path& out) {
  std::vector<ChildJob> jobs;
  for (int rounds : {1, 3})
    jobs.push_back(Job(runs, "record-" + std::to_string(rounds),
                       {std::string(kRoleVariable) + "=record", std::string(kRoundsVariable) + "=" +
                                                                    std::to_string(rounds)}));
  const std::vector<ChildEnd> ends = RunChildren(jobs, kAtOnce, RunTime());
  for (const ChildEnd& end : ends) ClearUpAfter(end);
  std::vector<ShowFile> files;
  std::set<std::string> listed;
  std::ofstream list(out / "show-files.tsv", std::ios::trunc);
  list << "file\tshow\tlongest gap\n";
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const int rounds = i == 0 ? 1 : 3;
    const std::optional<RunReport> report =
        ReadReport(runs / ("record-" + std::to_string(rounds) + ".report"));
    const Verdict verdict = Judge(ends[i], report, ReadText(jobs[i].logFile), false);
    EXPECT_TRUE(verdict.outcome == Outcome::Champions && verdict.codes == "-")
        << "the whole " << rounds << "-round show, as recorded: " << NameOf(verdict.outcome) << " "
        << verdict.codes << " " << verdict.why << "; see " << jobs[i].logFile;
    if (!report) continue;
    std::cout << "The " << rounds << "-round show opens " << report->opened.size() << " files; at most "
              << report->longestGap << " frames from one step to the next.\n";
    for (const std::string& name : report->opened) {
      if (!listed.insert(name).second) continue;
      files.push_back({name, rounds});
      list << name << '\t' << rounds << '\t' << report->longestGap << '\n';
    }
  }
  return files;
}

void PrintTable(std::ostream& out, const std::vector<Row>& rows) {
  out << std::left << std::setw(16) << "file" << std::setw(11) << "case" << std::setw(12) << "outcome"
      << "code\n";
  for (const Row& r : rows) {
    out << std::setw(16) << r.file.name << std::setw(11) << NameOf(r.damage) << std::setw(12)
        << NameOf(r.verdict.outcome) << r.verdict.codes;
    if (!r.verdict.why.empty()) out << "  (" << r.verdict.why << ")";
    out << '\n';
  }
}

// Per case, the runs of each outcome; then all cases together.
void PrintCounts(std::ostream& out, const std::vector<Row>& rows) {
  std::map<std::string, std::map<std::string, int>> counts;
  for (const Row& r : rows) {
    ++counts[NameOf(r.damage)][NameOf(r.verdict.outcome)];
    ++counts["all"][NameOf(r.verdict.outcome)];
  }
  for (const char* damage : {"missing", "half", "100 bytes", "all"}) {
    int runs = 0;
    std::string outcomes;
    for (const auto& [outcome, n] : counts[damage]) {
      runs += n;
      outcomes += (outcomes.empty() ? "" : ", ") + std::to_string(n) + " " + outcome;
    }
    out << std::setw(10) << damage << std::right << std::setw(5) << runs << std::left << " runs: " << outcomes
        << '\n';
  }
}

TEST(Sweep, EveryFileTheShowOpensMissingOrCutShort) {
  const fs::path out = fs::path(outputPath("sweep.tsv")).parent_path();
  const fs::path runs = out / "runs";
  fs::remove_all(runs);
  fs::create_directories(runs);

  PlayAFirstShow(runs);
  const std::vector<ShowFile> files = RecordTheShowFiles(runs, out);
  ASSERT_GT(files.size(), 50u) << "the shows open their pictures, clips and sounds";

  std::vector<Row> rows;
  std::vector<ChildJob> jobs;
  const int every = SampleEvery();
  for (std::size_t i = 0; i < files.size(); i += static_cast<std::size_t>(every)) {
    const ShowFile& file = files[i];
    for (Damage damage : DamagesFor(file.name)) {
      rows.push_back({file, damage, {}, {}});
      jobs.push_back(Job(runs, Slug(file.name, damage),
                         {std::string(kRoleVariable) + "=run", std::string(kRoundsVariable) + "=" +
                                                                   std::to_string(file.rounds),
                          std::string(kFileVariable) + "=" + file.name,
                          std::string(kDamageVariable) + "=" + NameOf(damage)}));
    }
  }
  std::cout << "Sweeping " << rows.size() << " runs over " << (files.size() + every - 1) / every << " of "
            << files.size() << " files, " << kAtOnce << " at a time." << std::endl;

  int done = 0;
  RunChildren(jobs, kAtOnce, RunTime(), [&](std::size_t i, const ChildEnd& end) {
    Row& row = rows[i];
    const fs::path report = runs / (Slug(row.file.name, row.damage) + ".report");
    const std::string output = ReadText(jobs[i].logFile);
    row.verdict = Judge(end, ReadReport(report.string()), output, row.damage != Damage::Missing);
    fs::remove(report);
    ClearUpAfter(end);
    // Only a fault's output is kept.
    if (IsSound(row.verdict.outcome))
      fs::remove(jobs[i].logFile);
    else
      row.log = jobs[i].logFile;
    if (++done % 100 == 0) std::cout << done << " runs done" << std::endl;
  });

  std::ofstream table(out / "sweep.tsv", std::ios::trunc);
  table << "file\tcase\toutcome\tcode\tshow\tnote\n";
  for (const Row& r : rows)
    table << r.file.name << '\t' << NameOf(r.damage) << '\t' << NameOf(r.verdict.outcome) << '\t'
          << r.verdict.codes << '\t' << r.file.rounds << '\t' << r.verdict.why << '\n';
  PrintTable(std::cout, rows);
  PrintCounts(std::cout, rows);
  std::cout << "The table: " << (out / "sweep.tsv").string() << std::endl;

  for (const Row& r : rows)
    EXPECT_TRUE(IsSound(r.verdict.outcome))
        << r.file.name << " " << NameOf(r.damage) << ": " << NameOf(r.verdict.outcome) << " ("
        << r.verdict.why << "); its output: " << r.log;
}

}  // namespace
}  // namespace tvz::testing
