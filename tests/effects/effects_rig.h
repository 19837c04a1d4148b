#pragma once

// A headless host with the four effect surfaces, and pictures whose pixels tell the
// effects' results apart.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "effects/cross_hatch.h"
#include "platform/event_pump.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"
#include "support/fake_platform.h"

namespace velko::effects::testing {

using velko::testing::BlankFonts;

// Counts the clicks that reach the screen.
class ClickCounter final : public platform::SurfaceListener {
public:
    void onMouseDown(const platform::MouseEvent&) override { ++clicks; }
    int clicks = 0;
};

// A folder of its own for each test's shots.
inline std::filesystem::path freshShotDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto dir = std::filesystem::path(::testing::TempDir()) / "velko_effects" /
               (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

struct Rig {
    explicit Rig(headless::InputScript input = {}, std::uint32_t tickOffset = 0)
        : clock(tickOffset),
          shotDir(freshShotDir()),
          native(clock, std::move(input), shotDir),
          pump(native, clock),
          window(native, fonts),
          trace(clock),
          host{clock, pump, window, fonts, desktop, trace},
          hatch(host) {
        pump.setRouter(&window);
        window.setScreen(&screen);
        hatch.Pict1(screen);
        hatch.pict2(source);
        hatch.pict3(mask);
        hatch.pict4(back);
        hatch.buildbitmap();
    }

    headless::VirtualClock clock;
    std::filesystem::path shotDir;
    headless::HeadlessWindow native;
    platform::EventPump pump;
    BlankFonts fonts;
    ui::Window window;
    velko::testing::NoDesktop desktop;
    headless::MemoryTrace trace;
    platform::Host host;
    platform::Surface screen{"picDisp", 640, 480, &fonts};
    platform::Surface source{"picBmp", 640, 480, &fonts};
    platform::Surface mask{"picFPtarn", 640, 480, &fonts};
    platform::Surface back{"picBackBuff", 640, 480, &fonts};
    CrossHatch hatch;
};

// No pixel is black and neighbours differ, so a kept pixel can be told from a cleared one
// and from its neighbour.
inline gfx::Bitmap knownPicture(int w = 640, int h = 480) {
    gfx::Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.set(
                x, y,
                gfx::rgb(static_cast<std::uint8_t>(x * 3 + y), static_cast<std::uint8_t>(y * 5 + x),
                         static_cast<std::uint8_t>(0x80 | ((x + 2 * y) & 0x7F))));
        }
    }
    return b;
}

// Tile pixel (x, y) straight from a mask's text rows: character 8 - x of row 8 - y.
inline bool tileBit(const HatchRows& rows, int x, int y) {
    return rows[static_cast<std::size_t>(7 - y)][static_cast<std::size_t>(7 - x)] == '1';
}

// The source ANDed with a mask tiled from the origin.
inline gfx::Bitmap masked(const gfx::Bitmap& src, const HatchRows& rows) {
    gfx::Bitmap out = src;
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if (!tileBit(rows, x & 7, y & 7)) {
                out.set(x, y, gfx::kBlack);
            }
        }
    }
    return out;
}

}  // namespace velko::effects::testing
