#include "scenes/camera4.h"

#include <new>

#include "core/services.h"
#include "scenes/figure_sheet.h"
#include "scenes/opening_soundtrack.h"

namespace tvz {

namespace {
constexpr const char* kStudioFile = "cam4bknd.mm1";
constexpr const char* kSheetFiles[kContestantCount] = {"cam4c1d.mm1", "cam4c2d.mm1", "cam4c3d.mm1"};
}  // namespace

TCamera4::TCamera4() {
  BkgndImg = add<Picture>(0, 0, 800, 600);
  Con1Img = add<Picture>(545, 205, 37, 110);
  Con2Img = add<Picture>(618, 178, 46, 144);
  Con3Img = add<Picture>(711, 142, 60, 189);
  CCLbl = add<Label>(16, 536, 769, 35);
  CCLbl->setAlignment(Alignment::Center);
  CCLbl->setLayout(VerticalAlignment::Center);
}

void TCamera4::FormCreate() {
  try {
    sheets_.resize(kContestantCount);
  } catch (const std::bad_alloc&) {
    Services->ReportError("Insufficent memory or resources available", 1800);
    Close();
  }
}

bool TCamera4::LoadPictures() {
  bool loaded = sheets_.size() == kContestantCount && LoadInto(BkgndImg, kStudioFile);
  for (int k = 0; loaded && k < kContestantCount; ++k)
    loaded = Services->LoadPicture(kSheetFiles[k], sheets_[k]);
  if (!loaded) Close();
  return loaded;
}

bool TCamera4::AssembleSoundtrack() { return AssembleOpeningSoundtrack(*Services); }

void TCamera4::FormShow() {
  if (!Services->CaptionsOn) CCLbl->hide();
  Services->PlayStream(Services->VoiceStream);
  CCLbl->setCaption({});
  Picture* const podiums[kContestantCount] = {Con1Img, Con2Img, Con3Img};
  for (int k = 0; k < kContestantCount; ++k)
    if (k < static_cast<int>(sheets_.size()))
      DrawFigure(sheets_[k], Services->Contestants[k].Appearance, podiums[k]);
}

void TCamera4::AdvanceCaption() {
  if (CCLbl->caption().empty())
    CCLbl->setCaption(kThisIsCaption);
  else if (CCLbl->caption() == kThisIsCaption)
    CCLbl->setCaption(kLetsMeetCaption);
}

}  // namespace tvz
