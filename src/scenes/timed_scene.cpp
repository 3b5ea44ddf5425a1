#include "scenes/timed_scene.h"

#include "core/services.h"
#include "scenes/contestant_card.h"
#include "scenes/turn_card.h"

namespace tvz {

void TimedScene::AddTimeLabel(int left, int top) {
  TimeLbl = add<Label>(left, top, 33, 27, "30");
  TimeLbl->setAlignment(Alignment::Center);
  TimeLbl->setTransparent(true);
  clock_ = AnswerClock(TimeLbl);
}

void TimedScene::StartClock() { clock_.Start(Services->TimeLimit); }

void TimedScene::Update() {
  if (releasing() || AnyContestantCard()) return;
  if (NothingToChoose() || clock_.Step()) ClockRanOut();
}

namespace {
constexpr std::int32_t kMultiPlayerMode = 5;
}

bool TimedScene::ShowTurnCard(std::int32_t who, const std::array<std::int32_t, 3>& locations) {
  if (Services->PlayMode != kMultiPlayerMode) return true;
  switch (OpenTurnCard(who, locations)) {
    case TurnCardResult::Shown:
      // The scene becomes the active form once it is shown; the card takes the
      // keyboard back then.
      cardToFocus_ = who;
      return true;
    case TurnCardResult::NotShown:
      return true;
    case TurnCardResult::CreationFailed:
      Close();
      return false;
  }
  return true;
}

void TimedScene::FormActivate() {
  if (cardToFocus_ < 0) return;
  ContestantCard* card = ContestantCardOf(cardToFocus_);
  cardToFocus_ = -1;
  if (card && card->visible()) card->BringToFront();
}

ContestantRecord* TimedScene::Seat(std::int32_t index) {
  if (index < 0 || index >= kContestantCount) return nullptr;
  return &Services->Contestants[index];
}

}  // namespace tvz
