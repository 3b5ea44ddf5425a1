#pragma once
// Contestant 1's card.
#include "scenes/contestant_card.h"

namespace tvz {

class TCamera2a : public ContestantCard {
 public:
  TCamera2a() : ContestantCard(0, "Contestant 1", true) {}
};

}  // namespace tvz
