#pragma once
// The names of saved games: the ".tzs" extension, the default name of a game
// saved into an empty slot, which typed names may become files, and the
// order of the slots. Names on screen are Windows-1252, as typed; on disk
// they are UTF-8.
#include <ctime>
#include <string>
#include <string_view>

namespace tvz {

inline constexpr std::string_view kSaveExtension = ".tzs";

// Whether the name ends with ".tzs", in any case ("GAME.TZS" too).
bool HasSaveExtension(std::string_view name);
// The name with ".tzs" added when it has none, so the game is listed again.
std::string WithSaveExtension(std::string name);

// A typed name may only name a file of the game's own directory: not empty,
// not "." or "..", no "/" or "\", no control characters. Anything else would
// write outside the directory or make a file the player cannot see.
bool IsSafeSaveName(std::string_view shownName);

// "<first name> dd-Mmm-yyyy.tzs", the month in English: "Alice 07-Dec-2026.tzs".
std::string DefaultSaveName(const std::string& firstName, const std::tm& date);
std::tm Today();

// Slot order: by name ignoring case, then byte for byte, so it never changes
// with the order the file system hands the names out.
bool SlotOrderBefore(const std::string& a, const std::string& b);

// Between the screen and the disk.
std::string DiskName(const std::string& shownName);
// Characters the screen cannot show become "?".
std::string ShownName(const std::string& diskName);

}  // namespace tvz
