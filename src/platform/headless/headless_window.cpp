#include "platform/headless/headless_window.h"

#include <algorithm>

#include "platform/gfx/image_io.h"
#include "platform/gfx/raster.h"

namespace velko::headless {

HeadlessWindow::HeadlessWindow(VirtualClock& clock, InputScript input,
                               std::filesystem::path shotDir, std::optional<std::uint64_t> until)
    : clock_(clock),
      events_(input.events.begin(), input.events.end()),
      shots_(input.shots.begin(), input.shots.end()),
      shotDir_(std::move(shotDir)) {
    for (std::uint64_t q : input.quits) {
        quitAt_ = quitAt_ ? std::min(*quitAt_, q) : q;
    }
    if (until) {
        quitAt_ = quitAt_ ? std::min(*quitAt_, *until) : *until;
    }
    clock_.setOnAdvance([this](std::uint64_t from, std::uint64_t to) { onAdvance(from, to); });
}

bool HeadlessWindow::poll(platform::InputEvent& event) {
    if (ended_ || events_.empty() || events_.front().time > clock_.now()) {
        return false;
    }
    event = events_.front().event;
    events_.pop_front();
    return true;
}

std::optional<std::uint64_t> HeadlessWindow::nextMoment() const {
    std::optional<std::uint64_t> next;
    const auto consider = [&next](std::uint64_t t) { next = next ? std::min(*next, t) : t; };
    if (!events_.empty()) {
        consider(events_.front().time);
    }
    if (!shots_.empty()) {
        consider(shots_.front().time);
    }
    if (quitAt_) {
        consider(*quitAt_);
    }
    return next;
}

platform::NativeWindow::WaitResult HeadlessWindow::wait(std::optional<std::uint32_t> timeoutMs) {
    if (ended_) {
        return WaitResult::Exhausted;
    }
    if (!events_.empty() && events_.front().time <= clock_.now()) {
        return WaitResult::Ready;
    }
    // The program is idle: whatever it shows now is what the screen holds at this moment.
    takeShotsUpTo(clock_.now(), true);
    if (quitAt_ && *quitAt_ <= clock_.now()) {
        endRun();
        return WaitResult::Exhausted;
    }
    if (events_.empty() && onIdle_) {
        onIdle_();
        if (ended_) {
            return WaitResult::Exhausted;
        }
    }
    if (events_.empty()) {
        // Nothing will ever arrive: the run is over, although timers may still be running.
        if (!shots_.empty()) {
            clock_.advanceTo(shots_.back().time);
            takeShotsUpTo(clock_.now(), true);
        }
        endRun();
        return WaitResult::Exhausted;
    }
    std::uint64_t target = *nextMoment();
    if (timeoutMs) {
        target = std::min(target, clock_.now() + *timeoutMs);
    }
    clock_.advanceTo(target);
    if (ended_) {
        return WaitResult::Exhausted;
    }
    return !events_.empty() && events_.front().time <= clock_.now() ? WaitResult::Ready
                                                                    : WaitResult::TimedOut;
}

void HeadlessWindow::feed(const InputScript& more) {
    for (TimedEvent e : more.events) {
        e.time = std::max(e.time, clock_.now());
        events_.push_back(std::move(e));
    }
    for (Shot shot : more.shots) {
        shot.time = std::max(shot.time, clock_.now());
        shots_.push_back(std::move(shot));
    }
    for (std::uint64_t q : more.quits) {
        quitAt_ = quitAt_ ? std::min(*quitAt_, q) : q;
    }
}

void HeadlessWindow::present(const gfx::Bitmap& frame, int menuBarHeight) {
    frame_ = frame;
    menuBarHeight_ = menuBarHeight;
    presented_ = true;
}

gfx::Bitmap HeadlessWindow::lastScreen() const {
    if (!presented_) {
        return gfx::Bitmap(640, 480);
    }
    const int h = std::max(0, frame_.height() - menuBarHeight_);
    gfx::Bitmap screen(frame_.width(), h);
    gfx::bitBlt(screen, 0, 0, frame_.width(), h, frame_, 0, menuBarHeight_, gfx::Rop::SrcCopy);
    return screen;
}

void HeadlessWindow::show(int x, int y, int scale) {
    shown_ = true;
    x_ = x;
    y_ = y;
    scale_ = scale;
}

void HeadlessWindow::onAdvance(std::uint64_t /*from*/, std::uint64_t to) {
    if (ended_) {
        return;
    }
    if (quitAt_ && *quitAt_ < to) {
        // The run ends at the quit moment: shots up to it still see the screen of that moment.
        takeShotsUpTo(*quitAt_, true);
        endRun();
        return;
    }
    // Frames drawn at the moment a step began are shown until the clock moves on.
    takeShotsUpTo(to, false);
}

void HeadlessWindow::takeShotsUpTo(std::uint64_t limit, bool inclusive) {
    while (!shots_.empty() &&
           (shots_.front().time < limit || (inclusive && shots_.front().time == limit))) {
        const Shot shot = shots_.front();
        shots_.pop_front();
        const auto path = shotDir_ / (shot.name + ".png");
        if (auto status = gfx::savePng(path, lastScreen()); !status) {
            shotErrors_.push_back(shot.name + ".png: " + status.error());
        }
    }
}

void HeadlessWindow::flushShots() {
    takeShotsUpTo(clock_.now(), true);
}

void HeadlessWindow::endRun() {
    if (ended_) {
        return;
    }
    ended_ = true;
    events_.clear();
    if (onRunEnd_) {
        onRunEnd_();
    }
}

}  // namespace velko::headless
