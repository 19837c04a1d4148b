#pragma once

// The program asked to end from outside: SIGTERM (a logout, a service stop), SIGINT (Ctrl+C)
// and SIGHUP (the terminal went away). The handlers only note the signal and write a byte to
// a pipe that nobody drains, so it stays readable from then on. The real program's waits
// notice it: the clock's sleeps wait on the pipe itself, and a thread of the watch wakes the
// window's event wait with an SDL event. A wait that sees a signal runs the ending the
// program gave the watch, which does not return.

#include <signal.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "base/result.h"

namespace velko::sdl {

class SignalWatch {
public:
    // Installs the handlers (and keeps SDL from installing its own); one watch at a time.
    static Result<std::unique_ptr<SignalWatch>> install();
    ~SignalWatch();  // puts the handlers that were there back
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

    // What a wait on the installing thread does once a signal has arrived; given the signal.
    void setEnding(std::function<void(int)> ending) { ending_ = std::move(ending); }

    // The signal that arrived, or 0.
    int arrived() const;

    // Runs the ending when a signal has arrived and this is the installing thread.
    void check();

    // Sleeps `ms`, ending early when a signal arrives, then checks.
    void sleep(std::uint32_t ms);

private:
    SignalWatch() = default;
    void wakeWindow();

    int readFd_ = -1;
    int writeFd_ = -1;
    std::thread::id owner_;
    std::array<struct sigaction, 3> previous_{};  // the handlers to put back
    std::function<void(int)> ending_;
    std::atomic<bool> stopping_{false};
    std::thread waker_;
};

}  // namespace velko::sdl
