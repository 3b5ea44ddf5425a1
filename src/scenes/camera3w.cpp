#include "scenes/camera3w.h"

#include <new>

#include "core/screen_convention.h"
#include "core/services.h"
#include "platform/application.h"

namespace tvz {

namespace {
constexpr const char* kPanelsFile = "cam3choo.mm1";
constexpr Color kFrameColour = rgb(255, 102, 0);
}  // namespace

TCamera3w::TCamera3w() {
  setFontColor(rgb(0, 0, 0));  // the seconds, black on the white clock face
  BkgndImg = add<Picture>(0, 0, 800, 600);
  CategoryImg = add<Picture>(64, 69, 685, 459);
  TVALLbl = AddPanel(70, 76, 338, 224, 5);
  MusicLbl = AddPanel(408, 76, 335, 224, 3);
  SportsLbl = AddPanel(70, 300, 338, 222, 4);
  HistoryLbl = AddPanel(408, 300, 335, 222, 1);
  AddTimeLabel(392, 472);
}

Label* TCamera3w::AddPanel(int left, int top, int width, int height, std::int32_t category) {
  Label* panel = add<Label>(left, top, width, height);
  panel->setTransparent(true);
  panel->setCursor(Cursor::HandPoint);
  panel->onMouseDown = [this, panel](Control&, MouseButton, ShiftState, int, int) { Press(panel); };
  panel->onClick = [this, category](Control&) { Choose(category); };
  return panel;
}

void TCamera3w::FormCreate() {
  try {
    Frame = add<PanelFrame>(kFrameColour);
  } catch (const std::bad_alloc&) {
    Services->ReportError("Insufficent memory or resources available", 1705);
    Close();
  }
}

bool TCamera3w::LoadPictures() {
  BkgndImg->setBitmap(Services->Backdrop);
  if (!LoadInto(CategoryImg, kPanelsFile)) {
    Close();
    return false;
  }
  return true;
}

void TCamera3w::FormShow() {
  SetTooltip("Click on the desired category");
  if (const ContestantRecord* who = Seat(Contestant); who && who->IsHuman)
    Application::current().setScreenCursor(Cursor::Default);
  StartClock();
  ShowTurnCard(Contestant, {3610, 3620, 3630});
}

Label* TCamera3w::PanelForKey(int key) const {
  switch (key) {
    case 'H': return HistoryLbl;
    case 'M': return MusicLbl;
    case 'S': return SportsLbl;
    case 'T': return TVALLbl;
    default: return nullptr;
  }
}

void TCamera3w::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (Label* panel = PanelForKey(key)) Press(panel);
}

void TCamera3w::FormKeyUp(int& key, ShiftState) {
  Label* panel = PanelForKey(key);
  if (!panel) return;
  Press(panel);
  panel->onClick(*panel);
}

void TCamera3w::Press(Label* panel) {
  if (Frame) Frame->Surround(*panel);
}

void TCamera3w::Choose(std::int32_t category) {
  if (releasing()) return;
  playClick();
  Services->Category = category;
  Close();
}

void TCamera3w::ClockRanOut() {
  Services->Category = 0;
  Close();
}

void TCamera3w::FormClose(CloseAction& action) {
  Application::current().setScreenCursor(Cursor::None);
  CameraScene::FormClose(action);
}

}  // namespace tvz
