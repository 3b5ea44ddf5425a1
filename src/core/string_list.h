#pragma once
// Splitting a loaded text into lines the way the desktop framework's string
// list does: CR LF, a lone CR or a lone LF ends a line, a zero byte ends the
// text, and a last line without an ending still counts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

std::vector<std::string> SplitLines(const std::uint8_t* text, std::size_t size);

}  // namespace tvz
