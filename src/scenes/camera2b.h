#pragma once
// Contestant 2's card.
#include "scenes/contestant_card.h"

namespace tvz {

class TCamera2b : public ContestantCard {
 public:
  TCamera2b() : ContestantCard(1, "Contestant 2", false) {}
};

}  // namespace tvz
