#include "scenes/closing_soundtrack.h"

#include "core/services.h"

namespace tvz {

namespace {
constexpr const char* kTheme = "theme.mm3";
}

bool AssembleClosingSoundtrack(TvzServices& services) {
  SoundBuffer& music = services.VoiceStream;
  if (!services.LoadSound(music, kTheme) || !services.AppendSound(music, kTheme) ||
      !services.AppendSoundSpan(music, kTheme, 11000, 0))
    return false;
  services.ScaleVolume(music, 47000, 49000, 0.8f);
  services.ScaleVolume(music, 49000, 50000, 0.5f);
  services.ScaleVolume(music, 50000, 51000, 0.1f);
  return true;
}

}  // namespace tvz
