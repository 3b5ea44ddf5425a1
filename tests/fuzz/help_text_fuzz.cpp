// Any bytes as the help text "he.mm3": read into lines and every line laid
// out in the help screen's text box, each display line no wider than the box
// unless it is a single character, and the layout always moving on.
//
// The input is the file's text before scrambling: the target scrambles it as
// the media generator writes the file, so the mutations work on lines and
// blanks while every possible file can still be reached (scrambling is one to
// one).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/scramble.h"
#include "platform/text.h"
#include "shell/help_text.h"

namespace {

// The help screen's text box: 593 pixels wide less its two-pixel insets, in
// the screen's Times New Roman of 24 pixels.
constexpr int kBoxTextWidth = 593 - 2 * 2;
const tvz::FontSpec kHelpFont{};

void expect(bool holds) {
  if (!holds) std::abort();
}

std::vector<std::uint8_t> FileOf(const std::uint8_t* text, std::size_t size) {
  std::vector<std::uint8_t> bytes(text, text + size);
  const tvz::ScrambleKey key = tvz::kHelpKey;
  tvz::Scramble(bytes.data(), bytes.size(), key.start, key.count, key.step);
  return bytes;
}

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Without the game's fonts every width is 0 and the layout says nothing.
  if (tvz::openFont(kHelpFont) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines = tvz::DecodeHelpText(FileOf(data, size));
  for (const std::string& line : lines) {
    expect(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    if (line.empty()) continue;
    const std::vector<std::string> shown = tvz::wrapText(kHelpFont, line, kBoxTextWidth);
    expect(!shown.empty() && shown.size() <= line.size());
    for (const std::string& piece : shown) {
      expect(!piece.empty());
      const std::string ink = WithoutTrailingBlanks(piece);
      expect(ink.size() <= 1 || tvz::textWidth(kHelpFont, ink) <= kBoxTextWidth);
    }
  }
  return 0;
}
