// The preferences: choices shown from the record, written only with "Ok".
#include "harness/show_in_progress.h"
#include "menus/prefs_menu.h"

namespace tvz::testing {
namespace {

class Preferences : public ShowInProgress {
 protected:
  static void open(Driver& d) {
    InGameMenu->Show();
    d.press('P');
  }
  static std::size_t clicks() { return TvzMain->PlayedClips.size(); }
};

TEST_F(Preferences, OkWritesTheChoicesAndTheTooltipSwitch) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    open(d);
    ASSERT_TRUE(visible(PrefsMenu));
    EXPECT_EQ(PrefsMenu->TooltipsChk->caption(), "[x] Tooltips");
    EXPECT_EQ(PrefsMenu->GeneralRbtn->caption(), "(o) General");
    d.capture("preferences.png");

    std::size_t before = clicks();
    clickOn(d, PrefsMenu->SoundChk);
    EXPECT_EQ(clicks(), before + 1);
    EXPECT_EQ(TvzMain->SoundOn, 1) << "unticking Sound still sounds its own click";
    EXPECT_EQ(PrefsMenu->SoundChk->caption(), "[  ] Sound");
    d.press('T');
    d.press('C');
    d.press('C');
    EXPECT_EQ(PrefsMenu->CaptionsChk->caption(), "[x] Captions");
    clickOn(d, PrefsMenu->DifficultRbtn);
    EXPECT_EQ(PrefsMenu->DifficultRbtn->caption(), "(o) Difficult");
    EXPECT_EQ(PrefsMenu->GeneralRbtn->caption(), "(  ) General");
    d.press('A');
    d.press('A');
    EXPECT_EQ(PrefsMenu->LivelyRbtn->caption(), "(o) Lively");
    EXPECT_EQ(TvzMain->AudienceMood, 1) << "nothing written yet";

    before = clicks();
    d.keyDown(vk::Return);
    EXPECT_FALSE(PrefsMenu->OkBtn->transparent());
    d.keyUp(vk::Return);
    EXPECT_EQ(clicks(), before) << "Ok makes no sound";
    EXPECT_FALSE(visible(PrefsMenu));
    EXPECT_TRUE(visible(InGameMenu));
    EXPECT_EQ(TvzMain->SoundOn, 0);
    EXPECT_EQ(TvzMain->TooltipsOn, 0);
    EXPECT_FALSE(d.app().showHints());
    EXPECT_EQ(TvzMain->CaptionsOn, 1);
    EXPECT_EQ(TvzMain->AudienceMood, 2);

    d.press('P');
    d.press('A');
    EXPECT_EQ(PrefsMenu->DifficultRbtn->caption(), "(o) Difficult") << "A wraps round";
    clickOn(d, PrefsMenu->OkBtn);
    EXPECT_EQ(TvzMain->AudienceMood, 0);
  });
}

TEST_F(Preferences, CancelKeepsTheRecordAndTheNextShowingShowsIt) {
  play([&](Driver& d) {
    ASSERT_TRUE(startShow(d));
    open(d);
    d.press('T');
    d.press('S');
    d.press('A');
    const std::size_t before = clicks();
    d.press(vk::Escape);
    EXPECT_EQ(clicks(), before) << "Cancel makes no sound";
    EXPECT_FALSE(visible(PrefsMenu));
    EXPECT_EQ(TvzMain->TooltipsOn, 1);
    EXPECT_EQ(TvzMain->SoundOn, 1);
    EXPECT_EQ(TvzMain->AudienceMood, 1);
    EXPECT_TRUE(d.app().showHints());

    // A loaded game brings its own preferences; the screen shows those.
    TvzMain->CaptionsOn = 0;
    TvzMain->AudienceMood = 2;
    d.press('P');
    EXPECT_EQ(PrefsMenu->TooltipsChk->caption(), "[x] Tooltips");
    EXPECT_EQ(PrefsMenu->CaptionsChk->caption(), "[  ] Captions");
    EXPECT_EQ(PrefsMenu->LivelyRbtn->caption(), "(o) Lively");
    clickOn(d, PrefsMenu->CancelBtn);
    EXPECT_FALSE(visible(PrefsMenu));
  });
}

}  // namespace
}  // namespace tvz::testing
