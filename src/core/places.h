#pragma once
// Where the game reads its media and keeps what it writes. Run from a
// writable game folder all three are that folder (the working directory, ""),
// as the game has always been; an installed copy reads its media from the
// installed folder and keeps the player's files in the user's own folders.
#include <string>

namespace tvz {

struct GamePlaces {
  std::string media;   // pictures, sounds, clips, help, the built-in question packs: only read
  std::string data;    // saved games, champions list, error.log, the player's packs, question history
  std::string config;  // settings
};

// The places in use; all "" (the working directory) until set at start-up.
const GamePlaces& Places();
void SetPlaces(GamePlaces places);

// A file's path in each place: the bare name when the place is "".
std::string InMedia(const std::string& name);
std::string InData(const std::string& name);
std::string InConfig(const std::string& name);
// The data folder itself, as a path to open ("." for the working directory).
std::string DataFolder();

}  // namespace tvz
