#pragma once

#include <cstdint>

namespace velko::platform {

// The millisecond tick count and the program's two ways of letting time pass.
// Readings wrap around at 2^32 like the counter they stand for; waits compare elapsed time,
// so the wrap does no harm.
class Clock {
public:
    virtual ~Clock() = default;

    virtual std::uint32_t tickCount() = 0;

    // A plain pause: nothing is processed or repainted meanwhile.
    virtual void sleep(std::uint32_t ms) = 0;

    // Pacing: returns at the first reading r with (r - start) > period. The real clock sleeps
    // instead of spinning; the virtual clock moves to start + period + 1 unless already past.
    virtual void waitElapsed(std::uint32_t start, std::uint32_t period) = 0;
};

// True once more than `period` milliseconds have passed since `start` at reading `now`.
constexpr bool elapsedPast(std::uint32_t now, std::uint32_t start, std::uint32_t period) {
    return static_cast<std::uint32_t>(now - start) > period;
}

}  // namespace velko::platform
