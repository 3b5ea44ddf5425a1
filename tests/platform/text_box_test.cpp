// The one-line edit box and the read-only memo, driven through real key and
// mouse events.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/text_input.h"

namespace tvz {
namespace {

class NameScreen : public Form {
 public:
  Edit* NameMemo = add<Edit>(272, 432, 257, 22);
  Memo* HelpMemo = add<Memo>(104, 136, 593, 321);
  NameScreen() {
    fillScreen();
    setKeyPreview(true);
    NameMemo->setMaxLength(20);
    NameMemo->setAlignment(Alignment::Center);
    HelpMemo->setTabStop(false);
    HelpMemo->setFont({"Times New Roman", 24});
  }
  // Names take letters, blanks, hyphens and apostrophes only.
  void FormKeyPress(char& key) override {
    const auto c = static_cast<unsigned char>(key);
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0xC0;
    if (!letter && key != ' ' && key != '-' && key != '\'' && key != 8) key = 0;
  }
};

class TextBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.ok()) << h.error().reason;
    screen = createForm<NameScreen>();
    screen->Show();
  }
  testing::Harness h;
  NameScreen* screen = nullptr;
};

TEST_F(TextBoxTest, EditBoxTakesTheFocusFiltersCharactersAndStopsAtItsLimit) {
  Edit& box = *screen->NameMemo;
  EXPECT_TRUE(box.focused());  // the first tab stop
  h.run([&](testing::Driver& d) {
    d.type("Ren\xE9 O'Neil-3#");  // é is typed as UTF-8 and arrives as 0xE9
    EXPECT_EQ(box.text(), "Ren\xE9 O'Neil-");
    d.type("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(box.text().size(), 20u);
    EXPECT_EQ(box.text(), "Ren\xE9 O'Neil-abcdefgh");
  });
}

TEST_F(TextBoxTest, LettersWithAltOrCtrlHeldAreShortcutsNotTyping) {
  h.run([&](testing::Driver& d) {
    d.keyDown('N', {false, true, false});
    d.type("n");
    d.keyUp('N', {false, true, false});
    d.keyDown('C', {false, false, true});
    d.type("c");
    d.keyUp('C', {false, false, true});
    d.press('M');
  });
  EXPECT_EQ(screen->NameMemo->text(), "m");
}

TEST_F(TextBoxTest, EditingKeysMoveTheCaretAndDelete) {
  Edit& box = *screen->NameMemo;
  box.setText("Trivia");
  box.setSelStart(6);
  h.run([&](testing::Driver& d) {
    d.press(vk::Back);
    EXPECT_EQ(box.text(), "Trivi");
    d.press(vk::Home);
    d.press(vk::Delete);
    EXPECT_EQ(box.text(), "rivi");
    d.press(vk::Right);
    d.type("a");
    EXPECT_EQ(box.text(), "raivi");
    d.press(vk::End);
    d.type("s");
    EXPECT_EQ(box.text(), "raivis");
    box.selectAll();
    d.type("Max");
    EXPECT_EQ(box.text(), "Max");
  });
}

TEST_F(TextBoxTest, ControlKeyPressHandlerCanDropCharacters) {
  screen->NameMemo->onKeyPress = [](Control&, char& key) {
    if (key == 'q') key = 0;
  };
  h.run([&](testing::Driver& d) { d.type("quiz"); });
  EXPECT_EQ(screen->NameMemo->text(), "uiz");
}

TEST_F(TextBoxTest, MemoScrollsWithArrowsPagesAndWheel) {
  Memo& memo = *screen->HelpMemo;
  std::vector<std::string> lines;
  for (int i = 1; i <= 40; ++i) lines.push_back("Line " + std::to_string(i));
  memo.setLines(lines);
  const int page = memo.visibleLineCount();
  ASSERT_GT(page, 5);
  ASSERT_LT(page, 40);
  screen->SetFocus(&memo);
  h.run([&](testing::Driver& d) {
    for (int i = 0; i < page - 1; ++i) d.press(vk::Down);
    EXPECT_EQ(memo.topLine(), 0);  // the caret reached the last visible line
    d.press(vk::Down);
    EXPECT_EQ(memo.topLine(), 1);
    d.press(vk::Next);
    EXPECT_EQ(memo.topLine(), 1 + page);
    for (int i = 0; i < 10; ++i) d.press(vk::Next);
    EXPECT_EQ(memo.topLine(), 40 - page);  // never past the end
    EXPECT_EQ(memo.caretLine(), 39);
    d.wheel(2);
    EXPECT_EQ(memo.topLine(), 40 - page - 6);
    screen->NameMemo->setText("Contestant");
    d.capture("memo_scrolled.png");
    d.press(vk::Home, {false, false, true});
    EXPECT_EQ(memo.topLine(), 0);
    d.press(vk::Up);  // at the top already
    EXPECT_EQ(memo.topLine(), 0);
    d.type("x");  // read-only: typing changes nothing
    EXPECT_EQ(memo.lines().front(), "Line 1");
  });
}

TEST_F(TextBoxTest, MemoWrapsLongLinesWhenAsked) {
  Memo& memo = *screen->HelpMemo;
  memo.setText(std::string(40, 'w') + " " + std::string(40, 'w') + "\r\nshort");
  EXPECT_EQ(memo.lines().size(), 2u);
  EXPECT_GT(memo.displayLineCount(), 2);
  memo.setWordWrap(false);
  EXPECT_EQ(memo.displayLineCount(), 2);
}

TEST(TextInput, Utf8BecomesWindows1252AndForeignCharactersAreDropped) {
  EXPECT_EQ(utf8ToCp1252("caf\xC3\xA9"), "caf\xE9");
  EXPECT_EQ(utf8ToCp1252("\xE2\x82\xAC"), "\x80");         // the euro sign
  EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD" "b"), "ab");      // a CJK character
  EXPECT_EQ(utf8ToCp1252("x\xC3"), "x");                   // cut-off sequence
  EXPECT_EQ(utf8ToCp1252("\x80z"), "z");                   // stray continuation byte
}

}  // namespace
}  // namespace tvz
