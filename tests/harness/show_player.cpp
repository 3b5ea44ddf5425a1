#include "harness/show_player.h"

#include <algorithm>

#include "core/screens.h"
#include "menus/game_menu.h"
#include "menus/in_game_menu.h"
#include "menus/player_menu.h"
#include "shell/main_window.h"
#include "shell/top_menu.h"
#include "platform/timer.h"
#include "scenes/camera3h.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3m.h"
#include "scenes/camera3mc.h"
#include "scenes/camera3s.h"
#include "scenes/camera3sc.h"
#include "scenes/camera3t.h"
#include "scenes/camera3tc.h"
#include "scenes/camera3w.h"
#include "scenes/camera4x.h"
#include "scenes/contestant_card.h"
#include "show/board.h"
#include "store/champions.h"

namespace tvz::testing {

namespace {

bool Visible(const Form* form) { return form && form->visible(); }

bool ServesHuman(const TimedScene* scene) {
  return Visible(scene) && scene->Contestant >= 0 && scene->Contestant < kContestantCount &&
         TvzMain->Contestants[scene->Contestant].IsHuman;
}

const QuestionScene* OpenQuestionScene() {
  for (const QuestionScene* scene : {static_cast<QuestionScene*>(Camera3h), static_cast<QuestionScene*>(Camera3m),
                                     static_cast<QuestionScene*>(Camera3s), static_cast<QuestionScene*>(Camera3t)})
    if (ServesHuman(scene)) return scene;
  return nullptr;
}

const ChallengeValueScene* OpenValueScene() {
  for (const ChallengeValueScene* scene :
       {static_cast<ChallengeValueScene*>(Camera3hc), static_cast<ChallengeValueScene*>(Camera3mc),
        static_cast<ChallengeValueScene*>(Camera3sc), static_cast<ChallengeValueScene*>(Camera3tc)})
    if (Visible(scene)) return scene;
  return nullptr;
}

int CardUp() {
  for (int c = 0; c < kContestantCount; ++c)
    if (ContestantCardOf(c)) return c;
  return -1;
}

// The opening lasts about fifty seconds.
constexpr std::uint32_t kOpeningFrameMs = 250;
constexpr int kOpeningFrames = 600;

// The digit key of a cell: 1..9 for cells 0..8, 0 for cell 9.
int CellKey(int cell) { return cell == 9 ? '0' : '1' + cell; }

}  // namespace

ShowPlayer::ShowPlayer() {
  pickCategory = [this](int) { return "HMST"[categoriesPicked_++ % 4]; };
  pickValue = [](int defender) {
    for (int cell = kCellCount - 1; cell >= 0; --cell)
      if (!Seat(defender).CellUsed[cell]) return cell;
    return -1;
  };
  pickAnswer = [this](int) { return questionsAsked_++ % 3 != 2 ? RightSlot() : WrongSlot(); };
}

ContestantRecord& ShowPlayer::Seat(int c) { return TvzMain->Contestants[c]; }

void ShowPlayer::onAppThread(Driver& d, const std::function<void()>& work) {
  Timer once(1, [&](Timer& timer) {
    timer.setEnabled(false);
    work();
  });
  d.clock().advance(1);
  d.settle();
}

bool ShowPlayer::ChampionsUp() { return Visible(Champions); }

bool ShowPlayer::BoardUp() { return Visible(Camera2); }

int ShowPlayer::RightSlot() {
  for (int slot = 1; slot <= 4; ++slot)
    if (TvzMain->AnswerIds[slot - 1] == TvzMain->CorrectAnswerId) return slot;
  return 0;
}

int ShowPlayer::WrongSlot() { return RightSlot() % 4 + 1; }

bool ShowPlayer::setOptions(Driver& d, const ShowOptions& options) {
  for (int i = 0; i < 3 && TvzMain->RoundCount != options.rounds; ++i) d.press('R');
  for (int i = 0; i < 4 && TvzMain->TimeLimit != options.seconds; ++i) d.press('T');
  const std::pair<std::uint8_t, bool> rules[] = {{TvzMain->ChallengerMayAnswer, options.challengerMayAnswer},
                                                 {TvzMain->DeductIncorrect, options.deductIncorrect},
                                                 {TvzMain->MultiplyByRound, options.multiplyByRound},
                                                 {TvzMain->HarderEachRound, options.harderEachRound}};
  const int keys[] = {'C', 'D', 'M', 'H'};
  for (int i = 0; i < 4; ++i)
    if ((rules[i].first != 0) != rules[i].second) d.press(keys[i]);
  return TvzMain->RoundCount == options.rounds && TvzMain->TimeLimit == options.seconds &&
         TvzMain->ChallengerMayAnswer == options.challengerMayAnswer &&
         TvzMain->DeductIncorrect == options.deductIncorrect &&
         TvzMain->MultiplyByRound == options.multiplyByRound &&
         TvzMain->HarderEachRound == options.harderEachRound;
}

bool ShowPlayer::reachTheTopMenu(Driver& d) {
  // Keys shorten both splashes to five seconds each.
  auto menuUp = [] { return TvzMain && TvzMain->MenuPhase && Visible(TopMenu); };
  for (int i = 0; i < 1000 && !menuUp(); i += 30) {
    d.press('X');
    d.ticks(30);
  }
  return d.until(menuUp, 1200);
}

bool ShowPlayer::startShow(Driver& d, const ShowOptions& options) {
  if (!reachTheTopMenu(d)) return false;
  d.press(options.people > 1 ? 'M' : 'N');
  if (!d.until([] { return Visible(GameMenu); }, 10) || !setOptions(d, options)) return false;
  d.press('N');
  if (!d.until([] { return Visible(PlayerMenu); }, 10)) return false;
  for (int person = 0; person < options.people; ++person) {
    const bool last = person + 1 == options.people;
    const int button = last ? 'S' : 'N';  // "Start >" or "Next Human"
    const std::string name = person < static_cast<int>(options.names.size()) ? options.names[person] : "";
    if (atSetup) atSetup(d, person);
    if (name.empty())
      d.press(button);
    else
      typeName(d, name, button);
  }
  // The opening: the line-up, the three cards and the host, the clock a
  // quarter of a second a frame, until "Let's begin." brings the board.
  for (int frame = 0; frame < kOpeningFrames && !BoardUp(); ++frame) {
    d.clock().advance(kOpeningFrameMs);
    d.settle();
  }
  return BoardUp();
}

void ShowPlayer::typeName(Driver& d, const std::string& name, int buttonKey) {
  const Rect box = PlayerMenu->NameMemo->boundsRect();
  d.click(PlayerMenu->left() + box.left + box.width() / 2, PlayerMenu->top() + box.top + box.height() / 2);
  d.press(vk::Home);
  for (int i = 0; i < 30; ++i) d.press(vk::Delete);
  d.type(name);
  ShiftState alt;
  alt.alt = true;
  d.keyDown(buttonKey, alt);
  d.keyUp(buttonKey, alt);
}

bool ShowPlayer::playUntil(Driver& d, const std::function<bool()>& done, int maxFrames) {
  for (int frame = 0; frame < maxFrames; ++frame) {
    if (done()) return true;
    if (d.app().terminated()) break;
    if (!actForPeople(d)) jumpToNextStep(d);
  }
  return done();
}

// A person acts when a scene waits for one: the turn card first (any key
// sends it away), then the choice by its key, or nothing until the clock
// has run out.
bool ShowPlayer::actForPeople(Driver& d) {
  if (const int card = CardUp(); card >= 0) {
    cardFor_ = card;
    d.press(vk::Space);
    return true;
  }
  const std::int32_t round = TvzMain->Round;
  auto choose = [&](PlayerTurn::Kind kind, int contestant, int choice, int key) {
    turns_.push_back({kind, contestant, cardFor_, choice, round});
    cardFor_ = -1;
    if (key != 0) {
      d.press(key);
      return;
    }
    // The clock runs out in one go.
    frame(d, 1000u * static_cast<std::uint32_t>(TvzMain->TimeLimit));
  };
  if (ServesHuman(Camera3w)) {
    const int key = pickCategory(Camera3w->Contestant);
    choose(PlayerTurn::Category, Camera3w->Contestant, key, key);
    return true;
  }
  if (const ChallengeValueScene* scene = OpenValueScene()) {
    const int cell = pickValue(scene->Contestant);
    choose(PlayerTurn::Value, Camera2 ? Camera2->Challenger : -1, cell, cell >= 0 ? CellKey(cell) : 0);
    return true;
  }
  if (const QuestionScene* scene = OpenQuestionScene()) {
    const int slot = pickAnswer(scene->Contestant);
    choose(PlayerTurn::Answer, scene->Contestant, slot, slot > 0 ? 'A' + slot - 1 : 0);
    return true;
  }
  return false;
}

void ShowPlayer::jumpToNextStep(Driver& d) {
  std::uint32_t wait = kFrameMs;
  const std::uint32_t elapsed = TvzMain->ElapsedMs;
  auto dueAt = [&](std::uint32_t due) {
    if (due > elapsed) wait = std::max(wait, due - elapsed);
  };
  if (everyFrame || Visible(InGameMenu)) {
    // Paused: frame by frame.
  } else if (Visible(Camera2)) {
    dueAt(Camera2->StepDelay);
  } else if (Visible(Camera4x)) {
    dueAt(Camera4x->CreditsStarted ? kCreditsLengthMs : kCreditsDelayMs);
  }
  frame(d, wait);
}

void ShowPlayer::frame(Driver& d, std::uint32_t ms) {
  const std::int32_t before = Camera2 ? Camera2->ShowStep : -1;
  const std::uint32_t delayBefore = Camera2 ? Camera2->StepDelay : 0;
  std::array<std::int32_t, kContestantCount> scores{};
  for (int c = 0; c < kContestantCount; ++c) scores[c] = Seat(c).Score;
  d.clock().advance(ms);
  d.settle();
  ++frames_;
  if (before < 0 || d.app().terminated()) return;
  StepRun run{before, -1, 0, TvzMain->Round, scores};
  run.frame = frames_;
  run.atMs = d.clock().tickCount();
  run.frameMs = ms;
  run.delaySet = TvzMain->ElapsedMs == 0;
  if (Camera2) {
    // Every step moves ShowStep on (the credits close the board instead).
    if (Camera2->ShowStep == before && Camera2->StepDelay == delayBefore) return;
    run.next = Camera2->ShowStep;
    run.delay = Camera2->StepDelay;
  }
  steps_.push_back(run);
  if (onStep) onStep(run);
}

}  // namespace tvz::testing
