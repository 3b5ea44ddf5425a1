// Fonts and label layout with the real fonts the game draws with.
#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"

namespace tvz {
namespace {

FontSpec timesNewRoman24() { return FontSpec{}; }

std::string joined(const std::vector<std::string>& lines, const char* separator) {
  std::string all;
  for (std::size_t i = 0; i < lines.size(); ++i) all += (i ? separator : "") + lines[i];
  return all;
}

TEST(Fonts, DesktopFamiliesResolveToLiberationFaces) {
  FontSpec spec;
  EXPECT_NE(fontFilePath(spec).find("LiberationSerif-Regular"), std::string::npos);
  spec.bold = true;
  spec.italic = true;
  EXPECT_NE(fontFilePath(spec).find("LiberationSerif-BoldItalic"), std::string::npos);
  spec = FontSpec{};
  spec.family = "Courier";
  EXPECT_NE(fontFilePath(spec).find("LiberationMono-Regular"), std::string::npos);
  spec.family = "Courier New";
  EXPECT_NE(fontFilePath(spec).find("LiberationMono-Regular"), std::string::npos);
  spec.family = "Arial";
  spec.bold = true;
  EXPECT_NE(fontFilePath(spec).find("LiberationSans-Bold"), std::string::npos);
}

TEST(Fonts, OpensEachFontOnceAndHeightIsTheEmInPixels) {
  std::string error;
  TTF_Font* first = openFont(timesNewRoman24(), &error);
  ASSERT_NE(first, nullptr) << error;
  EXPECT_EQ(openFont(timesNewRoman24()), first);
  FontSpec coloured = timesNewRoman24();
  coloured.color = rgb(255, 0, 0);
  EXPECT_EQ(openFont(coloured), first) << "colour is not a property of the font";
  FontSpec bigger = timesNewRoman24();
  bigger.height = 48;
  EXPECT_NE(openFont(bigger), first);
  // Four wrapped lines of the 24-pixel font fill the 108-pixel question label;
  // twice the em is twice the line (ascent 0.891 em plus descent 0.216 em).
  EXPECT_EQ(lineHeight(timesNewRoman24()), 27);
  EXPECT_NEAR(lineHeight(bigger), 53, 1);
  EXPECT_GT(textWidth(bigger, "Television"), textWidth(timesNewRoman24(), "Television") * 19 / 10);
}

TEST(TextWidth, GrowsWithTheTextAndStopsAtAZeroByte) {
  const FontSpec font = timesNewRoman24();
  EXPECT_EQ(textWidth(font, ""), 0);
  const int one = textWidth(font, "Which");
  const int two = textWidth(font, "Which composer");
  EXPECT_GT(one, 0);
  EXPECT_GT(two, one);
  EXPECT_EQ(textWidth(font, std::string("Which\0composer", 14)), one);
  EXPECT_GT(textWidth(font, "\x80\x80\x80"), 0) << "the euro sign is drawn";
}

TEST(WrapText, BreaksAtBlanksAndEveryLineFits) {
  const FontSpec font = timesNewRoman24();
  const std::string question =
      "Which composer wrote an opera about a prince, a magic flute and a bird catcher, "
      "first staged in Vienna a few weeks before the composer died?";
  const auto lines = wrapText(font, question, 601);
  ASSERT_GE(lines.size(), 2u);
  for (const auto& line : lines) {
    EXPECT_LE(textWidth(font, line), 601) << line;
    EXPECT_FALSE(line.empty());
    EXPECT_NE(line.front(), ' ') << "the blank of a break starts no line";
  }
  EXPECT_EQ(joined(lines, " "), question);
  // Each line is as full as it can be: the next word would not have fitted.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string nextWord = lines[i + 1].substr(0, lines[i + 1].find(' '));
    EXPECT_GT(textWidth(font, lines[i] + " " + nextWord), 601);
  }
}

TEST(WrapText, LineEndsAndBlankLines) {
  const FontSpec font = timesNewRoman24();
  EXPECT_TRUE(wrapText(font, "", 601).empty());
  EXPECT_EQ(wrapText(font, "one\r\ntwo\rthree\nfour", 601),
            (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(wrapText(font, "one\r\n\r\nthree\r\n", 601),
            (std::vector<std::string>{"one", "", "three"}));
  EXPECT_EQ(wrapText(font, "one\n\rtwo", 601), (std::vector<std::string>{"one", "", "two"}));
}

TEST(WrapText, TrailingBlanksTakeNoRoom) {
  const FontSpec font = timesNewRoman24();
  const std::string text = "Ludwig van Beethoven";
  const int exact = textWidth(font, text);
  const auto lines = wrapText(font, text + "     ", exact);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, text.size()), text);
  EXPECT_EQ(wrapText(font, text, exact - 1).size(), 2u);
}

TEST(WrapText, AWordWiderThanTheLineBreaksBetweenCharacters) {
  const FontSpec font = timesNewRoman24();
  const std::string word = "Supercalifragilisticexpialidocious";
  const auto lines = wrapText(font, "A " + word, 120);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front(), "A");
  std::string pieces;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_LE(textWidth(font, lines[i]), 120);
    pieces += lines[i];
  }
  EXPECT_EQ(pieces, word);
  // Not even one character fits: one per line, and the layout still ends.
  EXPECT_EQ(wrapText(font, "WWW", 1), (std::vector<std::string>{"W", "W", "W"}));
}

TEST(Cp1252, ConvertsEveryByteAndBack) {
  EXPECT_EQ(cp1252ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(cp1252ToUtf8("\x85"), "\xE2\x80\xA6");  // ellipsis
  EXPECT_EQ(cp1252ToUtf8("\x8C"), "\xC5\x92");      // OE ligature
  EXPECT_EQ(cp1252ToUtf8("\x92"), "\xE2\x80\x99");  // right single quote
  EXPECT_EQ(cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
  EXPECT_EQ(cp1252ToUtf8("\x81"), "\xC2\x81");      // unassigned: the C1 control
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string back;
  ASSERT_TRUE(utf8ToCp1252(cp1252ToUtf8(all), &back));
  EXPECT_EQ(back, all);
}

TEST(Cp1252, RejectsWhatTheCharacterSetCannotHold) {
  std::size_t offset = 0;
  std::string out;
  EXPECT_FALSE(utf8ToCp1252("Tokyo \xE6\x9D\xB1", &out, &offset));  // a CJK character
  EXPECT_EQ(offset, 6u);
  EXPECT_FALSE(utf8ToCp1252("ab\xC3", &out, &offset));  // cut-off sequence
  EXPECT_EQ(offset, 2u);
  EXPECT_FALSE(utf8ToCp1252("\xC0\xA9", &out, &offset));  // overlong
  EXPECT_FALSE(utf8ToCp1252("\xED\xA0\x80", &out, &offset));  // surrogate
  EXPECT_FALSE(utf8ToCp1252("\xE2\x82", &out, &offset));
  EXPECT_TRUE(utf8ToCp1252("\xE2\x80\x9C" "Quoted\xE2\x80\x9D", &out));
  EXPECT_EQ(out, "\x93Quoted\x94");
}

}  // namespace
}  // namespace tvz
