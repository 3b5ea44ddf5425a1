// The error log: each entry byte for byte, entries appended in order, and the
// log's own failures (cannot create, cannot open, cannot seek, short write).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/directdraw_errors.h"
#include "core/error_log.h"
#include "core/places.h"
#include "test_media.h"

namespace tvz {
namespace {

using testing::ReadText;
using testing::ScratchDir;

// The log with its hooks recorded instead of shown.
struct RecordingLog {
  std::string pending;
  std::vector<std::string> boxes;
  int closes = 0;
  ErrorLog log{pending, ErrorLog::Hooks{[this](const std::string& t) { boxes.push_back(t); },
                                        [this] { ++closes; }}};
};

TEST(ErrorLog, EntriesByteForByte) {
  ScratchDir dir;
  RecordingLog r;
  r.log.ReportFileError("File does not exist", "tvzd.tzd", 45);
  const std::string fileEntry = "Err : File does not exist\n      tvzd.tzd\nLocn: 45\n\n";
  EXPECT_EQ(ReadText("error.log"), fileEntry);
  EXPECT_EQ(r.pending, fileEntry);

  r.log.ReportError("Unable to play sound", 2010);
  const std::string plainEntry = "Err : Unable to play sound\nLocn: 2010\n\n";
  EXPECT_EQ(ReadText("error.log"), fileEntry + plainEntry);  // both, in order
  EXPECT_EQ(r.pending, plainEntry);                          // the box shows the last

  const std::string description =
      r.log.ReportDirectXError("DirectDraw Error", static_cast<std::int32_t>(0x88760078u), 20);
  EXPECT_EQ(description, "Requested mode is not supported.");
  const std::string directX =
      "DirectDraw Error\nCode: -2005532552\nLocn: 20\n\nRequested mode is not supported.";
  EXPECT_EQ(ReadText("error.log"), fileEntry + plainEntry + directX);
  EXPECT_TRUE(r.boxes.empty());
  EXPECT_EQ(r.closes, 0);
}

TEST(ErrorLog, OldLogIsDeletedAtStart) {
  ScratchDir dir;
  testing::WriteFile("error.log", {'o', 'l', 'd'});
  ErrorLog::DeleteOldLog();
  EXPECT_FALSE(std::filesystem::exists("error.log"));
  ErrorLog::DeleteOldLog();  // none there: nothing happens
}

// An installed game logs in the player's data folder, and deletes the last
// run's log there, never a file of the folder it was started from.
TEST(ErrorLog, TheLogIsKeptInTheDataFolder) {
  ScratchDir dir;
  std::filesystem::create_directory("data");
  testing::WriteFile("error.log", {'n', 'o', 't', ' ', 'm', 'i', 'n', 'e'});
  testing::WriteFile("data/error.log", {'o', 'l', 'd'});
  SetPlaces({"", dir.path() + "/data", ""});
  ErrorLog::DeleteOldLog();
  const bool oldDeleted = !std::filesystem::exists("data/error.log");
  RecordingLog r;
  r.log.ReportError("Unable to play sound", 2010);
  SetPlaces({});
  EXPECT_TRUE(oldDeleted);
  EXPECT_EQ(ReadText("data/error.log"), "Err : Unable to play sound\nLocn: 2010\n\n");
  EXPECT_EQ(ReadText("error.log"), "not mine");
}

TEST(ErrorLog, CannotCreateShowsTheEntryAndCloses) {
  ScratchDir dir;
  // A working directory that has been removed: nothing can be created in it,
  // whatever the user's rights.
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  std::filesystem::remove(std::filesystem::path(dir.path()) / "gone");
  RecordingLog r;
  r.log.ReportError("Error loading file", 50);
  std::filesystem::current_path(dir.path());
  const std::string entry = "Err : Error loading file\nLocn: 50\n\n";
  EXPECT_EQ(r.boxes, std::vector<std::string>{entry + "\nUnable to create file"});
  EXPECT_EQ(r.closes, 1);
  EXPECT_EQ(r.pending, entry);  // shown once more at program end, without the suffix
}

TEST(ErrorLog, CannotOpenOnlyReportErrorTells) {
  ScratchDir dir;
  std::filesystem::create_directory("error.log");  // exists, but cannot be written
  RecordingLog r;
  r.log.ReportFileError("Error loading file", "a.mm1", 115);
  r.log.ReportDirectXError("DirectDraw Error", 5, 10);
  EXPECT_TRUE(r.boxes.empty());
  r.log.ReportError("Unable to play sound", 2010);
  EXPECT_EQ(r.boxes, std::vector<std::string>{"Error opening file"});
  EXPECT_EQ(r.closes, 0);
  EXPECT_EQ(r.pending, "Err : Unable to play sound\nLocn: 2010\n\n");
}

TEST(ErrorLog, ShortWriteShowsTheEntryAndCloses) {
  ScratchDir dir;
  std::filesystem::create_symlink("/dev/full", "error.log");
  RecordingLog r;
  r.log.ReportFileError("File does not exist", "x", 120);
  ASSERT_EQ(r.boxes.size(), 1u);
  EXPECT_EQ(r.boxes[0], "Err : File does not exist\n      x\nLocn: 120\n\n\nError writing to file");
  EXPECT_EQ(r.closes, 1);
}

TEST(ErrorLog, UnseekableLogShowsSeekError) {
  ScratchDir dir;
  ASSERT_EQ(::mkfifo("error.log", 0644), 0);
  const int reader = ::open("error.log", O_RDONLY | O_NONBLOCK);  // lets the writer open
  ASSERT_GE(reader, 0);
  RecordingLog r;
  r.log.ReportError("Error loading file", 2105);
  ::close(reader);
  EXPECT_EQ(r.boxes, std::vector<std::string>{"Err : Error loading file\nLocn: 2105\n\n\nSeek error"});
  EXPECT_EQ(r.closes, 1);
}

TEST(DirectDrawErrors, TableOfResultCodes) {
  const DirectDrawError* table = DirectDrawErrors();
  std::set<std::uint32_t> codes;
  std::set<std::string> descriptions;
  for (int i = 0; i < kDirectDrawErrorCount; ++i) {
    const std::uint32_t c = table[i].code;
    EXPECT_TRUE(c == 0 || (c >= 0x88760000u && c <= 0x887602BBu) || (c >> 28) == 0x8) << table[i].name;
    codes.insert(c);
    descriptions.insert(table[i].description);
  }
  EXPECT_EQ(codes.size(), 107u);
  EXPECT_EQ(descriptions.size(), 107u);
  EXPECT_EQ(DirectDrawErrorDescription(0), "No error has occured (DD_OK).");
  EXPECT_EQ(DirectDrawErrorDescription(static_cast<std::int32_t>(0x8876024Eu)),
            "Display is currently in an unsupported mode.");
  EXPECT_EQ(DirectDrawErrorDescription(static_cast<std::int32_t>(0x80004005u)),
            "There is an undefined error condition.");
  EXPECT_EQ(DirectDrawErrorDescription(static_cast<std::int32_t>(0x887601AEu)),
            "Access to surface is refused; it is locked by another thred.");
  // A few of the paired rows, by the condition their text states.
  EXPECT_EQ(DirectDrawErrorDescription(static_cast<std::int32_t>(0x887601C2u)),
            "Access refused because the surface memory is lost.");
  EXPECT_EQ(DirectDrawErrorDescription(static_cast<std::int32_t>(0x8876017Cu)),
            "Insufficient display memory to perform the operation.");
  EXPECT_EQ(DirectDrawErrorDescription(static_cast<std::int32_t>(0x800401F0u)),
            "The method was called before the object was initialized.");
  EXPECT_EQ(DirectDrawErrorDescription(12345), "An unknown error has been encountered.");
}

TEST(ErrorLog, UnknownDisplayCodeEndsWithTheUnknownDescription) {
  ScratchDir dir;
  RecordingLog r;
  r.log.ReportDirectXError("DirectDraw Error", -1, 15);
  EXPECT_EQ(ReadText("error.log"),
            "DirectDraw Error\nCode: -1\nLocn: 15\n\nAn unknown error has been encountered.");
}

}  // namespace
}  // namespace tvz
