#include "platform/event_pump.h"

#include <vector>

namespace velko::platform {

void EventPump::processEvents() {
    InputEvent event;
    while (native_.poll(event)) {
        if (router_) {
            router_->dispatch(event);
        }
    }
    fireDueTimers();
    if (router_) {
        router_->present();
    }
}

bool EventPump::waitAndProcess() {
    if (quit_ || exhausted_) {
        return false;
    }
    if (router_) {
        router_->present();
    }
    const auto result = native_.wait(msUntilNextTimer());
    if (result == NativeWindow::WaitResult::Exhausted) {
        exhausted_ = true;
        return false;
    }
    processEvents();
    return !quit_;
}

TimerId EventPump::setTimer(std::uint32_t periodMs, std::function<void()> callback) {
    const TimerId id = nextId_++;
    if (nextId_ == 0) {
        nextId_ = 1;
    }
    timers_[id] = Timer{periodMs, clock_.tickCount(), std::move(callback), false};
    return id;
}

void EventPump::killTimer(TimerId id) {
    timers_.erase(id);
}

void EventPump::fireDueTimers() {
    // Collect first: a callback may set or kill timers, or process events itself.
    std::vector<TimerId> due;
    const std::uint32_t now = clock_.tickCount();
    for (const auto& [id, t] : timers_) {
        if (!t.running && static_cast<std::uint32_t>(now - t.last) >= t.period) {
            due.push_back(id);
        }
    }
    for (TimerId id : due) {
        auto it = timers_.find(id);
        if (it == timers_.end() || it->second.running) {
            continue;
        }
        it->second.last = clock_.tickCount();
        it->second.running = true;
        auto callback = it->second.callback;  // the timer may be killed inside
        callback();
        it = timers_.find(id);
        if (it != timers_.end()) {
            it->second.running = false;
        }
    }
}

std::optional<std::uint32_t> EventPump::msUntilNextTimer() {
    std::optional<std::uint32_t> best;
    const std::uint32_t now = clock_.tickCount();
    for (const auto& [id, t] : timers_) {
        if (t.running) {
            continue;
        }
        const std::uint32_t elapsed = now - t.last;
        const std::uint32_t left = elapsed >= t.period ? 0 : t.period - elapsed;
        if (!best || left < *best) {
            best = left;
        }
    }
    return best;
}

}  // namespace velko::platform
