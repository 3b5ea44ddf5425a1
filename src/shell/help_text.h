#pragma once
// The help text "he.mm3": Windows-1252 lines ended by CR LF, every byte
// scrambled with the help key. Apart from its screen so that any bytes can be
// tried on it.
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

inline constexpr const char* kHelpFile = "he.mm3";

// The lines of the file's bytes, as the help screen shows them before wrapping.
std::vector<std::string> DecodeHelpText(std::vector<std::uint8_t> bytes);

// Reads and decodes the file; false when it cannot be read as a whole.
bool ReadHelpText(const std::string& fileName, std::vector<std::string>& lines);

}  // namespace tvz
