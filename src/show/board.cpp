#include "show/board.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "core/contestant_names.h"
#include "core/screen_convention.h"
#include "core/services.h"
#include "platform/application.h"
#include "scenes/host_scene.h"
#include "show/board_layout.h"
#include "show/contestant_media.h"
#include "show/show_flow.h"
#include "show/show_scenes.h"

namespace tvz {

namespace layout = board_layout;

namespace {
constexpr const char* kBackgroundFile = "cam2bknd.mm1";
constexpr const char* kPlateStripFile = "cam2nbrd.mm2";
constexpr std::int32_t kBitmapsLocation = 805;
constexpr std::int32_t kDamagedRecordLocation = 810;
// The steps of a challenge under way: from its announcement to the last
// judgement. Only then does a cell of the defender show red.
constexpr std::int32_t kFirstChallengeStep = 6, kLastChallengeStep = 14;

template <class Control>
Control* place(Control* control, const layout::Box& box) {
  control->setBounds(box.left, box.top, box.width, box.height);
  return control;
}

Label* addLabel(Form& form, const layout::Box& box, const std::string& caption) {
  return form.add<Label>(box.left, box.top, box.width, box.height, caption);
}

ContestantRecord& contestant(int c) { return Services->Contestants[c]; }
}  // namespace

std::int32_t CellValueFor(const GameRecord& record, int cell) {
  if (!record.MultiplyByRound) return cell + 1;
  // A round from a damaged saved game may be any number: the product is kept
  // within range rather than overflowing.
  const std::int64_t value = std::int64_t{record.Round} * (cell + 1);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

TCamera2::TCamera2() {
  fillScreen();
  setCaption("Camera2");
  setColor(rgb(0, 0, 0));
  setFont({"Times New Roman", layout::kTextHeight, false, false, false, layout::kAvailableColour});
  setKeyPreview(true);
  // Controls are painted in the order they are made: the background first,
  // the faces over the pictures, the texts over the plates and cells.
  BkgndImg = place(add<Picture>(), layout::kBackground);
  for (int c = 0; c < kContestantCount; ++c)
    ContestantImages[c] = place(add<Picture>(), layout::kPictures[c]);
  for (int c = 0; c < kContestantCount; ++c) ContestantAnims[c] = AddFacePlayer(c);
  for (int c = 0; c < kContestantCount; ++c)
    NamePlateImages[c] = place(add<Picture>(), layout::kNamePlates[c]);
  AddNamesAndScores();
  AddCells();
  AddCaptionAndMenu();

  Con1Img = ContestantImages[0], Con2Img = ContestantImages[1], Con3Img = ContestantImages[2];
  Con1Ani = ContestantAnims[0], Con2Ani = ContestantAnims[1], Con3Ani = ContestantAnims[2];
  Name1Img = NamePlateImages[0], Name2Img = NamePlateImages[1], Name3Img = NamePlateImages[2];
  Name1Lbl = NameLabels[0], Name2Lbl = NameLabels[1], Name3Lbl = NameLabels[2];
  Score1Lbl = ScoreLabels[0], Score2Lbl = ScoreLabels[1], Score3Lbl = ScoreLabels[2];

  if (Services) SetFaceClips();
}

Animate* TCamera2::AddFacePlayer(int c) {
  Animate* face = place(add<Animate>(), layout::kFaceDesign[c]);
  face->setColor(rgb(0, 0, 0));
  // Hidden until its first segment plays: until then the picture below shows
  // the same resting face.
  face->hide();
  face->onStart = [this, c](Control&) { AnimPlaying[c] = 1; };
  face->onStop = [this, c](Control&) { AnimPlaying[c] = 0; };
  return face;
}

void TCamera2::AddNamesAndScores() {
  for (int c = 0; c < kContestantCount; ++c) {
    Label* name = addLabel(*this, layout::kNames[c], "John");
    name->setTransparent(true);
    name->setAlignment(Alignment::Center);
    name->setFontColor(layout::kNameColour);
    NameLabels[c] = name;
  }
  for (int c = 0; c < kContestantCount; ++c) {
    Label* score = addLabel(*this, layout::kScores[c], "0");
    score->setTransparent(true);
    score->setAlignment(Alignment::Right);
    score->setHint("Contestant's current score");
    ScoreLabels[c] = score;
  }
}

void TCamera2::AddCells() {
  for (int c = 0; c < kContestantCount; ++c) {
    for (int i = 0; i < kCellCount; ++i) {
      Label* cell = addLabel(*this, layout::CellBox(c, i), std::to_string(i + 1));
      cell->setTransparent(true);
      cell->setAlignment(Alignment::Center);
      cell->setFontHeight(layout::kCellTextHeight);
      cell->setFontColor(layout::kAvailableColour);
      cell->setHint("Colors: White = available, Red = current, Gray = used");
      CellLabels[c][i] = cell;
    }
  }
}

void TCamera2::AddCaptionAndMenu() {
  CCLbl = addLabel(*this, layout::kCaption, "");
  CCLbl->setTransparent(true);
  CCLbl->setAlignment(Alignment::Center);
  CCLbl->setLayout(VerticalAlignment::Center);
  // The "MENU" sign is part of the background; the button lies over it.
  MenuBtn = addLabel(*this, layout::kMenuButton, "");
  MenuBtn->setTransparent(true);
  MenuBtn->setCursor(Cursor::HandPoint);
  MenuBtn->setHint("Click Here to See the Menu");
  MenuBtn->onClick = [this](Control&) { MenuBtnClick(); };
}

void TCamera2::FormCreate() {
  // The board's own pictures, made at their sizes: without them there is
  // nothing to draw the contestants with.
  try {
    for (int c = 0; c < kContestantCount; ++c)
      ContestantPictures[c].resize(layout::kPictures[c].width, layout::kPictures[c].height);
    NamePlateStrip.resize(layout::kNamePlates[0].width, layout::kNamePlates[0].height * layout::kPlateRows);
  } catch (const std::bad_alloc&) {
    Services->ReportError("Insufficent memory or resources available", kBitmapsLocation);
    Close();
  }
}

// --- Loading ----------------------------------------------------------------

bool TCamera2::LoadPictures() {
  if (!CheckContestants()) return false;
  if (!LoadPicture(kBackgroundFile, BkgndImg->editBitmap())) return false;
  BkgndImg->changed();
  if (!LoadPicture(kPlateStripFile, NamePlateStrip)) return false;
  for (int c = 0; c < kContestantCount; ++c)
    if (!LoadPicture(BoardPictureFile(contestant(c)), ContestantPictures[c])) return false;
  // The clips are read now, so the first words do not wait for the file. A
  // clip that cannot be read leaves that face still; the show goes on.
  SetFaceClips();
  for (Animate* face : ContestantAnims) face->open();
  return true;
}

// A record from a damaged saved game must not reach the tables of pictures,
// voices and names: the board refuses it and the show ends in order.
bool TCamera2::CheckContestants() {
  for (int c = 0; c < kContestantCount; ++c) {
    const ContestantRecord& who = contestant(c);
    if (!DrawableContestant(*Services, who) || who.Role < 0 || who.Role >= layout::kPlateRows) {
      Services->ReportFileError("Damaged contestant record", "Contestant " + std::to_string(c + 1),
                                kDamagedRecordLocation);
      Close();
      return false;
    }
  }
  return true;
}

bool TCamera2::LoadPicture(const std::string& file, Bitmap& into) {
  if (Services->LoadPicture(file, into)) return true;
  Close();
  return false;
}

// Each face player plays its contestant's clip.
void TCamera2::SetFaceClips() {
  for (int c = 0; c < kContestantCount; ++c) {
    const ContestantRecord& who = contestant(c);
    if (who.Appearance < 0 || who.Appearance >= kAppearances) continue;
    const std::string clip = FaceClipFile(who);
    if (ContestantAnims[c]->fileName() != clip) ContestantAnims[c]->setFileName(clip);
  }
}

// --- Drawing ----------------------------------------------------------------

void TCamera2::FormShow() {
  CCLbl->setCaption("");
  for (int c = 0; c < kContestantCount; ++c) {
    ContestantImages[c]->setBitmap(ContestantPictures[c]);
    PlaceFace(c);
    DrawNamePlate(c);
  }
  for (int c = 0; c < kContestantCount; ++c) ShowScore(c);
  for (int c = 0; c < kContestantCount; ++c) ShowName(c);
  for (int c = 0; c < kContestantCount; ++c) DrawCells(c);
}

void TCamera2::PlaceFace(int c) {
  const int appearance = contestant(c).Appearance;
  if (appearance < 0 || appearance >= kAppearances) return;
  const layout::Offset offset = layout::kFaceOffsets[appearance];
  ContestantAnims[c]->setBounds(layout::kPictures[c].left + offset.right,
                                layout::kPictures[c].top + offset.down, layout::kFaceSize,
                                layout::kFaceSize);
}

void TCamera2::ShowName(int c) { NameLabels[c]->setCaption(ShownName(*Services, contestant(c))); }

void TCamera2::DrawCells(int c) {
  ContestantRecord& who = contestant(c);
  for (int i = 0; i < kCellCount; ++i) {
    who.CellValue[i] = CellValueFor(*Services, i);
    CellLabels[c][i]->setCaption(std::to_string(who.CellValue[i]));
    ShowCell(c, i, RecordedCellState(c, i));
  }
}

CellState TCamera2::RecordedCellState(int c, int i) const {
  const bool challengeUnderWay = ShowStep >= kFirstChallengeStep && ShowStep <= kLastChallengeStep;
  if (challengeUnderWay && c == Defender && i == contestant(c).SelectedCell) return CellState::Current;
  return contestant(c).CellUsed[i] ? CellState::Used : CellState::Available;
}

// --- Single changes ---------------------------------------------------------

void TCamera2::SetCaption(const std::string& text) { CCLbl->setCaption(text); }

void TCamera2::ShowScore(int c) {
  if (!ValidContestant(c)) return;
  ScoreLabels[c]->setCaption(std::to_string(contestant(c).Score));
}

void TCamera2::ShowCell(int c, int i, CellState state) {
  if (!ValidContestant(c) || i < 0 || i >= kCellCount) return;
  static constexpr Color kColours[] = {layout::kAvailableColour, layout::kCurrentColour,
                                       layout::kUsedColour};
  CellLabels[c][i]->setFontColor(kColours[static_cast<int>(state)]);
}

void TCamera2::StartRoundCells() {
  for (int c = 0; c < kContestantCount; ++c) {
    for (int i = 0; i < kCellCount; ++i) {
      ContestantRecord& who = contestant(c);
      who.CellValue[i] = CellValueFor(*Services, i);
      who.CellUsed[i] = 0;
      CellLabels[c][i]->setCaption(std::to_string(who.CellValue[i]));
      ShowCell(c, i, CellState::Available);
    }
  }
}

void TCamera2::SetRole(int c, std::int32_t role) {
  if (ValidContestant(c)) contestant(c).Role = role;
}

void TCamera2::DrawNamePlates() {
  for (int c = 0; c < kContestantCount; ++c) DrawNamePlate(c);
}

void TCamera2::DrawNamePlate(int c) {
  const std::int32_t role = contestant(c).Role;
  if (role < 0 || role >= layout::kPlateRows) return;  // no such plate: keep the last one
  const int w = layout::kNamePlates[c].width, h = layout::kNamePlates[c].height;
  NamePlateImages[c]->copyRect({0, 0, w, h}, NamePlateStrip, {0, role * h, w, role * h + h});
}

bool TCamera2::ValidContestant(int c) const { return c >= 0 && c < kContestantCount; }

// --- Faces ------------------------------------------------------------------

void TCamera2::QueueFaces(int c, std::span<const FaceSegment> segments) {
  if (!ValidContestant(c)) return;
  const int appearance = contestant(c).Appearance;
  std::array<FrameRange, kFaceQueuePlaces> frames{};
  std::size_t n = 0;
  for (FaceSegment s : segments)
    if (n < frames.size()) frames[n++] = faceSegmentFrames(s, appearance);
  WriteFaceQueue(AnimQueue[c], std::span(frames.data(), n));
}

void TCamera2::QueueReaction(int c, FaceSegment reaction) {
  if (!ValidContestant(c)) return;
  QueueFaces(c, {reaction});
  LastReaction[c] = faceSegmentFrames(reaction, contestant(c).Appearance).end;
}

void TCamera2::QueueReturnGlances() {
  for (int c = 0; c < kContestantCount; ++c) {
    const FrameRange back = ReturnFromGlance(LastReaction[c], contestant(c).Appearance);
    if (!back.empty()) WriteFaceQueue(AnimQueue[c], back);
    LastReaction[c] = 0;
  }
}

void TCamera2::QueueReturns() {
  for (int c = 0; c < kContestantCount; ++c) {
    const FrameRange back = ReturnFromReaction(LastReaction[c], contestant(c).Appearance);
    if (!back.empty()) WriteFaceQueue(AnimQueue[c], back);
    LastReaction[c] = 0;
  }
}

void TCamera2::AnimateFaces() {
  for (int c = 0; c < kContestantCount; ++c) {
    if (AnimPlaying[c]) continue;
    const FrameRange next = TakeFaceQueueHead(AnimQueue[c]);
    if (next.empty()) continue;
    // A clip that is missing or too short plays nothing and reports nothing:
    // the face stays as it is and the next segment gets its turn.
    if (ContestantAnims[c]->play(next.start, next.end, 1)) ContestantAnims[c]->show();
  }
}

bool TCamera2::StepShow() {
  if (releasing()) return false;
  // The scenes still open are left to the main window's clearing up.
  if (GameLeftFromMenu && GameLeftFromMenu()) {
    Close();
    return false;
  }
  UpdateOpenScene();
  if (!SceneAwaitsPlayer() && Services->ElapsedMs >= StepDelay) {
    if (!RunShowStep(*this)) {
      Close();
      return false;
    }
    // The credits roll: the board has closed itself, its work is done.
    if (releasing()) return true;
  } else if (!PrepareShowStep(*this)) {
    Close();
    return false;
  }
  AnimateFaces();
  // The host stands still while a commercial runs.
  if (!AnyBreakScene() && Camera1 && Camera1->visible()) Camera1->CaptionStep();
  return true;
}

// --- Input and life ---------------------------------------------------------

void TCamera2::FormActivate() {
  Application::current().setScreenCursor(Cursor::Default);
  CCLbl->setVisible(Services->CaptionsOn != 0);
  AnimPlaying.fill(0);
}

void TCamera2::MenuBtnClick() {
  Form* menu = FindInGameMenu ? FindInGameMenu() : nullptr;
  if (!menu || menu->visible()) return;
  playClick();
  menu->Show();
}

void TCamera2::FormKeyDown(int& key, ShiftState shift) { swallowAltF4(key, shift); }

void TCamera2::FormKeyUp(int& key, ShiftState) {
  if (key == vk::Escape || key == 'M') MenuBtnClick();
}

void TCamera2::FormClose(CloseAction& action) {
  action = CloseAction::Free;
  if (Camera2 == this) Camera2 = nullptr;
}

}  // namespace tvz
