#pragma once

// A platform for watching the message window work: a manual clock that remembers every
// paced wait and what the screen showed when it began, and a window whose input is a queue
// the test fills. Nothing here sleeps.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "message/message_disp.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/host.h"
#include "platform/native_window.h"
#include "platform/surface.h"
#include "platform/trace.h"
#include "platform/ui/window.h"

namespace velko::message::testing {

inline platform::FreeTypeFontLibrary& fonts() {
    static const std::unique_ptr<platform::FreeTypeFontLibrary> library = [] {
        auto created = platform::FreeTypeFontLibrary::create();
        if (!created) {
            std::fprintf(stderr, "%s\n", created.error().c_str());
            std::abort();
        }
        return std::move(*created);
    }();
    return *library;
}

class ManualClock final : public platform::Clock {
public:
    explicit ManualClock(std::uint32_t start = 0) : now_(start) {}

    struct Wait {
        std::uint32_t start;
        std::uint32_t period;
    };

    std::uint32_t tickCount() override { return now_; }
    void sleep(std::uint32_t ms) override { now_ += ms; }
    void waitElapsed(std::uint32_t start, std::uint32_t period) override {
        waits.push_back({start, period});
        if (onWait) {
            onWait();
        }
        if (!platform::elapsedPast(now_, start, period)) {
            now_ = start + period + 1;
        }
    }

    std::vector<Wait> waits;
    std::function<void()> onWait;  // sees the screen as the step shows it

private:
    std::uint32_t now_;
};

class QueueWindow final : public platform::NativeWindow {
public:
    bool poll(platform::InputEvent& event) override {
        if (queue.empty()) {
            ++emptyPolls;  // one per round of event processing
            return false;
        }
        event = queue.front();
        queue.pop_front();
        return true;
    }
    WaitResult wait(std::optional<std::uint32_t>) override { return WaitResult::Exhausted; }
    void present(const gfx::Bitmap&, int) override { ++frames; }
    void setTitle(const std::string&) override {}
    platform::DisplayInfo display() override { return {}; }
    void show(int, int, int) override {}
    void setFullscreen(bool) override {}
    void setCursor(Cursor) override {}
    int setDisplayMode(int, int, int) override { return 0; }

    std::deque<platform::InputEvent> queue;
    int emptyPolls = 0;
    int frames = 0;
};

class NoDesktop final : public platform::Desktop {
public:
    void setWallpaper(const std::filesystem::path&) override {}
    void openUrl(const std::string&) override {}
};

// The screen and the back buffer of the main window, and one MessageDisp over them.
struct RevealRig {
    explicit RevealRig(std::uint32_t clockStart = 0)
        : clock(clockStart),
          pump(native, clock),
          window(native, fonts()),
          host{clock, pump, window, fonts(), desktop, trace},
          picDisp("picDisp", 640, 480, &fonts()),
          picBackBuff("picBackBuff", 640, 480, &fonts()),
          disp(host, picDisp) {
        window.setScreen(&picDisp);
        pump.setRouter(&window);
    }

    // The scene the caller prepared: a picture with the dimmed message band.
    void setBackdrop(const gfx::Bitmap& picture) { picBackBuff.setPicture(picture); }

    ManualClock clock;
    QueueWindow native;
    platform::EventPump pump;
    ui::Window window;
    NoDesktop desktop;
    platform::NullTrace trace;
    platform::Host host;
    platform::Surface picDisp;
    platform::Surface picBackBuff;
    MessageDisp disp;
};

// A scene with some structure (a diagonal gradient and a few stripes) under the checker
// backdrop of the message band: every pixel of (40, 360)-(600, 480) with x + y even black.
inline gfx::Bitmap sceneWithBackdrop() {
    gfx::Bitmap bmp(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const int stripe = ((x + 2 * y) / 40) % 2 ? 24 : 0;
            bmp.set(x, y,
                    gfx::rgb(static_cast<std::uint8_t>(40 + x / 5 + stripe),
                             static_cast<std::uint8_t>(70 + y / 4),
                             static_cast<std::uint8_t>(150 - x / 8 + stripe)));
        }
    }
    for (int y = 360; y < 480; ++y) {
        for (int x = 40; x < 600; ++x) {
            if ((x + y) % 2 == 0) {
                bmp.set(x, y, gfx::kBlack);
            }
        }
    }
    return bmp;
}

}  // namespace velko::message::testing
