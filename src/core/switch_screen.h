#pragma once
// Creating and switching screens, the way the main window's sequence does it:
// create the next screen on one tick (it is given the menu backdrop when it is
// a menu-type screen), then show it and close the current one on the next.
#include <cstdint>

#include "core/services.h"
#include "platform/form.h"

namespace tvz {

// Creates the screen into its registry variable. A creation failure is
// reported ("Insufficent memory or resources available" at the location) and
// returns false. A screen that closed itself while being created (its own
// failure, already reported) is left to its release.
template <class Screen>
bool createScreen(Screen*& slot, std::int32_t location) {
  if (!createForm(&slot)) {
    Services->ReportError("Insufficent memory or resources available", location);
    return false;
  }
  return true;
}

template <class Screen>
bool createScreen(Screen*& slot, std::int32_t location, const Bitmap& backdrop) {
  if (!createScreen(slot, location)) return false;
  if (slot && !slot->releasing()) slot->BkgndImg->setBitmap(backdrop);
  return true;
}

// Switching from screen A to screen B: B is created if it does not exist (A
// stays, and its result flag with it, so the same branch runs again next
// tick); otherwise B is shown and A closed.
template <class From, class To>
bool switchScreen(From* from, To*& to, std::int32_t location, const Bitmap& backdrop) {
  if (!to) return createScreen(to, location, backdrop);
  if (to->releasing()) return true;
  to->Show();
  from->Close();
  return true;
}

}  // namespace tvz
