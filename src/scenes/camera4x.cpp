#include "scenes/camera4x.h"

#include <new>

#include "core/services.h"
#include "platform/application.h"
#include "platform/sound_output.h"
#include "scenes/figure_sheet.h"

namespace tvz {

namespace {
constexpr const char* kStudioFile = "cam4xbkd.mm1";
constexpr const char* kHostFile = "cam4xhst.mm2";
constexpr const char* kCreditsFile = "creds.mm4";
constexpr const char* kSheetFiles[kContestantCount] = {"cam4xwin.mm1", "cam4x2nd.mm1", "cam4x3rd.mm1"};
}  // namespace

TCamera4x::TCamera4x() {
  BkgndImg = add<Picture>(0, 0, 800, 572);
  BkgndImg->setAutoSize(true);
  WinnerImg = add<Picture>(377, 211, 45, 118);
  SecondImg = add<Picture>(441, 215, 35, 108);
  ThirdImg = add<Picture>(476, 215, 35, 108);
  HostImg = add<Picture>(342, 212, 46, 118);
  HostImg->setTransparent(true);
  CreditsAni = add<Animate>(240, 400, 320, 160);
  CreditsAni->setColor(rgb(0, 0, 0));
  CreditsAni->setFileName(kCreditsFile);
}

void TCamera4x::FormCreate() {
  try {
    sheets_.resize(kContestantCount);
  } catch (const std::bad_alloc&) {
    Services->ReportError("Insufficent memory or resources available", 1900);
    Close();
  }
}

bool TCamera4x::LoadPictures() {
  bool loaded = sheets_.size() == kContestantCount && LoadInto(BkgndImg, kStudioFile) &&
                LoadInto(HostImg, kHostFile);
  for (int p = 0; loaded && p < kContestantCount; ++p)
    loaded = Services->LoadPicture(kSheetFiles[p], sheets_[p]);
  if (!loaded) {
    Close();
    return false;
  }
  // The champion has just been announced: without its credits clip the show
  // still ends in order, and the champion is still recorded.
  CreditsMissing = !CreditsAni->open() || CreditsAni->frameCount() < kCreditsLastFrame;
  if (CreditsMissing) Services->ReportFileError("Error loading file", kCreditsFile, 1910);
  return true;
}

void TCamera4x::FormShow() {
  Application::current().setScreenCursor(Cursor::None);
  CreditsStarted = false;
  KeyReleased = false;
  DrawPlaces();
}

// With no ranking only the stage and the credits are shown.
void TCamera4x::DrawPlaces() {
  Picture* const places[kContestantCount] = {WinnerImg, SecondImg, ThirdImg};
  const std::int32_t ranking[kContestantCount] = {Services->FirstPlace, Services->SecondPlace,
                                                   Services->ThirdPlace};
  const bool ranked = Services->FirstPlace >= 0;
  HostImg->setVisible(ranked);
  for (int p = 0; p < kContestantCount; ++p) {
    const std::int32_t who = ranking[p];
    if (!ranked || who < 0 || who >= kContestantCount || p >= static_cast<int>(sheets_.size())) {
      places[p]->clear();
      continue;
    }
    DrawFigure(sheets_[p], Services->Contestants[who].Appearance, places[p]);
  }
}

void TCamera4x::StartCredits() {
  CreditsStarted = true;
  if (!CreditsMissing) CreditsAni->play(1, kCreditsLastFrame, 1);
}

bool TCamera4x::CreditsOver(std::uint32_t& elapsedMs) {
  if (!CreditsStarted) {
    if (elapsedMs >= kCreditsDelayMs) {
      StartCredits();
      elapsedMs = 0;
    }
    return false;
  }
  return CreditsMissing || KeyReleased || elapsedMs >= kCreditsLengthMs;
}

void TCamera4x::FormKeyUp(int&, ShiftState) { KeyReleased = true; }

void TCamera4x::FormClose(CloseAction& action) {
  Application::current().setScreenCursor(Cursor::Default);
  // The closing theme is the largest sound of the show; it goes with the
  // stage rather than waiting for the next sound to replace it.
  SoundOutput::instance().stopAll();
  Services->VoiceStream = SoundBuffer();
  CameraScene::FormClose(action);
}

}  // namespace tvz
