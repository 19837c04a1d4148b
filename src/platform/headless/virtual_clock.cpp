#include "platform/headless/virtual_clock.h"

namespace velko::headless {

void VirtualClock::waitElapsed(std::uint32_t start, std::uint32_t period) {
    const std::uint32_t elapsed = tickCount() - start;
    if (elapsed > period) {
        return;
    }
    advanceTo(now_ + (period - elapsed) + 1);
}

void VirtualClock::advanceTo(std::uint64_t t) {
    if (t <= now_) {
        return;
    }
    const std::uint64_t from = now_;
    now_ = t;
    if (onAdvance_) {
        onAdvance_(from, t);
    }
}

}  // namespace velko::headless
