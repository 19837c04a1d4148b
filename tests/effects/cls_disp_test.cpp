// The transparent copy against a plain per-pixel model of its five raster steps.

#include <gtest/gtest.h>

#include "effects/cls_disp.h"
#include "effects_rig.h"
#include "platform/gfx/raster.h"

namespace velko::effects {
namespace {

using testing::knownPicture;

constexpr gfx::Pixel kRed = gfx::rgb(255, 0, 0);
constexpr std::int32_t kRedRef = 0x0000FF;  // red in the low byte

struct Pair {
    testing::BlankFonts fonts;
    platform::Surface dst{"picBackBuff", 64, 48, &fonts};
    platform::Surface src{"picBMP2", 40, 30, &fonts};

    Pair() {
        gfx::bitBlt(dst.image(), 0, 0, 64, 48, knownPicture(64, 48), 0, 0, gfx::Rop::SrcCopy);
        gfx::bitBlt(src.image(), 0, 0, 40, 30, knownPicture(40, 30), 10, 7, gfx::Rop::SrcCopy);
        // A stamp on a key-coloured ground, with some black and some red pixels.
        gfx::Bitmap& s = src.image();
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                if ((x * 7 + y * 3) % 5 == 0) {
                    s.set(x, y, gfx::kBlack);
                } else if ((x + y) % 11 == 0) {
                    s.set(x, y, kRed);
                }
            }
        }
        src.backColor = gfx::rgb(1, 2, 3);
    }
};

// Mask bit k (source == key); destination AND (k ? background : text), then XOR the source
// with its key pixels blackened. Pixels without a source or outside the destination stay.
gfx::Bitmap model(const platform::Surface& dst, int dx, int dy, int w, int h,
                  const platform::Surface& src, int sx, int sy, std::int32_t color) {
    gfx::Bitmap out = dst.constImage();
    const gfx::Bitmap& s = src.constImage();
    const gfx::Pixel key = gfx::fromColorRef(static_cast<std::uint32_t>(color));
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const int x = dx + i, y = dy + j, u = sx + i, v = sy + j;
            if (!out.rect().contains(x, y) || !s.rect().contains(u, v)) {
                continue;
            }
            const gfx::Pixel p = s.at(u, v);
            if (color == clsDisp::kOpaque) {
                out.set(x, y, p);
                continue;
            }
            const bool k = p == key;
            out.set(x, y, (out.at(x, y) & (k ? dst.backColor : dst.foreColor)) ^ (k ? 0 : p));
        }
    }
    return out;
}

TEST(TransparentBlt, MatchesThePerPixelModel) {
    const struct {
        int dx, dy, w, h, sx, sy;
        std::int32_t color;
        gfx::Pixel text, back;
    } cases[] = {
        {5, 6, 30, 20, 2, 3, 0, gfx::kBlack, gfx::kWhite},
        {5, 6, 30, 20, 2, 3, kRedRef, gfx::kBlack, gfx::kWhite},
        {5, 6, 30, 20, 2, 3, clsDisp::kOpaque, gfx::kBlack, gfx::kWhite},
        {50, 40, 30, 20, 0, 0, 0, gfx::kBlack, gfx::kWhite},    // beyond the destination
        {-4, -2, 30, 20, 25, 20, 0, gfx::kBlack, gfx::kWhite},  // beyond the source
        {-4, -2, 30, 20, 25, 20, clsDisp::kOpaque, gfx::kBlack, gfx::kWhite},
        // The surfaces' own colours (black on black) darken the key areas too.
        {5, 6, 30, 20, 2, 3, 0, gfx::kBlack, gfx::kBlack},
        {5, 6, 30, 20, 2, 3, 0, gfx::rgb(0x0F, 0xF0, 0x3C), gfx::rgb(0xC3, 0x5A, 0xFF)},
    };
    for (const auto& c : cases) {
        Pair p;
        p.dst.foreColor = c.text;
        p.dst.backColor = c.back;
        const gfx::Bitmap expected = model(p.dst, c.dx, c.dy, c.w, c.h, p.src, c.sx, c.sy, c.color);
        clsDisp().TransparentBlt(p.dst, c.dx, c.dy, c.w, c.h, p.src, c.sx, c.sy, c.color);
        EXPECT_TRUE(p.dst.constImage() == expected)
            << c.dx << "," << c.dy << " key " << c.color << " colours " << c.text << "/" << c.back;
        EXPECT_EQ(p.src.backColor, gfx::rgb(1, 2, 3));
    }
}

TEST(TransparentBlt, KeyPixelsLeaveTheDestinationOnAWhiteBackground) {
    Pair p;
    p.dst.backColor = gfx::kWhite;
    p.dst.foreColor = gfx::kBlack;
    const gfx::Bitmap before = p.dst.constImage();

    // All key colour: nothing changes.
    gfx::fillRect(p.src.image(), gfx::Rect{0, 0, 10, 10}, gfx::kBlack);
    clsDisp().TransparentBlt(p.dst, 3, 4, 10, 10, p.src, 0, 0, 0);
    EXPECT_TRUE(p.dst.constImage() == before);

    // No key colour: the same as the opaque copy.
    gfx::fillRect(p.src.image(), gfx::Rect{0, 0, 10, 10}, gfx::rgb(4, 5, 6));
    gfx::Bitmap opaque = before;
    gfx::bitBlt(opaque, 3, 4, 10, 10, p.src.constImage(), 0, 0, gfx::Rop::SrcCopy);
    clsDisp().TransparentBlt(p.dst, 3, 4, 10, 10, p.src, 0, 0, 0);
    EXPECT_TRUE(p.dst.constImage() == opaque);

    // Red is the key when the low byte is 255: red pixels let the destination through, a blue
    // one does not.
    Pair q;
    q.dst.backColor = gfx::kWhite;
    q.dst.foreColor = gfx::kBlack;
    q.src.image().set(0, 0, kRed);
    q.src.image().set(1, 0, gfx::rgb(0, 0, 255));
    const gfx::Pixel under = q.dst.constImage().at(20, 20);
    clsDisp().TransparentBlt(q.dst, 20, 20, 2, 1, q.src, 0, 0, kRedRef);
    EXPECT_EQ(q.dst.constImage().at(20, 20), under);
    EXPECT_EQ(q.dst.constImage().at(21, 20), gfx::rgb(0, 0, 255));
}

TEST(TransparentBlt, EmptyRectanglesDrawNothing) {
    for (const std::int32_t color : {0, clsDisp::kOpaque}) {
        for (const auto& [w, h] : {std::pair{0, 10}, {10, 0}, {-3, 10}, {10, -3}}) {
            Pair p;
            const gfx::Bitmap before = p.dst.constImage();
            clsDisp().TransparentBlt(p.dst, 0, 0, w, h, p.src, 0, 0, color);
            EXPECT_TRUE(p.dst.constImage() == before) << w << "x" << h << " key " << color;
        }
    }
}

}  // namespace
}  // namespace velko::effects
