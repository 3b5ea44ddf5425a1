// Commercial breaks: half way through round 1 and between rounds the host
// announces the break, one of the three commercials runs (each once a show
// until all three have been seen), and the host welcomes the audience back;
// after a round the boards are set up for the next one.
#include "core/services.h"
#include "platform/random.h"
#include "show/board.h"
#include "show/rules_turns.h"
#include "show/show_flow.h"
#include "show/show_scenes.h"
#include "show/show_steps.h"

namespace tvz {

namespace {
constexpr std::int32_t kHostBeforeBreakLocation = 1200;
constexpr std::uint32_t kBreakMs = 15000;
constexpr HostLine kCommercials[] = {HostLine::BreakA, HostLine::BreakB, HostLine::BreakC};
}  // namespace

bool ShowSteps::AnnounceBreak() {
  if (!HostSays(kHostBeforeBreakLocation, HostLine::RightBack)) return false;
  Schedule(kLineDelayMs);
  GoTo(kShowBreak);
  return true;
}

bool ShowSteps::ShowBreak() {
  auto& shown = board_.BreakShown;
  if (shown[0] && shown[1] && shown[2]) shown = {};
  int which = Random(3);
  while (shown[which]) which = Random(3);
  if (!MakeBreakScene(which)) return false;
  shown[which] = 1;
  game_.BreakScene = which + 1;
  if (!SpeakLine(kCommercials[which])) return false;
  ShowBreakScene(which);
  Schedule(kBreakMs);
  GoTo(kWelcomeBack);
  return true;
}

bool ShowSteps::WelcomeBack() {
  // Cells are still all used after a round: the break came between rounds.
  const bool afterMidRoundBreak = !BoardsExhausted(game_);
  CloseBreakScenes();
  LineRequest line;
  line.round = game_.Round;
  line.afterMidRoundBreak = afterMidRoundBreak;
  if (!SpeakLine(HostLine::WelcomeBack, line)) return false;
  if (!afterMidRoundBreak) board_.StartRoundCells();
  PassControl();
  board_.DrawNamePlates();
  Schedule(kLineDelayMs);
  GoTo(kAnnounceDefender);
  return true;
}

}  // namespace tvz
