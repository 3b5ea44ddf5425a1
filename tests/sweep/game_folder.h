#pragma once
// The game folder a sweep run starts from: the build's media, and the files a
// player's folder holds after a first show (the champions list with its new
// champion, and whatever else the game keeps for the player), so that the
// show opens those too.
#include <optional>
#include <string>
#include <vector>

namespace tvz::testing {

// Puts the media files of the build's game folder into the folder, except
// those named, each as a file of the folder's own: a hard link where the
// file system allows one (far quicker to make than a symbolic link), a copy
// otherwise. Opens are reported only to the folder the file is opened in.
void PlaceGameMedia(const std::string& into, const std::vector<std::string>& except = {});

// Copies the player's files of a game folder after a show (every file there
// but the media, the error log and the tests' own) into keepIn.
void KeepPlayerFiles(const std::string& gameFolder, const std::string& keepIn);

// Copies the player's files kept in `kept` into the folder, except the one named.
void PutPlayerFiles(const std::string& kept, const std::string& into, const std::string& except = {});

// The bytes of a file of the starting folder, media or the player's kept in
// `kept`; nothing when there is no such file.
std::optional<std::string> WholeFile(const std::string& name, const std::string& kept);

}  // namespace tvz::testing
