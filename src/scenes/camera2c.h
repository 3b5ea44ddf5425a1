#pragma once
// Contestant 3's card.
#include "scenes/contestant_card.h"

namespace tvz {

class TCamera2c : public ContestantCard {
 public:
  TCamera2c() : ContestantCard(2, "Contestant 3", false) {}
};

}  // namespace tvz
