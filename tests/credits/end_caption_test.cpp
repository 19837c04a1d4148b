// The closing caption: a cut to black, then "The End" in the middle of the screen growing
// from black to (254, 254, 254) in 128 frames of 20 ms, and a screen that keeps it.

#include <gtest/gtest.h>

#include "credits_rig.h"

namespace velko::credits::testing {
namespace {

// Black with the caption in grey level g where it must stand: centred, 24 points, bold.
gfx::Bitmap captionAt(int g) {
    const auto font = fonts().open({platform::FontFace::Gothic, 32, 0, true, false, false});
    gfx::Bitmap b(640, 480, gfx::kBlack);
    const auto level = static_cast<std::uint8_t>(g);
    font->draw(b, (640 - font->measure(u"The End")) / 2, (480 - font->lineHeight()) / 2, u"The End",
               gfx::rgb(level, level, level), b.rect());
    return b;
}

TEST(EndCaption, CutsToBlackFadesInAndKeepsTheCaption) {
    CreditsRig rig(0xFFFFFF00u);  // the tick counter wraps during the caption
    rig.keep = {0, 1, 64, 127};
    auto& master = rig.picBackBuff;
    master.backColor = 0x102030;
    master.fontTransparent = true;
    auto role = rig.make();
    role.playLogo();

    ASSERT_EQ(rig.frames, 128);
    EXPECT_TRUE(rig.kept.at(0) == gfx::Bitmap(640, 480, gfx::kBlack));
    EXPECT_TRUE(rig.kept.at(1) == captionAt(2));
    EXPECT_TRUE(rig.kept.at(64) == captionAt(128));
    EXPECT_TRUE(rig.kept.at(127) == captionAt(254));
    expectPacedWithTheWindowOff(rig, 0xFFFFFF00u);

    // A repaint shows the caption; the master has its colours back but the last grey.
    rig.picDisp.clear();
    EXPECT_TRUE(rig.picDisp.constImage() == captionAt(254));
    EXPECT_EQ(master.backColor, 0x102030u);
    EXPECT_TRUE(master.fontTransparent);
    EXPECT_EQ(master.foreColor, 0xFEFEFEu);
}

}  // namespace
}  // namespace velko::credits::testing
