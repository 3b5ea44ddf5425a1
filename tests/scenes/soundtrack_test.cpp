// The opening and closing soundtracks on the real clips: which clips, in what
// order, where each is mixed in, and the music's volume along the way.
#include <cmath>

#include "core/sound.h"
#include "scene_session.h"
#include "scenes/closing_soundtrack.h"
#include "scenes/opening_soundtrack.h"

namespace tvz::testing {
namespace {

class Soundtrack : public SceneSession {
 protected:
  SoundBuffer Clip(const std::string& name) {
    SoundBuffer clip;
    EXPECT_TRUE(game().LoadSound(clip, name)) << name;
    return clip;
  }
  std::int64_t Samples(const std::string& name) { return SampleCount(Clip(name).bytes); }
  // Samples per millisecond of the game's clips (22 050 Hz: 22).
  double Spm() { return ByteRate(Clip("theme.mm3").bytes) / 2000; }
  std::int64_t At(std::int32_t ms) { return static_cast<std::int64_t>(ms * Spm()); }

  // Checks that each cue is where the opening puts it: after the one before,
  // with the gap the soundtrack leaves, and as long as its clip.
  void ExpectCue(const SoundCue& cue, const std::string& clip, std::int32_t at) {
    SCOPED_TRACE(clip);
    EXPECT_EQ(cue.clip, clip);
    EXPECT_EQ(cue.atMs, at);
    const double ms = Samples(clip) / Spm();
    EXPECT_NEAR(cue.endMs - cue.atMs, ms, 1.0);
  }
};

TEST_F(Soundtrack, OpeningMixesTheHostAndEveryContestantInTurn) {
  run([&](Driver&) {
    SeatLineUp();  // appearances 0, 3, 4; list names
    std::vector<SoundCue> cues;
    ASSERT_TRUE(AssembleOpeningSoundtrack(game(), &cues));
    ASSERT_EQ(cues.size(), 14u);
    ExpectCue(cues[0], "hthisis.mm3", 4500);
    ExpectCue(cues[1], "hletsmee.mm3", 8500);
    // Occupation 2 s after the previous introduction (10.5 s for the first),
    // home town right after it, first name 0.5 s later, last name 0.3 s later.
    ExpectCue(cues[2], "ho04.mm3", 12500);
    ExpectCue(cues[3], "hr09.mm3", cues[2].endMs);
    ExpectCue(cues[4], "hf02.mm3", cues[3].endMs + 500);  // even picture: list position + 1
    ExpectCue(cues[5], "hl03.mm3", cues[4].endMs + 300);
    ExpectCue(cues[6], "ho11.mm3", cues[5].endMs + 2000);
    ExpectCue(cues[7], "hr13.mm3", cues[6].endMs);
    ExpectCue(cues[8], "hf16.mm3", cues[7].endMs + 500);  // odd picture: list position + 13
    ExpectCue(cues[9], "hl08.mm3", cues[8].endMs + 300);
    ExpectCue(cues[10], "ho18.mm3", cues[9].endMs + 2000);
    ExpectCue(cues[11], "hr17.mm3", cues[10].endMs);
    ExpectCue(cues[12], "hf06.mm3", cues[11].endMs + 500);
    ExpectCue(cues[13], "hl13.mm3", cues[12].endMs + 300);

    // The buffer: the theme, its first 11 s again, then the host's welcome.
    const std::vector<std::string> welcome = {"hwelcome.mm3", "s05.mm3", "himyour.mm3", "s05.mm3",
                                              "hname.mm3",    "s05.mm3", "hlbegin.mm3"};
    std::vector<std::string> clips = {"theme.mm3", "theme.mm3"};
    clips.insert(clips.end(), welcome.begin(), welcome.end());
    for (const SoundCue& cue : cues) clips.push_back(cue.clip);
    EXPECT_EQ(game().VoiceStream.clips, clips);
    std::int64_t length = Samples("theme.mm3") + At(11000);
    for (const std::string& clip : welcome) length += Samples(clip);
    EXPECT_EQ(SampleCount(game().VoiceStream.bytes), length);
  });
}

TEST_F(Soundtrack, OpeningMusicSinksUnderTheHostAndFadesOut) {
  run([&](Driver&) {
    SeatLineUp();
    const SoundBuffer theme = Clip("theme.mm3");
    const std::int64_t themeSamples = SampleCount(theme.bytes);
    std::vector<SoundCue> cues;
    ASSERT_TRUE(AssembleOpeningSoundtrack(game(), &cues));
    // The last name is spoken before the music fades.
    ASSERT_LT(cues.back().endMs, 29000);
    const auto& out = game().VoiceStream.bytes;
    // Music at time t: the theme, then its beginning again.
    auto music = [&](std::int64_t i) { return SampleAt(theme.bytes, i < themeSamples ? i : i - themeSamples); };
    auto expectScaled = [&](std::int32_t ms, std::initializer_list<double> factors) {
      const std::int64_t i = At(ms);
      double v = music(i);
      for (double f : factors) v = std::trunc(static_cast<std::int16_t>(v) * static_cast<float>(f));
      EXPECT_EQ(SampleAt(out, i), static_cast<std::int16_t>(v)) << ms << " ms";
    };
    expectScaled(1000, {});
    expectScaled(3999, {});
    expectScaled(4200, {0.5});  // before "This is Trivenza" comes in at 4.5 s
    expectScaled(29500, {0.5, 0.4});
    expectScaled(30500, {0.5, 0.2});
    // The music's last moment, just before the host's welcome.
    expectScaled(30990, {0.5, 0.2});
  });
}

// A typed name is not spoken: 1.6 s pass before the next contestant.
TEST_F(Soundtrack, TypedNameLeavesAGapInsteadOfTheName) {
  run([&](Driver&) {
    SeatLineUp();
    std::snprintf(game().Contestants[1].CustomName, 24, "%s", "Rex Typed");
    std::vector<SoundCue> cues;
    ASSERT_TRUE(AssembleOpeningSoundtrack(game(), &cues));
    ASSERT_EQ(cues.size(), 12u);
    ExpectCue(cues[6], "ho11.mm3", cues[5].endMs + 2000);
    ExpectCue(cues[7], "hr13.mm3", cues[6].endMs);
    ExpectCue(cues[8], "ho18.mm3", cues[7].endMs + 1600 + 2000);
    for (const std::string& clip : game().VoiceStream.clips) {
      EXPECT_NE(clip, "hf16.mm3");
      EXPECT_NE(clip, "hl08.mm3");
    }
  });
}

TEST_F(Soundtrack, ClipNumbersHaveTwoDigits) {
  run([&](Driver&) {
    SeatLineUp();
    game().Contestants[0].OccupationIdx = 8;
    game().Contestants[2].OccupationIdx = 9;
    game().Contestants[1].FirstNameIdx = 0;  // appearance 3: odd
    std::vector<SoundCue> cues;
    ASSERT_TRUE(AssembleOpeningSoundtrack(game(), &cues));
    EXPECT_EQ(cues[2].clip, "ho09.mm3");
    EXPECT_EQ(cues[8].clip, "hf13.mm3");
    EXPECT_EQ(cues[10].clip, "ho10.mm3");
  });
}

TEST_F(Soundtrack, MissingClipEndsTheAssemblyWithTheLoadersReport) {
  linkMedia({"hl13.mm3"});
  run([&](Driver&) {
    SeatLineUp();
    EXPECT_FALSE(AssembleOpeningSoundtrack(game()));
    EXPECT_EQ(ErrorLog(), "Err : Error loading file\nLocn: 2310\n\n");
  });
}

TEST_F(Soundtrack, MissingThemeEndsBothSoundtracks) {
  linkMedia({"theme.mm3"});
  run([&](Driver&) {
    SeatLineUp();
    EXPECT_FALSE(AssembleOpeningSoundtrack(game()));
    EXPECT_FALSE(AssembleClosingSoundtrack(game()));
    EXPECT_EQ(ErrorLog(), "Err : Error loading file\nLocn: 2105\n\nErr : Error loading file\nLocn: 2105\n\n");
  });
}

TEST_F(Soundtrack, ClosingIsTheThemeTwiceAndElevenSecondsFadingOut) {
  run([&](Driver&) {
    const SoundBuffer theme = Clip("theme.mm3");
    const std::int64_t n = SampleCount(theme.bytes);
    ASSERT_TRUE(AssembleClosingSoundtrack(game()));
    const auto& out = game().VoiceStream.bytes;
    EXPECT_EQ(game().VoiceStream.clips, (std::vector<std::string>{"theme.mm3", "theme.mm3", "theme.mm3"}));
    ASSERT_EQ(SampleCount(out), 2 * n + At(11000));
    auto original = [&](std::int64_t i) { return SampleAt(theme.bytes, i % n); };
    const std::pair<std::int32_t, float> points[] = {
        {1000, 1.0f}, {46990, 1.0f}, {47000, 0.8f}, {48500, 0.8f}, {49500, 0.5f}, {50500, 0.1f}};
    for (const auto& [ms, factor] : points) {
      const std::int64_t i = At(ms);
      EXPECT_EQ(SampleAt(out, i), static_cast<std::int16_t>(std::trunc(original(i) * factor))) << ms;
    }
  });
}

}  // namespace
}  // namespace tvz::testing
