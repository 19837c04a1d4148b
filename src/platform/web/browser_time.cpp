#include "platform/web/browser_time.h"

#include <SDL.h>

#include <chrono>

namespace velko::web {

std::uint64_t BrowserTimeSource::nowMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void BrowserTimeSource::sleepMs(std::uint32_t ms) {
    SDL_Delay(ms);
}

}  // namespace velko::web
