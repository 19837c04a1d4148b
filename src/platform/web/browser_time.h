#pragma once

// Time in the browser: the tick count from the monotonic clock, and sleeps that hand control
// back to the browser (through SDL_Delay, which suspends the program) instead of blocking the
// page's only thread.

#include "platform/sdl/real_clock.h"

namespace velko::web {

class BrowserTimeSource final : public sdl::TimeSource {
public:
    std::uint64_t nowMs() override;
    void sleepMs(std::uint32_t ms) override;
};

}  // namespace velko::web
