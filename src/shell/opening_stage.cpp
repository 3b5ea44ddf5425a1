// The opening of the show, from "Start >" on contestant setup to the host's
// "Let's begin.": the line-up with the theme, the three contestant cards and
// the host's welcome, then the board takes over.
//
// Each tick runs one check for the scene on screen (none while that scene is
// made but not shown yet): when its caption is the expected line and
// ElapsedMs has reached that line's time, the caption moves on or the next
// scene replaces it, and ElapsedMs starts again from 0. The next scene is
// always made one step ahead and loads its pictures one caption ahead, so
// switching costs no loading on screen. The times follow the opening
// soundtrack, which plays on its own from the moment the line-up shows.
#include <cstdint>
#include <string>

#include "core/switch_screen.h"
#include "menus/in_game_menu.h"
#include "menus/player_menu.h"
#include "platform/application.h"
#include "platform/random.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera2c.h"
#include "scenes/camera4.h"
#include "scenes/host_scene.h"
#include "shell/main_window.h"
#include "show/board.h"

namespace tvz {

namespace {

// How long each line stays up, in milliseconds.
namespace opening_ms {
// The line-up: the theme's opening bars, then the host's two lines.
constexpr std::uint32_t kBeforeThisIs = 4169;
constexpr std::uint32_t kThisIs = 3493;
constexpr std::uint32_t kLetsMeet = 5123;
// A card: the champion line (returning champions only), then occupation and
// home town, then the name.
constexpr std::uint32_t kChampionLine = 3500;
constexpr std::uint32_t kOccupationLine = 2980;
constexpr std::uint32_t kNameLine = 3004;
// The host: welcome, the host's name, "Let's begin.".
constexpr std::uint32_t kWelcome = 3500;
constexpr std::uint32_t kHostName = 3000;
constexpr std::uint32_t kLetsBegin = 3000;
}  // namespace opening_ms

// Where a failure to make each scene of the opening is reported.
namespace opening_location {
constexpr std::int32_t kLineUp = 4860;
constexpr std::int32_t kCards[kContestantCount] = {5110, 5120, 5130};
constexpr std::int32_t kHost = 5140;
constexpr std::int32_t kBoard = 5150;
constexpr std::int32_t kInGameMenu = 5160;
}  // namespace opening_location

// A card on screen: its lines in turn, while the scene that follows it (the
// next card, or the host after the last card) is made, then loaded when the
// name line comes up, then shown in the card's place.
template <class Next>
bool CardSteps(GameRecord& record, ContestantCard& card, Next*& next, std::int32_t location) {
  if (!card.visible()) return true;
  if (!next) return createScreen(next, location);
  switch (card.ShownLine()) {
    case CardLine::Champion:
      if (record.ElapsedMs < opening_ms::kChampionLine) return true;
      card.AdvanceCaption();
      record.ElapsedMs = 0;
      return true;
    case CardLine::Occupation:
      if (record.ElapsedMs < opening_ms::kOccupationLine) return true;
      card.AdvanceCaption();
      record.ElapsedMs = 0;
      return next->LoadPictures();
    case CardLine::Name:
    // A caption that is none of the card's lines cannot come from a seated
    // contestant; the card still gives way after its name line's time rather
    // than holding the show for ever.
    case CardLine::Other:
      if (record.ElapsedMs < opening_ms::kNameLine) return true;
      next->Show();
      card.Close();
      record.ElapsedMs = 0;
      return true;
  }
  return true;
}

// The caption shows the line and the line has been up for its time.
bool LineDue(const GameRecord& record, const Label& caption, const std::string& line, std::uint32_t ms) {
  return caption.caption() == line && record.ElapsedMs >= ms;
}

// A screen just made may have closed itself over its own failure (reported
// where it happened): then the show cannot go on.
template <class Screen>
bool MadeWhole(Screen* screen) {
  return screen && !screen->releasing();
}

}  // namespace

bool TTvzMain::StartShow() {
  if (!Camera4) {
    if (!createScreen(Camera4, opening_location::kLineUp)) return false;
    return MadeWhole(Camera4) && Camera4->LoadPictures();
  }
  PlayerMenu->CompleteLineUp();
  Application::current().setScreenCursor(Cursor::None);
  if (!Camera4->AssembleSoundtrack()) return false;
  Camera4->Show();
  PlayerMenu->Close();
  MenuPhase = 0;
  OpeningPhase = 1;
  ElapsedMs = 0;
  return true;
}

bool TTvzMain::OpeningStage() {
  if (!OpeningShown && Camera4) return LineUpSteps();
  if (Camera2a) return CardSteps(*this, *Camera2a, Camera2b, opening_location::kCards[1]);
  if (Camera2b) return CardSteps(*this, *Camera2b, Camera2c, opening_location::kCards[2]);
  if (Camera2c) return CardSteps(*this, *Camera2c, Camera1, opening_location::kHost);
  if (Camera1) return HostSteps();
  return true;
}

// The line-up: the theme plays, the host says "This is Trivenza." and "Lets
// meet tonight's contestants.", and the first card takes over.
bool TTvzMain::LineUpSteps() {
  if (!Camera4->visible()) return true;
  if (!Camera2a) return createScreen(Camera2a, opening_location::kCards[0]);
  const Label& caption = *Camera4->CCLbl;
  if (LineDue(*this, caption, "", opening_ms::kBeforeThisIs)) {
    Camera4->AdvanceCaption();
    ElapsedMs = 0;
    return Camera2a->LoadPictures();
  }
  if (LineDue(*this, caption, kThisIsCaption, opening_ms::kThisIs)) {
    Camera4->AdvanceCaption();
    ElapsedMs = 0;
  } else if (LineDue(*this, caption, kLetsMeetCaption, opening_ms::kLetsMeet)) {
    Camera2a->Show();
    Camera4->Close();
    OpeningShown = 1;
    ElapsedMs = 0;
  }
  return true;
}

// The host: the board and the in-game menu are made as soon as the host is on
// screen, the board's pictures load while the host says his name, and at
// "Let's begin." the show begins.
bool TTvzMain::HostSteps() {
  if (!Camera1->visible()) return true;
  if (!Camera2) {
    if (!PrepareBoard()) return false;
    // The welcome stays up and the host starts his welcome.
    Camera1->CaptionStep();
    return true;
  }
  const Label& caption = *Camera1->CCLbl;
  if (LineDue(*this, caption, kWelcomeCaption, opening_ms::kWelcome)) {
    Camera1->CaptionStep();
    ElapsedMs = 0;
    return Camera2->LoadPictures();
  }
  if (LineDue(*this, caption, kHostNameCaption, opening_ms::kHostName)) {
    Camera1->CaptionStep();
    ElapsedMs = 0;
  } else if (LineDue(*this, caption, kLetsBeginCaption, opening_ms::kLetsBegin)) {
    return BeginShow();
  }
  return true;
}

// The board, hidden, and the in-game menu that goes with it (kept when one is
// already there).
bool TTvzMain::PrepareBoard() {
  if (!createScreen(Camera2, opening_location::kBoard) || !MadeWhole(Camera2)) return false;
  // A menu that could not make its own windows has asked to quit; the board
  // sees that once the show runs.
  return InGameMenu || createScreen(InGameMenu, opening_location::kInGameMenu);
}

bool TTvzMain::BeginShow() {
  if (!Camera2 && (!PrepareBoard() || !Camera2->LoadPictures())) return false;
  ElapsedMs = 0;
  OpeningPhase = 0;
  BreakScene = 0;
  Round = 1;
  Camera2->Challenger = -1;
  Camera2->Defender = -1;
  Camera2->ShowStep = 0;
  // One defender to start with; nobody else holds a role yet.
  const std::int32_t defender = Random(kContestantCount);
  for (std::int32_t c = 0; c < kContestantCount; ++c) Contestants[c].Role = c == defender ? 1 : 0;
  Camera2->Show();
  if (Camera1) Camera1->Close();
  return true;
}

}  // namespace tvz
