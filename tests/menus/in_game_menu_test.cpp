// The in-game menu over a show: its buttons and keys, the two confirmations,
// the windows it opens and owns.
#include "harness/show_in_progress.h"
#include "menus/prefs_menu.h"
#include "store/load_menu.h"
#include "store/save_menu.h"

namespace tvz::testing {
namespace {

class InGame : public ShowInProgress {};

TEST_F(InGame, BackToGameByItsKeysItsButtonAndTheTitlePanel) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    EXPECT_FALSE(InGameMenu->visible()) << "made hidden, with the board";
    for (int key : {vk::Return, vk::Escape, static_cast<int>('B')}) {
      InGameMenu->Show();
      d.keyDown(key);
      EXPECT_FALSE(InGameMenu->BackBtn->transparent()) << "pressed look while held";
      d.keyUp(key);
      EXPECT_FALSE(InGameMenu->visible()) << key;
      EXPECT_TRUE(InGameMenu->BackBtn->transparent());
    }
    InGameMenu->Show();
    d.capture("in-game-menu.png");
    // The title is part of "Back to Game": every control shows the hand.
    for (const auto& control : InGameMenu->controls()) {
      const auto* label = dynamic_cast<const Label*>(control.get());
      EXPECT_EQ(control->cursor(), Cursor::HandPoint) << (label ? label->caption() : "a control");
    }
    const Rect panel = InGameMenu->MenuLbl->boundsRect();
    const int x = InGameMenu->left() + panel.left + 20, y = InGameMenu->top() + panel.top + 10;
    d.mouseDown(x, y);
    EXPECT_FALSE(InGameMenu->BackBtn->transparent()) << "pressing the panel presses Back to Game";
    d.mouseUp(x, y);
    EXPECT_FALSE(InGameMenu->visible());
    InGameMenu->Show();
    clickOn(d, InGameMenu->BackBtn);
    EXPECT_FALSE(InGameMenu->visible());
    EXPECT_EQ(InGameMenu->EndPressed + InGameMenu->QuitPressed, 0);
  });
}

TEST_F(InGame, EndAndQuitAreConfirmedFirst) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    struct Case {
      int key;
      const char* title;
      const char* text;
      std::uint8_t TInGameMenu::*flag;
    };
    for (const Case& c : {Case{'E', "End Game", "End the game in progress?", &TInGameMenu::EndPressed},
                          Case{'Q', "Quit", "Do you really wish to leave Trivenza?", &TInGameMenu::QuitPressed}}) {
      SCOPED_TRACE(c.title);
      InGameMenu->Show();
      d.press(c.key);
      ASSERT_TRUE(visible(PopupBox));
      EXPECT_EQ(PopupBox->TitleLbl->caption(), c.title);
      EXPECT_EQ(PopupBox->TextLbl->caption(), c.text);
      d.press('N');
      EXPECT_TRUE(InGameMenu->visible()) << "No leaves the menu open";
      EXPECT_EQ(InGameMenu->*c.flag, 0);
      d.press(c.key);
      d.press(vk::Return);
      EXPECT_FALSE(InGameMenu->visible());
      EXPECT_EQ(InGameMenu->*c.flag, 1);
      InGameMenu->Show();
      EXPECT_EQ(InGameMenu->*c.flag, 0) << "cleared at every showing";
    }
  });
}

TEST_F(InGame, SaveLoadAndPreferencesOpenOverTheMenu) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    struct Case {
      int key;
      Form* screen;
    };
    for (const Case& c : {Case{'S', GSaveMenu}, Case{'L', GLoadMenu}, Case{'P', PrefsMenu}}) {
      InGameMenu->Show();
      d.press(c.key);
      EXPECT_TRUE(c.screen->visible());
      EXPECT_TRUE(InGameMenu->visible()) << "the show stays paused behind it";
      EXPECT_EQ(d.app().activeForm(), c.screen) << "the keys go to it";
      d.press(vk::Escape);
      EXPECT_FALSE(c.screen->visible());
      EXPECT_TRUE(InGameMenu->visible());
      EXPECT_EQ(d.app().activeForm(), InGameMenu);
    }
    // The menu's windows go with it.
    destroyForm(InGameMenu);
    EXPECT_EQ(InGameMenu, nullptr);
    EXPECT_EQ(PopupBox, nullptr);
    EXPECT_EQ(GSaveMenu, nullptr);
    EXPECT_EQ(GLoadMenu, nullptr);
    EXPECT_EQ(PrefsMenu, nullptr);
  });
}

TEST_F(InGame, AltF4IsSwallowedEverywhere) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    for (Form* screen : std::initializer_list<Form*>{InGameMenu, GSaveMenu, GLoadMenu, PrefsMenu}) {
      screen->Show();
      d.keyDown(vk::F4, ShiftState{false, true, false});
      d.keyUp(vk::F4, ShiftState{false, true, false});
      d.closeRequest();
      EXPECT_TRUE(screen->visible());
      EXPECT_FALSE(d.app().terminated());
      screen->Hide();
    }
  });
}

}  // namespace
}  // namespace tvz::testing
