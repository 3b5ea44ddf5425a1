#pragma once
// What the command line offers people who write question packs: a pack
// checked exactly as the game reads it (its texts measured in the game's
// font), and the packs the game finds, where it finds them. Neither opens a
// window or writes a file.
#include <ostream>
#include <string>

namespace tvz {

// Prints every problem of the pack as "FILE:LINE: message" ("FILE: message"
// for one of the whole pack) and returns 1, or prints one line of what the
// pack holds and returns 0: the program's exit status.
int CheckPackCommand(const std::string& file, std::ostream& out);

// Prints one line per pack the game finds, in the order the game options
// step through them: its number of questions ("-" when it cannot be
// played), its title and its file, separated by tabs. The places must have
// been chosen (SetPlaces). Returns the exit status, 0.
int ListPacksCommand(std::ostream& out);

}  // namespace tvz
