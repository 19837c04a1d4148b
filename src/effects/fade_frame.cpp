#include "effects/fade_frame.h"

#include <array>
#include <cstddef>

namespace velko::effects {

namespace {

using gfx::Pixel;
using gfx::Rop;

// On x86-64 the row loop is also built for AVX2 and the wider version picked at load time on
// processors that have it: 32-byte stores keep the three write streams steadier.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VELKO_WIDE_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VELKO_WIDE_CLONES
#endif

// One row of the frame with the tile row held in registers: the source is read once and the
// mask, back and screen rows each written once, with no tile in memory to read back. Blocks of
// eight pixels, the brush's period, have a fixed length, so the compiler turns each into vector
// loads and stores with a loop-invariant pattern. Plain stores throughout: streaming the screen
// row past the cache measured clearly slower.
VELKO_WIDE_CLONES void composeRow(const Pixel* __restrict src, const Pixel* __restrict pat,
                                  Pixel* __restrict mk, Pixel* __restrict bk, Pixel* __restrict sc,
                                  std::size_t width) {
    std::size_t x = 0;
    for (; x + 8 <= width; x += 8) {
        for (std::size_t i = 0; i < 8; ++i) {
            const Pixel v = src[x + i] & pat[i];
            mk[x + i] = pat[i];
            bk[x + i] = v;
            sc[x + i] = v;
        }
    }
    for (; x < width; ++x) {
        const Pixel m = pat[x & 7];
        const Pixel v = src[x] & m;
        mk[x] = m;
        bk[x] = v;
        sc[x] = v;
    }
}

// Same result in one pass over the rows when the four surfaces are distinct and of one size
// (always so in the program): the source is read once and each pixel written once per surface,
// instead of the back buffer being written twice and read twice and the mask read back.
void composeFused(const FadeSurfaces& s, const gfx::PatternBrush& brush) {
    const int w = s.screen.width();
    const int h = s.screen.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    // The brush repeats every 8 pixels both ways: its 8 by 8 cell is all the mask there is.
    std::array<std::array<Pixel, 8>, 8> cell;
    for (int t = 0; t < 8; ++t) {
        for (int x = 0; x < 8; ++x) {
            cell[static_cast<std::size_t>(t)][static_cast<std::size_t>(x)] =
                brush.color(x, t) & gfx::kPixelMask;
        }
    }
    const auto width = static_cast<std::size_t>(w);
    const gfx::Bitmap& source = s.source.constImage();
    gfx::Bitmap& mask = s.mask.image();
    gfx::Bitmap& back = s.back.image();
    gfx::Bitmap& screen = s.screen.image();
    for (int y = 0; y < h; ++y) {
        composeRow(source.row(y).data(), cell[static_cast<std::size_t>(y & 7)].data(),
                   mask.row(y).data(), back.row(y).data(), screen.row(y).data(), width);
    }
}

bool fusable(const FadeSurfaces& s) {
    const std::array<const platform::Surface*, 4> all = {&s.screen, &s.source, &s.mask, &s.back};
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i]->width() != s.screen.width() || all[i]->height() != s.screen.height()) {
            return false;
        }
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            if (all[i] == all[j]) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

void composeFadeFrame(const FadeSurfaces& s, const std::optional<gfx::PatternBrush>& brush) {
    if (brush && fusable(s)) {
        composeFused(s, *brush);
    } else {
        composeFadeFrameInSteps(s, brush);
    }
}

void composeFadeFrameInSteps(const FadeSurfaces& s, const std::optional<gfx::PatternBrush>& brush) {
    const gfx::Bitmap& source = s.source.constImage();
    gfx::bitBlt(s.back.image(), 0, 0, source.width(), source.height(), source, 0, 0, Rop::SrcCopy);
    if (brush) {
        gfx::patBlt(s.mask.image(), 0, 0, s.mask.width(), s.mask.height(), *brush, Rop::PatCopy);
    }
    const int w = s.screen.width();
    const int h = s.screen.height();
    gfx::bitBlt(s.back.image(), 0, 0, w, h, s.mask.constImage(), 0, 0, Rop::SrcAnd);
    gfx::bitBlt(s.screen.image(), 0, 0, w, h, s.back.constImage(), 0, 0, Rop::SrcCopy);
}

}  // namespace velko::effects
