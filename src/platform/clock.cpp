#include "platform/clock.h"

#include <SDL.h>

namespace tvz {

std::uint32_t RealClock::tickCount() { return SDL_GetTicks(); }

namespace {
RealClock realClock;
Clock* installed = nullptr;
}  // namespace

Clock& systemClock() { return installed ? *installed : realClock; }
void installClock(Clock* clock) { installed = clock; }

}  // namespace tvz
