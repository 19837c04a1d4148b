#pragma once

// The three surfaces the credits are lent, on a platform whose clock moves only when the
// credits wait. Each paced wait is a frame: the rig counts them and keeps the screen of the
// frames a test asks for.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "credits/staff_role.h"
#include "platform/event_pump.h"
#include "platform/host/host.h"
#include "platform/surface.h"
#include "platform/trace.h"
#include "platform/ui/window.h"
#include "support/fake_platform.h"
#include "support/shared_fonts.h"

namespace velko::credits::testing {

using velko::testing::fonts;

// A scene with structure everywhere, no pixel white: a kept pixel shows which one it is.
inline gfx::Bitmap scenePicture() {
    gfx::Bitmap b(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            b.set(x, y,
                  gfx::rgb(static_cast<std::uint8_t>(20 + x / 4), static_cast<std::uint8_t>(y / 3),
                           static_cast<std::uint8_t>(90 + ((x * 7 + y * 3) & 0x3F))));
        }
    }
    return b;
}

struct CreditsRig {
    explicit CreditsRig(std::uint32_t clockStart = 0)
        : clock(clockStart), pump(native, clock), window(native, fonts()), host{clock,   pump,
                                                                                window,  fonts(),
                                                                                desktop, trace} {
        window.setScreen(&picDisp);
        pump.setRouter(&window);
        picBackBuff.setPicture(scenePicture());
        picDisp.setPicture(scenePicture());
        clock.onWait = [this] {
            const int frame = frames++;
            enabledDuringFrames = enabledDuringFrames || window.enabled();
            if (keep.count(frame)) {
                kept[frame] = picDisp.constImage();
            }
        };
    }

    // A StaffRole over the rig's surfaces.
    StaffRole make(std::string_view staff = builtinStaffText()) {
        StaffRole role(host, staff, [this](const std::string& m) { warnings.push_back(m); });
        role.setPicDisp(picDisp);
        role.setPicMaster(picBackBuff);
        role.setPicStaff(picFPtarn);
        return role;
    }

    velko::testing::ManualClock clock;
    velko::testing::NullNativeWindow native;
    platform::EventPump pump;
    ui::Window window;
    velko::testing::NoDesktop desktop;
    platform::NullTrace trace;
    platform::Host host;
    platform::Surface picDisp{"picDisp", 640, 480, &fonts()};
    platform::Surface picBackBuff{"picBackBuff", 640, 480, &fonts()};
    platform::Surface picFPtarn{"picFPtarn", 640, 480, &fonts()};

    std::set<int> keep;               // frames whose screen the test wants
    std::map<int, gfx::Bitmap> kept;  // their screens
    int frames = 0;
    bool enabledDuringFrames = false;
    std::vector<std::string> warnings;
};

// Every frame waited 20 ms, 21 ms after the previous one began, with the window off for the
// frames and on again afterwards.
inline void expectPacedWithTheWindowOff(const CreditsRig& rig, std::uint32_t start) {
    EXPECT_FALSE(rig.enabledDuringFrames);
    EXPECT_TRUE(rig.window.enabled());
    for (std::size_t i = 0; i < rig.clock.waits.size(); ++i) {
        ASSERT_EQ(rig.clock.waits[i].start, static_cast<std::uint32_t>(start + 21u * i));
        ASSERT_EQ(rig.clock.waits[i].period, 20u);
    }
}

}  // namespace velko::credits::testing
