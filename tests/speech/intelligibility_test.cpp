// Can a player make out the show's voices? The speech check
// (tools/speechcheck) has a recogniser listen to every line, number and
// letter the host and the six contestant voices say in the built game, and to
// flite's own voices saying the same words untouched; these tests hold the
// game's voices to that yardstick and keep the seven voices apart by pitch.
// The check's report and spectrograms stay in test-output/speech-check/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

constexpr double kHostAccuracy = 75.0;   // percent of the host's words made out
constexpr double kFliteMargin = 3.0;     // points a voice may trail flite's own
constexpr double kPitchApartHz = 15.0;   // between two voices of a gender

using Row = std::map<std::string, std::string>;

// A tab-separated table with a header line, as rows keyed by column name.
std::vector<Row> ReadTable(const fs::path& path) {
  std::ifstream in(path);
  std::vector<Row> rows;
  std::string line;
  std::vector<std::string> columns;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    if (columns.empty()) {
      columns = cells;
      continue;
    }
    Row row;
    for (std::size_t i = 0; i < columns.size(); ++i) row[columns[i]] = i < cells.size() ? cells[i] : "";
    rows.push_back(row);
  }
  return rows;
}

double Number(const Row& row, const std::string& column) {
  const auto it = row.find(column);
  return it == row.end() || it->second.empty() ? -1.0 : std::atof(it->second.c_str());
}

// Clip names of a data file: the first word of every line that is not a comment.
std::vector<std::string> DataKeys(const std::string& file) {
  std::ifstream in(fs::path(TRIVENZA_SOURCE_DIR) / "data" / "speech" / file);
  std::vector<std::string> keys;
  std::string line;
  while (std::getline(in, line)) {
    std::stringstream words(line);
    std::string key;
    if (words >> key && key[0] != '#') keys.push_back(key);
  }
  return keys;
}

bool IsWoman(const std::string& voice) { return voice[0] == 'f'; }

class SpeechCheck : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!fs::exists(fs::path(TRIVENZA_GAME_DIR) / "hwelcome.mm3")) return;
    report_ = testing::outputPath("speech-check");
    fs::remove_all(report_);
    const std::string command = std::string("/usr/bin/python3 ") + TRIVENZA_SOURCE_DIR +
                                "/tools/speechcheck/speech_check.py --pictures --data " +
                                TRIVENZA_SOURCE_DIR + "/data --game " + TRIVENZA_GAME_DIR +
                                " --out " + report_.string() + " > " + (report_.string() + ".txt");
    ran_ = std::system(command.c_str()) == 0;
    voices_ = ReadTable(report_ / "voices.tsv");
    clips_ = ReadTable(report_ / "clips.tsv");
  }

  void SetUp() override {
    if (!fs::exists(fs::path(TRIVENZA_GAME_DIR) / "hwelcome.mm3"))
      GTEST_SKIP() << "no generated voices in " << TRIVENZA_GAME_DIR;
    ASSERT_TRUE(ran_) << "the speech check failed; see " << report_.string() << ".txt";
    ASSERT_EQ(voices_.size(), 7u);
  }

  static const Row& Voice(const std::string& name) {
    for (const auto& row : voices_)
      if (row.at("voice") == name) return row;
    static const Row none;
    return none;
  }

  static inline fs::path report_;
  static inline bool ran_ = false;
  static inline std::vector<Row> voices_, clips_;
};

TEST_F(SpeechCheck, ListensToEveryLineNumberAndLetterOfTheDataFiles) {
  std::set<std::string> expected;
  for (const auto& key : DataKeys("host.txt")) expected.insert("h" + key + ".mm3");
  for (const auto& key : DataKeys("numbers.txt")) expected.insert("h" + key + ".mm3");
  for (const char* voice : {"f1", "f2", "f3", "m1", "m2", "m3"}) {
    for (const auto& key : DataKeys("contestant.txt")) expected.insert(voice + key + ".mm3");
    for (const auto& key : DataKeys("numbers.txt")) expected.insert(voice + key + ".mm3");
  }
  std::set<std::string> heard;
  for (const auto& clip : clips_) heard.insert(clip.at("file"));
  EXPECT_EQ(heard, expected);
  EXPECT_GE(expected.size(), 28u + 24u + 6u * (9u + 24u));
}

TEST_F(SpeechCheck, EveryVoiceIsAtLeastAsClearAsFlitesOwn) {
  for (const auto& row : voices_) {
    SCOPED_TRACE(row.at("voice") + " (flite " + row.at("flite") + ")");
    EXPECT_GE(Number(row, "words"), 40);
    EXPECT_GE(Number(row, "accuracy"), Number(row, "flite_accuracy") - kFliteMargin);
  }
  EXPECT_GE(Number(Voice("host"), "accuracy"), kHostAccuracy);
}

TEST_F(SpeechCheck, EveryNumberAndLetterIsMadeOut) {
  // Among all the numbers up to 99 or all the letters, by most of the
  // listenings: always for the host, and for a contestant wherever flite's own
  // voice manages it.
  int checked = 0;
  for (const auto& clip : clips_) {
    if (clip.at("kind") != "number" && clip.at("kind") != "letter") continue;
    const double listenings = Number(clip, "listenings");
    const bool ours = 2 * Number(clip, "identified") > listenings;
    const bool flites = 2 * Number(clip, "flite_identified") > listenings;
    if (clip.at("voice") == "host" || flites) {
      EXPECT_TRUE(ours) << clip.at("file") << " \"" << clip.at("said") << "\" was taken for "
                        << clip.at("picked") << " (flite's voice: " << clip.at("flite_picked") << ")";
      ++checked;
    }
  }
  EXPECT_GE(checked, 24);
}

TEST_F(SpeechCheck, TheSevenVoicesStayApart) {
  double lowestWoman = 1e9, highestMan = 0;
  for (const auto& a : voices_) {
    const double pitch = Number(a, "pitch_hz");
    ASSERT_GT(pitch, 60) << a.at("voice");
    if (IsWoman(a.at("voice")))
      lowestWoman = std::min(lowestWoman, pitch);
    else
      highestMan = std::max(highestMan, pitch);
    for (const auto& b : voices_) {
      if (&a == &b || IsWoman(a.at("voice")) != IsWoman(b.at("voice"))) continue;
      EXPECT_GE(std::abs(pitch - Number(b, "pitch_hz")), kPitchApartHz)
          << a.at("voice") << " and " << b.at("voice");
    }
  }
  EXPECT_GT(lowestWoman, highestMan + kPitchApartHz);
}

}  // namespace
}  // namespace tvz
