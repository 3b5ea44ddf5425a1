// The face clip table's rows are made from the timeline at build time; a
// segment the game plays without its row in the timeline stops the build
// with its name, rather than playing an empty range.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <unistd.h>

#include "show/segment_table.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = fs::path(TRIVENZA_TEST_DIR) / "..";

std::string readText(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct GeneratorRun {
  int status;
  std::string output;
};

// Runs the generator on a timeline and a header, as the build does.
GeneratorRun generate(const fs::path& timeline, const fs::path& header, const fs::path& out) {
  const std::string command = "/usr/bin/python3 " + (kSource / "tools/mediagen/segment_table.py").string() +
                              " " + timeline.string() + " " + header.string() + " " + out.string() + " 2>&1";
  GeneratorRun run{-1, {}};
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
    run.status = pclose(pipe);
  }
  return run;
}

class SegmentRows : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("trivenza-segments-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  const fs::path timeline_ = kSource / "data/characters/segments.txt";
  const fs::path header_ = kSource / "src/show/segment_table.h";
};

TEST_F(SegmentRows, TheGameTimelineGivesOneRowPerSegment) {
  const GeneratorRun run = generate(timeline_, header_, dir_ / "rows.inc");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string rows = readText(dir_ / "rows.inc");
  std::size_t count = 0;
  for (std::size_t at = rows.find("{FaceSegment::"); at != std::string::npos; at = rows.find("{FaceSegment::", at + 1))
    ++count;
  EXPECT_EQ(count, static_cast<std::size_t>(kFaceSegmentCount));
  EXPECT_NE(rows.find("{FaceSegment::Wrong2, {{"), std::string::npos);
}

TEST_F(SegmentRows, ATimelineWithoutASegmentStopsTheBuild) {
  std::istringstream lines(readText(timeline_));
  std::ofstream shortened(dir_ / "segments.txt");
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("Thinking2Return ", 0) != 0) shortened << line << '\n';
  shortened.close();
  const GeneratorRun run = generate(dir_ / "segments.txt", header_, dir_ / "rows.inc");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("Thinking2Return"), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(dir_ / "rows.inc")) << "nothing half-written for the compiler";
}

TEST_F(SegmentRows, ASegmentTheTimelineDoesNotKnowStopsTheBuild) {
  std::string header = readText(header_);
  const std::string last = "  Wrong1, Wrong2,\n";
  ASSERT_NE(header.find(last), std::string::npos);
  header.replace(header.find(last), last.size(), "  Wrong1, Wrong2,\n  Shrug,\n");
  std::ofstream(dir_ / "segment_table.h") << header;
  const GeneratorRun run = generate(timeline_, dir_ / "segment_table.h", dir_ / "rows.inc");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("no row for Shrug"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace tvz
