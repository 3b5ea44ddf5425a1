#include "shell/main_window.h"

#include <filesystem>
#include <new>
#include <optional>

#include "core/popup_box.h"
#include "core/switch_screen.h"
#include "menus/game_menu.h"
#include "menus/in_game_menu.h"
#include "menus/player_menu.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "shell/help_menu.h"
#include "shell/studio_splash.h"
#include "shell/title_splash.h"
#include "shell/top_menu.h"
#include "show/board.h"
#include "store/champions.h"
#include "store/load_menu.h"

namespace tvz {

TTvzMain* TvzMain = nullptr;

namespace {
constexpr std::uint32_t kFrameMs = 33;
constexpr const char* kBackdropFile = "cam3bknd.mm1";
constexpr int kLogoFrames = 44;
constexpr const char* kProductPage = "trivenza.html";
}  // namespace

TTvzMain::TTvzMain()
    : TvzServices(Hooks{[this] { Close(); }, {}}) {
  fillScreen();
  setKeyPreview(true);
  setFont({"Times New Roman", 32, false, false, false, rgb(192, 192, 192)});
  LoadingLbl = add<Label>(324, 256, 152, 36, "Loading...");
  LoadingLbl->setTransparent(true);
  FrameTimer = addTimer(kFrameMs, [this](Timer& t) { FrameTimerTimer(t); });
  ConnectShow();
  if (Application::exists()) {
    Application::current().setScreenCursor(Cursor::None);
    Application::current().onException = [this](std::exception_ptr e) { EndAfterException(e); };
    Application::current().onWindowClose = [this] { WindowCloseRequested(); };
  }
}

TTvzMain::~TTvzMain() {
  if (Application::exists()) {
    Application::current().onException = nullptr;
    Application::current().onWindowClose = nullptr;
  }
  if (TvzMain == this) TvzMain = nullptr;
}

namespace {
// The display is set up by the program entry before the main window exists;
// a failure there is reported by the main window's creation, in its place.
std::optional<VideoInitError> displayFailure;
}  // namespace

void SetDisplayFailure(const VideoInitError& error) { displayFailure = error; }

// A window closed by the player: during a show the in-game menu's "Quit"
// asks first, as a show is not lost by a slip; anywhere else the program ends
// as by "Quit" on the top menu.
void TTvzMain::WindowCloseRequested() {
  if (Round != 0 && Camera2 && InGameMenu && InGameMenu->Usable()) {
    if (!InGameMenu->visible()) InGameMenu->Show();
    InGameMenu->QuitBtnClick();
    return;
  }
  Close();
}

void TTvzMain::FormCreate() {
  if (displayFailure) {
    ReportDisplayFailure(displayFailure->location, displayFailure->code);
    return;
  }
  CreateServices();
}

void TTvzMain::FormDestroy() {
  if (Application::exists()) Application::current().releaseDisplay();
  DestroyServices();
}

namespace {
std::string describe(std::exception_ptr exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const std::bad_alloc&) {
    return "Insufficent memory or resources available";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "An unknown error has been encountered.";
  }
}
}  // namespace

void TTvzMain::EndAfterException(std::exception_ptr exception) {
  FrameTimer->setEnabled(false);
  // A failure reported before the exception explains more than it does.
  if (PendingErrorText.empty()) PendingErrorText = describe(exception);
}

void TTvzMain::FormClose(CloseAction& action) {
  // Closing the main window ends the program.
  action = CloseAction::Free;
  FrameTimer->setEnabled(false);
  if (Application::exists()) Application::current().terminate();
}

void TTvzMain::FormKeyDown(int& key, ShiftState shift) { swallowAltF4(key, shift); }

void TTvzMain::FrameTimerTimer(Timer&) {
  if (!ClockStarted) {
    LastTick = GetTickCount();
    ClockStarted = true;
  }
  // A slow step (loading, composing speech) never overlaps the next tick.
  FrameTimer->setEnabled(false);
  const std::uint32_t now = GetTickCount();
  ElapsedMs += now - LastTick;
  LastTick = now;
  if (RunStage() && !MainWindowClosed())
    FrameTimer->setEnabled(true);
  else
    Close();
}

// Exactly one stage a tick, chosen by phase.
bool TTvzMain::RunStage() {
  if (IntroPhase) {
    if (!StudioSplashDone) return StudioSplashStage();
    if (!TitleSplashShown) return TitleSplashStage();
    return TopMenuEntryStage();
  }
  if (MenuPhase) {
    OpeningShown = 0;
    Application::current().setScreenCursor(Cursor::Default);
    // Each menu screen that exists gets its step, in this order.
    struct MenuStep {
      bool (*exists)();
      bool (TTvzMain::*run)();
    };
    static const MenuStep kMenuSteps[] = {
        {[] { return TopMenu != nullptr; }, &TTvzMain::TopMenuStage},
        {[] { return GameMenu != nullptr; }, &TTvzMain::GameMenuStage},
        {[] { return PlayerMenu != nullptr; }, &TTvzMain::PlayerMenuStage},
        {[] { return Champions != nullptr; }, &TTvzMain::ChampionsStage},
        {[] { return HelpMenu != nullptr; }, &TTvzMain::HelpStage},
    };
    for (const MenuStep& step : kMenuSteps)
      if (step.exists() && !(this->*step.run)()) return false;
    return true;
  }
  if (OpeningPhase) return OpeningStage();
  if (Round != 0) return ShowStage();
  return true;
}

// --- Intro ------------------------------------------------------------------

bool TTvzMain::StudioSplashStage() {
  if (!VantoSplash) {
    LoadingLbl->setCaption(LoadingLbl->caption() + ".");
    return createScreen(VantoSplash, 4010);
  }
  if (!VantoSplash->visible()) {
    LoadingLbl->setCaption(LoadingLbl->caption() + ".");
    if (!VantoSplash->LoadMedia()) return false;
    VantoSplash->Show();
    ElapsedMs = 0;
    return true;
  }
  LoadingLbl->hide();
  if (VantoSplash->LogoState == 0) {
    // A logo clip too short for its 44 frames never starts, and the splash
    // would wait for it for ever: it is a clip that failed to load.
    if (!VantoSplash->LogoAni->play(1, kLogoFrames, 1)) {
      ReportFileError("Error loading file", VantoSplash->LogoAni->fileName(), 4010);
      return false;
    }
  } else if (VantoSplash->LogoState == 2) {
    StudioSplashDone = 1;
  }
  return true;
}

bool TTvzMain::TitleSplashStage() {
  if (!TitleSplash) return createScreen(TitleSplash, 4110);
  if (TitleSplash->visible()) {
    TitleSplashShown = 1;
    return true;
  }
  const bool keyed = VantoSplash && VantoSplash->KeyPressed;
  if ((keyed && ElapsedMs >= 5000) || ElapsedMs >= 10000) {
    if (!TitleSplash->LoadMedia()) return false;
    TitleSplash->Show();
    if (VantoSplash) VantoSplash->Close();
    ElapsedMs = 0;
  }
  return true;
}

bool TTvzMain::TopMenuEntryStage() {
  if (!BackdropLoaded) {
    if (!LoadPicture(kBackdropFile, Backdrop)) return false;
    BackdropLoaded = true;
  }
  if (!TopMenu) return createScreen(TopMenu, 4210);
  if (TopMenu->visible()) {
    IntroPhase = 0;
    MenuPhase = 1;
    return true;
  }
  const bool keyed = TitleSplash && TitleSplash->KeyPressed;
  if ((keyed && ElapsedMs >= 5000) || ElapsedMs >= 10000) {
    TopMenu->BkgndImg->setBitmap(Backdrop);
    TopMenu->Show();
    if (TitleSplash) TitleSplash->Close();
  }
  return true;
}

// --- Menus ------------------------------------------------------------------

bool TTvzMain::TopMenuStage() {
  if (!TopMenu->visible()) return true;
  // While the load screen runs from the menu nothing is decided: a game it
  // loads must not lose its play mode to the next line.
  if (GLoadMenu && GLoadMenu->modal()) return true;
  if (TopMenu->LoadGamePressed) {
    // A loaded game's board is up: the show runs from the next tick.
    OpeningPhase = 0;
    MenuPhase = 0;
    TopMenu->Close();
    return true;
  }
  ResetPlayMode();
  if (TopMenu->BuyPressed) {
    openUrl(ProductPageUrl());
    TopMenu->BuyPressed = 0;
    return true;
  }
  if (TopMenu->NewGamePressed) return OpenGameOptions(4310);
  if (TopMenu->MultiPlayerPressed) {
    PlayMode = 5;
    return OpenGameOptions(4310);
  }
  if (TopMenu->ChampionsPressed) return switchScreen(TopMenu, Champions, 4330, Backdrop);
  if (TopMenu->HelpPressed) {
    if (!switchScreen(TopMenu, HelpMenu, 4340, Backdrop)) return false;
    // A help text that cannot be read has been reported and the help screen
    // has closed itself: stay on the top menu.
    if (!HelpMenu || HelpMenu->releasing()) TopMenu->HelpPressed = 0;
    return true;
  }
  if (TopMenu->QuitPressed) Close();
  return true;
}

bool TTvzMain::OpenGameOptions(std::int32_t location) {
  if (!GameMenu) {
    Application::current().setScreenCursor(Cursor::HourGlass);
    const bool created = createScreen(GameMenu, location, Backdrop);
    Application::current().setScreenCursor(Cursor::Default);
    return created;
  }
  ResetContestants();
  ResetShowState();
  GameMenu->Show();
  TopMenu->Close();
  return true;
}

bool TTvzMain::GameMenuStage() {
  if (!GameMenu->visible()) return true;
  if (GameMenu->CancelPressed) return switchScreen(GameMenu, TopMenu, 4710, Backdrop);
  if (GameMenu->NextPressed) {
    if (!PlayerMenu) {
      if (!createScreen(PlayerMenu, 4720, Backdrop)) return false;
      if (PlayerMenu) PlayerMenu->LoadPictureStrip();
      return true;
    }
    PlayerMenu->CurrentContestant = 0;
    return switchScreen(GameMenu, PlayerMenu, 4720, Backdrop);
  }
  return true;
}

bool TTvzMain::PlayerMenuStage() {
  if (!PlayerMenu->visible()) return true;
  if (PlayerMenu->CancelPressed) return switchScreen(PlayerMenu, GameMenu, 4810, Backdrop);
  if (PlayerMenu->StartPressed) return StartShow();
  return true;
}

bool TTvzMain::ChampionsStage() {
  if (Champions->visible() && Champions->MenuPressed)
    return switchScreen(Champions, TopMenu, 4910, Backdrop);
  return true;
}

bool TTvzMain::HelpStage() {
  if (HelpMenu->visible() && HelpMenu->MenuPressed)
    return switchScreen(HelpMenu, TopMenu, 5010, Backdrop);
  return true;
}

std::string TTvzMain::ProductPageUrl() const {
  std::error_code ec;
  const auto page = std::filesystem::absolute(kProductPage, ec);
  return "file://" + (ec ? std::string(kProductPage) : page.string());
}

}  // namespace tvz
