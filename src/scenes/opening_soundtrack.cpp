#include "scenes/opening_soundtrack.h"

#include <cstdio>

#include "core/contestant_names.h"
#include "core/services.h"

namespace tvz {

namespace {

constexpr const char* kTheme = "theme.mm3";
constexpr std::int32_t kThemeReprise = 11000;  // the theme's first 11 s play again
// The host's welcome, heard after the theme while the host is on screen.
constexpr const char* kWelcome[] = {"hwelcome.mm3", "s05.mm3", "himyour.mm3", "s05.mm3",
                                    "hname.mm3",    "s05.mm3", "hlbegin.mm3"};
// Clips speak over the music at half volume.
constexpr float kVoiceGain = 0.5f;
constexpr std::int32_t kIntroductionsStart = 10500;
constexpr std::int32_t kBeforeOccupation = 2000;
constexpr std::int32_t kUnspokenName = 1600;  // a typed name has no clips
constexpr std::int32_t kBeforeFirstName = 500;
constexpr std::int32_t kBeforeLastName = 300;
// First names of odd appearances are clips 13 to 24, of even ones 1 to 12.
constexpr std::int64_t kOddFirstNameClips = 13;

// Mixes clips into the buffer at a time and notes where they went. Each call
// gives the end of the clip, 0 when it could not be mixed.
class Mixer {
 public:
  Mixer(TvzServices& services, std::vector<SoundCue>* cues) : services_(services), cues_(cues) {}

  std::int32_t operator()(const std::string& clip, std::int32_t atMs) {
    const std::int32_t end = services_.MixSound(services_.VoiceStream, clip, kVoiceGain, atMs);
    if (end != 0 && cues_) cues_->push_back({clip, atMs, end});
    return end;
  }

 private:
  TvzServices& services_;
  std::vector<SoundCue>* cues_;
};

bool BuildMusicBed(TvzServices& services) {
  SoundBuffer& voice = services.VoiceStream;
  if (!services.LoadSound(voice, kTheme)) return false;
  if (!services.AppendSoundSpan(voice, kTheme, kThemeReprise, 0)) return false;
  for (const char* clip : kWelcome)
    if (!services.AppendSound(voice, clip)) return false;
  // The theme sinks to half under the host's voice and fades out; the
  // factors multiply where the ranges overlap.
  services.ScaleVolume(voice, 4000, 31000, 0.5f);
  services.ScaleVolume(voice, 29000, 30000, 0.4f);
  services.ScaleVolume(voice, 30000, 31000, 0.2f);
  return true;
}

// Occupation, home town and (unless typed) the name of one contestant; t is
// where the previous contestant's introduction ended. 0 on failure.
std::int32_t Introduce(Mixer& mix, const ContestantRecord& who, std::int32_t t) {
  const std::int32_t occupationEnd =
      mix(NumberedClip("ho", std::int64_t{who.OccupationIdx} + 1), t + kBeforeOccupation);
  if (occupationEnd == 0) return 0;
  t = mix(NumberedClip("hr", std::int64_t{who.ResidenceIdx} + 1), occupationEnd);
  if (t == 0) return 0;
  if (!CustomName(who).empty()) return t + kUnspokenName;
  const std::int64_t firstBase = who.Appearance % 2 != 0 ? kOddFirstNameClips : 1;
  const std::int32_t firstEnd =
      mix(NumberedClip("hf", std::int64_t{who.FirstNameIdx} + firstBase), t + kBeforeFirstName);
  if (firstEnd == 0) return 0;
  return mix(NumberedClip("hl", std::int64_t{who.LastNameIdx} + 1), firstEnd + kBeforeLastName);
}

}  // namespace

std::string NumberedClip(const char* prefix, std::int64_t number) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%02lld", static_cast<long long>(number));
  return std::string(prefix) + digits + ".mm3";
}

bool AssembleOpeningSoundtrack(TvzServices& services, std::vector<SoundCue>* cues) {
  if (!BuildMusicBed(services)) return false;
  Mixer mix(services, cues);
  if (mix("hthisis.mm3", 4500) == 0 || mix("hletsmee.mm3", 8500) == 0) return false;
  std::int32_t t = kIntroductionsStart;
  for (const ContestantRecord& who : services.Contestants) {
    t = Introduce(mix, who, t);
    if (t == 0) return false;
  }
  return true;
}

}  // namespace tvz
