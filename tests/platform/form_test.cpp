// Forms: stacking, activation, input routing, modal loops and deferred release.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/harness.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace tvz {
namespace {

// A screen that records what happens to it.
class Screen : public Form {
 public:
  std::vector<std::string> log;
  Label* Button = add<Label>(100, 100, 200, 40, "Button");
  Edit* Entry = add<Edit>(100, 200, 200, 30);
  int swallowKey = 0;

  explicit Screen(Color colour = rgb(0, 0, 0)) {
    fillScreen();
    setColor(colour);
    Entry->setTabStop(false);
    Button->onMouseDown = [this](Control&, MouseButton, ShiftState, int, int) { log.push_back("down"); };
    Button->onMouseUp = [this](Control&, MouseButton, ShiftState, int, int) { log.push_back("up"); };
    Button->onClick = [this](Control&) { log.push_back("click"); };
  }
  void FormShow() override { log.push_back("show"); }
  void FormActivate() override { log.push_back("activate"); }
  void FormKeyDown(int& key, ShiftState) override {
    log.push_back("form down " + std::to_string(key));
    if (key == swallowKey) key = 0;
  }
  void FormKeyUp(int& key, ShiftState) override { log.push_back("form up " + std::to_string(key)); }
  void FormKeyPress(char& key) override { log.push_back(std::string("form press ") + key); }
  void FormClick() override { log.push_back("form click"); }
};

class Freed : public Form {
 public:
  static inline int destroyed = 0;
  Freed() { fillScreen(); }
  void FormClose(CloseAction& action) override { action = CloseAction::Free; }
  void FormDestroy() override { ++destroyed; }
};
Freed* FreedScreen = nullptr;

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(h.ok()) << h.error().reason; }
  testing::Harness h;
};

TEST_F(FormTest, StayOnTopFormsLieAboveOrdinaryOnesWhateverTheOrderShown) {
  auto* back = createForm<Screen>(nullptr, rgb(255, 0, 0));
  auto* onTop = createForm<Screen>(nullptr, rgb(0, 255, 0));
  auto* plain = createForm<Screen>(nullptr, rgb(0, 0, 255));
  onTop->setBounds(300, 300, 100, 100);
  onTop->setStayOnTop(true);
  back->Show();
  onTop->Show();
  plain->Show();  // shown last, yet below the stay-on-top form
  const Bitmap shot = h.app().captureCanvas();
  EXPECT_EQ(shot.pixel(350, 350), rgb(0, 255, 0));
  EXPECT_EQ(shot.pixel(10, 10), rgb(0, 0, 255));
  back->BringToFront();
  const Bitmap again = h.app().captureCanvas();
  EXPECT_EQ(again.pixel(10, 10), rgb(255, 0, 0));
  EXPECT_EQ(again.pixel(350, 350), rgb(0, 255, 0));
  EXPECT_EQ(h.app().activeForm(), back);
}

TEST_F(FormTest, DialogSizedFormIsCentred) {
  auto* box = createForm<Screen>();
  box->setClientSize(234, 217);
  box->centerOnScreen();
  EXPECT_EQ(box->left(), (800 - 234) / 2);
  EXPECT_EQ(box->top(), (600 - 217) / 2);
}

TEST_F(FormTest, KeysGoToTheActiveFormPreviewFirstAndMaySwallow) {
  auto* first = createForm<Screen>();
  auto* second = createForm<Screen>();
  first->Show();
  second->Show();
  second->setKeyPreview(true);
  second->SetFocus(second->Entry);
  second->swallowKey = 'X';
  h.run([&](testing::Driver& d) {
    d.press('A');
    d.press('X');
    d.press(vk::Return);
  });
  EXPECT_TRUE(first->log == std::vector<std::string>({"show", "activate"}));
  // A reaches the box; the form swallowed X's key down but its character
  // still passes the form's key-press handler first, as on the desktop.
  EXPECT_EQ(second->Entry->text(), "ax");
  const std::vector<std::string> expected = {
      "show", "activate", "form down 65", "form press a", "form up 65", "form down 88",
      "form press x", "form up 88", "form down 13", "form press \r", "form up 13"};
  EXPECT_EQ(second->log, expected);
}

TEST_F(FormTest, WithoutKeyPreviewTheFocusedControlTakesTheKeys) {
  auto* screen = createForm<Screen>();
  screen->Show();
  h.run([&](testing::Driver& d) {
    d.press('Q');  // nothing focused: the form gets it
    screen->SetFocus(screen->Entry);
    d.press('W');
  });
  EXPECT_EQ(screen->Entry->text(), "w");
  EXPECT_EQ(screen->log.back(), "form up 81");
}

TEST_F(FormTest, ButtonClicksOnlyWhenReleasedOverIt) {
  auto* screen = createForm<Screen>();
  screen->Show();
  h.run([&](testing::Driver& d) {
    d.click(150, 120);
    d.mouseDown(150, 120);
    d.mouseUp(600, 500);  // released outside: the up still comes, no click
    d.click(600, 500);    // the form's empty area
  });
  const std::vector<std::string> expected = {"show", "activate", "down", "up", "click",
                                             "down", "up",       "form click"};
  EXPECT_EQ(screen->log, expected);
}

TEST_F(FormTest, MouseGoesToTheTopmostFormUnderThePointer) {
  auto* under = createForm<Screen>();
  auto* over = createForm<Screen>();
  over->setBounds(0, 0, 400, 300);
  under->Show();
  over->Show();
  h.run([&](testing::Driver& d) {
    d.click(150, 120);  // over's button at 100,100 (screen 100,100)
    d.click(500, 120);  // outside over: under's empty area
  });
  EXPECT_EQ(std::count(over->log.begin(), over->log.end(), "click"), 1);
  EXPECT_EQ(std::count(under->log.begin(), under->log.end(), "click"), 0);
  EXPECT_EQ(std::count(under->log.begin(), under->log.end(), "form click"), 1);
}

TEST_F(FormTest, ModalLoopKeepsTimersTickingAndBlocksOtherForms) {
  auto* main = createForm<Screen>();
  auto* dialog = createForm<Screen>();
  dialog->setBounds(200, 200, 300, 200);
  int frames = 0;
  Timer frameTimer(33, [&](Timer&) { ++frames; });
  int framesWhenClosed = -1;
  main->Button->onClick = [&](Control&) {
    main->log.push_back("click");
    dialog->ShowModal();
    framesWhenClosed = frames;
  };
  main->Show();
  h.run([&](testing::Driver& d) {
    d.click(150, 120);
    ASSERT_TRUE(dialog->visible());
    EXPECT_EQ(h.app().activeForm(), dialog);
    const int before = frames;
    d.ticks(10);
    EXPECT_EQ(frames, before + 10);
    d.click(150, 120);  // main's button, outside the dialog: ignored
    d.press('K');       // to the dialog, not the main form
    EXPECT_EQ(std::count(main->log.begin(), main->log.end(), "click"), 1);
    dialog->Close();
    d.settle();
    EXPECT_EQ(framesWhenClosed, frames);
  });
  EXPECT_FALSE(dialog->visible());
  EXPECT_EQ(std::count(dialog->log.begin(), dialog->log.end(), "form down 75"), 1);
  EXPECT_EQ(std::count(main->log.begin(), main->log.end(), "form down 75"), 0);
  EXPECT_EQ(h.app().activeForm(), main);
}

TEST_F(FormTest, TimerTicksAreNotQueuedAndAHandlerMayStopItsTimer) {
  int ticks = 0;
  Timer slow(33, [&](Timer&) { ++ticks; });
  int once = 0;
  Timer single(50, [&](Timer& t) {
    ++once;
    t.setEnabled(false);
  });
  auto* screen = createForm<Screen>();
  screen->Show();
  h.run([&](testing::Driver& d) {
    d.clock().advance(1000);  // a long stall: one tick, not thirty
    d.settle();
    EXPECT_EQ(ticks, 1);
    d.ticks(5);
    EXPECT_EQ(ticks, 6);
  });
  EXPECT_EQ(once, 1);
}

TEST_F(FormTest, ClosedFormIsReleasedAfterTheEventAndItsVariableCleared) {
  Freed::destroyed = 0;
  auto* main = createForm<Screen>();
  main->Show();
  ASSERT_NE(createForm(&FreedScreen), nullptr);
  FreedScreen->Show();
  bool aliveDuringHandler = false;
  main->Button->onClick = [&](Control&) {
    FreedScreen->Close();
    aliveDuringHandler = FreedScreen != nullptr && Freed::destroyed == 0;
  };
  FreedScreen->Hide();
  h.run([&](testing::Driver& d) { d.click(150, 120); });
  EXPECT_TRUE(aliveDuringHandler);
  EXPECT_EQ(FreedScreen, nullptr);
  EXPECT_EQ(Freed::destroyed, 1);
  EXPECT_EQ(h.app().formsInZOrder().size(), 1u);
}

// A menu that closes for good, like every full-screen screen.
class Menu : public Screen {
 public:
  static inline int destroyed = 0;
  void FormClose(CloseAction& action) override { action = CloseAction::Free; }
  void FormDestroy() override { ++destroyed; }
};
Menu* TopMenu = nullptr;

TEST_F(FormTest, FormClosedWhileItsHandlerRunsAModalLoopLivesUntilTheLoopEnds) {
  Menu::destroyed = 0;
  auto* main = createForm<Screen>();
  main->Show();
  ASSERT_NE(createForm(&TopMenu), nullptr);
  auto* dialog = createForm<Screen>();
  dialog->setBounds(200, 300, 300, 200);
  Menu* menu = TopMenu;
  menu->Show();
  menu->Button->onClick = [menu, dialog](Control&) {
    dialog->ShowModal();
    menu->log.push_back("back from the dialog");  // the menu must still exist here
  };
  h.run([&](testing::Driver& d) {
    d.click(150, 120);
    ASSERT_TRUE(dialog->visible());
    TopMenu->Close();  // as the frame timer closes a screen while a dialog is up
    d.ticks(2);
    EXPECT_EQ(TopMenu, nullptr);  // the variable is cleared at once
    EXPECT_EQ(Menu::destroyed, 1);
    dialog->Close();
    d.ticks(1);
  });
  EXPECT_EQ(h.app().formsInZOrder().size(), 2u);  // the menu's memory is gone too
}

TEST_F(FormTest, ClosingTheMainFormEndsTheProgram) {
  auto* main = createForm<Screen>();
  main->Show();
  bool ranOn = false;
  main->Button->onClick = [&](Control&) { main->Close(); };
  h.run([&](testing::Driver& d) {
    d.click(150, 120);
    ranOn = true;  // the scenario finishes alone after the loop has ended
    d.ticks(3);
  });
  EXPECT_TRUE(ranOn);
  EXPECT_TRUE(h.app().terminated());
}

TEST_F(FormTest, AltF4AndCloseRequestsAreSwallowedByScreensThatDiscardAltF4) {
  auto* main = createForm<Screen>();
  main->setKeyPreview(true);
  main->swallowKey = vk::F4;
  main->Show();
  h.run([&](testing::Driver& d) {
    d.keyDown(vk::F4, {false, true, false});
    d.closeRequest();  // the window manager's echo of the same key
    d.closeRequest();  // a close request of its own, also seen as Alt+F4
    EXPECT_FALSE(h.app().terminated());
    main->swallowKey = 0;
    d.closeRequest();
    EXPECT_TRUE(h.app().terminated());
  });
  EXPECT_EQ(std::count(main->log.begin(), main->log.end(), "form down 115"), 3);
}

TEST_F(FormTest, HandCursorOverButtonsUnlessTheScreenCursorOverrides) {
  auto* screen = createForm<Screen>();
  screen->Button->setCursor(Cursor::HandPoint);
  screen->Show();
  h.run([&](testing::Driver& d) {
    d.mouseMove(150, 120);
    EXPECT_EQ(h.app().effectiveCursor(), Cursor::HandPoint);
    d.mouseMove(600, 500);
    EXPECT_EQ(h.app().effectiveCursor(), Cursor::Arrow);
    h.app().setScreenCursor(Cursor::HourGlass);
    d.mouseMove(150, 120);
    EXPECT_EQ(h.app().effectiveCursor(), Cursor::HourGlass);
    h.app().setScreenCursor(Cursor::None);
    d.settle();
    EXPECT_EQ(h.app().effectiveCursor(), Cursor::None);
  });
}

TEST_F(FormTest, HintShowsAfterThePointerRestsAndHidesOnMove) {
  auto* screen = createForm<Screen>();
  screen->Button->setHint("Click on the correct answer");
  screen->Show();
  h.run([&](testing::Driver& d) {
    d.mouseMove(150, 120);
    d.advance(400);
    EXPECT_EQ(h.app().hintOnShow(), "");
    d.advance(200);
    EXPECT_EQ(h.app().hintOnShow(), "Click on the correct answer");
    d.capture("hint.png");
    d.mouseMove(600, 500);
    EXPECT_EQ(h.app().hintOnShow(), "");
    h.app().setShowHints(false);
    d.mouseMove(150, 120);
    d.advance(1000);
    EXPECT_EQ(h.app().hintOnShow(), "");
  });
}

}  // namespace
}  // namespace tvz
