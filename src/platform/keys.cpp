// SDL keys to the desktop's virtual-key codes the screens' key handlers test.
#include "platform/keys.h"

#include <SDL.h>

namespace tvz {
namespace {

struct KeyCode {
  SDL_Scancode scancode;
  int virtualKey;
};

// Keys named by position: they mean the same on every keyboard layout.
constexpr KeyCode kByScancode[] = {
    {SDL_SCANCODE_RETURN, vk::Return},
    {SDL_SCANCODE_KP_ENTER, vk::Return},
    {SDL_SCANCODE_ESCAPE, vk::Escape},
    {SDL_SCANCODE_BACKSPACE, vk::Back},
    {SDL_SCANCODE_TAB, vk::Tab},
    {SDL_SCANCODE_SPACE, vk::Space},
    {SDL_SCANCODE_PRINTSCREEN, vk::Snapshot},
    {SDL_SCANCODE_SYSREQ, vk::Snapshot},
    {SDL_SCANCODE_INSERT, vk::Insert},
    {SDL_SCANCODE_DELETE, vk::Delete},
    {SDL_SCANCODE_HOME, vk::Home},
    {SDL_SCANCODE_END, vk::End},
    {SDL_SCANCODE_PAGEUP, vk::Prior},
    {SDL_SCANCODE_PAGEDOWN, vk::Next},
    {SDL_SCANCODE_LEFT, vk::Left},
    {SDL_SCANCODE_UP, vk::Up},
    {SDL_SCANCODE_RIGHT, vk::Right},
    {SDL_SCANCODE_DOWN, vk::Down},
    {SDL_SCANCODE_LSHIFT, vk::Shift},
    {SDL_SCANCODE_RSHIFT, vk::Shift},
    {SDL_SCANCODE_LCTRL, vk::Control},
    {SDL_SCANCODE_RCTRL, vk::Control},
    {SDL_SCANCODE_LALT, vk::Menu},
    {SDL_SCANCODE_RALT, vk::Menu},
    {SDL_SCANCODE_PAUSE, 0x13},
    {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_APPLICATION, 0x5D},
    // Keypad: its own codes, never the main row's digits.
    {SDL_SCANCODE_KP_0, 0x60},
    {SDL_SCANCODE_KP_1, 0x61},
    {SDL_SCANCODE_KP_2, 0x62},
    {SDL_SCANCODE_KP_3, 0x63},
    {SDL_SCANCODE_KP_4, 0x64},
    {SDL_SCANCODE_KP_5, 0x65},
    {SDL_SCANCODE_KP_6, 0x66},
    {SDL_SCANCODE_KP_7, 0x67},
    {SDL_SCANCODE_KP_8, 0x68},
    {SDL_SCANCODE_KP_9, 0x69},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},
    {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    // Punctuation keys of a US keyboard (the desktop's "OEM" codes).
    {SDL_SCANCODE_SEMICOLON, 0xBA},
    {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE},
    {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
};

int letterOrDigit(const SDL_Keysym& key) {
  // Letters follow the layout (the key that types "a" is A) when it types a
  // Latin letter, else the key's position.
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 'A' + (key.sym - SDLK_a);
  if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z) {
    return 'A' + (key.scancode - SDL_SCANCODE_A);
  }
  // Main-row digits by position, so layouts that type symbols there unshifted
  // still give the digit codes.
  if (key.scancode >= SDL_SCANCODE_1 && key.scancode <= SDL_SCANCODE_9) {
    return '1' + (key.scancode - SDL_SCANCODE_1);
  }
  if (key.scancode == SDL_SCANCODE_0) return '0';
  return 0;
}

int functionKey(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return 0x70 + (scancode - SDL_SCANCODE_F1);
  }
  return 0;
}

}  // namespace

int virtualKeyFromSdl(const SDL_Keysym& key) {
  for (const KeyCode& k : kByScancode) {
    if (k.scancode == key.scancode) return k.virtualKey;
  }
  if (int code = letterOrDigit(key)) return code;
  return functionKey(key.scancode);
}

ShiftState shiftStateFromSdl(std::uint16_t sdlMod) {
  ShiftState state;
  state.shift = (sdlMod & KMOD_SHIFT) != 0;
  state.alt = (sdlMod & KMOD_ALT) != 0;
  state.ctrl = (sdlMod & KMOD_CTRL) != 0;
  return state;
}

}  // namespace tvz
