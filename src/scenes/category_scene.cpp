#include "scenes/category_scene.h"

namespace tvz {

CategoryScene::CategoryScene(const CategoryLook& look)
    : HighlightColour(look.colours.highlight),
      NormalColour(look.colours.normal),
      buttons_(look.colours.highlight, look.colours.normal, look.colours.normal),
      look_(look) {
  setColor(NormalColour);
  setFontColor(NormalColour);
}

}  // namespace tvz
