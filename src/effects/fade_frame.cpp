#include "effects/fade_frame.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

namespace velko::effects {

namespace {

using gfx::Pixel;
using gfx::Rop;

// The four raster operations one after another, each with the sizes it names. Serves any
// sizes and surfaces that are shared between roles.
void composeInSteps(const FadeSurfaces& s, const std::optional<gfx::PatternBrush>& brush) {
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

// Only the AND is computed here; the two plain row copies go to the C library's copy, which
// uses the widest stores the processor has. Blocks of a fixed length let the compiler vectorise
// the AND at the default optimisation level, which leaves loops of unknown length alone.
void composeRow(const Pixel* __restrict src, const Pixel* __restrict m, Pixel* __restrict mk,
                Pixel* __restrict bk, Pixel* __restrict sc, std::size_t width) {
    constexpr std::size_t kBlock = 16;
    std::size_t x = 0;
    for (; x + kBlock <= width; x += kBlock) {
        for (std::size_t i = x; i < x + kBlock; ++i) {
            bk[i] = src[i] & m[i];
        }
    }
    for (; x < width; ++x) {
        bk[x] = src[x] & m[x];
    }
    std::memcpy(mk, m, width * sizeof(Pixel));
    std::memcpy(sc, bk, width * sizeof(Pixel));
}

// Same result in one pass over the rows when the four surfaces are distinct and of one size
// (always so in the program): the source is read once and each pixel written once per surface,
// instead of the back buffer being written twice and read twice.
void composeFused(const FadeSurfaces& s, const gfx::PatternBrush& brush) {
    const int w = s.screen.width();
    const int h = s.screen.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const auto width = static_cast<std::size_t>(w);
    std::vector<Pixel> tile(8 * width);
    for (std::size_t t = 0; t < 8; ++t) {
        for (std::size_t x = 0; x < width; ++x) {
            tile[t * width + x] =
                brush.color(static_cast<int>(x), static_cast<int>(t)) & gfx::kPixelMask;
        }
    }
    const gfx::Bitmap& source = s.source.constImage();
    gfx::Bitmap& mask = s.mask.image();
    gfx::Bitmap& back = s.back.image();
    gfx::Bitmap& screen = s.screen.image();
    for (int y = 0; y < h; ++y) {
        const Pixel* m = tile.data() + static_cast<std::size_t>(y & 7) * width;
        const Pixel* src = source.row(y).data();
        Pixel* mk = mask.row(y).data();
        Pixel* bk = back.row(y).data();
        Pixel* sc = screen.row(y).data();
        composeRow(src, m, mk, bk, sc, width);
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
        composeInSteps(s, brush);
    }
}

}  // namespace velko::effects
