// A step of the show's close that fails after the host has crowned the
// champion (the host's thanks or goodbye, a picture of the winners' stage)
// ends the program with its report, but the win is not lost: the champion
// joins the champions list and the show's questions the pack's history, as
// at the end of a whole show.
#include "core/contestant_names.h"
#include "core/error_log.h"
#include "core/question_history.h"
#include "harness/error_boxes.h"
#include "harness/whole_show.h"
#include "show/board.h"
#include "show/show_flow.h"
#include "store/champion_list.h"

namespace tvz::testing {
namespace {

struct Case {
  const char* part;  // of the close
  const char* file;  // missing from the game folder
  std::int32_t location;
};

class ShowCloseFailure : public WholeShow, public ::testing::WithParamInterface<Case> {
 protected:
  ShowCloseFailure() { missingMedia_ = {GetParam().file}; }
  ErrorBoxes errorBoxes_;
};

TEST_P(ShowCloseFailure, KeepsTheCrownedChampion) {
  std::string champion;
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    ASSERT_TRUE(playUntil(d, [] { return Camera2 && Camera2->ShowStep == kThankAudience; }));
    ASSERT_GE(TvzMain->FirstPlace, 0) << "crowned";
    const ContestantRecord& winner = Seat(TvzMain->FirstPlace);
    champion = FormatEntry({winner.Score, FullName(*TvzMain, winner), Residence(*TvzMain, winner),
                            winner.Appearance}) + "+";
    ASSERT_TRUE(playUntil(d, [&] { return d.app().terminated(); }, 100))
        << "the failed step ends the program";
  });
  const std::string log = readFile("error.log");
  EXPECT_NE(log.find("Locn: " + std::to_string(GetParam().location)), std::string::npos) << log;
  const std::string showFailed = ErrorEntry(kMemoryError, 5220);
  EXPECT_EQ(log.substr(log.size() - std::min(log.size(), showFailed.size())), showFailed) << log;
  ASSERT_EQ(errorBoxes_.boxes.size(), 1u);
  EXPECT_EQ(errorBoxes_.boxes[0].text, showFailed);

  const std::string file = readFile("vantoc.mm3");
  const std::vector<std::string> stored =
      DecodeChampionsFile(std::vector<std::uint8_t>(file.begin(), file.end()));
  EXPECT_EQ(std::count(stored.begin(), stored.end(), champion), 1) << champion;
  EXPECT_EQ(stored.size(), BuiltInChampions().size() + 1);
  EXPECT_TRUE(fileExists(kHistoryFile)) << "the show's questions are remembered";
}

const Case kCases[] = {
    {"host's thanks", "hthanku.mm3", 2105},
    {"goodbye", "htunein.mm3", 2105},
    {"winners' stage", "cam4xwin.mm1", 120},
};

INSTANTIATE_TEST_SUITE_P(Close, ShowCloseFailure, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name;
                           for (const char* p = info.param.part; *p; ++p)
                             if (std::isalpha(static_cast<unsigned char>(*p))) name += *p;
                           return name;
                         });

}  // namespace
}  // namespace tvz::testing
