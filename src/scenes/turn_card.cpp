#include "scenes/turn_card.h"

#include "core/screens.h"
#include "core/switch_screen.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera2c.h"

namespace tvz {

namespace {

template <class Card>
TurnCardResult OpenCard(Card*& slot, std::int32_t location) {
  if (!slot && !createScreen(slot, location)) return TurnCardResult::CreationFailed;
  if (!slot || slot->releasing()) return TurnCardResult::NotShown;
  slot->setStayOnTop(true);
  if (!slot->LoadPictures()) return TurnCardResult::NotShown;
  slot->Show();
  return TurnCardResult::Shown;
}

}  // namespace

TurnCardResult OpenTurnCard(std::int32_t contestant, const std::array<std::int32_t, 3>& locations) {
  switch (contestant) {
    case 0: return OpenCard(Camera2a, locations[0]);
    case 1: return OpenCard(Camera2b, locations[1]);
    case 2: return OpenCard(Camera2c, locations[2]);
    default: return TurnCardResult::NotShown;
  }
}

}  // namespace tvz
