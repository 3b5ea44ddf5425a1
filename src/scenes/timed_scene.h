#pragma once
// The scenes in which a contestant picks or answers against the clock: the
// category choice, the challenge values and the questions. They share the
// contestant they serve, the answer clock in TimeLbl, stepped once a frame by
// the show through Update, and the turn card of multi-player mode.
#include <array>
#include <cstdint>

#include "core/game_record.h"
#include "platform/label.h"
#include "scenes/answer_clock.h"
#include "scenes/camera_scene.h"

namespace tvz {

class TimedScene : public CameraScene {
 public:
  // The contestant the scene serves; set by the show before LoadPictures.
  std::int32_t Contestant = 0;
  Label* TimeLbl = nullptr;  // seconds left

  // The answer clock, once per frame while the scene is up. While a contestant
  // card is up the show does not step the scene, and neither does this: the
  // label stands still and the time is counted at the first step afterwards.
  void Update();
  const AnswerClock& Clock() const { return clock_; }

  void FormActivate() override;

 protected:
  TimedScene() = default;

  // TimeLbl at its place; added after the pictures so that it lies on top.
  void AddTimeLabel(int left, int top);
  // Starts the clock with the game's time limit (0: no clock, label hidden).
  void StartClock();
  // The time is up: write the no-choice result and close.
  virtual void ClockRanOut() = 0;
  // True when the scene offers nothing to choose; it then ends as if the
  // clock had run out, with or without a clock, rather than wait for ever.
  virtual bool NothingToChoose() const { return false; }

  // In multi-player mode, the card of contestant `who` goes on top and gets
  // the keyboard. False when the card could not be created: reported with the
  // scene's code for that card, and the scene has closed.
  bool ShowTurnCard(std::int32_t who, const std::array<std::int32_t, 3>& locations);

  // The contestant record at an index, null outside 0..2.
  static ContestantRecord* Seat(std::int32_t index);

 private:
  AnswerClock clock_;
  std::int32_t cardToFocus_ = -1;
};

}  // namespace tvz
