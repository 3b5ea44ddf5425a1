// Word wrapping as a word-wrapping label lays its caption out: lines break at
// blanks, every line end starts a new line, a word wider than the label is cut
// between characters, and blanks at the end of a line take no room.
#include "platform/text.h"

namespace tvz {
namespace {

bool isBlank(char c) { return c == ' '; }

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  return pos;
}

std::size_t wordEnd(std::string_view text, std::size_t pos) {
  while (pos < text.size() && !isBlank(text[pos])) ++pos;
  return pos;
}

class ParagraphWrapper {
 public:
  ParagraphWrapper(const FontSpec& spec, int width, std::vector<std::string>& lines)
      : spec_(spec), width_(width), lines_(lines) {}

  void wrap(std::string_view paragraph) {
    if (paragraph.empty()) {
      lines_.emplace_back();
      return;
    }
    std::size_t start = 0;
    while (start < paragraph.size()) {
      std::size_t end = wholeWordsEnd(paragraph, start);
      if (end == start) end = fittingPrefixEnd(paragraph, start);
      lines_.emplace_back(paragraph.substr(start, end - start));
      // The blanks a line breaks at belong to neither line.
      start = skipBlanks(paragraph, end);
    }
  }

 private:
  bool fits(std::string_view text) const { return textWidth(spec_, text) <= width_; }

  // End of the longest run of whole words from start that fits; start itself
  // when not even the first word fits. Blanks after the last word stay on the
  // line when nothing follows them, since they take no room.
  std::size_t wholeWordsEnd(std::string_view paragraph, std::size_t start) const {
    std::size_t end = start;
    for (;;) {
      const std::size_t nextWord = skipBlanks(paragraph, end);
      if (nextWord == paragraph.size()) return paragraph.size();
      const std::size_t nextEnd = wordEnd(paragraph, nextWord);
      if (!fits(paragraph.substr(start, nextEnd - start))) return end;
      end = nextEnd;
    }
  }

  // A word wider than the line: as many of its characters as fit, at least one
  // so that the layout always moves on.
  std::size_t fittingPrefixEnd(std::string_view paragraph, std::size_t start) const {
    std::size_t low = start + 1;  // always taken
    std::size_t high = wordEnd(paragraph, skipBlanks(paragraph, start));
    while (low < high) {
      const std::size_t mid = (low + high + 1) / 2;
      if (fits(paragraph.substr(start, mid - start))) {
        low = mid;
      } else {
        high = mid - 1;
      }
    }
    return low;
  }

  const FontSpec& spec_;
  int width_;
  std::vector<std::string>& lines_;
};

}  // namespace

std::vector<std::string> wrapText(const FontSpec& spec, std::string_view text, int width) {
  text = text.substr(0, text.find('\0'));  // a zero byte ends the text
  std::vector<std::string> lines;
  ParagraphWrapper wrapper(spec, width, lines);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lineEnd = text.find_first_of("\r\n", start);
    if (lineEnd == std::string_view::npos) {
      wrapper.wrap(text.substr(start));
      break;
    }
    wrapper.wrap(text.substr(start, lineEnd - start));
    start = lineEnd + 1;
    if (text[lineEnd] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace tvz
