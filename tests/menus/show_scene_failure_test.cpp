// Scenes of the show that cannot be made for want of memory: the step that
// needed the scene reports it with its own location code, the board closes,
// and the main window ends the program with 5220. The test program's
// allocator refuses, once, an allocation of exactly the scene's size, armed
// just before the step that makes it.
#include "harness/whole_show.h"
#include "menus/refused_allocation.h"
#include "scenes/camera3h.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3w.h"
#include "scenes/camera4x.h"
#include "scenes/camera5a.h"
#include "scenes/host_scene.h"
#include "show/board.h"
#include "show/rules_codes.h"
#include "show/show_flow.h"

namespace tvz::testing {
namespace {

std::string Report(std::int32_t location) {
  return "Err : Insufficent memory or resources available\nLocn: " + std::to_string(location) + "\n\n";
}

// 0 History, 1 Music, 2 Sports, 3 TV, Arts, and Literature.
int CategoryIndex() { return QuestionCategoryOf(PlayedCategory(TvzMain->Category)); }

struct Case {
  const char* scene;
  std::size_t size;
  // The moment just before the step that makes the scene.
  std::function<bool()> due;
  // The locations the step may report (the commercial is drawn in the step).
  std::function<std::vector<std::int32_t>()> locations;
};

class ShowSceneFailure : public WholeShow, public ::testing::WithParamInterface<Case> {};

TEST_P(ShowSceneFailure, IsReportedWhereTheStepNeededItAndTheProgramEnds) {
  const Case& c = GetParam();
  std::vector<std::int32_t> expected;
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {}));
    ASSERT_TRUE(playUntil(d, c.due));
    expected = c.locations();
    RefuseNextAllocationOf(c.size);
    ASSERT_TRUE(playUntil(d, [&] { return d.app().terminated(); }, 5));
    EXPECT_TRUE(AllocationRefused()) << "the scene was asked for";
  });
  const std::string log = readFile("error.log");
  bool matched = false;
  for (std::int32_t location : expected) matched = matched || log == Report(location) + Report(5220);
  EXPECT_TRUE(matched) << log;
}

bool At(std::int32_t step) { return Camera2 && Camera2->ShowStep == step; }

const Case kCases[] = {
    {"category choice", sizeof(TCamera3w),
     [] { return At(kChooseCategory) && TvzMain->Contestants[Camera2->Defender].IsHuman; },
     [] { return std::vector<std::int32_t>{905}; }},
    {"challenge value", sizeof(TCamera3hc), [] { return At(kChooseValue) && Camera2->Challenger == 0; },
     [] { return std::vector<std::int32_t>{1005 + 5 * CategoryIndex()}; }},
    {"question for a person", sizeof(TCamera3h), [] { return At(kDefenderAnswers) && Camera2->Defender == 0; },
     [] { return std::vector<std::int32_t>{1105 + 5 * CategoryIndex()}; }},
    {"question for a computer", sizeof(TCamera3h), [] { return At(kDefenderAnswers) && Camera2->Defender != 0; },
     [] { return std::vector<std::int32_t>{1125 + 5 * CategoryIndex()}; }},
    {"host before the break", sizeof(TCamera1), [] { return At(kAnnounceBreak); },
     [] { return std::vector<std::int32_t>{1200}; }},
    {"commercial", sizeof(TCamera5a), [] { return At(kShowBreak); },
     [] { return std::vector<std::int32_t>{1305, 1310, 1315}; }},
    {"host at the close", sizeof(TCamera1), [] { return At(kThankAudience); },
     [] { return std::vector<std::int32_t>{1400}; }},
    {"winners", sizeof(TCamera4x), [] { return At(kRollCredits); },
     [] { return std::vector<std::int32_t>{1500}; }},
};

INSTANTIATE_TEST_SUITE_P(Scenes, ShowSceneFailure, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name;
                           for (const char* p = info.param.scene; *p; ++p)
                             if (std::isalpha(static_cast<unsigned char>(*p))) name += *p;
                           return name;
                         });

}  // namespace
}  // namespace tvz::testing
