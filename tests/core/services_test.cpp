// The main window's services as a whole: creation in a working directory with
// and without the game's files, playing sounds, and the box at the end.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/services.h"
#include "test_media.h"

namespace tvz {
namespace {

using namespace tvz::testing;

struct RecordingServices : TvzServices {
  RecordingServices()
      : TvzServices(Hooks{[this] { ++closes; }, [this](const std::string& t) { boxes.push_back(t); }}) {}
  int closes = 0;
  std::vector<std::string> boxes;
};

TEST(Services, StartWithoutQuestionIndexLogsOneEntryAndStillLoadsTheClick) {
  ScratchDir dir;
  WriteFile("error.log", {'o', 'l', 'd'});  // from an earlier run
  WriteSound("click.mm3", Ramp(200));
  WriteScrambledText("tvzd.tza", {"never read"});
  RecordingServices main;
  EXPECT_FALSE(std::filesystem::exists("error.log"));
  EXPECT_FALSE(main.CreateServices());
  EXPECT_TRUE(main.MainWindowClosed());
  EXPECT_EQ(ReadText("error.log"), "Err : File does not exist\n      tvzd.tzd\nLocn: 45\n\n");
  EXPECT_TRUE(main.AnswerTexts.empty());  // the text files were not read
  EXPECT_EQ(main.ClickSound.bytes, MakeWav(Ramp(200), 22050));
  EXPECT_EQ(main.FirstNamesEven.size(), 12u);
  EXPECT_EQ(main.Residences.size(), 24u);
  EXPECT_TRUE(main.boxes.empty());
  main.DestroyServices();
  EXPECT_EQ(main.boxes, std::vector<std::string>{main.PendingErrorText});
  EXPECT_EQ(main.boxes[0], "Err : File does not exist\n      tvzd.tzd\nLocn: 45\n\n");
  EXPECT_TRUE(main.ClickSound.bytes.empty());
}

// The five lists in the program hold the texts of data/names.txt, in order.
TEST(Services, NameListsAreTheDescrambledTable) {
  std::ifstream source(std::string(TRIVENZA_TEST_DIR) + "/../data/names.txt");
  ASSERT_TRUE(source) << "data/names.txt";
  std::vector<std::string> texts;
  for (std::string line; std::getline(source, line);)
    if (!line.empty() && line[0] != '#' && line[0] != '[') texts.push_back(line);
  ASSERT_EQ(texts.size(), 96u);
  ScratchDir dir;
  RecordingServices main;
  main.CreateServices();
  std::vector<std::string> lists;
  for (const StringList* list : {&main.FirstNamesEven, &main.FirstNamesOdd, &main.LastNames,
                                 &main.Occupations, &main.Residences})
    lists.insert(lists.end(), list->begin(), list->end());
  EXPECT_EQ(lists, texts);
  EXPECT_EQ(main.FirstNamesEven.front(), "Alice");
}

TEST(Services, CompleteStartAndQuietEnd) {
  ScratchDir dir;
  WriteQuestionBank(400);
  WriteSound("click.mm3", Ramp(200));
  RecordingServices main;
  EXPECT_TRUE(main.CreateServices());
  EXPECT_EQ(main.closes, 0);
  EXPECT_FALSE(std::filesystem::exists("error.log"));
  EXPECT_EQ(main.QuestionTexts.size(), 400u);
  main.PlayMode = 5;
  main.DestroyServices();
  EXPECT_EQ(main.PlayMode, 0);
  EXPECT_TRUE(main.boxes.empty());  // nothing to show
}

TEST(Services, MissingClickIsReportedTwice) {
  ScratchDir dir;
  WriteQuestionBank(4);
  RecordingServices main;
  EXPECT_FALSE(main.CreateServices());
  EXPECT_EQ(ReadText("error.log"),
            "Err : Error loading file\nLocn: 2105\n\n"
            "Err : Error loading file\n      click.mm3\nLocn: 50\n\n");
}

TEST(Services, DisplayFailureIsADirectDrawError) {
  ScratchDir dir;
  RecordingServices main;
  main.ReportDisplayFailure(20, 0x88760078u);
  EXPECT_EQ(main.closes, 1);
  EXPECT_EQ(ReadText("error.log"),
            "DirectDraw Error\nCode: -2005532552\nLocn: 20\n\nRequested mode is not supported.");
}

TEST(Services, SpokenLinesRecordTheirClipsAndSoundOffStillSucceeds) {
  ScratchDir dir;
  WriteSound("hwelcome.mm3", Ramp(100));
  WriteSound("s05.mm3", Ramp(50));
  RecordingServices main;
  main.SoundOn = 0;
  ASSERT_TRUE(main.LoadSound(main.VoiceStream, "hwelcome.mm3"));
  ASSERT_TRUE(main.AppendSound(main.VoiceStream, "s05.mm3"));
  EXPECT_TRUE(main.PlayStream(main.VoiceStream));
  main.SoundOn = 1;  // the dummy audio driver of the tests plays silently
  EXPECT_TRUE(main.PlayStream(main.VoiceStream));
  const std::vector<std::string> line{"hwelcome.mm3", "s05.mm3"};
  EXPECT_EQ(main.PlayedClips, (std::deque<std::vector<std::string>>{line, line}));
  EXPECT_FALSE(std::filesystem::exists("error.log"));
}

// A show of three rounds speaks thousands of lines; the record tests read
// keeps the latest few hundred, not the whole run.
TEST(Services, ThePlayedClipsRecordKeepsOnlyTheLatestLines) {
  ScratchDir dir;
  RecordingServices main;
  main.SoundOn = 0;
  SoundBuffer line;
  for (int k = 0; k < 3000; ++k) {
    line.clips = {"line" + std::to_string(k) + ".mm3"};
    main.PlayStream(line);
  }
  ASSERT_EQ(main.PlayedClips.size(), TvzServices::kPlayedClipsKept);
  EXPECT_EQ(main.PlayedClips.back(), std::vector<std::string>{"line2999.mm3"});
  EXPECT_EQ(main.PlayedClips.front(),
            std::vector<std::string>{"line" + std::to_string(3000 - TvzServices::kPlayedClipsKept) + ".mm3"});
}

TEST(Services, TheTranscriptKeepsTheLatestCaptionsAndNoEmptyOnes) {
  ScratchDir dir;
  RecordingServices main;
  main.RecordCaption("");
  EXPECT_TRUE(main.ShownCaptions.empty()) << "an emptied caption says nothing";
  const int said = static_cast<int>(TvzServices::kShownCaptionsKept) + 10;
  for (int k = 0; k < said; ++k) main.RecordCaption("line " + std::to_string(k));
  ASSERT_EQ(main.ShownCaptions.size(), TvzServices::kShownCaptionsKept);
  EXPECT_EQ(main.ShownCaptions.front(), "line 10");
  EXPECT_EQ(main.ShownCaptions.back(), "line " + std::to_string(said - 1));
}

// Screens reach the services through Services while the services object lives.
TEST(Services, TheRunningServicesAreReachableWhileTheyLive) {
  ScratchDir dir;
  EXPECT_EQ(Services, nullptr);
  {
    RecordingServices main;
    EXPECT_EQ(Services, &main);
  }
  EXPECT_EQ(Services, nullptr);
}

TEST(Services, PictureAndTextServices) {
  ScratchDir dir;
  WriteScrambledPicture("cam3bknd.mm1", JpegBytes(TestPicture(800, 600)));
  RecordingServices main;
  ASSERT_TRUE(main.LoadPicture("cam3bknd.mm1", main.Backdrop));
  EXPECT_EQ(main.Backdrop.width(), 800);
  std::vector<std::uint8_t> help{1, 2, 3};
  main.Unscramble(help, 23, 0, 8);
  EXPECT_EQ(help, (std::vector<std::uint8_t>{24, 33, 42}));
  EXPECT_EQ(main.DescrambleText("A ~", 23, 8), "*`W");
}

}  // namespace
}  // namespace tvz
