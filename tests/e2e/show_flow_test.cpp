// Whole shows played on the real program, from "New Game" to the champions
// list: one round for one person, three rounds with every option on, and
// three people sharing the keyboard.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/contestant_names.h"
#include "menus/player_menu.h"
#include "scenes/camera3h.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3m.h"
#include "scenes/camera3mc.h"
#include "scenes/camera3s.h"
#include "scenes/camera3sc.h"
#include "scenes/camera3t.h"
#include "scenes/camera3tc.h"
#include "scenes/camera3w.h"
#include "scenes/camera5a.h"
#include "scenes/camera5b.h"
#include "scenes/camera5c.h"
#include "scenes/camera4x.h"
#include "scenes/contestant_card.h"
#include "scenes/host_scene.h"
#include "show/board.h"
#include "show/rules_turns.h"
#include "show_checks.h"
#include "store/champion_list.h"
#include "store/champions.h"

namespace tvz::testing {
namespace {

constexpr const char* kRightBack = "We'll be right back after these messages.";
constexpr const char* kGoldenFile = TRIVENZA_TEST_DIR "/e2e/golden/one_round_show.txt";

// The champions file as its entries.
std::vector<std::string> StoredChampions(const std::string& bytes) {
  return DecodeChampionsFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::string EntryOf(int c) {
  const ContestantRecord& who = TvzMain->Contestants[c];
  return FormatEntry({who.Score, FullName(*TvzMain, who), Residence(*TvzMain, who), who.Appearance});
}

// The transcript against the golden file, line by line. With
// TRIVENZA_WRITE_GOLDEN set the file is written instead (then read it through
// before keeping it).
void ExpectTheGoldenTranscript(const std::vector<std::string>& said) {
  if (std::getenv("TRIVENZA_WRITE_GOLDEN")) {
    std::ofstream out(kGoldenFile, std::ios::binary | std::ios::trunc);
    for (const std::string& line : said) out << line << '\n';
    return;
  }
  std::ifstream in(kGoldenFile, std::ios::binary);
  ASSERT_TRUE(in) << kGoldenFile;
  std::vector<std::string> golden;
  for (std::string line; std::getline(in, line);) golden.push_back(line);
  for (std::size_t i = 0; i < std::min(golden.size(), said.size()); ++i)
    ASSERT_EQ(said[i], golden[i]) << "line " << i + 1 << " of the transcript";
  EXPECT_EQ(said.size(), golden.size());
}

// At contestant setup: the person on screen is made the current champion
// with an earlier score, and is introduced as the returning champion.
std::string MakeReturningChampion(int person, std::int32_t earlierScore) {
  ContestantRecord champion = TvzMain->Contestants[person];
  champion.Score = earlierScore;
  Champions->AddChampion(champion);
  PlayerMenu->ShowContestant();
  EXPECT_EQ(TvzMain->Contestants[person].IsReturningChampion, 1);
  return FormatEntry({earlierScore, FullName(*TvzMain, champion), Residence(*TvzMain, champion),
                      champion.Appearance});
}

class Shows : public WholeShow {};

TEST_F(Shows, OneRoundForOnePersonFromNewGameToTheChampionsList) {
  // The person lets the clock run out once: the buzzer draws no phrase, so
  // the rest of the show (the transcript) is what the draws before it left.
  int answered = 0;
  const auto answerWell = pickAnswer;
  pickAnswer = [&](int who) { return ++answered == 3 ? 0 : answerWell(who); };
  everyFrame = true;  // 33 ms at a time, as at real speed
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {.seconds = 10, .names = {"Zanzibar"}}));
    EXPECT_STREQ(Seat(0).CustomName, "Zanzibar");
    ASSERT_TRUE(playToChampions(d));

    const std::vector<std::string> said = Said();
    ExpectStepsInTheirOrder(steps_);
    ExpectDelaysAsTheShowSays(steps_, 10);
    ExpectEachStepOnItsFrame(steps_);
    // Thirty challenges, ten on each board, and every cell played.
    EXPECT_EQ(CountSteps(steps_, kOfferToDefender), 30);
    EXPECT_TRUE(BoardsExhausted(*TvzMain));
    // Exactly one break, after six defender turns, and back "on with" round one.
    EXPECT_EQ(Count(said, kRightBack), 1);
    EXPECT_EQ(Count(said, "Welcome back.  On with round one."), 1);
    const auto breakAt = std::find(said.begin(), said.end(), kRightBack);
    EXPECT_EQ(CountEnding({said.begin(), breakAt}, " will defend."), 6);
    EXPECT_EQ(CountEnding(said, " will defend."), 15);
    EXPECT_EQ(CountSteps(steps_, kShowBreak), 1);
    // The person answered every question put to them by key.
    int answers = 0, timedOut = 0;
    for (const PlayerTurn& turn : turns_) {
      EXPECT_EQ(turn.contestant, 0) << "only contestant 0 is a person";
      answers += turn.kind == PlayerTurn::Answer;
      timedOut += turn.kind == PlayerTurn::Answer && turn.choice == 0;
    }
    EXPECT_GE(answers, 10) << "at least the ten challenges on the person's own board";
    EXPECT_EQ(timedOut, 1);
    EXPECT_GE(Count(said, "<BUZZER>"), 1);

    // The winner is in the champions file, marked as the champion, beside the
    // four built-in entries.
    const int winner = TvzMain->FirstPlace;
    ASSERT_GE(winner, 0);
    const std::vector<std::string> stored = StoredChampions(readFile("vantoc.mm3"));
    EXPECT_EQ(stored.size(), 5u);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), EntryOf(winner) + "+"), 1);
    EXPECT_EQ(Champions->ChampionList, stored);
    EXPECT_EQ(TvzMain->Round, 0);
    EXPECT_EQ(TvzMain->MenuPhase, 1);
    EXPECT_EQ(InGameMenu, nullptr) << "released with the show";
    d.capture("champions-after-a-show.png");

    ExpectTheGoldenTranscript(said);
  });
  EXPECT_FALSE(fileExists("error.log"));
}

TEST_F(Shows, ThreeRoundsWithEveryOptionOn) {
  const ShowOptions options{.rounds = 3,
                            .seconds = 10,
                            .challengerMayAnswer = true,
                            .deductIncorrect = true,
                            .multiplyByRound = true,
                            .harderEachRound = true};
  int judged = 0, offeredBack = 0, challengerRight = 0, bothMissed = 0;
  std::set<int> breakScenes;
  std::vector<int> lastCellChallenges(4, 0);
  // Each judgement against the rules: the cell's value is the round times
  // its number; right scores it, a miss (wrong or none) costs it.
  std::set<std::pair<int, int>> saved;
  onStep = [&](const StepRun& run) {
    ExpectTheBoardAfter(run);
    ExpectASaveHereLoads(run, saved);
    if (run.step == kShowBreak) breakScenes.insert(TvzMain->BreakScene);
    if (run.step == kReviewQuestion && run.next == kOfferToDefender) {
      ++lastCellChallenges[run.round];
      EXPECT_EQ(UnusedCells(Seat(Camera2->Defender)), 1) << "only the last cell skips the value";
    }
    if (run.step != kJudgeDefender && run.step != kJudgeChallenger) return;
    ++judged;
    const int answerer = run.step == kJudgeDefender ? Camera2->Defender : Camera2->Challenger;
    const ContestantRecord& who = Seat(answerer);
    const int cell = who.SelectedCell;
    ASSERT_TRUE(cell >= 0 && cell < 10);
    const std::int32_t value = run.round * (cell + 1);
    EXPECT_EQ(who.CellValue[cell], value);
    EXPECT_EQ(Camera2->CellLabels[Camera2->Defender][cell]->caption(), std::to_string(value));
    EXPECT_EQ(Seat(Camera2->Defender).CellUsed[cell], 1) << "used by the defender's answer";
    const bool right = who.AnswerSlot == RightSlot();
    EXPECT_EQ(who.Score - run.scoresBefore[answerer], right ? value : -value);
    EXPECT_EQ(Camera2->ScoreLabels[answerer]->caption(), std::to_string(who.Score));
    if (run.step == kJudgeDefender && !right) {
      EXPECT_EQ(run.next, kOfferToChallenger) << "the challenger may answer";
      EXPECT_EQ(Seat(Camera2->Challenger).SelectedCell, cell);
      ++offeredBack;
    }
    if (run.step == kJudgeChallenger) {
      challengerRight += right;
      bothMissed += !right;
    }
  };
  // The person comes back as the champion, and wins again.
  std::string earlierWin;
  atSetup = [&](Driver&, int) { earlierWin = MakeReturningChampion(0, 77); };
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, options));
    ASSERT_TRUE(playToChampions(d));
    const std::vector<std::string> said = Said();
    ExpectStepsInTheirOrder(steps_);
    ExpectDelaysAsTheShowSays(steps_, options.seconds);
    // "will remain our champion": this show's win is added once beside the
    // earlier one, both marked current, the four built-in entries still there.
    ASSERT_EQ(TvzMain->FirstPlace, 0);
    EXPECT_EQ(Count(said, ShownName(*TvzMain, Seat(0)) + ", will remain our champion."), 1);
    EXPECT_EQ(CountEnding(said, " is our new champion!"), 0);
    const std::vector<std::string> stored = StoredChampions(readFile("vantoc.mm3"));
    EXPECT_EQ(stored.size(), 6u);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), earlierWin + "+"), 1);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), EntryOf(0) + "+"), 1);
    EXPECT_EQ(Champions->ChampionList, stored);
    EXPECT_EQ(judged, 90 + offeredBack);
    EXPECT_GT(offeredBack, 0);
    EXPECT_GT(challengerRight, 0);
    EXPECT_GT(bothMissed, 0);
    // Three breaks: half way through round 1 and after rounds 1 and 2, each
    // commercial once.
    EXPECT_EQ(Count(said, kRightBack), 3);
    EXPECT_EQ(breakScenes, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(Count(said, "Welcome back.  On with round one."), 1);
    EXPECT_EQ(Count(said, "Welcome back.  On to round two."), 1);
    EXPECT_EQ(Count(said, "Welcome back.  On to round three."), 1);
    // Each contestant's fifth turn of a round ends on its last cell.
    EXPECT_EQ(lastCellChallenges, (std::vector<int>{0, 3, 3, 3}));
    // Saved at every step of every round (the steps of the last cell, the
    // person's picks and the challenger's answers among them).
    for (int round = 1; round <= 3; ++round)
      for (int step : {kAnnounceDefender, kEndChallenge, kAnnounceBreak, kShowBreak, kWelcomeBack})
        EXPECT_TRUE(saved.count({step, round})) << "step " << step << " round " << round;
    for (int step : {kCrownChampion, kThankAudience, kSayGoodbye, kRollCredits})
      EXPECT_TRUE(saved.count({step, 4})) << "step " << step << " after the last round";
    // With a clock, some computer answers did not come in time.
    EXPECT_GT(Count(said, "<BUZZER>"), 0);
    EXPECT_EQ(Count(said, "<BUZZER>"), Count(said, "Sorry,"));
    EXPECT_EQ(TvzMain->Round, 0);
  });
  EXPECT_FALSE(fileExists("error.log"));
}

TEST_F(Shows, ThreePeopleEachChooseBehindTheirTurnCard) {
  // Only "Start >" keeps a typed name: the last person's. That person
  // answers everything right, the others nothing, so the typed name wins.
  const ShowOptions options{.seconds = 20, .people = 3, .names = {"", "", "Ottoline"}};
  pickAnswer = [](int answerer) { return answerer == 2 ? RightSlot() : WrongSlot(); };
  // The first person comes back as the champion, and loses.
  std::string earlierWin;
  atSetup = [&](Driver&, int person) {
    if (person == 0) earlierWin = MakeReturningChampion(0, 55);
  };
  std::set<std::pair<int, int>> saved;
  onStep = [&](const StepRun& run) { ExpectASaveHereLoads(run, saved); };
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, options));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Seat(c).IsHuman, 1);
    // The first turn card holds the show: no step, and its delay waits.
    ASSERT_TRUE(playUntil(d, AnyContestantCard));
    const std::int32_t step = Camera2->ShowStep;
    d.ticks(5);
    EXPECT_EQ(TvzMain->ElapsedMs, 0u);
    EXPECT_EQ(Camera2->ShowStep, step);
    d.capture("turn-card.png");

    ASSERT_TRUE(playToChampions(d));
    ExpectStepsInTheirOrder(steps_);
    std::set<PlayerTurn::Kind> kinds;
    for (const PlayerTurn& turn : turns_) {
      kinds.insert(turn.kind);
      EXPECT_EQ(turn.cardFor, turn.contestant) << "each choice behind the card of the one who makes it";
    }
    EXPECT_EQ(kinds.size(), 3u) << "categories, values and answers";
    EXPECT_GE(saved.size(), 20u) << "saved and loaded at every step";
    // Every challenge: a value and at least one answer; the last cells need no value.
    EXPECT_EQ(std::count_if(turns_.begin(), turns_.end(),
                            [](const PlayerTurn& t) { return t.kind == PlayerTurn::Value; }),
              30 - 3);
    // The winner enters the list under the name typed for it.
    ASSERT_EQ(TvzMain->FirstPlace, 2);
    EXPECT_STREQ(Seat(2).CustomName, "Ottoline");
    const std::vector<std::string> stored = StoredChampions(readFile("vantoc.mm3"));
    const std::string entry = EntryOf(2) + "+";
    EXPECT_EQ(entry.find("Ottoline"), 6u) << entry;
    EXPECT_EQ(std::count(stored.begin(), stored.end(), entry), 1);
    EXPECT_EQ(Count(Said(), "Ottoline is our new champion!"), 1);
    // The champion who lost is retired: the earlier win stays, unmarked.
    EXPECT_EQ(stored.size(), 6u);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), earlierWin + "_"), 1);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), earlierWin + "+"), 0);
    EXPECT_FALSE(Champions->IsChampion(Seat(0)));
  });
}

// The screens of a show as a player sees them, each on top when its moment
// comes; their pictures are left in test-output.
TEST_F(Shows, EachScreenOfTheShowComesOnTopInItsTurn) {
  struct Moment {
    std::string picture;
    std::function<bool()> comes;
    std::function<Form*()> onTop;
    bool seen = false;
  };
  auto upFor = [](const TimedScene* scene, bool human) {
    return scene && scene->visible() && Seat(scene->Contestant).IsHuman == human;
  };
  auto question = []() -> TimedScene* {
    return Camera3h ? static_cast<TimedScene*>(Camera3h) : Camera3m ? static_cast<TimedScene*>(Camera3m)
         : Camera3s ? static_cast<TimedScene*>(Camera3s) : Camera3t;
  };
  auto value = []() -> Form* {
    return Camera3hc ? static_cast<Form*>(Camera3hc) : Camera3mc ? static_cast<Form*>(Camera3mc)
         : Camera3sc ? static_cast<Form*>(Camera3sc) : Camera3tc;
  };
  auto commercial = []() -> Form* {
    return Camera5a ? static_cast<Form*>(Camera5a) : Camera5b ? static_cast<Form*>(Camera5b) : Camera5c;
  };
  auto board = [] { return static_cast<Form*>(Camera2); };
  auto host = [] { return static_cast<Form*>(Camera1); };
  auto step = [](std::int32_t s) { return [s] { return Camera2 && Camera2->ShowStep == s; }; };
  std::vector<Moment> moments = {
      {"show-board-defender.png", step(kDrawCategory), board},
      {"show-board-challenge.png", step(kOfferToDefender), board},
      {"show-category.png", [&] { return upFor(Camera3w, true); }, [] { return Camera3w; }},
      {"show-value.png", [&] { return value() && value()->visible(); }, value},
      {"show-question-person.png", [&] { return upFor(question(), true); }, question},
      {"show-question-computer.png", [&] { return upFor(question(), false); }, question},
      {"show-host-right-back.png", step(kShowBreak), host},
      {"show-break.png", step(kWelcomeBack), commercial},
      {"show-host-welcome-back.png", [] { return Camera1 && Camera2->ShowStep == kAnnounceDefender; }, host},
      {"show-board-champion.png", step(kThankAudience), board},
      {"show-host-thank-you.png", step(kSayGoodbye), host},
      {"show-winners.png", [] { return Camera4x && Camera4x->visible(); }, [] { return Camera4x; }},
  };
  auto topForm = [](Driver& d) -> Form* {
    const std::vector<Form*> forms = d.app().formsInZOrder();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
      if ((*it)->visible()) return *it;
    return nullptr;
  };
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d, {.seconds = 20, .names = {"Zanzibar"}}));
    ASSERT_TRUE(playUntil(d, [&] {
      for (Moment& m : moments) {
        if (m.seen || !m.comes()) continue;
        m.seen = true;
        EXPECT_EQ(topForm(d), m.onTop()) << m.picture;
        d.capture(m.picture);
      }
      return Camera4x && Camera4x->CreditsStarted;
    }));
    for (const Moment& m : moments) EXPECT_TRUE(m.seen) << m.picture;
    d.advance(20000);
    d.capture("show-credits.png");
    ASSERT_TRUE(playToChampions(d));
    d.capture("show-champions.png");
  });
}

}  // namespace
}  // namespace tvz::testing
