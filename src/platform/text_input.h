#pragma once
// Typed text arrives as UTF-8; the game's texts are Windows-1252.
#include <string>
#include <string_view>

namespace tvz {

// Converts UTF-8 to Windows-1252, dropping characters the code page lacks and
// malformed sequences.
std::string utf8ToCp1252(std::string_view utf8);

}  // namespace tvz
