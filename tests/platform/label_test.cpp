// Labels as the player sees them: alignment, wrapping, clipping and the
// opaque (pressed) look, checked on captured screens.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/png.h"
#include "platform/screen_probe.h"

namespace tvz {
namespace {

using testing::inkBounds;

constexpr Color kInk = rgb(255, 255, 0);
constexpr Color kBack = rgb(0, 0, 64);

class LabelScreen : public Form {
 public:
  Label* Text = add<Label>(100, 100, 400, 120, "Quiz");
  LabelScreen() {
    fillScreen();
    setColor(kBack);
    setFont({"Times New Roman", 32, false, false, false, kInk});
    Text->setTransparent(true);
  }
};

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.ok()) << h.error().reason;
    screen = createForm<LabelScreen>();
    screen->Show();
  }
  Rect ink() { return inkBounds(h.app().captureCanvas(), kInk, testing::wholeScreen()); }

  testing::Harness h;
  LabelScreen* screen = nullptr;
};

TEST_F(LabelTest, HorizontalAlignmentPlacesTheTextAgainstTheChosenEdge) {
  const Label& label = *screen->Text;
  const Rect left = ink();
  ASSERT_GT(left.width(), 0);
  EXPECT_LT(left.left - label.left(), 6);

  screen->Text->setAlignment(Alignment::Right);
  const Rect right = ink();
  EXPECT_LT(label.left() + label.width() - right.right, 6);
  EXPECT_NEAR(right.width(), left.width(), 1);

  screen->Text->setAlignment(Alignment::Center);
  const Rect centre = ink();
  const int middle = (centre.left + centre.right) / 2;
  EXPECT_NEAR(middle, label.left() + label.width() / 2, 3);
}

TEST_F(LabelTest, VerticalAlignmentCentresAndBottomAligns) {
  const Rect top = ink();
  EXPECT_LT(top.top - 100, 16);
  screen->Text->setLayout(VerticalAlignment::Center);
  const Rect centre = ink();
  EXPECT_NEAR((centre.top + centre.bottom) / 2, 160, 8);
  screen->Text->setLayout(VerticalAlignment::Bottom);
  const Rect bottom = ink();
  EXPECT_LE(bottom.bottom, 220);
  EXPECT_GT(bottom.bottom, 205);
}

TEST_F(LabelTest, WordWrapBreaksIntoLinesAndClipsToTheRectangle) {
  screen->Text->setBounds(100, 100, 200, 90);
  screen->Text->setWordWrap(true);
  screen->Text->setCaption("Which river flows through the capital of the country of tulips and windmills?");
  ASSERT_GT(screen->Text->lines().size(), 3u);  // more lines than the label can hold
  const Rect r = ink();
  EXPECT_GE(r.left, 100);
  EXPECT_LE(r.right, 300);
  EXPECT_GE(r.top, 100);
  EXPECT_LE(r.bottom, 190);
  EXPECT_GT(r.height(), 60);  // at least two lines drawn
  writePng(h.app().captureCanvas(), testing::outputPath("label_wrap.png"));

  // Without wrapping the same caption is one line, cut off at the right edge.
  screen->Text->setWordWrap(false);
  const Rect one = ink();
  EXPECT_LE(one.right, 300);
  EXPECT_GT(one.right, 290);
  EXPECT_LT(one.height(), 40);
}

TEST_F(LabelTest, OpaqueLabelFillsItsRectangleTransparentOneDoesNot) {
  screen->Text->setColor(rgb(255, 102, 0));
  screen->Text->setTransparent(false);
  const Bitmap opaque = h.app().captureCanvas();
  EXPECT_EQ(opaque.pixel(495, 215), rgb(255, 102, 0));
  EXPECT_EQ(opaque.pixel(505, 215), kBack);
  screen->Text->setTransparent(true);
  EXPECT_EQ(h.app().captureCanvas().pixel(495, 215), kBack);
}

TEST_F(LabelTest, FontColourFollowsTheFormUntilTheLabelHasItsOwn) {
  screen->setFontColor(rgb(0, 255, 0));
  EXPECT_GT(inkBounds(h.app().captureCanvas(), rgb(0, 255, 0), testing::wholeScreen()).width(), 0);
  screen->Text->setFontColor(rgb(255, 0, 255));
  screen->setFontColor(rgb(0, 255, 0));
  const Bitmap shot = h.app().captureCanvas();
  EXPECT_EQ(inkBounds(shot, rgb(0, 255, 0), testing::wholeScreen()).width(), 0);
  EXPECT_GT(inkBounds(shot, rgb(255, 0, 255), testing::wholeScreen()).width(), 0);
}

TEST_F(LabelTest, AutoSizeFitsTheCaption) {
  screen->Text->setAutoSize(true);
  EXPECT_EQ(screen->Text->width(), textWidth(screen->Text->font(), "Quiz"));
  EXPECT_EQ(screen->Text->height(), lineHeight(screen->Text->font()));
}

}  // namespace
}  // namespace tvz
