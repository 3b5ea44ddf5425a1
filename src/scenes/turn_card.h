#pragma once
// In multi-player mode the category, value and question scenes put the
// card of the contestant whose turn it is on top of themselves, so the
// players know who is to pick or answer.
#include <array>
#include <cstdint>

namespace tvz {

class ContestantCard;

enum class TurnCardResult {
  Shown,           // the card is up and has the keyboard
  NotShown,        // its picture could not be loaded (reported); the card has closed
  CreationFailed,  // reported with the scene's location code for that card
};

// Creates the card of the contestant (0..2) if it does not exist, makes it a
// stay-on-top window, loads its picture and shows it. locations are the
// scene's codes for a failed creation of card 1, 2 and 3.
TurnCardResult OpenTurnCard(std::int32_t contestant, const std::array<std::int32_t, 3>& locations);

}  // namespace tvz
