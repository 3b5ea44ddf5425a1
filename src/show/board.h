#pragma once
// The game board: the window in front of the player for the whole show. The
// three contestants stand side by side (picture with an animated face, name
// plate, score) above their pyramids of ten challenge cells, with the caption
// line of the host and the contestants along the bottom.
//
// Showing the board draws all of it from the game record; afterwards the show
// changes single things (a score, a cell's colour, the plates, the caption)
// through the operations below. The board also keeps the show's sequencing
// state and each contestant's face queue, which it plays once per frame.
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>

#include "core/game_record.h"
#include "core/screens.h"
#include "platform/animate.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/picture.h"
#include "show/face_queue.h"
#include "show/segment_table.h"

namespace tvz {

enum class CellState { Available, Current, Used };

// What a cell is worth: i + 1 points, times the round when values are
// multiplied by the round.
std::int32_t CellValueFor(const GameRecord& record, int cell);

class TCamera2 : public Form {
 public:
  TCamera2();

  // --- Controls ---
  Picture* BkgndImg;  // "cam2bknd.mm1"
  Picture* Con1Img;
  Picture* Con2Img;
  Picture* Con3Img;
  Animate* Con1Ani;
  Animate* Con2Ani;
  Animate* Con3Ani;
  Picture* Name1Img;
  Picture* Name2Img;
  Picture* Name3Img;
  Label* Name1Lbl;
  Label* Name2Lbl;
  Label* Name3Lbl;
  Label* Score1Lbl;
  Label* Score2Lbl;
  Label* Score3Lbl;
  Label* CCLbl;    // the caption line
  Label* MenuBtn;  // over the "MENU" sign of the background

  // The same controls by contestant. CellLabels[c][i] is the label named
  // "Value" c+1, i+1 in two digits, "Lbl" (Value101Lbl .. Value310Lbl).
  std::array<Picture*, kContestantCount> ContestantImages;
  std::array<Animate*, kContestantCount> ContestantAnims;
  std::array<Picture*, kContestantCount> NamePlateImages;
  std::array<Label*, kContestantCount> NameLabels;
  std::array<Label*, kContestantCount> ScoreLabels;
  std::array<std::array<Label*, kCellCount>, kContestantCount> CellLabels;

  // --- Show state (Defender, Challenger and ShowStep travel in saved games) ---
  std::int32_t Defender = -1;    // in control: answers first, its cells are played
  std::int32_t Challenger = -1;  // challenging the defender now
  std::int32_t ShowStep = 0;     // the show's next step
  std::uint32_t StepDelay = 0;   // the next step waits until ElapsedMs reaches this
  std::array<std::uint8_t, kContestantCount> AnimPlaying{};  // a face segment is playing
  std::array<FaceQueue, kContestantCount> AnimQueue{};
  // Last frame of a reaction that still needs its way back (0 = none).
  std::array<std::uint16_t, kContestantCount> LastReaction{};
  std::array<std::uint8_t, 3> BreakShown{};  // break scenes a, b, c seen this show

  std::array<Bitmap, kContestantCount> ContestantPictures;
  Bitmap NamePlateStrip;  // "cam2nbrd.mm2": one plate per role, stacked

  // The in-game menu as a form, when there is one. The menu is written with
  // the setup menus; the main window plugs it in here (null: the button does
  // nothing).
  static inline std::function<Form*()> FindInGameMenu;
  // Whether "End Game" or "Quit" has been confirmed in the in-game menu: the
  // board then closes at its next frame. Plugged in likewise.
  static inline std::function<bool()> GameLeftFromMenu;

  // Checks the three contestant records, then loads the background, the plate
  // strip and the three pictures. At the first failure (already reported) the
  // board closes and the result is false.
  bool LoadPictures();

  // --- Changing single things after the board is drawn ---
  void SetCaption(const std::string& text);
  void ShowScore(int contestant);
  void ShowCell(int contestant, int cell, CellState state);
  // A new round: every cell gets the round's value, unused and available.
  void StartRoundCells();
  void SetRole(int contestant, std::int32_t role);
  void DrawNamePlates();

  // --- Faces ---
  // A spoken phrase (words, value or letter, closing) or a plain reaction:
  // written into the first places of the contestant's queue.
  void QueueFaces(int contestant, std::span<const FaceSegment> segments);
  void QueueFaces(int contestant, std::initializer_list<FaceSegment> segments) {
    QueueFaces(contestant, std::span(segments.begin(), segments.size()));
  }
  // A reaction that needs its way back later (the defender's glance, a
  // thinking face, a right-answer face): queued, and its last frame noted.
  void QueueReaction(int contestant, FaceSegment reaction);
  // When the challenge is announced: a defender who glanced looks back.
  void QueueReturnGlances();
  // When a challenge ends: thinking and right-answer faces come back.
  void QueueReturns();
  // Starts the next queued segment of every contestant whose face is idle.
  void AnimateFaces();

  // Runs once per frame while the board is up, the in-game menu hidden and
  // no contestant card open: the open scene's clock, the show's next step
  // when its delay has passed and no scene waits for a person, the faces,
  // and the host while the host scene is up. False once the board has
  // closed: the game was left from the menu, or a step failed.
  bool StepShow();

  void MenuBtnClick();

  void FormCreate() override;
  void FormShow() override;
  void FormActivate() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;
  void FormClose(CloseAction& action) override;

 private:
  Animate* AddFacePlayer(int contestant);
  void AddNamesAndScores();
  void AddCells();
  void AddCaptionAndMenu();
  bool CheckContestants();
  bool LoadPicture(const std::string& file, Bitmap& into);
  void SetFaceClips();
  void PlaceFace(int contestant);
  void DrawNamePlate(int contestant);
  void ShowName(int contestant);
  void DrawCells(int contestant);
  CellState RecordedCellState(int contestant, int cell) const;
  bool ValidContestant(int contestant) const;
};

}  // namespace tvz
