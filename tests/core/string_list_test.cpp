// Line splitting as the framework's string list does it.
#include <gtest/gtest.h>

#include <string>

#include "core/string_list.h"

namespace tvz {
namespace {

std::vector<std::string> Split(const std::string& text) {
  return SplitLines(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(SplitLines, EveryLineEnding) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(Split("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(Split("a\rb\nc"), (Lines{"a", "b", "c"}));  // lone CR, lone LF, no ending
  EXPECT_EQ(Split("a\n\r b"), (Lines{"a", "", " b"}));   // LF CR is two endings
  EXPECT_EQ(Split("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(Split("  padded  \r\n"), (Lines{"  padded  "}));
}

TEST(SplitLines, EmptyTextAndZeroByte) {
  EXPECT_TRUE(Split("").empty());
  EXPECT_EQ(Split("\r\n"), (std::vector<std::string>{""}));
  EXPECT_EQ(Split(std::string("one\r\ntw\0o\r\nthree", 17)), (std::vector<std::string>{"one", "tw"}));
}

}  // namespace
}  // namespace tvz
