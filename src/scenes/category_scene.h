#pragma once
// What the challenge value and question scenes of one category share: the
// category's picture, its colours (the form and its texts in the normal
// colour; a pressed label shows its text in the highlight colour on a box of
// the normal colour) and its location codes for the turn cards.
#include "core/screen_convention.h"
#include "scenes/category_colours.h"
#include "scenes/timed_scene.h"

namespace tvz {

class CategoryScene : public TimedScene {
 public:
  const Color HighlightColour;  // text of a pressed label
  const Color NormalColour;     // the form, its texts, and the box of a pressed label

 protected:
  explicit CategoryScene(const CategoryLook& look);

  const char* CategoryPicture() const { return look_.picture; }
  // In multi-player mode, the card of contestant `who` on top (see TimedScene).
  bool ShowTurnCardOf(std::int32_t who) { return ShowTurnCard(who, look_.cardLocations); }

  LabelButtons buttons_;  // in the category's colours

 private:
  const CategoryLook look_;
};

}  // namespace tvz
