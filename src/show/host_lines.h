#pragma once
// Every line of the show: what the host or a contestant says at each event,
// the caption that goes with it, the clips the speech is joined from and the
// faces that move with it. The show only says which line, for whom and with
// what value, letter, phrase, applause or round; the table does the rest.
//
//   LineRequest r;
//   r.contestant = challenger;
//   r.value = CellValueFor(*Services, cell);
//   if (!SpeakLine(HostLine::Challenge, r)) return false;  // already reported
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/game_record.h"
#include "show/segment_table.h"

namespace tvz {

enum class HostLine {
  DefenderAnnounced,       // "<name> will defend."
  CategoryDrawn,           // "The category is History."
  DefenderPicks,           // "<name>, pick a category."
  CategoryTaken,           // the defender: "I'll take Music."
  Review,                  // "<name>, review the question and select the challenge value."
  Challenge,               // the challenger: "I'll challenge for 5."
  OfferToDefender,         // "<name>, the challenge is to you for 5."
  OfferBackToChallenger,   // "<name>, the challenge comes back to you for 5."
  AnswerGiven,             // the answerer: "I'll pick B. <answer>"
  NoAnswer,                // the buzzer
  Right,                   // "That's correct!", perhaps with applause
  NoAnswerWrong,           // "Sorry,"
  Wrong,                   // "Sorry, that's incorrect."
  CorrectAnswer,           // "The correct answer is C. <answer>"
  RightBack,               // before a break, on the host scene
  BreakA,                  // the commercials of breaks a, b, c
  BreakB,
  BreakC,
  WelcomeBack,             // after a break, on the host scene
  ChampionRemains,         // "<name>, will remain our champion."
  NewChampion,             // "<name> is our new champion!"
  ThankYou,                // the close, on the host scene
  Goodbye,
  CreditsMusic,            // the theme under the credits
};
inline constexpr int kHostLineCount = static_cast<int>(HostLine::CreditsMusic) + 1;

// Which caption line shows the words.
enum class CaptionTarget { Board, HostScene };

// The answer phrases a contestant chooses from, equally likely.
enum class AnswerPhrase { Choose, Select, Pick };

// What the show says about a line beyond its name. Fields a line does not use
// are ignored.
struct LineRequest {
  std::int32_t contestant = -1;  // who speaks, or whom the host addresses
  std::int32_t defender = -1;    // the review: who may glance at the challenger
  std::int32_t value = 0;        // N, the cell value at stake
  std::int32_t answerSlot = 0;   // X, 1..4 = A..D
  AnswerPhrase phrase = AnswerPhrase::Choose;
  float applauseVolume = 0.0f;   // a right answer's applause: 0.9, 0.6, 0.4; 0 = none
  std::int32_t round = 0;        // the round the show comes back to
  bool afterMidRoundBreak = false;  // "On with round" rather than "On to round"
  bool categoryTimedOut = false;    // "The category is" rather than "I'll take"
  // The answerer's face after a right or wrong answer as the judging drew it
  // (reaction empty: no face). Without it the line draws its own, one time in
  // two.
  bool reactionDrawn = false;
  std::optional<FaceSegment> reaction{};
};

// A clip of the speech: the whole file, or the span from fromMs to toMs.
struct ClipPiece {
  std::string file;
  std::int32_t fromMs = 0;
  std::int32_t toMs = 0;  // 0 = the whole clip
  bool operator==(const ClipPiece&) const = default;
};

struct MixIn {
  std::string file;
  float gain = 0;
  std::int32_t atMs = 0;
};

struct VolumeRange {
  std::int32_t fromMs, toMs;
  float factor;
};

// Faces queued with the line. A reaction that needs its way back later is
// noted as such (the board remembers where it ended).
struct FaceCue {
  std::int32_t contestant;
  std::vector<FaceSegment> segments;
  bool needsReturn = false;
};

struct HostStretchCue {
  bool afterMidRoundBreak;
  std::int32_t round;
};

struct SpokenLine {
  std::string caption;
  CaptionTarget target = CaptionTarget::Board;
  std::vector<ClipPiece> clips;  // the first is loaded, the rest appended
  std::vector<MixIn> mixes;
  std::vector<VolumeRange> volumes;
  std::vector<FaceCue> faces;
  bool hostReturnsFromBreak = false;  // the host scene queues its way back
  HostStretchCue hostStretches{};
  bool valid = true;  // false: the line names a contestant outside the show
};

// Chance draws the lines need (faces one time in two, glances one time in
// five, which of two variants): n -> 0 .. n - 1. The game's generator by default.
using RandomDraw = std::function<std::int32_t(std::int32_t n)>;

// Builds a line from the game record and the request: nothing is loaded,
// played or shown.
SpokenLine BuildLine(const GameRecord& record, HostLine line, const LineRequest& request,
                     const RandomDraw& random = {});

// Speaks the line through the services: the first clip loaded into the
// speech buffer, the rest appended, mixed and scaled, then played. Only when
// all of that succeeded the caption is set (on the board, or on the host scene
// when the line belongs there, the board's caption then emptied) and the
// faces are queued. False after a clip or the player failed (reported where
// it failed); the show cannot go on then.
bool SpeakLine(HostLine line, LineRequest request = {});

}  // namespace tvz
