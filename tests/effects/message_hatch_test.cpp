// The checker backdrop of the message band, pixel by pixel.

#include <gtest/gtest.h>

#include "effects_rig.h"
#include "platform/gfx/raster.h"

namespace velko::effects {
namespace {

using testing::knownPicture;
using testing::Rig;

// What the back buffer should hold after dimming (l, t, w, h) of `before`.
gfx::Bitmap dimmed(const gfx::Bitmap& before, int l, int t, int w, int h) {
    gfx::Bitmap out = before;
    for (int y = std::max(t, 0); y < std::min(t + h, out.height()); ++y) {
        for (int x = std::max(l, 0); x < std::min(l + w, out.width()); ++x) {
            if ((x - l + y - t) % 2 == 0) {
                out.set(x, y, gfx::kBlack);
            }
        }
    }
    return out;
}

// A back buffer holding a picture plus run-time drawing, and a screen showing something else.
gfx::Bitmap prepare(Rig& rig) {
    rig.back.setPicture(knownPicture());
    gfx::fillRect(rig.back.image(), gfx::Rect{300, 300, 50, 50}, gfx::rgb(9, 9, 9));
    gfx::fillRect(rig.screen.image(), rig.screen.constImage().rect(), gfx::rgb(200, 0, 0));
    return rig.back.constImage();
}

TEST(MessageHatch, DimsTheBandAlignedToItsCorner) {
    Rig rig;
    const gfx::Bitmap before = prepare(rig);
    rig.hatch.MessageHatch(40, 360, 560, 160);
    const gfx::Bitmap& after = rig.back.constImage();
    EXPECT_EQ(after.at(40, 360), gfx::kBlack);
    EXPECT_EQ(after.at(41, 360), before.at(41, 360));
    EXPECT_EQ(after.at(40, 479), before.at(40, 479));
    EXPECT_EQ(after.at(39, 360), before.at(39, 360));
    EXPECT_EQ(after.at(40, 359), before.at(40, 359));
    EXPECT_EQ(after.at(598, 479), before.at(598, 479));
    EXPECT_EQ(after.at(599, 479), gfx::kBlack);
    EXPECT_EQ(after.at(600, 360), before.at(600, 360));
    EXPECT_TRUE(after == dimmed(before, 40, 360, 560, 160));

    EXPECT_TRUE(rig.screen.constImage() == after);
    ASSERT_TRUE(rig.back.picture() && rig.screen.picture());
    EXPECT_TRUE(*rig.back.picture() == after);
    EXPECT_TRUE(*rig.screen.picture() == after);

    // The second time the same pixels are cleared again.
    rig.hatch.MessageHatch(40, 360, 560, 160);
    EXPECT_TRUE(rig.back.constImage() == after);
    EXPECT_TRUE(rig.screen.constImage() == after);

    // An odd corner: the checker follows the rectangle, not the screen.
    rig.hatch.MessageHatch(41, 100, 4, 2);
    EXPECT_EQ(rig.back.constImage().at(41, 100), gfx::kBlack);
    EXPECT_EQ(rig.back.constImage().at(42, 100), before.at(42, 100));
}

TEST(MessageHatch, ClipsToTheSurfaces) {
    const struct {
        int l, t, w, h;
    } cases[] = {{600, 400, 100, 100}, {-3, -5, 20, 20}, {0, 0, 640, 480}, {700, 0, 10, 10}};
    for (const auto& c : cases) {
        Rig rig;
        const gfx::Bitmap before = prepare(rig);
        rig.hatch.MessageHatch(static_cast<std::int16_t>(c.l), static_cast<std::int16_t>(c.t),
                               static_cast<std::int16_t>(c.w), static_cast<std::int16_t>(c.h));
        EXPECT_TRUE(rig.back.constImage() == dimmed(before, c.l, c.t, c.w, c.h))
            << c.l << "," << c.t << " " << c.w << "x" << c.h;
    }
}

TEST(MessageHatch, EmptyRectangleStillShowsTheBackBuffer) {
    for (const std::int16_t w : {0, -5}) {
        Rig rig;
        const gfx::Bitmap before = prepare(rig);
        rig.hatch.MessageHatch(40, 360, w, 160);
        EXPECT_TRUE(rig.back.constImage() == before);
        EXPECT_TRUE(rig.screen.constImage() == before);
        ASSERT_TRUE(rig.screen.picture());
        EXPECT_TRUE(*rig.screen.picture() == before);
        EXPECT_TRUE(*rig.back.picture() == before);
    }
}

}  // namespace
}  // namespace velko::effects
