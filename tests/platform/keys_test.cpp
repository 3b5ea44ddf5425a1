// SDL keys as the screens' key handlers see them.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/keys.h"

namespace tvz {
namespace {

int codeOf(SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
  SDL_Keysym key{};
  key.scancode = scancode;
  key.sym = sym;
  key.mod = mod;
  return virtualKeyFromSdl(key);
}

TEST(VirtualKeys, LettersAreUpperCaseWhateverTheShift) {
  EXPECT_EQ(codeOf(SDL_SCANCODE_A, SDLK_a), 'A');
  EXPECT_EQ(codeOf(SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT), 'A');
  EXPECT_EQ(codeOf(SDL_SCANCODE_Z, SDLK_z, KMOD_CAPS), 'Z');
  // A layout that types "a" on the Q position (AZERTY): the key typing "a" is A.
  EXPECT_EQ(codeOf(SDL_SCANCODE_Q, SDLK_a), 'A');
  // A layout without Latin letters: the key's position decides.
  EXPECT_EQ(codeOf(SDL_SCANCODE_D, 0x0432), 'D');
}

TEST(VirtualKeys, MainRowDigitsButNotTheKeypad) {
  EXPECT_EQ(codeOf(SDL_SCANCODE_1, SDLK_1), '1');
  EXPECT_EQ(codeOf(SDL_SCANCODE_0, SDLK_0), '0');
  EXPECT_EQ(codeOf(SDL_SCANCODE_7, '&'), '7');  // AZERTY main row
  EXPECT_EQ(codeOf(SDL_SCANCODE_KP_1, SDLK_KP_1), 0x61);
  EXPECT_EQ(codeOf(SDL_SCANCODE_KP_0, SDLK_KP_0), 0x60);
}

TEST(VirtualKeys, ControlAndNavigationKeys) {
  EXPECT_EQ(codeOf(SDL_SCANCODE_RETURN, SDLK_RETURN), 13);
  EXPECT_EQ(codeOf(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 13);
  EXPECT_EQ(codeOf(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), 27);
  EXPECT_EQ(codeOf(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE), 8);
  EXPECT_EQ(codeOf(SDL_SCANCODE_TAB, SDLK_TAB), 9);
  EXPECT_EQ(codeOf(SDL_SCANCODE_SPACE, SDLK_SPACE), 32);
  EXPECT_EQ(codeOf(SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN), 44);
  EXPECT_EQ(codeOf(SDL_SCANCODE_DELETE, SDLK_DELETE), 46);
  EXPECT_EQ(codeOf(SDL_SCANCODE_INSERT, SDLK_INSERT), vk::Insert);
  EXPECT_EQ(codeOf(SDL_SCANCODE_HOME, SDLK_HOME), vk::Home);
  EXPECT_EQ(codeOf(SDL_SCANCODE_END, SDLK_END), vk::End);
  EXPECT_EQ(codeOf(SDL_SCANCODE_PAGEUP, SDLK_PAGEUP), vk::Prior);
  EXPECT_EQ(codeOf(SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN), vk::Next);
  EXPECT_EQ(codeOf(SDL_SCANCODE_LEFT, SDLK_LEFT), 0x25);
  EXPECT_EQ(codeOf(SDL_SCANCODE_UP, SDLK_UP), 0x26);
  EXPECT_EQ(codeOf(SDL_SCANCODE_RIGHT, SDLK_RIGHT), 0x27);
  EXPECT_EQ(codeOf(SDL_SCANCODE_DOWN, SDLK_DOWN), 0x28);
  EXPECT_EQ(codeOf(SDL_SCANCODE_F1, SDLK_F1), 0x70);
  EXPECT_EQ(codeOf(SDL_SCANCODE_F4, SDLK_F4), vk::F4);
  EXPECT_EQ(codeOf(SDL_SCANCODE_F12, SDLK_F12), 0x7B);
  EXPECT_EQ(codeOf(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT), vk::Shift);
  EXPECT_EQ(codeOf(SDL_SCANCODE_RCTRL, SDLK_RCTRL), vk::Control);
  EXPECT_EQ(codeOf(SDL_SCANCODE_LALT, SDLK_LALT), vk::Menu);
}

TEST(VirtualKeys, ThePeriodAndCommaKeysAreNotTheArrowButtonCodes) {
  // Buttons "< ..." and "... >" answer to 44/60 and 46/62; the punctuation keys
  // typing those characters must not trigger them.
  for (SDL_Scancode s : {SDL_SCANCODE_PERIOD, SDL_SCANCODE_COMMA, SDL_SCANCODE_NONUSBACKSLASH,
                         SDL_SCANCODE_KP_PERIOD}) {
    const int code = codeOf(s, SDL_GetKeyFromScancode(s));
    EXPECT_NE(code, 44);
    EXPECT_NE(code, 46);
    EXPECT_NE(code, 60);
    EXPECT_NE(code, 62);
  }
  EXPECT_EQ(codeOf(SDL_SCANCODE_MUTE, SDLK_MUTE), 0);
}

TEST(VirtualKeys, ShiftState) {
  const ShiftState altOnly = shiftStateFromSdl(KMOD_RALT);
  EXPECT_TRUE(altOnly.alt);
  EXPECT_FALSE(altOnly.shift);
  EXPECT_FALSE(altOnly.ctrl);
  const ShiftState all = shiftStateFromSdl(KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT | KMOD_NUM);
  EXPECT_TRUE(all.shift && all.ctrl && all.alt);
  const ShiftState none = shiftStateFromSdl(KMOD_NUM | KMOD_CAPS);
  EXPECT_FALSE(none.shift || none.ctrl || none.alt);
}

}  // namespace
}  // namespace tvz
