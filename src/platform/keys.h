#pragma once
// Desktop virtual-key codes, as the screens' key handlers are written against.
#include <cstdint>

union SDL_Event;
struct SDL_Keysym;

namespace tvz {

namespace vk {
inline constexpr int Back = 0x08, Tab = 0x09, Return = 13, Shift = 0x10, Control = 0x11,
                     Menu = 0x12 /* Alt */, Escape = 27, Space = 0x20, Prior = 0x21 /* Page Up */,
                     Next = 0x22 /* Page Down */, End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26,
                     Right = 0x27, Down = 0x28, Snapshot = 44 /* Print Screen */, Insert = 0x2D,
                     Delete = 46, F4 = 0x73, F11 = 0x7A;
// Digits of the main row are '0'..'9' (48..57), letters 'A'..'Z' (65..90).
}  // namespace vk

// Shift state of a key event, as the framework passes it to key handlers.
struct ShiftState {
  bool shift = false;
  bool alt = false;
  bool ctrl = false;
};

// Translates an SDL key to its virtual-key code; 0 for keys the game never sees.
// Letters give the upper-case code whatever the shift state; keypad digits are
// not main-row digits.
int virtualKeyFromSdl(const SDL_Keysym& key);
ShiftState shiftStateFromSdl(std::uint16_t sdlMod);

}  // namespace tvz
