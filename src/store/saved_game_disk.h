#pragma once
// Saved games on disk, in the data folder (InData): the listing of the
// slots, reading a whole file before anything uses it, and writing so that a
// failed save never costs the game that was in the slot.
#include <cstdint>
#include <string>
#include <vector>

#include "store/saved_game_file.h"

namespace tvz {

// One saved game of the directory: its name on disk and on screen. The
// functions below take the name on disk and find it in the data folder.
struct SavedGameEntry {
  std::string diskName;
  std::string shownName;
};

// Every entry of the directory (by default the data folder) ending in ".tzs"
// (directories too: they take a slot and are refused when loaded), in slot
// order.
std::vector<SavedGameEntry> ListSavedGames(const std::string& directory = "");

// What went wrong, as the screens report it: message and location; location
// 0 = nothing went wrong.
struct DiskReport {
  std::string message;
  std::int32_t location = 0;
  std::string reason;  // the cause, for the tests and the curious

  bool ok() const { return location == 0; }
};

// Whether anything of that name is there (a file, directory or link).
bool SaveNameTaken(const std::string& diskName);

// Reads the saved game: "Error opening file" (2640) when it cannot be opened
// or is no ordinary file, "Error reading from file" (2610, 2620) when it is
// short or a value fails its check. The image is filled only when all is well.
DiskReport ReadSavedGameFile(const std::string& diskName, const SavedGameLimits& limits,
                             SavedGameImage& image);

// Writes the game into a new file beside the old one, flushes it to disk and
// only then puts it in the old one's place. On any failure the temporary file
// goes and the old file stays as it was: "Unable to create file" (2500) when
// no file can be made for a new name, "Error opening file" (2530) when the
// existing one may not be replaced (a directory, a write-protected file, a
// directory that takes no new file), "Error writing to file" (2510 first
// block, 2520 the rest, flushing and the final replacement).
DiskReport WriteSavedGameFile(const std::string& diskName, const SavedGameImage& image);

}  // namespace tvz
