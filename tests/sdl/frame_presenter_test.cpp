// Whole-factor scaling on the CPU into a window surface: pixel for pixel what the X server
// will show, black around the frame, clipped at every edge of a surface with padded rows.

#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl/frame_presenter.h"

namespace velko::sdl {
namespace {

gfx::Bitmap numbered(int w, int h) {
    gfx::Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.set(x, y, static_cast<gfx::Pixel>(0x010000 * (x + 1) + 0x000100 * (y + 1) + 0x55));
        }
    }
    return b;
}

// The surface as it must look: each output pixel from the source pixel it lies in, or black.
std::vector<std::uint32_t> expected(const gfx::Bitmap& f, const Viewport& v, int w, int h,
                                    int stride) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(stride) * h, 0xDEADBEEF);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int sx = x - v.x;
            const int sy = y - v.y;
            const bool inside = sx >= 0 && sy >= 0 && sx < f.width() * v.scale &&
                                sy < f.height() * v.scale;
            out[static_cast<std::size_t>(y) * stride + x] =
                inside ? f.at(sx / v.scale, sy / v.scale) : 0u;
        }
    }
    return out;
}

TEST(ScaleInto, EveryFactorAndPlacementPixelForPixel) {
    const gfx::Bitmap frame = numbered(7, 5);
    struct Case {
        int w, h;
        Viewport v;
    };
    // Centred with a border, exactly fitting, larger than the surface on both sides (a
    // window smaller than the frame), and an empty frame (black only).
    for (const Case& c : {Case{20, 13, Viewport{2, 3, 1, 14, 10}},
                          Case{21, 15, Viewport{3, 0, 0, 21, 15}},
                          Case{6, 4, Viewport{1, -1, -1, 7, 5}},
                          Case{9, 9, Viewport{2, 4, 5, 14, 10}}}) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " at scale " +
                     std::to_string(c.v.scale));
        const int stride = c.w + 3;  // rows padded as a surface's pitch may be
        std::vector<std::uint32_t> out(static_cast<std::size_t>(stride) * c.h, 0xDEADBEEF);
        scaleInto(frame, c.v, out.data(), c.w, c.h, stride * 4);
        EXPECT_EQ(out, expected(frame, c.v, c.w, c.h, stride));
    }
    std::vector<std::uint32_t> out(16, 0xDEADBEEF);
    scaleInto(gfx::Bitmap(), Viewport{1, 0, 0, 0, 0}, out.data(), 4, 4, 16);
    EXPECT_EQ(out, std::vector<std::uint32_t>(16, 0u));
}

}  // namespace
}  // namespace velko::sdl
