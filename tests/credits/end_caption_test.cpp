// The closing caption: a cut to black, then "The End" in the middle of the screen growing
// from black to (254, 254, 254) in 128 frames of 20 ms, and a screen that keeps it.

#include <gtest/gtest.h>

#include <cmath>

#include "credits_rig.h"

namespace velko::credits::testing {
namespace {

constexpr int kSteps = 128;

// Black with the caption in grey level g, where the caption must stand.
gfx::Bitmap captionAt(int g) {
    platform::FontSpec request;
    request.emHeight = 32;  // 24 points
    request.bold = true;
    request.antialias = false;
    const auto font = fonts().open(request);
    gfx::Bitmap b(640, 480, gfx::kBlack);
    const int x = (640 - font->measure(u"The End")) / 2;
    const int y = (480 - font->lineHeight()) / 2;
    const auto level = static_cast<std::uint8_t>(g);
    font->draw(b, x, y, u"The End", gfx::rgb(level, level, level), b.rect());
    return b;
}

TEST(EndCaption, CutsToBlackThenFadesTheCaptionInAndKeepsIt) {
    CreditsRig rig;
    rig.keep = {0, 1, 64, 127};
    auto role = rig.make();
    role.playLogo();

    ASSERT_EQ(rig.frames, kSteps);
    EXPECT_EQ(rig.kept.at(0), gfx::Bitmap(640, 480, gfx::kBlack));
    EXPECT_EQ(rig.kept.at(1), captionAt(2));
    EXPECT_EQ(rig.kept.at(64), captionAt(128));
    EXPECT_EQ(rig.kept.at(127), captionAt(254));
    // Centred: as much black left of the text as right of it.
    const gfx::Bitmap& last = rig.kept.at(127);
    int left = 640, right = -1, top = 480, bottom = -1;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (last.at(x, y) != gfx::kBlack) {
                ASSERT_EQ(last.at(x, y), 0xFEFEFEu);
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_LE(std::abs(left - (639 - right)), 4);
    EXPECT_LE(std::abs(top - (479 - bottom)), 8);
    EXPECT_GT(right - left, 80);  // legible, not a speck

    // A repaint shows the caption: it is the screen's base picture now.
    rig.picDisp.clear();
    EXPECT_EQ(rig.picDisp.constImage(), captionAt(254));
}

TEST(EndCaption, PacedWithoutEventsAndGivesTheMasterBackItsProperties) {
    CreditsRig rig(0xFFFFFF00u);  // the tick counter wraps during the caption
    auto& master = rig.picBackBuff;
    master.backColor = 0x102030;
    master.fontBold = false;
    master.fontSize = 14.25;
    master.fontTransparent = true;
    auto role = rig.make();
    role.playLogo();

    ASSERT_EQ(rig.clock.waits.size(), static_cast<std::size_t>(kSteps));
    for (std::size_t i = 0; i < rig.clock.waits.size(); ++i) {
        ASSERT_EQ(rig.clock.waits[i].start, static_cast<std::uint32_t>(0xFFFFFF00u + 21u * i));
        ASSERT_EQ(rig.clock.waits[i].period, 20u);
    }
    EXPECT_FALSE(rig.enabledDuringFrames);
    EXPECT_TRUE(rig.window.enabled());
    EXPECT_EQ(master.backColor, 0x102030u);
    EXPECT_FALSE(master.fontBold);
    EXPECT_EQ(master.fontSize, 14.25);
    EXPECT_TRUE(master.fontTransparent);
    // The last grey stays; the scene is gone from the master.
    EXPECT_EQ(master.foreColor, 0xFEFEFEu);
    EXPECT_FALSE(master.picture().has_value());
}

}  // namespace
}  // namespace velko::credits::testing
