// The category choice: four panels by click or initial letter, the orange
// frame of a pressed panel, the pointer, and a missing picture.
#include "platform/application.h"
#include "scene_session.h"
#include "scenes/camera3w.h"

namespace tvz::testing {
namespace {

class CategoryChoice : public SceneSession {};

constexpr Color kOrange = rgb(255, 102, 0);

struct PanelCase {
  int key;
  std::int32_t code;
  Label* TCamera3w::*panel;
};
const PanelCase kPanels[] = {{'H', 1, &TCamera3w::HistoryLbl},
                             {'M', 3, &TCamera3w::MusicLbl},
                             {'S', 4, &TCamera3w::SportsLbl},
                             {'T', 5, &TCamera3w::TVALLbl}};

// The frame is drawn on the screen around the panel's rectangle.
void ExpectFramed(Driver& d, const Label* panel) {
  const Bitmap screen = d.capture();
  const Rect r = panel->boundsRect();
  EXPECT_EQ(screen.pixel(r.left, r.top), kOrange);
  EXPECT_EQ(screen.pixel(r.right - 1, r.bottom - 1), kOrange);
  EXPECT_EQ(screen.pixel((r.left + r.right) / 2, r.top), kOrange);
  EXPECT_NE(screen.pixel(r.left + 5, r.top + 5), kOrange);
}

TEST_F(CategoryChoice, LetterKeysFrameOnKeyDownAndChooseOnKeyUp) {
  run([&](Driver& d) {
    SeatLineUp();
    for (const PanelCase& c : kPanels) {
      SCOPED_TRACE(static_cast<char>(c.key));
      game().Category = 6;
      ASSERT_NE(Open(d, Camera3w, 0), nullptr);
      EXPECT_EQ(d.app().screenCursor(), Cursor::Default) << "a human chooses: the pointer shows";
      Label* panel = Camera3w->*c.panel;
      d.keyDown(c.key, {.shift = c.key == 'M'});  // Shift makes no difference
      ASSERT_TRUE(Camera3w->Frame->visible());
      EXPECT_EQ(Camera3w->Frame->boundsRect().left, panel->left());
      ExpectFramed(d, panel);
      if (c.key == 'H') d.capture("category-choice-history-pressed.png");
      EXPECT_EQ(game().Category, 6) << "nothing is chosen before the key goes up";
      const std::size_t sounds = game().PlayedClips.size();
      d.keyUp(c.key);
      EXPECT_EQ(game().Category, c.code);
      EXPECT_EQ(Camera3w, nullptr);
      ASSERT_EQ(game().PlayedClips.size(), sounds + 1);
      EXPECT_EQ(LastSoundPlayed(), std::vector<std::string>{"click.mm3"});
      EXPECT_EQ(d.app().screenCursor(), Cursor::None) << "hidden again at closing";
    }
  });
}

TEST_F(CategoryChoice, ClicksChooseTheirPanels) {
  run([&](Driver& d) {
    SeatLineUp();
    for (const PanelCase& c : kPanels) {
      SCOPED_TRACE(static_cast<char>(c.key));
      ASSERT_NE(Open(d, Camera3w, 0), nullptr);
      Label* panel = Camera3w->*c.panel;
      const Rect r = panel->boundsRect();
      d.mouseDown(r.left + 20, r.top + 20);
      ExpectFramed(d, panel);
      d.mouseUp(r.left + 20, r.top + 20);
      EXPECT_EQ(game().Category, c.code);
      EXPECT_EQ(Camera3w, nullptr);
    }
  });
}

TEST_F(CategoryChoice, KeyDownAloneOrOtherKeysChooseNothing) {
  run([&](Driver& d) {
    SeatLineUp();
    game().Category = 2;
    game().TimeLimit = 20;
    ASSERT_NE(Open(d, Camera3w, 0), nullptr);
    for (int frame = 0; frame < 40; ++frame) Frame(d, Camera3w);
    EXPECT_EQ(Camera3w->TimeLbl->caption(), "19");
    d.capture("category-choice.png");
    for (int key : {int{'A'}, int{'Z'}, int{'1'}, vk::Return, vk::Escape}) d.press(key);
    EXPECT_FALSE(Camera3w->Frame->visible());
    d.keyDown('S');
    d.keyDown(vk::F4, {.alt = true});
    d.settle();
    ASSERT_NE(Camera3w, nullptr) << "Alt+F4 does nothing";
    EXPECT_TRUE(Camera3w->Frame->visible());
    EXPECT_EQ(game().Category, 2);
    // Another panel pressed afterwards gets the frame.
    d.keyDown('T');
    ExpectFramed(d, Camera3w->TVALLbl);
    d.keyUp('T');
    EXPECT_EQ(game().Category, 5);
  });
}

TEST_F(CategoryChoice, MissingPanelsPictureIsReportedAndTheSceneCloses) {
  linkMedia({"cam3choo.mm1"});
  run([&](Driver& d) {
    SeatLineUp();
    game().Category = 6;
    EXPECT_EQ(Open(d, Camera3w, 0), nullptr);
    d.settle();
    EXPECT_EQ(Camera3w, nullptr);
    EXPECT_EQ(ErrorLog(), "Err : File does not exist\n      cam3choo.mm1\nLocn: 120\n\n");
    EXPECT_EQ(game().Category, 6);
  });
}

}  // namespace
}  // namespace tvz::testing
