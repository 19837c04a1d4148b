// Raster operations on a full 640 by 480 frame, each relative to a plain SrcCopy of the same
// frame measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "common/ratio_reporter.h"
#include "platform/gfx/raster.h"

namespace velko::gfx {
namespace {

constexpr int kW = 640;
constexpr int kH = 480;
constexpr char kBaseline[] = "bitBlt/SrcCopy";

Bitmap noise(unsigned seed) {
    Bitmap b(kW, kH);
    std::mt19937 rng(seed);
    for (Pixel& p : b.pixels()) {
        p = static_cast<Pixel>(rng()) & kPixelMask;
    }
    return b;
}

void framesProcessed(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kW * kH);
}

void blit(benchmark::State& state, Rop rop) {
    const Bitmap src = noise(1);
    Bitmap dst = noise(2);
    for (auto _ : state) {
        bitBlt(dst, 0, 0, kW, kH, src, 0, 0, rop);
        benchmark::DoNotOptimize(dst.pixels().data());
        benchmark::ClobberMemory();
    }
    framesProcessed(state);
}

void referenceBlit(benchmark::State& state, Rop rop) {
    const Bitmap src = noise(1);
    Bitmap dst = noise(2);
    for (auto _ : state) {
        reference::bitBlt(dst, 0, 0, kW, kH, src, 0, 0, rop);
        benchmark::DoNotOptimize(dst.pixels().data());
        benchmark::ClobberMemory();
    }
    framesProcessed(state);
}

void patternFill(benchmark::State& state) {
    PatternBrush checker;
    checker.rows = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    Bitmap dst(kW, kH);
    for (auto _ : state) {
        patBlt(dst, 0, 0, kW, kH, checker, Rop::PatCopy);
        benchmark::DoNotOptimize(dst.pixels().data());
        benchmark::ClobberMemory();
    }
    framesProcessed(state);
}

void monoExpand(benchmark::State& state) {
    MonoBitmap mask(kW, kH);
    std::mt19937 rng(3);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            mask.set(x, y, static_cast<std::uint8_t>(rng() & 1u));
        }
    }
    Bitmap dst = noise(2);
    for (auto _ : state) {
        monoToColor(dst, 0, 0, kW, kH, mask, 0, 0, kBlack, kWhite, Rop::SrcAnd);
        benchmark::DoNotOptimize(dst.pixels().data());
        benchmark::ClobberMemory();
    }
    framesProcessed(state);
}

void stretchDouble(benchmark::State& state) {
    const Bitmap src = noise(1);
    Bitmap dst(kW, kH);
    for (auto _ : state) {
        stretchBlt(dst, Rect{0, 0, kW, kH}, src, Rect{0, 0, kW / 2, kH / 2});
        benchmark::DoNotOptimize(dst.pixels().data());
        benchmark::ClobberMemory();
    }
    framesProcessed(state);
}

void registerAll() {
    benchmark::RegisterBenchmark("memcpy/frame", [](benchmark::State& s) {
        bench::copyBytes(s, std::size_t{kW} * kH * sizeof(Pixel));
    });
    benchmark::RegisterBenchmark(kBaseline, blit, Rop::SrcCopy);
    benchmark::RegisterBenchmark("bitBlt/SrcAnd", blit, Rop::SrcAnd);
    benchmark::RegisterBenchmark("bitBlt/SrcInvert", blit, Rop::SrcInvert);
    benchmark::RegisterBenchmark("bitBlt/MergePaint", blit, Rop::MergePaint);
    benchmark::RegisterBenchmark("bitBlt/DstAndNotSrc", blit, Rop::DstAndNotSrc);
    // A code without a fast path of its own: the word-wise truth-table evaluation.
    benchmark::RegisterBenchmark("bitBlt/generic 0x1D", blit, static_cast<Rop>(0x001D0000));
    benchmark::RegisterBenchmark("patBlt/PatCopy", patternFill);
    benchmark::RegisterBenchmark("monoToColor/SrcAnd", monoExpand);
    benchmark::RegisterBenchmark("stretchBlt/x2", stretchDouble);
    benchmark::RegisterBenchmark("reference::bitBlt/SrcCopy", referenceBlit, Rop::SrcCopy);
}

}  // namespace
}  // namespace velko::gfx

int main(int argc, char** argv) {
    velko::gfx::registerAll();
    return velko::bench::runWithRatios(argc, argv, velko::gfx::kBaseline);
}
