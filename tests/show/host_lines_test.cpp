// Every line of the show, built for contestants of both genders, all three
// voices, named from the lists or by a typed name, against the clips the
// build generated; and lines spoken through the real services onto the board
// and the host scene.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "core/error_log.h"
#include "core/screens.h"
#include "core/sound.h"
#include "harness/show_session.h"
#include "platform/random.h"
#include "scenes/host_scene.h"
#include "show/board.h"
#include "show/host_lines.h"

namespace tvz::testing {
namespace {

namespace fs = std::filesystem;

ContestantRecord& seat(int c) { return TvzMain->Contestants[c]; }

std::string two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

const int kCellValues[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 20, 21, 24, 27, 30};
const char* const kHostCategories[] = {"", "hhistory.mm3", "hhistory.mm3", "hmusic.mm3", "hsports.mm3", "htval.mm3"};
const char* const kVoiceCategories[] = {"", "histry.mm3", "histry.mm3", "music.mm3", "sports.mm3", "tval.mm3"};
const char* const kCategoryWords[] = {"", "History", "History", "Music", "Sports", "TV, Arts, and Literature"};

// Random draws taken in turn from a script (0 when it runs out).
RandomDraw scripted(std::vector<std::int32_t> draws) {
  auto next = std::make_shared<std::size_t>(0);
  return [draws, next](std::int32_t n) { return *next < draws.size() ? draws[(*next)++] % n : 0; };
}

std::vector<std::string> files(const SpokenLine& line) {
  std::vector<std::string> out;
  for (const ClipPiece& piece : line.clips) out.push_back(piece.file);
  return out;
}

// A contestant of the given picture: named from the lists (first name
// `nameIdx`) or by a typed name.
void dress(ContestantRecord& who, int appearance, int nameIdx, const char* typed) {
  who.Appearance = appearance;
  who.AppearanceNo = appearance / 2 + 1;
  who.FirstNameIdx = nameIdx;
  std::memset(who.CustomName, 0, sizeof who.CustomName);
  if (typed) std::strncpy(who.CustomName, typed, sizeof who.CustomName - 1);
}

// What the lines should join, written out from the rules of the show: the
// voice and name clip of the contestant, and each line's clips in order.
struct Expect {
  const ContestantRecord& who;
  std::string voice() const { return std::string(who.Appearance % 2 ? "m" : "f") + std::to_string(who.AppearanceNo); }
  bool typed() const { return who.CustomName[0] != '\0'; }
  // The host's name clip first, unless the name is typed.
  std::vector<std::string> named(std::vector<std::string> rest) const {
    if (!typed()) rest.insert(rest.begin(), "hf" + two(who.FirstNameIdx + (who.Appearance % 2 ? 13 : 1)) + ".mm3");
    return rest;
  }
};

// A champion's words, then the big applause twice.
std::vector<std::string> withApplause(std::vector<std::string> words) {
  words.insert(words.end(), {"applaus2.mm3", "applaus2.mm3"});
  return words;
}

class Lines : public ShowSession {};

TEST_F(Lines, EveryLineJoinsTheClipsOfItsContestant) {
  play([&](Driver&) {
    QuietShow();
    const GameRecord& record = *TvzMain;
    TvzMain->AnswerTexts = {"Paris", "Rome.", "Oslo", "Lima"};
    for (int i = 0; i < 4; ++i) TvzMain->AnswerIds[i] = i;
    TvzMain->CorrectAnswerId = 2;
    for (int appearance = 0; appearance < 6; ++appearance) {
      for (const char* typed : {static_cast<const char*>(nullptr), "Jo Kim"}) {
        dress(seat(1), appearance, 5, typed);
        const Expect e{seat(1)};
        const std::string v = e.voice();
        SCOPED_TRACE(v + (typed ? " typed" : " listed"));
        auto build = [&](HostLine line, LineRequest r = {}, std::vector<std::int32_t> draws = {}) {
          r.contestant = 1;
          return BuildLine(record, line, r, scripted(draws));
        };
        const StringList& firstNames = appearance % 2 ? TvzMain->FirstNamesOdd : TvzMain->FirstNamesEven;
        const std::string name = typed ? "Jo" : firstNames.at(5);

        SpokenLine l = build(HostLine::DefenderAnnounced);
        EXPECT_EQ(files(l), e.named({"hwilldef.mm3"}));
        EXPECT_EQ(l.caption, name + " will defend.");
        l = build(HostLine::DefenderPicks);
        EXPECT_EQ(files(l), e.named({"hpickcat.mm3"}));
        EXPECT_EQ(l.caption, name + ", pick a category.");
        l = build(HostLine::Review);
        EXPECT_EQ(files(l), e.named({"hreview.mm3"}));
        EXPECT_EQ(l.caption, name + ", review the question and select the challenge value.");
        for (int category = 1; category <= 5; ++category) {
          TvzMain->Category = category;
          l = build(HostLine::CategoryDrawn);
          EXPECT_EQ(files(l), (std::vector<std::string>{"htcatis.mm3", kHostCategories[category]}));
          EXPECT_EQ(l.caption, std::string("The category is ") + kCategoryWords[category] + ".");
          l = build(HostLine::CategoryTaken);
          EXPECT_EQ(files(l), (std::vector<std::string>{v + "illtak.mm3", v + kVoiceCategories[category]}));
          EXPECT_EQ(l.caption, std::string("I'll take ") + kCategoryWords[category] + ".");
        }
        for (int value : kCellValues) {
          LineRequest r;
          r.value = value;
          l = build(HostLine::Challenge, r);
          EXPECT_EQ(files(l), (std::vector<std::string>{"s05.mm3", v + "illcha.mm3", v + two(value) + ".mm3"}));
          EXPECT_EQ(l.caption, "I'll challenge for " + std::to_string(value) + ".");
          l = build(HostLine::OfferToDefender, r);
          EXPECT_EQ(files(l), e.named({"hci2ufor.mm3", "h" + two(value) + ".mm3"}));
          EXPECT_EQ(l.caption, name + ", the challenge is to you for " + std::to_string(value) + ".");
          l = build(HostLine::OfferBackToChallenger, r);
          EXPECT_EQ(files(l), e.named({"hccb2u4.mm3", "h" + two(value) + ".mm3"}));
          EXPECT_EQ(l.caption, name + ", the challenge comes back to you for " + std::to_string(value) + ".");
        }
        const char* phrases[] = {"illcho.mm3", "illsel.mm3", "illpic.mm3"};
        const char* words[] = {"I'll choose ", "I'll select ", "I'll pick "};
        const char* answers[] = {"Paris.", "Rome.", "Oslo.", "Lima."};
        for (int p = 0; p < 3; ++p) {
          for (int slot = 1; slot <= 4; ++slot) {
            LineRequest r;
            r.phrase = static_cast<AnswerPhrase>(p);
            r.answerSlot = slot;
            l = build(HostLine::AnswerGiven, r);
            const std::string letter(1, static_cast<char>('a' + slot - 1));
            EXPECT_EQ(files(l), (std::vector<std::string>{v + phrases[p], v + letter + ".mm3"}));
            EXPECT_EQ(l.caption, std::string(words[p]) + char('A' + slot - 1) + ". " + answers[slot - 1]);
          }
        }
        l = build(HostLine::ChampionRemains);
        const std::vector<std::string> remains =
            typed ? std::vector<std::string>{"hremain.mm3"} : e.named({"hrchamp.mm3"});
        EXPECT_EQ(files(l), withApplause(remains));
        EXPECT_EQ(l.caption, name + ", will remain our champion.");
        l = build(HostLine::NewChampion);
        const std::vector<std::string> crowned =
            typed ? std::vector<std::string>{"hnewyou.mm3"} : e.named({"hnewcham.mm3"});
        EXPECT_EQ(files(l), withApplause(crowned));
        EXPECT_EQ(l.caption, name + " is our new champion!");
        for (HostLine champion : {HostLine::ChampionRemains, HostLine::NewChampion}) {
          l = build(champion);
          ASSERT_EQ(l.mixes.size(), 1u);
          EXPECT_EQ(l.mixes[0].file, "applaus2.mm3");
          EXPECT_FLOAT_EQ(l.mixes[0].gain, 0.8f);
          EXPECT_EQ(l.mixes[0].atMs, 5047);
        }
      }
    }
  });
}

TEST_F(Lines, TheHostsOwnLinesAndTheirCaptions) {
  play([&](Driver&) {
    QuietShow();
    const GameRecord& record = *TvzMain;
    TvzMain->AnswerTexts = {"Mercury", "Venus", "Mars.", "Jupiter"};
    for (int i = 0; i < 4; ++i) TvzMain->AnswerIds[i] = 3 - i;
    TvzMain->CorrectAnswerId = 1;  // in slot C
    using Clips = std::vector<std::string>;
    struct Case {
      HostLine line;
      Clips clips;
      std::string caption;
      CaptionTarget target;
    };
    const Case cases[] = {
        {HostLine::NoAnswer, {"buzzbuzz.mm3"}, "<BUZZER>", CaptionTarget::Board},
        {HostLine::Right, {"hcorrect.mm3"}, "That's correct!", CaptionTarget::Board},
        {HostLine::NoAnswerWrong, {"hsorry.mm3"}, "Sorry,", CaptionTarget::Board},
        {HostLine::Wrong, {"hincorr.mm3"}, "Sorry, that's incorrect.", CaptionTarget::Board},
        {HostLine::CorrectAnswer, {"hcanswer.mm3", "hc.mm3"}, "The correct answer is C. Venus.", CaptionTarget::Board},
        {HostLine::RightBack, {"hwbrback.mm3"}, "We'll be right back after these messages.", CaptionTarget::HostScene},
        {HostLine::BreakA, {"hcfresh.mm3"}, "", CaptionTarget::Board},
        {HostLine::BreakB, {"hstepup.mm3"}, "", CaptionTarget::Board},
        {HostLine::BreakC, {"hperson.mm3"}, "", CaptionTarget::Board},
        {HostLine::ThankYou, {"hthanku.mm3"}, "Thank you for joining us.", CaptionTarget::HostScene},
        {HostLine::Goodbye, {"htunein.mm3"}, "Be sure to tune in again for another Trivenza.", CaptionTarget::HostScene},
        {HostLine::CreditsMusic, {"theme.mm3", "theme.mm3", "theme.mm3"}, "", CaptionTarget::Board},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.caption);
      LineRequest r;
      r.contestant = 0;
      const SpokenLine l = BuildLine(record, c.line, r, scripted({1}));
      EXPECT_TRUE(l.valid);
      EXPECT_EQ(files(l), c.clips);
      EXPECT_EQ(l.caption, c.caption);
      EXPECT_EQ(l.target, c.target);
    }
    // The credits: the theme twice and its first eleven seconds, fading out.
    const SpokenLine credits = BuildLine(record, HostLine::CreditsMusic, {});
    EXPECT_EQ(credits.clips[2], (ClipPiece{"theme.mm3", 0, 11000}));
    ASSERT_EQ(credits.volumes.size(), 3u);
    EXPECT_EQ(credits.volumes[0].fromMs, 47000);
    EXPECT_EQ(credits.volumes[2].toMs, 51000);
    EXPECT_FLOAT_EQ(credits.volumes[1].factor, 0.5f);
    EXPECT_FLOAT_EQ(credits.volumes[2].factor, 0.1f);

    // Applause after a right answer, turned down to the audience's volume.
    LineRequest cheer;
    cheer.contestant = 2;
    cheer.applauseVolume = 0.6f;
    const SpokenLine right = BuildLine(record, HostLine::Right, cheer, scripted({1}));
    EXPECT_EQ(files(right), (Clips{"hcorrect.mm3", "applause.mm3"}));
    ASSERT_EQ(right.volumes.size(), 1u);
    EXPECT_EQ(right.volumes[0].fromMs, 1724);
    EXPECT_EQ(right.volumes[0].toMs, 5235);
    EXPECT_FLOAT_EQ(right.volumes[0].factor, 0.6f);

    // The way back from a break: two spaces after the greeting, the round in words.
    for (int round = 1; round <= 3; ++round) {
      for (bool midRound : {true, false}) {
        LineRequest r;
        r.round = round;
        r.afterMidRoundBreak = midRound;
        const SpokenLine back = BuildLine(record, HostLine::WelcomeBack, r);
        EXPECT_TRUE(back.valid);
        EXPECT_EQ(files(back), (Clips{"hwelback.mm3", "s05.mm3", "honwithr.mm3", "h0" + std::to_string(round) + ".mm3"}));
        const char* words[] = {"", "one.", "two.", "three."};
        EXPECT_EQ(back.caption, std::string(midRound ? "Welcome back.  On with round " : "Welcome back.  On to round ") +
                                    words[round]);
        EXPECT_EQ(back.target, CaptionTarget::HostScene);
        EXPECT_TRUE(back.hostReturnsFromBreak);
      }
    }
  });
}

TEST_F(Lines, EdgeCasesOfNamesNumbersAndTexts) {
  play([&](Driver&) {
    QuietShow();
    GameRecord& record = *TvzMain;
    LineRequest r;
    r.contestant = 0;
    // Named from the lists: an odd picture's first name is host clip 13 on.
    dress(seat(0), 1, 0, nullptr);
    EXPECT_EQ(files(BuildLine(record, HostLine::DefenderAnnounced, r)),
              (std::vector<std::string>{"hf13.mm3", "hwilldef.mm3"}));
    dress(seat(0), 4, 11, nullptr);
    EXPECT_EQ(files(BuildLine(record, HostLine::DefenderAnnounced, r))[0], "hf12.mm3");
    // Picture 3 speaks with voice m2; a value of 12 has no leading zero.
    dress(seat(0), 3, 2, nullptr);
    r.value = 5;
    EXPECT_EQ(files(BuildLine(record, HostLine::Challenge, r)),
              (std::vector<std::string>{"s05.mm3", "m2illcha.mm3", "m205.mm3"}));
    EXPECT_EQ(files(BuildLine(record, HostLine::OfferToDefender, r)).back(), "h05.mm3");
    r.value = 12;
    EXPECT_EQ(files(BuildLine(record, HostLine::Challenge, r)).back(), "m212.mm3");
    // A typed name is shown but never said.
    dress(seat(0), 3, 2, "Ann Lee");
    EXPECT_EQ(files(BuildLine(record, HostLine::Review, r)), std::vector<std::string>{"hreview.mm3"});
    EXPECT_EQ(files(BuildLine(record, HostLine::OfferToDefender, r)),
              (std::vector<std::string>{"hci2ufor.mm3", "h12.mm3"}));
    EXPECT_EQ(BuildLine(record, HostLine::OfferToDefender, r).caption, "Ann, the challenge is to you for 12.");
    // The category clock ran out: the caption says so, the voice still takes it.
    record.Category = 4;
    r.categoryTimedOut = true;
    const SpokenLine taken = BuildLine(record, HostLine::CategoryTaken, r);
    EXPECT_EQ(taken.caption, "The category is Sports.");
    EXPECT_EQ(files(taken), (std::vector<std::string>{"m2illtak.mm3", "m2sports.mm3"}));
    // No second full stop after an answer that has one; none made up for an
    // answer outside the list.
    record.AnswerTexts = {"St. Louis.", "Rome"};
    record.AnswerIds[0] = 0;
    record.AnswerIds[1] = 57;
    r.answerSlot = 1;
    r.phrase = AnswerPhrase::Pick;
    EXPECT_EQ(BuildLine(record, HostLine::AnswerGiven, r).caption, "I'll pick A. St. Louis.");
    r.answerSlot = 2;
    EXPECT_EQ(BuildLine(record, HostLine::AnswerGiven, r).caption, "I'll pick B. ");
    // A contestant outside the show makes no line.
    r.contestant = 3;
    EXPECT_FALSE(BuildLine(record, HostLine::Challenge, r).valid);
    r.contestant = -1;
    EXPECT_FALSE(BuildLine(record, HostLine::DefenderAnnounced, r).valid);
    EXPECT_TRUE(BuildLine(record, HostLine::Wrong, r).valid) << "the host's own words need no one";
  });
}

TEST_F(Lines, FacesMoveWithTheirLines) {
  play([&](Driver&) {
    QuietShow();
    const GameRecord& record = *TvzMain;
    TvzMain->Category = 3;
    LineRequest r;
    r.contestant = 1;
    r.value = 27;
    r.answerSlot = 4;
    r.phrase = AnswerPhrase::Select;
    using S = std::vector<FaceSegment>;
    auto only = [](const SpokenLine& l) {
      EXPECT_EQ(l.faces.size(), 1u);
      return l.faces.empty() ? FaceCue{-1, {}} : l.faces[0];
    };
    EXPECT_EQ(only(BuildLine(record, HostLine::CategoryTaken, r)).segments,
              (S{FaceSegment::IllTake, FaceSegment::Music, FaceSegment::Closing}));
    EXPECT_EQ(only(BuildLine(record, HostLine::Challenge, r)).segments,
              (S{FaceSegment::IllChallengeFor, FaceSegment::Number27, FaceSegment::Closing}));
    EXPECT_EQ(only(BuildLine(record, HostLine::AnswerGiven, r)).segments,
              (S{FaceSegment::IllSelect, FaceSegment::LetterD, FaceSegment::Closing}));
    // One time in two a reaction; a right answer's needs its way back.
    const FaceCue right = only(BuildLine(record, HostLine::Right, r, scripted({0, 1})));
    EXPECT_EQ(right.segments, S{FaceSegment::Right2});
    EXPECT_TRUE(right.needsReturn);
    EXPECT_TRUE(BuildLine(record, HostLine::Right, r, scripted({1})).faces.empty());
    const FaceCue wrong = only(BuildLine(record, HostLine::Wrong, r, scripted({0, 0})));
    EXPECT_EQ(wrong.segments, S{FaceSegment::Wrong1});
    EXPECT_FALSE(wrong.needsReturn);
    EXPECT_EQ(only(BuildLine(record, HostLine::NoAnswerWrong, r, scripted({0, 1}))).segments, S{FaceSegment::Wrong2});
    EXPECT_EQ(only(BuildLine(record, HostLine::NewChampion, r, scripted({1}))).segments, S{FaceSegment::Right2});
    // The judging has drawn the face already: the line takes it as drawn,
    // no face included, and draws nothing of its own.
    LineRequest judged = r;
    judged.reactionDrawn = true;
    judged.reaction = FaceSegment::Right1;
    const FaceCue drawn = only(BuildLine(record, HostLine::Right, judged, scripted({1, 1})));
    EXPECT_EQ(drawn.segments, S{FaceSegment::Right1});
    EXPECT_TRUE(drawn.needsReturn);
    judged.reaction = std::nullopt;
    EXPECT_TRUE(BuildLine(record, HostLine::Wrong, judged, scripted({0, 0})).faces.empty());
    judged.reaction = FaceSegment::Wrong2;
    EXPECT_EQ(only(BuildLine(record, HostLine::NoAnswerWrong, judged)).segments, S{FaceSegment::Wrong2});

    // The review: the challenger looks the question over; one time in five the
    // defender glances towards the challenger, left or right.
    r.defender = 0;
    SpokenLine review = BuildLine(record, HostLine::Review, r, scripted({1, 3}));
    EXPECT_EQ(only(review).segments, S{FaceSegment::ReviewGlance2});
    review = BuildLine(record, HostLine::Review, r, scripted({0, 0, 1}));
    ASSERT_EQ(review.faces.size(), 2u);
    EXPECT_EQ(review.faces[1].contestant, 0);
    EXPECT_EQ(review.faces[1].segments, S{FaceSegment::GlanceHigher2}) << "challenger 1 sits right of defender 0";
    EXPECT_TRUE(review.faces[1].needsReturn);
    r.contestant = 0;
    r.defender = 2;
    review = BuildLine(record, HostLine::Review, r, scripted({0, 0, 0}));
    ASSERT_EQ(review.faces.size(), 2u);
    EXPECT_EQ(review.faces[1].segments, S{FaceSegment::GlanceLower1});
    // A value without a face word keeps the rest of the phrase.
    r.value = 11;
    EXPECT_EQ(only(BuildLine(record, HostLine::Challenge, r)).segments,
              (S{FaceSegment::IllChallengeFor, FaceSegment::Closing}));
  });
}

// Every clip any line can name, for every picture, voice, name, value, letter,
// category and round, is in the game directory as a playable sound.
TEST_F(Lines, EveryClipALineCanNameWasGenerated) {
  play([&](Driver&) {
    QuietShow();
    GameRecord& record = *TvzMain;
    record.AnswerTexts = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) record.AnswerIds[i] = i;
    std::set<std::string> clips;
    auto collect = [&](HostLine line, const LineRequest& r) {
      const SpokenLine l = BuildLine(record, line, r);
      ASSERT_TRUE(l.valid);
      for (const ClipPiece& piece : l.clips) clips.insert(piece.file);
      for (const MixIn& mix : l.mixes) clips.insert(mix.file);
    };
    for (int appearance = 0; appearance < 6; ++appearance) {
      for (int name = 0; name < 12; ++name) {
        for (const char* typed : {static_cast<const char*>(nullptr), "Kai"}) {
          dress(seat(0), appearance, name, typed);
          for (int line = 0; line < kHostLineCount; ++line) {
            for (int category = 1; category <= 5; ++category) {
              record.Category = category;
              for (int value : kCellValues) {
                for (int slot = 1; slot <= 4; ++slot) {
                  LineRequest r;
                  r.contestant = 0;
                  r.value = value;
                  r.answerSlot = slot;
                  r.phrase = static_cast<AnswerPhrase>(slot % 3);
                  r.round = 1 + slot % 3;
                  r.applauseVolume = 0.4f;
                  collect(static_cast<HostLine>(line), r);
                }
              }
            }
          }
        }
      }
    }
    EXPECT_GT(clips.size(), 250u);
    std::string pending;
    ErrorLog log(pending, {});
    for (const std::string& clip : clips) {
      SCOPED_TRACE(clip);
      SoundBuffer sound;
      ASSERT_TRUE(fs::exists(clip)) << "not in the game directory";
      EXPECT_TRUE(LoadSound(log, sound, clip));
      EXPECT_TRUE(IsCanonicalWav(sound.bytes.data(), sound.bytes.size()));
    }
    EXPECT_TRUE(clips.count("hnewyou.mm3"));
    EXPECT_TRUE(clips.count("hf24.mm3"));
    EXPECT_TRUE(clips.count("m330.mm3"));
  });
}

// --- Speaking -----------------------------------------------------------------

class Speaking : public ShowSession {
 protected:
  // Speaks a line inside a frame of the game, as the show does.
  static bool Speak(Driver& d, HostLine line, LineRequest request = {}) {
    return InFrame(d, [&] { return SpeakLine(line, request); });
  }
};


TEST_F(Speaking, TheSpeechPlaysThenTheCaptionAndTheFacesFollow) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    LineRequest r;
    r.contestant = 1;
    r.value = 8;
    ASSERT_TRUE(Speak(d, HostLine::Challenge, r));
    ASSERT_FALSE(TvzMain->PlayedClips.empty());
    EXPECT_EQ(TvzMain->PlayedClips.back(), (std::vector<std::string>{"s05.mm3", "m1illcha.mm3", "m108.mm3"}));
    EXPECT_EQ(Camera2->CCLbl->caption(), "I'll challenge for 8.");
    EXPECT_EQ(Camera2->AnimQueue[1][0], faceSegmentFrames(FaceSegment::IllChallengeFor, 1));
    EXPECT_EQ(Camera2->AnimQueue[1][1], faceSegmentFrames(FaceSegment::Number8, 1));
    EXPECT_EQ(Camera2->AnimQueue[1][2], faceSegmentFrames(FaceSegment::Closing, 1));
    for (int t = 0; t < 8; ++t) {
      Camera2->StepShow();
      d.ticks(1);
    }
    d.capture("board-challenge.png");

    // The speech is the clips joined: as long as they are together.
    SoundBuffer joined;
    std::string pending;
    ErrorLog log(pending, {});
    ASSERT_TRUE(LoadSound(log, joined, "s05.mm3"));
    ASSERT_TRUE(AppendSound(log, joined, "m1illcha.mm3"));
    ASSERT_TRUE(AppendSound(log, joined, "m108.mm3"));
    EXPECT_EQ(TvzMain->VoiceStream.bytes, joined.bytes);

    // A right answer with applause: the speech is turned down after the host.
    r.applauseVolume = 0.4f;
    Randomize(1);
    ASSERT_TRUE(Speak(d, HostLine::Right, r));
    ASSERT_TRUE(LoadSound(log, joined, "hcorrect.mm3"));
    ASSERT_TRUE(AppendSound(log, joined, "applause.mm3"));
    const auto& spoken = TvzMain->VoiceStream.bytes;
    ASSERT_EQ(spoken.size(), joined.bytes.size());
    const std::int64_t spm = ByteRate(joined.bytes) / 2000;
    for (std::int64_t ms : {1000, 1724, 3000, 5235, 5300}) {
      const std::int64_t i = ms * spm;
      if (i >= SampleCount(joined.bytes)) continue;
      const bool scaled = ms >= 1724 && ms <= 5235;
      const std::int16_t raw = SampleAt(joined.bytes, i);
      const auto turnedDown = static_cast<std::int16_t>(static_cast<std::int64_t>(raw * double{0.4f}));
      EXPECT_EQ(SampleAt(spoken, i), scaled ? turnedDown : raw)
          << ms << " ms";
    }
    EXPECT_EQ(Camera2->CCLbl->caption(), "That's correct!");
  });
}

TEST_F(Speaking, HostSceneLinesGoUnderTheHostAndEmptyTheBoardsCaption) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    Camera2->SetCaption("Sorry,");
    ASSERT_TRUE(createForm(&Camera1));
    ASSERT_TRUE(Camera1->LoadPictures());
    ASSERT_TRUE(Speak(d, HostLine::RightBack));
    EXPECT_EQ(Camera1->CCLbl->caption(), kRightBackCaption);
    EXPECT_EQ(Camera2->CCLbl->caption(), "");
    Camera1->Show();
    EXPECT_EQ(Camera1->SegmentQueue[0], host_stretches::kRightBack) << "chosen by the caption at showing";

    LineRequest back;
    back.round = 2;
    ASSERT_TRUE(Speak(d, HostLine::WelcomeBack, back));
    EXPECT_EQ(Camera1->CCLbl->caption(), "Welcome back.  On to round two.");
    EXPECT_EQ(TvzMain->PlayedClips.back(),
              (std::vector<std::string>{"hwelback.mm3", "s05.mm3", "honwithr.mm3", "h02.mm3"}));
    EXPECT_EQ(Camera1->SegmentQueue[0], host_stretches::kWelcomeBack);
    EXPECT_EQ(Camera1->SegmentQueue[1], host_stretches::kOnToRound);
    EXPECT_EQ(Camera1->SegmentQueue[2], host_stretches::kRoundTwo);
    d.settle();
    d.capture("host-welcome-back.png");

    // Taken up again from a saved game without the host scene: the words
    // still show, on the board.
    Camera1->Close();
    back.afterMidRoundBreak = true;
    back.round = 1;
    ASSERT_TRUE(Speak(d, HostLine::WelcomeBack, back));
    EXPECT_EQ(Camera2->CCLbl->caption(), "Welcome back.  On with round one.");
  });
}

TEST_F(Speaking, WithSoundOffEveryLineStillSetsItsCaption) {
  play([&](Driver& d) {
    QuietShow();
    TvzMain->SoundOn = 0;
    ASSERT_TRUE(OpenBoard(d));
    ASSERT_TRUE(Speak(d, HostLine::DefenderAnnounced, {.contestant = 2}));
    EXPECT_EQ(Camera2->CCLbl->caption(), std::string(kOneWordName) + " will defend.");
    EXPECT_EQ(TvzMain->PlayedClips.back(), std::vector<std::string>{"hwilldef.mm3"});
  });
}

TEST_F(Speaking, AContestantOutsideTheShowIsReportedNotSpoken) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    Camera2->SetCaption("before");
    EXPECT_FALSE(Speak(d, HostLine::Challenge, {.contestant = 5, .value = 3}));
    EXPECT_EQ(Camera2->CCLbl->caption(), "before");
    EXPECT_EQ(ErrorLogText(), "Err : Damaged contestant record\n      Contestant 6\nLocn: 815\n\n");
  });
}

class SpeakingWithoutAClip : public Speaking {
 protected:
  SpeakingWithoutAClip() { except_ = {"hwilldef.mm3", "m1illcha.mm3"}; }
};

TEST_F(SpeakingWithoutAClip, AMissingClipFailsTheLineWithItsReportAndNoCaption) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    Camera2->SetCaption("before");
    EXPECT_FALSE(Speak(d, HostLine::DefenderAnnounced, {.contestant = 1}));  // typed: the clip comes first
    EXPECT_EQ(Camera2->CCLbl->caption(), "before");
    EXPECT_TRUE(TvzMain->PlayedClips.empty()) << "nothing played";
    EXPECT_FALSE(Speak(d, HostLine::Challenge, {.contestant = 1, .value = 3}));
    for (const FrameRange& place : Camera2->AnimQueue[1]) EXPECT_TRUE(place.empty()) << "no faces either";
    EXPECT_EQ(ErrorLogText(), "Err : Error loading file\nLocn: 2105\n\nErr : Error loading file\nLocn: 2210\n\n");
  });
}

}  // namespace
}  // namespace tvz::testing
