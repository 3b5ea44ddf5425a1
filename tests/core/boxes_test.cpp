// The two message boxes on a real (offscreen) screen: the keys of the yes/no
// box act on release, C and D answer without a pressed look, the OK box's
// keys, and the text reads as a left-aligned paragraph under a centred title.
#include <gtest/gtest.h>

#include "core/popup_box.h"
#include "core/screens.h"
#include "harness/harness.h"
#include "platform/screen_probe.h"

namespace tvz {
namespace {

using testing::Driver;
using testing::Harness;

constexpr Color kText = rgb(255, 102, 0);  // the normal colour, orange

// The boxes open over a screen of the game; the first form is the main one,
// whose closing would end the program.
class Boxes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.ok()) << h.error().reason;
    createForm<Form>()->Show();
  }
  Harness h;
};

bool looksPressed(const Label* button) { return !button->transparent(); }

TEST_F(Boxes, YesNoKeysActOnReleaseAndCAndDOnlyThen) {
  ASSERT_NE(createForm(&PopupBox), nullptr);
  h.run([&](Driver& d) {
    struct KeyCase {
      int key;
      bool yes;
      bool pressedLook;
    };
    const KeyCase cases[] = {{vk::Return, true, true}, {'Y', true, true}, {'C', true, false},
                             {vk::Escape, false, true}, {'N', false, true}, {'D', false, false}};
    for (const KeyCase& c : cases) {
      SCOPED_TRACE(c.key);
      PopupBox->Show();
      Label* button = c.yes ? PopupBox->YesBtn : PopupBox->NoBtn;
      d.keyDown(c.key);
      EXPECT_EQ(looksPressed(button), c.pressedLook);
      EXPECT_TRUE(PopupBox->visible()) << "nothing happens before the key is let go";
      EXPECT_EQ(PopupBox->YesPressed + PopupBox->NoPressed, 0);
      d.keyUp(c.key);
      EXPECT_FALSE(PopupBox->visible());
      EXPECT_EQ(PopupBox->YesPressed, c.yes ? 1 : 0);
      EXPECT_EQ(PopupBox->NoPressed, c.yes ? 0 : 1);
      EXPECT_FALSE(looksPressed(button));
    }
    PopupBox->Show();
    d.press('X');
    EXPECT_TRUE(PopupBox->visible()) << "other keys do nothing";
    EXPECT_NE(PopupBox, nullptr) << "closing only hides the box";
  });
}

TEST_F(Boxes, AskRunsModallyAndAnswersWithTheButton) {
  ASSERT_NE(createForm(&PopupBox), nullptr);
  bool answer = true;
  Timer opener(10, [&](Timer& t) {
    t.setEnabled(false);
    answer = PopupBox->Ask("Quit", "Do you really wish to leave Trivenza?");
  });
  h.run([&](Driver& d) {
    d.ticks(1);
    ASSERT_TRUE(PopupBox->visible());
    EXPECT_EQ(d.app().modalForm(), PopupBox);
    EXPECT_EQ(PopupBox->TitleLbl->caption(), "Quit");
    d.press('N');
    EXPECT_EQ(d.app().modalForm(), nullptr);
  });
  EXPECT_FALSE(answer);
}

TEST_F(Boxes, TheOkBoxAnswersToEnterAndO) {
  ASSERT_NE(createForm(&PopupBox2), nullptr);
  h.run([&](Driver& d) {
    for (int key : {int(vk::Return), int('O')}) {
      PopupBox2->Show();
      d.keyDown(key);
      EXPECT_TRUE(looksPressed(PopupBox2->OkBtn));
      EXPECT_TRUE(PopupBox2->visible());
      d.keyUp(key);
      EXPECT_FALSE(PopupBox2->visible());
      EXPECT_EQ(PopupBox2->OkPressed, 1);
    }
  });
}

// The ink of each line of text inside a label, top to bottom. A descender
// that hangs below a blank row of its own is not a line.
std::vector<Rect> inkLines(const Bitmap& screen, const Rect& area) {
  std::vector<Rect> lines;
  bool inLine = false;
  for (int y = area.top; y < area.bottom; ++y) {
    const Rect row = testing::inkBounds(screen, kText, {area.left, y, area.right, y + 1});
    const bool ink = row.width() > 0;
    if (ink && !inLine) lines.push_back(row);
    if (ink) {
      Rect& line = lines.back();
      line.left = std::min(line.left, row.left);
      line.right = std::max(line.right, row.right);
      line.bottom = y + 1;
    }
    inLine = ink;
  }
  std::erase_if(lines, [](const Rect& line) { return line.height() < 4; });
  return lines;
}

Rect onScreen(const Control* control) {
  const Rect r = control->boundsRect();
  const Form& form = control->owner();
  return {form.left() + r.left, form.top() + r.top, form.left() + r.right, form.top() + r.bottom};
}

void expectParagraphUnderCentredTitle(const Bitmap& screen, const Label* title, const Label* text) {
  const Rect textArea = onScreen(text);
  const std::vector<Rect> lines = inkLines(screen, textArea);
  ASSERT_GE(lines.size(), 2u) << "the text wraps inside the box";
  for (const Rect& line : lines) {
    EXPECT_LE(line.left, textArea.left + 4) << "each line starts at the left edge";
    EXPECT_LE(line.right, textArea.right);
  }
  // The title's own line, above the text: centred in its label.
  const Rect titleArea = onScreen(title);
  const Rect titleInk = testing::inkBounds(screen, kText, {titleArea.left, titleArea.top, titleArea.right, textArea.top});
  ASSERT_GT(titleInk.width(), 0);
  const int leftGap = titleInk.left - titleArea.left, rightGap = titleArea.right - titleInk.right;
  EXPECT_NEAR(leftGap, rightGap, 3);
}

TEST_F(Boxes, TextIsALeftAlignedParagraphUnderACentredTitle) {
  ASSERT_NE(createForm(&PopupBox), nullptr);
  ASSERT_NE(createForm(&PopupBox2), nullptr);
  h.run([&](Driver& d) {
    PopupBox->TitleLbl->setCaption("Save Game");
    PopupBox->TextLbl->setCaption("File already exists, overwrite it anyway?");
    PopupBox->Show();
    d.ticks(1);
    expectParagraphUnderCentredTitle(d.capture(), PopupBox->TitleLbl, PopupBox->TextLbl);
    d.capture("yes-no-box.png");
    PopupBox->Hide();

    PopupBox2->TitleLbl->setCaption("Trivenza");
    PopupBox2->TextLbl->setCaption("The saved game could not be read; it is left as it was on the disk.");
    PopupBox2->Show();
    d.ticks(1);
    expectParagraphUnderCentredTitle(d.capture(), PopupBox2->TitleLbl, PopupBox2->TextLbl);
    d.capture("ok-box.png");
  });
}

}  // namespace
}  // namespace tvz
