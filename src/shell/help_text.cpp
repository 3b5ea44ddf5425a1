#include "shell/help_text.h"

#include "core/media.h"
#include "core/scramble.h"
#include "core/string_list.h"

namespace tvz {

std::vector<std::string> DecodeHelpText(std::vector<std::uint8_t> bytes) {
  Unscramble(bytes.data(), bytes.size(), kHelpKey.start, kHelpKey.count, kHelpKey.step);
  return SplitLines(bytes.data(), bytes.size());
}

bool ReadHelpText(const std::string& fileName, std::vector<std::string>& lines) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(fileName, bytes)) return false;
  lines = DecodeHelpText(std::move(bytes));
  return true;
}

}  // namespace tvz
