#pragma once
// Fonts and text layout. The game's texts are 8-bit Windows-1252 strings.
// "Times New Roman" resolves to Liberation Serif, "Courier" and "Courier New"
// to Liberation Mono, "Arial" to Liberation Sans, through fontconfig.
// A font height is the em height in pixels (as a negative font height of the
// desktop framework), so Times New Roman 24 is Liberation Serif at 24 px.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"

typedef struct _TTF_Font TTF_Font;

namespace tvz {

struct FontSpec {
  std::string family = "Times New Roman";
  int height = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color = rgb(192, 192, 192);
  bool operator==(const FontSpec&) const = default;
};

// Opens (once) the TrueType font for a spec. Returns nullptr and fills error
// when no font file can be found or SDL_ttf fails; callers report it clearly.
TTF_Font* openFont(const FontSpec& spec, std::string* error = nullptr);
// Path of the font file fontconfig resolves the font's family and style to.
std::string fontFilePath(const FontSpec& spec);

std::string cp1252ToUtf8(std::string_view text);
// The reverse, for texts typed or written in UTF-8 (keyboard input, question
// sources). False, with the offending character's offset in *badOffset, when
// the text is not valid UTF-8 or holds a character Windows-1252 cannot store.
bool utf8ToCp1252(std::string_view utf8, std::string* out, std::size_t* badOffset = nullptr);

int textWidth(const FontSpec& spec, std::string_view text);
int lineHeight(const FontSpec& spec);  // distance between wrapped lines

// Breaks text into lines no wider than width, as a word-wrapping label does:
// at blanks, at line ends (CR LF, CR or LF); a word longer than the line is
// broken between characters.
std::vector<std::string> wrapText(const FontSpec& spec, std::string_view text, int width);

}  // namespace tvz
