// Writing a file in one piece: the new bytes replace the old file only once
// they are on disk; a disk that fills up on the way leaves the old file.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_writer.h"
#include "harness/disk_full.h"
#include "test_media.h"

namespace tvz {
namespace {

using namespace tvz::testing;

std::vector<std::uint8_t> Bytes(std::size_t count, std::uint8_t value) {
  return std::vector<std::uint8_t>(count, value);
}

TEST(ReplaceFile, WritesANewFileAndReplacesAnOldOne) {
  ScratchDir dir;
  ASSERT_TRUE(ReplaceFile("list.mm3", Bytes(300, 1)));
  EXPECT_EQ(ReadFile("list.mm3"), Bytes(300, 1));
  ASSERT_TRUE(ReplaceFile("list.mm3", Bytes(10, 2)));
  EXPECT_EQ(ReadFile("list.mm3"), Bytes(10, 2)) << "a shorter list leaves nothing of the old one";
  ASSERT_TRUE(ReplaceFile("list.mm3", {}));
  EXPECT_TRUE(ReadFile("list.mm3").empty());
  EXPECT_FALSE(std::filesystem::exists("list.mm3.new"));
}

TEST(ReplaceFile, AFullDiskLeavesTheOldFileWhole) {
  ScratchDir dir;
  WriteFile("list.mm3", Bytes(300, 1));
  {
    DiskFullAfter full(100);
    EXPECT_FALSE(ReplaceFile("list.mm3", Bytes(400, 2)));
  }
  EXPECT_EQ(ReadFile("list.mm3"), Bytes(300, 1));
  EXPECT_FALSE(std::filesystem::exists("list.mm3.new")) << "no partial file is left behind";
}

TEST(ReplaceFile, ATemporaryNameThatCannotBeWrittenFailsCleanly) {
  ScratchDir dir;
  WriteFile("list.mm3", Bytes(30, 1));
  std::filesystem::create_directory("list.mm3.new");
  EXPECT_FALSE(ReplaceFile("list.mm3", Bytes(40, 2)));
  EXPECT_EQ(ReadFile("list.mm3"), Bytes(30, 1));
  EXPECT_FALSE(ReplaceFile("no-such-dir/list.mm3", Bytes(4, 2)));
}

}  // namespace
}  // namespace tvz
