// The close of the show: the winner is crowned to the big applause, the host
// thanks the audience and says goodbye, and the winners' stage takes over
// with the closing theme. The board then closes; the main window runs the
// credits and opens the champions list.
#include "core/services.h"
#include "scenes/host_scene.h"
#include "show/board.h"
#include "show/rules_ranking.h"
#include "show/show_flow.h"
#include "show/show_scenes.h"
#include "show/show_steps.h"

namespace tvz {

namespace {
constexpr std::int32_t kHostAtTheCloseLocation = 1400;
constexpr std::uint32_t kCrowningMs = 10500;
constexpr std::uint32_t kThanksMs = 2500;
}  // namespace

bool ShowSteps::CrownChampion() {
  RankContestants(game_);
  const std::int32_t winner = game_.FirstPlace;
  if (winner < 0) {
    GoTo(kThankAudience);
    return true;
  }
  LineRequest line;
  line.contestant = winner;
  const bool returning = Seat(winner).IsReturningChampion != 0;
  if (!SpeakLine(returning ? HostLine::ChampionRemains : HostLine::NewChampion, line)) return false;
  // The winner's plate lights up.
  for (int c = 0; c < kContestantCount; ++c) board_.SetRole(c, c == winner ? kDefenderRole : 0);
  board_.DrawNamePlates();
  Schedule(kCrowningMs);
  GoTo(kThankAudience);
  return true;
}

bool ShowSteps::ThankAudience() {
  if (!HostSays(kHostAtTheCloseLocation, HostLine::ThankYou)) return false;
  Schedule(kThanksMs);
  GoTo(kSayGoodbye);
  return true;
}

bool ShowSteps::SayGoodbye() {
  if (!SpeakLine(HostLine::Goodbye)) return false;
  if (Camera1) Camera1->Show();
  Schedule(kLineDelayMs);
  GoTo(kRollCredits);
  return true;
}

// The winners' stage is made, its pictures loaded, while the host's goodbye
// still plays: the frame that rolls the credits then only has the closing
// theme to build.
bool ShowSteps::PrepareCredits() { return WinnersSceneMade() || MakeWinnersScene(); }

bool ShowSteps::RollCredits() {
  board_.SetCaption("");
  if (!PrepareCredits()) {
    CloseHostScene();
    return false;
  }
  if (!SpeakLine(HostLine::CreditsMusic)) return false;
  ShowWinnersScene();
  CloseHostScene();
  // The winners' stage is timed from its showing.
  game_.ElapsedMs = 0;
  board_.Close();
  return true;
}

}  // namespace tvz
