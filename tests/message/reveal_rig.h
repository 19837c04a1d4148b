#pragma once

// A platform for watching the message window work: a manual clock that remembers every
// paced wait and what the screen showed when it began, and a window whose input is a queue
// the test fills. Nothing here sleeps.

#include <cstdint>
#include <deque>

#include "message/message_disp.h"
#include "platform/event_pump.h"
#include "platform/host/host.h"
#include "platform/surface.h"
#include "platform/trace.h"
#include "platform/ui/window.h"
#include "support/fake_platform.h"
#include "support/shared_fonts.h"

namespace velko::message::testing {

using velko::testing::fonts;

// A window whose input is a queue the test fills.
class QueueWindow final : public velko::testing::NullNativeWindow {
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
    void present(const gfx::Bitmap&, int) override { ++frames; }

    std::deque<platform::InputEvent> queue;
    int emptyPolls = 0;
    int frames = 0;
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

    velko::testing::ManualClock clock;
    QueueWindow native;
    platform::EventPump pump;
    ui::Window window;
    velko::testing::NoDesktop desktop;
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
