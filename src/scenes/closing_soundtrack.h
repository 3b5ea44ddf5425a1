#pragma once
// The music under the winners and the credits: the theme twice and its first
// eleven seconds once more, fading out at the end.
namespace tvz {

class TvzServices;

// Builds it into the services' VoiceStream; false when the theme could not be
// loaded (reported by the sound operation).
bool AssembleClosingSoundtrack(TvzServices& services);

}  // namespace tvz
