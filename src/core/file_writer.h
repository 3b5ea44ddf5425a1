#pragma once
// Writing a file of the game directory (the champions list, saved games) in
// one piece: the bytes go to "<name>.new" beside it, reach the disk and are
// closed, and only then does the new file take the old one's place. A full
// disk or any other failure on the way leaves the old file as it was.
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

// True when the file now holds exactly the bytes; false (the old file
// untouched, no "<name>.new" left behind) on any failure.
bool ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace tvz
