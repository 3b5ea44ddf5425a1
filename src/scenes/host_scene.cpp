#include "scenes/host_scene.h"

#include <new>
#include <string>

#include "core/screen_convention.h"
#include "core/services.h"
#include "platform/application.h"

namespace tvz {

namespace {
constexpr const char* kStudioFile = "cam1bknd.mm1";
constexpr const char* kHostClipFile = "host.mm4";
constexpr std::int32_t kBufferLocation = 2400;

// The stretch that goes with a caption the scene is shown with.
HostStretch StretchForCaption(const std::string& caption) {
  if (caption == kWelcomeCaption) return host_stretches::kWelcome;
  if (caption == kRightBackCaption) return host_stretches::kRightBack;
  if (caption == kThankYouCaption) return host_stretches::kThankYou;
  return {};
}

HostStretch RoundStretch(std::int32_t round) {
  switch (round) {
    case 1: return host_stretches::kRoundOne;
    case 2: return host_stretches::kRoundTwo;
    case 3: return host_stretches::kRoundThree;
    default: return {};
  }
}
}  // namespace

const char* RoundWord(std::int32_t round) {
  switch (round) {
    case 1: return "one.";
    case 2: return "two.";
    case 3: return "three.";
    default: return "";
  }
}

TCamera1::TCamera1() {
  fillScreen();
  setCaption("Camera1");
  setColor(rgb(0, 0, 0));
  setFont({"Times New Roman", 24, false, false, false, rgb(192, 192, 192)});
  setKeyPreview(true);
  BkgndImg = add<Picture>(0, 0, 800, 600);
  CCLbl = add<Label>(16, 536, 769, 35, kWelcomeCaption);
  CCLbl->setTransparent(true);
  CCLbl->setAlignment(Alignment::Center);
  CCLbl->setLayout(VerticalAlignment::Center);
  HostAni = add<Animate>(329, 28, 128, 176);
  HostAni->setColor(rgb(0, 0, 0));
  // Hidden until it first plays: the studio picture shows the host standing
  // as the animation's first frame does.
  HostAni->hide();
  HostAni->setFileName(kHostClipFile);
  HostAni->onStart = [this](Control&) { HostAniStart(); };
  HostAni->onStop = [this](Control&) { HostAniStop(); };
}

bool TCamera1::LoadPictures() {
  if (!Services->LoadPicture(kStudioFile, BkgndImg->editBitmap())) {
    Close();
    return false;
  }
  BkgndImg->changed();
  PreReadAnimation();
  return true;
}

// The animation is read before the scene shows, so its first stretch does
// not wait for the file. A clip that cannot be read leaves the host standing
// in the picture; only running out of memory is worth a report.
void TCamera1::PreReadAnimation() {
  try {
    HostAni->open();
  } catch (const std::bad_alloc&) {
    Services->ReportError("Insufficent memory or resources available", kBufferLocation);
  }
}

void TCamera1::FormShow() {
  Application::current().setScreenCursor(Cursor::None);
  CCLbl->setVisible(Services->CaptionsOn != 0);
  WelcomeCounter = 1;
  const HostStretch opening = StretchForCaption(CCLbl->caption());
  if (!opening.empty()) SegmentQueue[0] = opening;
}

void TCamera1::CaptionStep() {
  const std::string& caption = CCLbl->caption();
  if (caption == kWelcomeCaption) {
    // The step that shows the scene leaves the welcome up.
    if (WelcomeCounter == 1)
      WelcomeCounter = 2;
    else
      CCLbl->setCaption(kHostNameCaption);
  } else if (caption == kHostNameCaption) {
    CCLbl->setCaption(kLetsBeginCaption);
  }
  if (!visible() || Animating || SegmentQueue[0].empty()) return;
  const HostStretch next = SegmentQueue[0];
  SegmentQueue[0] = SegmentQueue[1];
  SegmentQueue[1] = SegmentQueue[2];
  SegmentQueue[2] = {};
  // A clip that cannot be played leaves the host standing; the next stretch
  // gets its turn on the next step.
  if (HostAni->play(next.first, next.last, 1)) HostAni->show();
}

void TCamera1::QueueReturnFromBreak(bool afterMidRoundBreak, std::int32_t round) {
  SegmentQueue[0] = host_stretches::kWelcomeBack;
  SegmentQueue[1] = afterMidRoundBreak ? host_stretches::kOnWithRound : host_stretches::kOnToRound;
  SegmentQueue[2] = RoundStretch(round);
}

void TCamera1::HostAniStart() { Animating = true; }
void TCamera1::HostAniStop() { Animating = false; }

void TCamera1::FormKeyDown(int& key, ShiftState shift) { swallowAltF4(key, shift); }

void TCamera1::FormClose(CloseAction& action) {
  action = CloseAction::Free;
  if (Camera1 == this) Camera1 = nullptr;
}

}  // namespace tvz
