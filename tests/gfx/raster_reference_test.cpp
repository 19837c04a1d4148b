// The fast raster paths against the per-bit reference, on random bitmaps and random rectangles
// that cross every edge.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/gfx/raster.h"

namespace velko::gfx {
namespace {

const std::vector<Rop>& ropsUnderTest() {
    static const std::vector<Rop> rops = [] {
        std::vector<Rop> r = {Rop::Blackness, Rop::DstAndNotSrc, Rop::NotSrcCopy, Rop::SrcErase,
                              Rop::DstInvert, Rop::SrcInvert,    Rop::SrcAnd,     Rop::MergePaint,
                              Rop::SrcCopy,   Rop::SrcPaint,     Rop::PatCopy,    Rop::Whiteness};
        std::mt19937 rng(7);
        for (int i = 0; i < 8; ++i) {
            r.push_back(static_cast<Rop>((rng() & 0xFFu) << 16));
        }
        return r;
    }();
    return rops;
}

class Fuzz {
public:
    explicit Fuzz(unsigned seed) : rng_(seed) {}

    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    Pixel pixel() { return static_cast<Pixel>(rng_()) & kPixelMask; }

    Bitmap bitmap() {
        // Now and then a bitmap with no pixels at all.
        Bitmap b(between(0, 20) == 0 ? 0 : between(1, 17), between(1, 13));
        for (Pixel& p : b.pixels()) {
            p = pixel();
        }
        return b;
    }

    MonoBitmap mono() {
        MonoBitmap m(between(1, 17), between(1, 13));
        for (int y = 0; y < m.height(); ++y) {
            for (int x = 0; x < m.width(); ++x) {
                m.set(x, y, static_cast<std::uint8_t>(rng_() & 1u));
            }
        }
        return m;
    }

    // A coordinate and a size along an axis of `limit` pixels: negative origins, runs past the
    // far edge, zero and negative sizes.
    int origin(int limit) { return between(-8, limit + 4); }
    int size(int limit) { return between(0, 12) == 0 ? between(-3, 0) : between(1, limit + 10); }

    PatternBrush brush() {
        PatternBrush b;
        for (auto& row : b.rows) {
            row = static_cast<std::uint8_t>(rng_());
        }
        b.one = pixel();
        b.zero = pixel();
        return b;
    }

private:
    std::mt19937 rng_;
};

constexpr int kRounds = 250;

TEST(RasterAgainstReference, BitBlt) {
    Fuzz f(1);
    for (const Rop rop : ropsUnderTest()) {
        for (int round = 0; round < kRounds; ++round) {
            const Bitmap src = f.bitmap();
            Bitmap fast = f.bitmap();
            Bitmap slow = fast;
            const int dx = f.origin(fast.width()), dy = f.origin(fast.height());
            const int w = f.size(fast.width()), h = f.size(fast.height());
            const int sx = f.origin(src.width()), sy = f.origin(src.height());
            bitBlt(fast, dx, dy, w, h, src, sx, sy, rop);
            reference::bitBlt(slow, dx, dy, w, h, src, sx, sy, rop);
            ASSERT_EQ(fast, slow) << "rop " << std::hex << static_cast<std::uint32_t>(rop)
                                  << std::dec << " dst " << dx << "," << dy << " " << w << "x" << h
                                  << " src " << sx << "," << sy;
        }
    }
}

TEST(RasterAgainstReference, BitBltSelfMatchesCopyingFromASnapshot) {
    Fuzz f(2);
    for (const Rop rop : ropsUnderTest()) {
        for (int round = 0; round < kRounds; ++round) {
            Bitmap fast = f.bitmap();
            Bitmap slow = fast;
            const Bitmap snapshot = fast;
            const int dx = f.origin(fast.width()), dy = f.origin(fast.height());
            // Sources near the destination make the overlapping cases common.
            const int sx = dx + f.between(-3, 3), sy = dy + f.between(-3, 3);
            const int w = f.size(fast.width()), h = f.size(fast.height());
            bitBltSelf(fast, dx, dy, w, h, sx, sy, rop);
            reference::bitBlt(slow, dx, dy, w, h, snapshot, sx, sy, rop);
            ASSERT_EQ(fast, slow) << "rop " << std::hex << static_cast<std::uint32_t>(rop)
                                  << std::dec << " dst " << dx << "," << dy << " " << w << "x" << h
                                  << " src " << sx << "," << sy;
        }
    }
}

TEST(RasterAgainstReference, PatBlt) {
    Fuzz f(3);
    for (const Rop rop : ropsUnderTest()) {
        for (int round = 0; round < kRounds; ++round) {
            const PatternBrush brush = f.brush();
            Bitmap fast = f.bitmap();
            Bitmap slow = fast;
            const int x = f.origin(fast.width()), y = f.origin(fast.height());
            const int w = f.size(fast.width()), h = f.size(fast.height());
            patBlt(fast, x, y, w, h, brush, rop);
            reference::patBlt(slow, x, y, w, h, brush, rop);
            ASSERT_EQ(fast, slow) << "rop " << std::hex << static_cast<std::uint32_t>(rop)
                                  << std::dec << " at " << x << "," << y << " " << w << "x" << h;
        }
    }
}

TEST(RasterAgainstReference, MonoToColor) {
    Fuzz f(4);
    for (const Rop rop : ropsUnderTest()) {
        for (int round = 0; round < kRounds; ++round) {
            const MonoBitmap src = f.mono();
            const Pixel text = f.pixel(), bk = f.pixel();
            Bitmap fast = f.bitmap();
            Bitmap slow = fast;
            const int dx = f.origin(fast.width()), dy = f.origin(fast.height());
            const int w = f.size(fast.width()), h = f.size(fast.height());
            const int sx = f.origin(src.width()), sy = f.origin(src.height());
            monoToColor(fast, dx, dy, w, h, src, sx, sy, text, bk, rop);
            reference::monoToColor(slow, dx, dy, w, h, src, sx, sy, text, bk, rop);
            ASSERT_EQ(fast, slow) << "rop " << std::hex << static_cast<std::uint32_t>(rop)
                                  << std::dec << " dst " << dx << "," << dy << " " << w << "x" << h
                                  << " src " << sx << "," << sy;
        }
    }
}

TEST(RasterAgainstReference, ColorToMono) {
    Fuzz f(5);
    for (int round = 0; round < kRounds * 4; ++round) {
        Bitmap src = f.bitmap();
        // Make the key colour frequent enough to matter.
        const Pixel key = f.pixel();
        for (Pixel& p : src.pixels()) {
            if (f.between(0, 2) == 0) {
                p = key;
            }
        }
        MonoBitmap fast = f.mono();
        MonoBitmap slow = fast;
        const int dx = f.origin(fast.width()), dy = f.origin(fast.height());
        const int w = f.size(fast.width()), h = f.size(fast.height());
        const int sx = f.origin(src.width()), sy = f.origin(src.height());
        colorToMono(fast, dx, dy, w, h, src, sx, sy, key);
        reference::colorToMono(slow, dx, dy, w, h, src, sx, sy, key);
        ASSERT_EQ(fast, slow) << "dst " << dx << "," << dy << " " << w << "x" << h << " src " << sx
                              << "," << sy;
    }
}

TEST(RasterAgainstReference, StretchBlt) {
    Fuzz f(6);
    for (int round = 0; round < kRounds * 8; ++round) {
        const Bitmap src = f.bitmap();
        Bitmap fast = f.bitmap();
        Bitmap slow = fast;
        const Rect dstRect{f.origin(fast.width()), f.origin(fast.height()), f.size(fast.width()),
                           f.size(fast.height())};
        const Rect srcRect{f.origin(src.width()), f.origin(src.height()), f.size(src.width()),
                           f.size(src.height())};
        stretchBlt(fast, dstRect, src, srcRect);
        reference::stretchBlt(slow, dstRect, src, srcRect);
        ASSERT_EQ(fast, slow) << "dst " << dstRect.x << "," << dstRect.y << " " << dstRect.w << "x"
                              << dstRect.h << " src " << srcRect.x << "," << srcRect.y << " "
                              << srcRect.w << "x" << srcRect.h;
    }
}

}  // namespace
}  // namespace velko::gfx
