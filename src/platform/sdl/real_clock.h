#pragma once

// The millisecond tick count of the real program, from the monotonic clock. Pacing waits
// sleep for the time that is left and look again, so an animation costs no processor time
// between its steps.

#include <cstdint>

#include "platform/clock.h"
#include "platform/sdl/signal_watch.h"

namespace velko::sdl {

// Where the time comes from: the system's monotonic clock, or a test's hand-moved one.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual std::uint64_t nowMs() = 0;
    virtual void sleepMs(std::uint32_t ms) = 0;
};

// With a signal watch, a sleep ends as soon as the program is asked to end.
class SteadyTimeSource final : public TimeSource {
public:
    explicit SteadyTimeSource(SignalWatch* signals = nullptr) : signals_(signals) {}
    std::uint64_t nowMs() override;
    void sleepMs(std::uint32_t ms) override;

private:
    SignalWatch* signals_;
};

class RealClock final : public platform::Clock {
public:
    explicit RealClock(SignalWatch* signals = nullptr);  // on the steady clock
    explicit RealClock(TimeSource& source) : source_(&source) {}

    std::uint32_t tickCount() override { return static_cast<std::uint32_t>(source_->nowMs()); }
    void sleep(std::uint32_t ms) override { source_->sleepMs(ms); }
    void waitElapsed(std::uint32_t start, std::uint32_t period) override;

private:
    SteadyTimeSource steady_;
    TimeSource* source_;
};

}  // namespace velko::sdl
