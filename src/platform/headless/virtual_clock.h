#pragma once

// The headless runs' clock: time passes only when the program waits. Readings start at 0
// (or at a chosen offset, to exercise the wrap-around of the 32-bit tick count); a pacing wait
// moves the clock to the first millisecond past its deadline, a sleep moves it by its length.

#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace velko::headless {

class VirtualClock final : public platform::Clock {
public:
    explicit VirtualClock(std::uint32_t tickOffset = 0) : offset_(tickOffset) {}

    std::uint32_t tickCount() override { return static_cast<std::uint32_t>(now_ + offset_); }
    void sleep(std::uint32_t ms) override { advanceTo(now_ + ms); }
    void waitElapsed(std::uint32_t start, std::uint32_t period) override;

    // Milliseconds since the run started, never wrapping.
    std::uint64_t now() const { return now_; }
    void advanceTo(std::uint64_t t);

    // Called with (from, to) whenever the clock moves forward: shots and --until hang here.
    void setOnAdvance(std::function<void(std::uint64_t, std::uint64_t)> f) {
        onAdvance_ = std::move(f);
    }

private:
    std::uint64_t now_ = 0;
    std::uint32_t offset_;
    std::function<void(std::uint64_t, std::uint64_t)> onAdvance_;
};

}  // namespace velko::headless
