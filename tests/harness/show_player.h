#pragma once
// Whole shows on the real program, for the tests and the benchmarks: from the
// top menu through the game options and contestant setup (by keys) to the
// board, then the show itself, the people at the keyboard choosing and
// answering by keys whenever a scene waits for them, and the manual clock
// jumping straight to the next step of the show wherever nothing happens in
// between. The game's main window must be running.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/game_record.h"
#include "harness/harness.h"

namespace tvz::testing {

struct ShowOptions {
  int rounds = 1;   // 1..3
  int seconds = 0;  // the answer clock: 0 (none), 10, 20 or 30
  bool challengerMayAnswer = false;
  bool deductIncorrect = false;
  bool multiplyByRound = false;
  bool harderEachRound = false;
  int people = 1;  // 1: "New Game"; 2 or 3: "Multi-Player"
  // Names the people type at contestant setup, in seat order ("": the name
  // the setup suggests).
  std::vector<std::string> names{};
};

// What a person did when a scene waited for them.
struct PlayerTurn {
  enum Kind { Category, Value, Answer } kind;
  int contestant;      // who the scene served (the challenger for a value)
  int cardFor = -1;    // whose turn card came up first (-1: none)
  int choice;          // category key, cell, answer slot; 0 / -1 = the clock ran out
  std::int32_t round;
};

// A step of the show that ran: ShowStep before and after it, the delay it
// set, and the scores before it; when it ran (the show player's frame, the
// clock after that frame and how far that frame moved it) and whether it
// set its delay anew (the step scheduled the next, ElapsedMs back at 0).
struct StepRun {
  std::int32_t step;
  std::int32_t next;
  std::uint32_t delay;
  std::int32_t round;
  std::array<std::int32_t, kContestantCount> scoresBefore;
  long frame = 0;
  std::uint32_t atMs = 0;
  std::uint32_t frameMs = 0;
  bool delaySet = false;
};

class ShowPlayer {
 public:
  ShowPlayer();

  // How the people at the keyboard play; each gets the contestant whose
  // turn it is. By default they pick the categories in turn, stake the
  // highest cell left and answer two questions in three right.
  // A category key 'H', 'M', 'S' or 'T'; 0 lets the clock run out.
  std::function<int(int defender)> pickCategory;
  // A cell 0..9 of the defender's; -1 lets the clock run out.
  std::function<int(int defender)> pickValue;
  // An answer 1..4 (A..D); 0 lets the clock run out.
  std::function<int(int answerer)> pickAnswer;

  // Top menu, "New Game" (or "Multi-Player"), the options set by their keys,
  // contestant setup ("Next Human" for each further person), "Start >", the
  // opening, and on to the board. False when the board did not come up.
  bool startShow(Driver& d, const ShowOptions& options);

  // Plays on until `done` holds; false when it still does not after
  // maxFrames frames.
  bool playUntil(Driver& d, const std::function<bool()>& done, int maxFrames = 40000);
  // Plays to the end of the credits: the champions list is up.
  bool playToChampions(Driver& d) { return playUntil(d, ChampionsUp, everyFrame ? 400000 : 40000); }

  // One frame: the clock moves to the moment the show's next step (or the
  // winners' stage) is due, at least one frame's 33 ms.
  void jumpToNextStep(Driver& d);

  // Runs the work on the game's own thread (sound and windows belong to it),
  // the clock moving a millisecond.
  static void onAppThread(Driver& d, const std::function<void()>& work);

  static bool ChampionsUp();
  static bool BoardUp();
  static ContestantRecord& Seat(int c);
  // The slot of the right answer of the current question, and a wrong one.
  static int RightSlot();
  static int WrongSlot();

  // Called at contestant setup for each person, whose setup is on screen,
  // before "Next Human" or "Start >" (and before a name is typed).
  std::function<void(Driver&, int person)> atSetup;

  // Frame by frame, 33 ms at a time, as at real speed, rather than jumping
  // to the next step.
  bool everyFrame = false;

  // Called after each step that ran, the record as the step left it.
  std::function<void(const StepRun&)> onStep;

  std::vector<PlayerTurn> turns_;
  std::vector<StepRun> steps_;
  long frames_ = 0;  // frames the show player has moved the clock for

 private:
  static bool reachTheTopMenu(Driver& d);
  bool setOptions(Driver& d, const ShowOptions& options);
  // Types the name into the setup's name box, then takes the button of the
  // key with Alt (the name box keeps plain letters).
  void typeName(Driver& d, const std::string& name, int buttonKey);
  bool actForPeople(Driver& d);
  // One frame of the clock moved by ms, noting the step that ran in it.
  void frame(Driver& d, std::uint32_t ms);

  int cardFor_ = -1;
  int questionsAsked_ = 0;
  int categoriesPicked_ = 0;
};

}  // namespace tvz::testing
