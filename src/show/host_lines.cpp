#include "show/host_lines.h"

#include <array>
#include <optional>
#include <string_view>

#include "core/contestant_names.h"
#include "platform/random.h"
#include "scenes/host_scene.h"
#include "show/contestant_media.h"

namespace tvz {

namespace {

// --- The table ----------------------------------------------------------------

// How one clip of a line is named.
enum class Piece : std::uint8_t {
  None,
  Clip,           // a fixed clip, named in the row
  ClipOpening,    // the first milliseconds of a fixed clip
  HostName,       // the host saying the contestant's first name; never a typed name
  HostNumber,     // the host saying N
  HostLetter,     // ... the letter X
  HostRightLetter,  // ... the letter of the right answer
  HostCategory,   // ... the category
  HostRound,      // ... the round's number
  Voice,          // the contestant's voice saying a fixed clip, named in the row
  VoiceNumber,    // ... N
  VoiceLetter,    // ... X
  VoiceCategory,  // ... the category
  VoicePhrase,    // ... "I'll choose", "I'll select" or "I'll pick"
};

struct Part {
  Piece piece = Piece::None;
  const char* name = "";
  std::int32_t ms = 0;
};

// Faces that move with a line.
enum class Faces : std::uint8_t {
  None,
  TakeCategory,      // "I'll take", the category, closing
  ChallengeValue,    // "I'll challenge for", N, closing
  AnswerPhrase,      // the phrase, X, closing
  ReviewGlances,     // the challenger looks at the question; the defender may glance over
  RightReaction,     // one time in two, needing its way back
  WrongReaction,     // one time in two
  ChampionReaction,  // always
  HostReturn,        // the host scene's way back from a break
};

// What is mixed into the speech after the clips.
enum class Sound : std::uint8_t { Plain, AnswerApplause, ChampionApplause, CreditsFade };

struct Row {
  HostLine line;
  CaptionTarget target;
  // Fields in braces: {name} {category} {take} {N} {phrase} {X} {T} {rightX}
  // {rightT} {opening} {roundWord}.
  const char* caption;
  std::array<Part, 4> clips;
  // The champion lines' own clips for a contestant with a typed name; other
  // lines only leave the name out.
  std::array<Part, 1> typedNameClips;
  Faces faces;
  Sound sound;
};

constexpr Part clip(const char* file) { return {Piece::Clip, file}; }
constexpr Part voice(const char* clipAfterVoice) { return {Piece::Voice, clipAfterVoice}; }
constexpr Part of(Piece piece) { return {piece}; }

using enum HostLine;
using enum Piece;
constexpr CaptionTarget kBoard = CaptionTarget::Board;
constexpr CaptionTarget kHost = CaptionTarget::HostScene;

// clang-format off
constexpr Row kLines[] = {
  {DefenderAnnounced, kBoard, "{name} will defend.",
   {of(HostName), clip("hwilldef.mm3")}, {}, Faces::None, Sound::Plain},
  {CategoryDrawn, kBoard, "The category is {category}.",
   {clip("htcatis.mm3"), of(HostCategory)}, {}, Faces::None, Sound::Plain},
  {DefenderPicks, kBoard, "{name}, pick a category.",
   {of(HostName), clip("hpickcat.mm3")}, {}, Faces::None, Sound::Plain},
  {CategoryTaken, kBoard, "{take}{category}.",
   {voice("illtak.mm3"), of(VoiceCategory)}, {}, Faces::TakeCategory, Sound::Plain},
  {Review, kBoard, "{name}, review the question and select the challenge value.",
   {of(HostName), clip("hreview.mm3")}, {}, Faces::ReviewGlances, Sound::Plain},
  {Challenge, kBoard, "I'll challenge for {N}.",
   {clip("s05.mm3"), voice("illcha.mm3"), of(VoiceNumber)}, {}, Faces::ChallengeValue, Sound::Plain},
  {OfferToDefender, kBoard, "{name}, the challenge is to you for {N}.",
   {of(HostName), clip("hci2ufor.mm3"), of(HostNumber)}, {}, Faces::None, Sound::Plain},
  {OfferBackToChallenger, kBoard, "{name}, the challenge comes back to you for {N}.",
   {of(HostName), clip("hccb2u4.mm3"), of(HostNumber)}, {}, Faces::None, Sound::Plain},
  {AnswerGiven, kBoard, "{phrase}{X}. {T}",
   {of(VoicePhrase), of(VoiceLetter)}, {}, Faces::AnswerPhrase, Sound::Plain},
  {NoAnswer, kBoard, "<BUZZER>",
   {clip("buzzbuzz.mm3")}, {}, Faces::None, Sound::Plain},
  {Right, kBoard, "That's correct!",
   {clip("hcorrect.mm3")}, {}, Faces::RightReaction, Sound::AnswerApplause},
  {NoAnswerWrong, kBoard, "Sorry,",
   {clip("hsorry.mm3")}, {}, Faces::WrongReaction, Sound::Plain},
  {Wrong, kBoard, "Sorry, that's incorrect.",
   {clip("hincorr.mm3")}, {}, Faces::WrongReaction, Sound::Plain},
  {CorrectAnswer, kBoard, "The correct answer is {rightX}. {rightT}",
   {clip("hcanswer.mm3"), of(HostRightLetter)}, {}, Faces::None, Sound::Plain},
  {RightBack, kHost, kRightBackCaption,
   {clip("hwbrback.mm3")}, {}, Faces::None, Sound::Plain},
  {BreakA, kBoard, "", {clip("hcfresh.mm3")}, {}, Faces::None, Sound::Plain},
  {BreakB, kBoard, "", {clip("hstepup.mm3")}, {}, Faces::None, Sound::Plain},
  {BreakC, kBoard, "", {clip("hperson.mm3")}, {}, Faces::None, Sound::Plain},
  {WelcomeBack, kHost, "{opening}{roundWord}",
   {clip("hwelback.mm3"), clip("s05.mm3"), clip("honwithr.mm3"), of(HostRound)}, {},
   Faces::HostReturn, Sound::Plain},
  {ChampionRemains, kBoard, "{name}, will remain our champion.",
   {of(HostName), clip("hrchamp.mm3")}, {clip("hremain.mm3")},
   Faces::ChampionReaction, Sound::ChampionApplause},
  // A new champion with a typed name hears "You are our new champion!": the
  // line after a name, "will remain our champion", would welcome back someone
  // who has only just won.
  {NewChampion, kBoard, "{name} is our new champion!",
   {of(HostName), clip("hnewcham.mm3")}, {clip("hnewyou.mm3")},
   Faces::ChampionReaction, Sound::ChampionApplause},
  {ThankYou, kHost, kThankYouCaption, {clip("hthanku.mm3")}, {}, Faces::None, Sound::Plain},
  {Goodbye, kHost, kGoodbyeCaption, {clip("htunein.mm3")}, {}, Faces::None, Sound::Plain},
  {CreditsMusic, kBoard, "",
   {clip("theme.mm3"), clip("theme.mm3"), {ClipOpening, "theme.mm3", 11000}}, {},
   Faces::None, Sound::CreditsFade},
};
// clang-format on

constexpr bool EveryLineInOrder() {
  if (std::size(kLines) != kHostLineCount) return false;
  for (int i = 0; i < kHostLineCount; ++i)
    if (static_cast<int>(kLines[i].line) != i) return false;
  return true;
}
static_assert(EveryLineInOrder(), "one row per line, in the order of HostLine");

// --- Words --------------------------------------------------------------------

constexpr const char* kAnswerLetters[] = {"a", "b", "c", "d"};
constexpr const char* kPhraseWords[] = {"I'll choose ", "I'll select ", "I'll pick "};
constexpr const char* kPhraseClips[] = {"illcho.mm3", "illsel.mm3", "illpic.mm3"};
constexpr FaceSegment kPhraseFaces[] = {FaceSegment::IllChoose, FaceSegment::IllSelect,
                                        FaceSegment::IllPick};

struct CategoryNames {
  const char* word;
  const char* hostClip;
  const char* voiceClip;
};
// By category code 1..5 (History has two codes).
constexpr CategoryNames kCategories[] = {
    {"History", "hhistory.mm3", "histry.mm3"}, {"History", "hhistory.mm3", "histry.mm3"},
    {"Music", "hmusic.mm3", "music.mm3"},      {"Sports", "hsports.mm3", "sports.mm3"},
    {"TV, Arts, and Literature", "htval.mm3", "tval.mm3"}};

const CategoryNames* Category(std::int32_t code) {
  return code >= 1 && code <= 5 ? &kCategories[code - 1] : nullptr;
}

bool ValidSlot(std::int32_t slot) { return slot >= 1 && slot <= 4; }

std::string Letter(std::int32_t slot) { return ValidSlot(slot) ? kAnswerLetters[slot - 1] : ""; }

std::string UpperLetter(std::int32_t slot) {
  return ValidSlot(slot) ? std::string(1, static_cast<char>('A' + slot - 1)) : "";
}

// The answer text of a slot with a full stop at the end.
std::string AnswerSentence(const GameRecord& record, std::int32_t answerId) {
  std::string text = ListEntry(record.AnswerTexts, answerId);
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

std::int32_t RightSlot(const GameRecord& record) {
  for (std::int32_t slot = 1; slot <= 4; ++slot)
    if (record.AnswerIds[slot - 1] == record.CorrectAnswerId) return slot;
  return 0;
}

int PhraseIndex(AnswerPhrase phrase) {
  const int i = static_cast<int>(phrase);
  return i >= 0 && i < 3 ? i : 0;
}

// --- Building -----------------------------------------------------------------

class LineBuilder {
 public:
  LineBuilder(const GameRecord& record, const Row& row, const LineRequest& request,
              const RandomDraw& random)
      : record_(record), row_(row), request_(request), random_(random) {}

  SpokenLine Build() {
    SpokenLine line;
    line.target = row_.target;
    if (NeedsContestant() && !Speaker()) {
      line.valid = false;
      return line;
    }
    line.caption = Caption();
    AddClips(line);
    AddSound(line);
    AddFaces(line);
    return line;
  }

 private:
  // Lines that name the contestant or speak in its voice; the host's own
  // words can do without (and then move no face).
  bool NeedsContestant() const {
    for (const Part& part : row_.clips)
      if (part.piece == HostName || part.piece >= Voice) return true;
    return std::string_view(row_.caption).find("{name}") != std::string_view::npos;
  }

  const ContestantRecord* Speaker() const {
    const std::int32_t c = request_.contestant;
    return c >= 0 && c < kContestantCount ? &record_.Contestants[c] : nullptr;
  }

  std::string Caption() const {
    std::string out;
    for (const char* p = row_.caption; *p;) {
      if (*p != '{') {
        out += *p++;
        continue;
      }
      const char* close = p;
      while (*close && *close != '}') ++close;
      out += Field(std::string(p + 1, close));
      p = *close ? close + 1 : close;
    }
    return out;
  }

  std::string Field(const std::string& name) const {
    const CategoryNames* category = Category(record_.Category);
    const std::int32_t slot = request_.answerSlot;
    if (name == "name") return Speaker() ? ShownName(record_, *Speaker()) : "";
    if (name == "category") return category ? category->word : "";
    if (name == "take") return request_.categoryTimedOut ? "The category is " : "I'll take ";
    if (name == "N") return std::to_string(request_.value);
    if (name == "phrase") return kPhraseWords[PhraseIndex(request_.phrase)];
    if (name == "X") return UpperLetter(slot);
    if (name == "T") return ValidSlot(slot) ? AnswerSentence(record_, record_.AnswerIds[slot - 1]) : "";
    if (name == "rightX") return UpperLetter(RightSlot(record_));
    if (name == "rightT") return AnswerSentence(record_, record_.CorrectAnswerId);
    if (name == "opening") return request_.afterMidRoundBreak ? kOnWithRoundCaption : kOnToRoundCaption;
    if (name == "roundWord") return RoundWord(request_.round);
    return "";
  }

  void AddClips(SpokenLine& line) const {
    const bool typed = Speaker() && HasTypedName(*Speaker());
    const bool ownTypedClips = row_.typedNameClips[0].piece != None;
    if (typed && ownTypedClips) {
      for (const Part& part : row_.typedNameClips) AddClip(line, part);
      return;
    }
    for (const Part& part : row_.clips) {
      if (typed && part.piece == HostName) continue;  // a typed name is never said aloud
      AddClip(line, part);
    }
  }

  void AddClip(SpokenLine& line, const Part& part) const {
    const CategoryNames* category = Category(record_.Category);
    const std::string voice = Speaker() ? VoicePrefix(*Speaker()) : "";
    const std::string n = ClipNumber(request_.value);
    switch (part.piece) {
      case None: return;
      case Clip: line.clips.push_back({part.name}); return;
      case ClipOpening: line.clips.push_back({part.name, 0, part.ms}); return;
      case HostName: line.clips.push_back({HostNameClip(*Speaker()) + ".mm3"}); return;
      case HostNumber: line.clips.push_back({"h" + n + ".mm3"}); return;
      case HostLetter: line.clips.push_back({"h" + Letter(request_.answerSlot) + ".mm3"}); return;
      case HostRightLetter: line.clips.push_back({"h" + Letter(RightSlot(record_)) + ".mm3"}); return;
      case HostCategory: line.clips.push_back({category ? category->hostClip : "h.mm3"}); return;
      case HostRound: line.clips.push_back({"h" + ClipNumber(request_.round) + ".mm3"}); return;
      case Voice: line.clips.push_back({voice + part.name}); return;
      case VoiceNumber: line.clips.push_back({voice + n + ".mm3"}); return;
      case VoiceLetter: line.clips.push_back({voice + Letter(request_.answerSlot) + ".mm3"}); return;
      case VoiceCategory:
        line.clips.push_back({voice + (category ? category->voiceClip : ".mm3")});
        return;
      case VoicePhrase: line.clips.push_back({voice + kPhraseClips[PhraseIndex(request_.phrase)]}); return;
    }
  }

  void AddSound(SpokenLine& line) const {
    switch (row_.sound) {
      case Sound::Plain: return;
      case Sound::AnswerApplause:
        // The applause is turned down to the audience's mood while the host
        // has finished speaking.
        if (request_.applauseVolume <= 0) return;
        line.clips.push_back({"applause.mm3"});
        line.volumes.push_back({1724, 5235, request_.applauseVolume});
        return;
      case Sound::ChampionApplause:
        line.clips.push_back({"applaus2.mm3"});
        line.clips.push_back({"applaus2.mm3"});
        line.mixes.push_back({"applaus2.mm3", 0.8f, 5047});
        return;
      case Sound::CreditsFade:
        line.volumes.push_back({47000, 49000, 0.8f});
        line.volumes.push_back({49000, 50000, 0.5f});
        line.volumes.push_back({50000, 51000, 0.1f});
        return;
    }
  }

  std::int32_t Draw(std::int32_t n) const { return random_ ? random_(n) : Random(n); }

  // One of two variants of a face.
  FaceSegment Either(FaceSegment first, FaceSegment second) const {
    return Draw(2) == 0 ? first : second;
  }

  // The face after an answer: the one the judging drew, or one time in two
  // one of the two variants.
  std::optional<FaceSegment> Reaction(FaceSegment first, FaceSegment second) const {
    if (request_.reactionDrawn) return request_.reaction;
    if (Draw(2) != 0) return std::nullopt;
    return Either(first, second);
  }

  void AddFaces(SpokenLine& line) const {
    const std::int32_t who = request_.contestant;
    auto phrase = [&](FaceSegment words, std::optional<FaceSegment> middle) {
      FaceCue cue{who, {words}};
      if (middle) cue.segments.push_back(*middle);
      cue.segments.push_back(FaceSegment::Closing);
      line.faces.push_back(cue);
    };
    if (!Speaker() && row_.faces != Faces::HostReturn) return;
    switch (row_.faces) {
      case Faces::None: return;
      case Faces::TakeCategory:
        return phrase(FaceSegment::IllTake, categorySegment(record_.Category));
      case Faces::ChallengeValue:
        return phrase(FaceSegment::IllChallengeFor, numberSegment(request_.value));
      case Faces::AnswerPhrase:
        return phrase(kPhraseFaces[PhraseIndex(request_.phrase)], letterSegment(request_.answerSlot));
      case Faces::ReviewGlances: return AddReviewGlances(line);
      case Faces::RightReaction:
        if (const auto face = Reaction(FaceSegment::Right1, FaceSegment::Right2))
          line.faces.push_back({who, {*face}, true});
        return;
      case Faces::WrongReaction:
        if (const auto face = Reaction(FaceSegment::Wrong1, FaceSegment::Wrong2))
          line.faces.push_back({who, {*face}});
        return;
      case Faces::ChampionReaction:
        line.faces.push_back({who, {Either(FaceSegment::Right1, FaceSegment::Right2)}});
        return;
      case Faces::HostReturn:
        line.hostReturnsFromBreak = true;
        line.hostStretches = {request_.afterMidRoundBreak, request_.round};
        return;
    }
  }

  // The challenger looks the question over; one time in five the defender
  // glances towards the challenger, and looks back when the challenge is made.
  void AddReviewGlances(SpokenLine& line) const {
    const std::int32_t challenger = request_.contestant;
    line.faces.push_back({challenger, {Either(FaceSegment::ReviewGlance1, FaceSegment::ReviewGlance2)}});
    const std::int32_t defender = request_.defender;
    if (defender < 0 || defender >= kContestantCount || defender == challenger) return;
    if (Draw(5) != 0) return;
    const FaceSegment glance = challenger < defender
                                   ? Either(FaceSegment::GlanceLower1, FaceSegment::GlanceLower2)
                                   : Either(FaceSegment::GlanceHigher1, FaceSegment::GlanceHigher2);
    line.faces.push_back({defender, {glance}, true});
  }

  const GameRecord& record_;
  const Row& row_;
  const LineRequest& request_;
  const RandomDraw& random_;
};

}  // namespace

SpokenLine BuildLine(const GameRecord& record, HostLine line, const LineRequest& request,
                     const RandomDraw& random) {
  const int index = static_cast<int>(line);
  if (index < 0 || index >= kHostLineCount) {
    SpokenLine none;
    none.valid = false;
    return none;
  }
  return LineBuilder(record, kLines[index], request, random).Build();
}

}  // namespace tvz
