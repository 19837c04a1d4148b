#pragma once

// The program's one event loop. Processing pending events hands every input event to the
// router (the window, which passes screen input to the listeners of the screen surface),
// fires due timers, and shows the screen. It may be called from inside a handler that it is
// running (nested processing); the engine relies on that.

#include <cstdint>
#include <functional>
#include <map>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/native_window.h"

namespace velko::platform {

class InputRouter {
public:
    virtual ~InputRouter() = default;
    virtual void dispatch(const InputEvent& event) = 0;
    // Shows the current frame if anything in it changed.
    virtual void present() = 0;
};

using TimerId = std::uint32_t;

class EventPump {
public:
    EventPump(NativeWindow& native, Clock& clock) : native_(native), clock_(clock) {}

    void setRouter(InputRouter* router) { router_ = router; }

    // Dispatches every pending input event and fires the timers that are due, then presents.
    void processEvents();

    // Idles (presenting first, sleeping in the native wait) until input arrives or a timer is
    // due, then processes. Returns false when the run is over: quit was requested, or no input
    // will ever come again.
    bool waitAndProcess();

    // A windowless timer, fired from event processing every `periodMs` (never re-entered
    // while its own callback runs). Ids are never 0.
    TimerId setTimer(std::uint32_t periodMs, std::function<void()> callback);
    void killTimer(TimerId id);  // unknown or killed ids are ignored

    void requestQuit() { quit_ = true; }
    bool quitRequested() const { return quit_; }

    Clock& clock() { return clock_; }
    NativeWindow& native() { return native_; }

private:
    struct Timer {
        std::uint32_t period = 0;
        std::uint32_t last = 0;
        std::function<void()> callback;
        bool running = false;
    };

    void fireDueTimers();
    std::optional<std::uint32_t> msUntilNextTimer();

    NativeWindow& native_;
    Clock& clock_;
    InputRouter* router_ = nullptr;
    std::map<TimerId, Timer> timers_;
    TimerId nextId_ = 1;
    bool quit_ = false;
    bool exhausted_ = false;
};

}  // namespace velko::platform
