#include "platform/sdl/real_clock.h"

#include <chrono>
#include <thread>

namespace velko::sdl {

std::uint64_t SteadyTimeSource::nowMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyTimeSource::sleepMs(std::uint32_t ms) {
    if (signals_) {
        signals_->sleep(ms);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

RealClock::RealClock(SignalWatch* signals) : steady_(signals), source_(&steady_) {}

void RealClock::waitElapsed(std::uint32_t start, std::uint32_t period) {
    for (;;) {
        const std::uint32_t elapsed = tickCount() - start;  // wraps harmlessly
        if (elapsed > period) {
            return;
        }
        // Sleep until the first reading past the deadline could be due, then look again:
        // a sleep may end early, and at least one millisecond is always slept.
        source_->sleepMs(period - elapsed + 1);
    }
}

}  // namespace velko::sdl
