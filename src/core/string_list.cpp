#include "core/string_list.h"

namespace tvz {

std::vector<std::string> SplitLines(const std::uint8_t* text, std::size_t size) {
  std::vector<std::string> lines;
  std::size_t i = 0;
  while (i < size && text[i] != 0) {
    const std::size_t start = i;
    while (i < size && text[i] != 0 && text[i] != '\r' && text[i] != '\n') ++i;
    lines.emplace_back(reinterpret_cast<const char*>(text + start), i - start);
    if (i < size && text[i] == '\r') ++i;
    if (i < size && text[i] == '\n') ++i;
  }
  return lines;
}

}  // namespace tvz
