#pragma once
// The opening soundtrack, built into the speech buffer before the line-up is
// shown: the theme (once and its first eleven seconds again) followed by the
// host's welcome, the theme sinking under the host's voice and fading out,
// the host's "This is Trivenza" and "Let's meet tonight's contestants" mixed
// over it, then each contestant's occupation, home town and name.
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

class TvzServices;

// A clip mixed into the soundtrack: where it starts and where it ends.
struct SoundCue {
  std::string clip;
  std::int32_t atMs;
  std::int32_t endMs;
};

// The contestants' clips: prefix + the number as two digits ("ho09.mm3").
std::string NumberedClip(const char* prefix, std::int64_t number);

// Builds the soundtrack into the services' VoiceStream. False when a clip
// could not be loaded (reported by the sound operation). The mixed clips,
// in order, go to cues when given.
bool AssembleOpeningSoundtrack(TvzServices& services, std::vector<SoundCue>* cues = nullptr);

}  // namespace tvz
