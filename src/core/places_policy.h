#pragma once
// Deciding at start-up where this run reads its media and keeps what it
// writes. A game folder that holds the program, its media and is writable,
// started from that folder (build/game, as ./scripts/play runs it), keeps
// everything there as the game always has. Anything else is an installed
// copy: the media is only read, from the folder found beside the program
// (its own folder, or ../share/trivenza for bin/trivenza), and the player's
// files go to $XDG_DATA_HOME/trivenza and $XDG_CONFIG_HOME/trivenza
// (~/.local/share/trivenza and ~/.config/trivenza by default).
#include <string>

#include "core/places.h"

namespace tvz {

// A file every game folder has: a folder without it holds no media.
inline constexpr const char* kMediaMarkerFile = "cam3bknd.mm1";
// The player's folders under the XDG base folders.
inline constexpr const char* kUserFolderName = "trivenza";
// The champions list: an installed copy's list is the first one a player gets.
inline constexpr const char* kChampionsFileName = "vantoc.mm3";
// The installed share folder, relative to the program's folder.
#ifndef TRIVENZA_MEDIA_FROM_PROGRAM
#define TRIVENZA_MEDIA_FROM_PROGRAM "../share/trivenza"
#endif

// What the choice is made from: the process's own facts, gathered by
// CurrentStartFacts() (the tests make up their own).
struct StartFacts {
  std::string executable;        // the program's absolute path, links resolved
  std::string workingDirectory;  // where it was started
  std::string home;              // $HOME, or the password database's home
  std::string xdgDataHome;       // $XDG_DATA_HOME as set ("" when unset)
  std::string xdgConfigHome;     // $XDG_CONFIG_HOME as set
};

StartFacts CurrentStartFacts();

struct PlacesChoice {
  // Portable: all "" (the game folder is the working directory). Installed:
  // the absolute media, data and settings folders.
  GamePlaces places;
  bool installed = false;
  // Why no choice could be made (an installed copy without a home folder);
  // empty when all is well.
  std::string problem;
};

// The folder with the media: the program's own folder when it has the
// media, else the installed share folder beside its bin folder, else the
// working directory (where the game has always looked; a missing file is then
// reported as usual).
std::string FindMediaFolder(const StartFacts& facts);

PlacesChoice ChoosePlaces(const StartFacts& facts);

// Makes the choice real: the places are set (SetPlaces); an installed copy gets its data and settings folders
// (created, private to the user, on the first start) and its champions list
// seeded from the installed one; the working directory becomes the media
// folder, so that every media file is found by its bare name. Returns what
// went wrong, for the player, or "" when the game can start.
std::string PreparePlaces(const PlacesChoice& choice);

}  // namespace tvz
