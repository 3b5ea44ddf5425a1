#include "platform/text_input.h"

#include <cstdint>

namespace tvz {
namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has no character.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteFor(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] != 0 && kHighControls[i] == cp) return 0x80 + i;
  return -1;
}

}  // namespace

std::string utf8ToCp1252(std::string_view utf8) {
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, cp = lead & 0x07;
    } else {
      ++i;  // a stray continuation byte
      continue;
    }
    if (i + extra >= utf8.size()) break;  // a sequence cut off at the end
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<std::uint8_t>(utf8[i + k]);
      if ((b & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!valid) {
      ++i;
      continue;
    }
    i += extra + 1;
    const int byte = byteFor(cp);
    if (byte >= 0) out += static_cast<char>(byte);
  }
  return out;
}

}  // namespace tvz
