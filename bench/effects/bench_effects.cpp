// The screen effects' drawing: one fade frame, the message backdrop and the transparent copy,
// each also as a multiple of a plain copy of the same number of bytes from the same run.
// Goal: a fade frame costs at most three plain full-screen copies.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "common/ratio_reporter.h"
#include "effects/cls_disp.h"
#include "effects/cross_hatch.h"
#include "effects/dib_mask.h"
#include "effects/fade_frame.h"
#include "effects/hatch_patterns.h"
#include "effects/paired_ratio_reporter.h"
#include "effects/screen_build.h"
#include "platform/event_pump.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"
#include "support/fake_platform.h"

namespace velko::effects {
namespace {

constexpr int kW = 640;
constexpr int kH = 480;
constexpr std::size_t kFrameBytes = std::size_t{kW} * kH * sizeof(gfx::Pixel);

using velko::testing::BlankFonts;
using velko::testing::NoDesktop;

gfx::Bitmap noise(unsigned seed, int w = kW, int h = kH) {
    gfx::Bitmap b(w, h);
    std::mt19937 rng(seed);
    for (gfx::Pixel& p : b.pixels()) {
        p = static_cast<gfx::Pixel>(rng()) & gfx::kPixelMask;
    }
    return b;
}

// The four surfaces with a scene picture in the source, and a headless host for CrossHatch.
struct Scene {
    headless::VirtualClock clock;
    headless::HeadlessWindow native{clock, {}, std::filesystem::temp_directory_path()};
    platform::EventPump pump{native, clock};
    BlankFonts fonts;
    ui::Window window{native, fonts};
    NoDesktop desktop;
    headless::MemoryTrace trace{clock};
    platform::Host host{clock, pump, window, fonts, desktop, trace};
    platform::Surface screen{"picDisp", kW, kH, &fonts};
    platform::Surface source{"picBmp", kW, kH, &fonts};
    platform::Surface mask{"picFPtarn", kW, kH, &fonts};
    platform::Surface back{"picBackBuff", kW, kH, &fonts};
    CrossHatch hatch{host};

    Scene() {
        source.setPicture(noise(1));
        back.setPicture(noise(2));
        hatch.Pict1(screen);
        hatch.pict2(source);
        hatch.pict3(mask);
        hatch.pict4(back);
        hatch.buildbitmap();
        hatch.PlayFade(0, 2);  // builds the dissolve set, draws nothing
    }
};

void fadeFrame(benchmark::State& state) {
    Scene s;
    int step = 1;
    for (auto _ : state) {
        // What DrawFadeStep does: the brush from the record, then the frame.
        const auto brush =
            createMaskBrush(s.hatch.maskHeader(), s.hatch.pattern(step), s.hatch.maskInfo());
        composeFadeFrame(FadeSurfaces{s.screen, s.source, s.mask, s.back}, brush);
        benchmark::DoNotOptimize(s.screen.constImage().pixels().data());
        benchmark::ClobberMemory();
        step = step % kHatchPatterns + 1;
    }
}

// The same frame as four separate raster operations: what the one-pass composition saves.
void fadeFrameInFourOperations(benchmark::State& state) {
    Scene s;
    const auto brush =
        createMaskBrush(s.hatch.maskHeader(), s.hatch.pattern(5), s.hatch.maskInfo());
    for (auto _ : state) {
        composeFadeFrameInSteps(FadeSurfaces{s.screen, s.source, s.mask, s.back}, brush);
        benchmark::DoNotOptimize(s.screen.constImage().pixels().data());
        benchmark::ClobberMemory();
    }
}

void messageHatch(benchmark::State& state) {
    Scene s;
    for (auto _ : state) {
        s.hatch.MessageHatch(40, 360, 560, 160);
        benchmark::DoNotOptimize(s.screen.constImage().pixels().data());
        benchmark::ClobberMemory();
    }
}

void transparentCopy(benchmark::State& state, int size, std::int32_t key) {
    BlankFonts fonts;
    platform::Surface dst{"picBackBuff", kW, kH, &fonts};
    platform::Surface src{"picBMP2", kW, kH, &fonts};
    dst.setPicture(noise(3));
    gfx::Bitmap stamp = noise(4);
    // A key-coloured ground around a stamp, as an overlay picture has.
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if ((x + y) % 3 == 0) {
                stamp.set(x, y, gfx::kBlack);
            }
        }
    }
    src.setPicture(stamp);
    dst.backColor = gfx::kWhite;
    const int w = size == kW ? kW : size;
    const int h = size == kW ? kH : size;
    for (auto _ : state) {
        clsDisp().TransparentBlt(dst, 0, 0, w, h, src, 0, 0, key);
        benchmark::DoNotOptimize(dst.constImage().pixels().data());
        benchmark::ClobberMemory();
    }
}

}  // namespace
}  // namespace velko::effects

int main(int argc, char** argv) {
    using namespace velko::effects;
    namespace vb = velko::bench;
    const std::string frameCopy = "memcpy/640x480";
    const std::string smallCopy = "memcpy/100x100";
    benchmark::RegisterBenchmark(frameCopy.c_str(),
                                 [](benchmark::State& s) { vb::copyBytes(s, kFrameBytes); });
    benchmark::RegisterBenchmark(smallCopy.c_str(), [](benchmark::State& s) {
        vb::copyBytes(s, std::size_t{100} * 100 * sizeof(velko::gfx::Pixel));
    });
    benchmark::RegisterBenchmark("fadeFrame", fadeFrame);
    benchmark::RegisterBenchmark("fadeFrame/fourOperations", fadeFrameInFourOperations);
    benchmark::RegisterBenchmark("MessageHatch", messageHatch);
    benchmark::RegisterBenchmark("TransparentBlt/100x100/key", transparentCopy, 100, 0);
    benchmark::RegisterBenchmark("TransparentBlt/100x100/opaque", transparentCopy, 100, -1);
    benchmark::RegisterBenchmark("TransparentBlt/640x480/key", transparentCopy, kW, 0);
    benchmark::RegisterBenchmark("TransparentBlt/640x480/opaque", transparentCopy, kW, -1);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    vb::PairedRatioReporter reporter({
        {frameCopy, frameCopy},
        {smallCopy, smallCopy},
        {"fadeFrame", frameCopy},
        {"fadeFrame/fourOperations", frameCopy},
        {"MessageHatch", frameCopy},
        {"TransparentBlt/100x100/key", smallCopy},
        {"TransparentBlt/100x100/opaque", smallCopy},
        {"TransparentBlt/640x480/key", frameCopy},
        {"TransparentBlt/640x480/opaque", frameCopy},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
