// The staff roll frame by frame. The model: the credits are one long list (heading, a blank
// row, then each entry, 30 pixels apart) printed black on white and merged onto the scene as
// white text; frame f shows it from list row 2f - 478 while the first page rises, and from
// 2f - 476 once the strip turns into a ring (a 4-pixel jump). Once the ring has wrapped, the
// screen's two bottom rows are left to the scene. Every kept frame must equal the model
// exactly, whatever the ring does to produce it.

#include <gtest/gtest.h>

#include "credits_rig.h"
#include "platform/gfx/raster.h"

namespace velko::credits::testing {
namespace {

constexpr int kEntryFrames = 240;
constexpr int kRingFrames = 644;
constexpr int kFrames = kEntryFrames + kRingFrames;

std::shared_ptr<const platform::Font> rollFont() {
    platform::FontSpec request;
    request.emHeight = 25;
    request.bold = true;
    request.antialias = false;
    return fonts().open(request);
}

// The whole list on one long white strip, as the reader should see it pass.
gfx::Bitmap longList(const std::vector<StaffEntry>& entries) {
    const auto font = rollFont();
    gfx::Bitmap strip(640, 60 + 30 * static_cast<int>(entries.size()), gfx::kWhite);
    font->draw(strip, 220, 0, u"■ スタッフ ■", gfx::kBlack, strip.rect());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int top = 60 + 30 * static_cast<int>(i);
        font->draw(strip, 100, top, entries[i].role, gfx::kBlack, strip.rect());
        font->draw(strip, 275, top, entries[i].name, gfx::kBlack, strip.rect());
    }
    return strip;
}

gfx::Bitmap modelFrame(const gfx::Bitmap& scene, const gfx::Bitmap& list, int f) {
    gfx::Bitmap out = scene;
    const int offset = f < kEntryFrames ? 2 * f - 478 : 2 * f - 476;
    const int readOffset = f < kEntryFrames ? 0 : (2 + 2 * (f - kEntryFrames)) % 510;
    for (int y = 0; y < 480; ++y) {
        const int row = y + offset;
        if (row < 0 || row >= list.height()) {
            continue;
        }
        if (f >= kEntryFrames && y >= 478 && y > 507 - readOffset) {
            continue;
        }
        for (int x = 10; x < 640; ++x) {
            out.set(x, y, (~list.at(x - 10, row) & 0xFFFFFF) | scene.at(x, y));
        }
    }
    return out;
}

// Every kept frame against the model of the list the roll was given.
void expectKeptFramesMatchTheModel(const CreditsRig& rig, const StaffRole& role) {
    const gfx::Bitmap scene = scenePicture();
    const gfx::Bitmap list = longList(role.credits());
    for (const auto& [f, shot] : rig.kept) {
        EXPECT_TRUE(shot == modelFrame(scene, list, f)) << "frame " << f;
    }
}

TEST(StaffRoll, EveryKeptFrameShowsTheListScrolledTwoPixelsAFrame) {
    CreditsRig rig;
    // Both ends of the rising page, the jump into the ring, the first refills and the first
    // wrap of the ring, the last name leaving, and the bare scene at the end.
    rig.keep = {0,   1,   120, 238, 239, 240, 241, 253, 254, 255, 268,
                269, 300, 477, 478, 479, 480, 700, 760, 822, 823, 883};
    auto role = rig.make();
    role.playStaffRole();

    ASSERT_EQ(role.credits().size(), 37u);
    ASSERT_EQ(rig.frames, kFrames);
    expectKeptFramesMatchTheModel(rig, role);
    const gfx::Bitmap scene = scenePicture();
    // Halfway up the heading shows; at the end the scene is bare and stays on the screen.
    EXPECT_FALSE(rig.kept.at(120) == scene);
    EXPECT_TRUE(rig.kept.at(kFrames - 1) == scene);
    EXPECT_TRUE(rig.picDisp.constImage() == scene);
    EXPECT_TRUE(rig.warnings.empty());
}

TEST(StaffRoll, PacedTwentyMillisecondsAFrameWithTheWindowOffAndSurfacesGivenBack) {
    CreditsRig rig(0xFFFFF000u);  // the tick counter wraps during the roll
    auto& staff = rig.picFPtarn;
    staff.backColor = 0x123456;
    staff.foreColor = 0x654321;
    staff.fontTransparent = true;
    rig.picBackBuff.backColor = 0x010203;
    auto role = rig.make();
    role.playStaffRole();

    ASSERT_EQ(rig.clock.waits.size(), static_cast<std::size_t>(kFrames));
    expectPacedWithTheWindowOff(rig, 0xFFFFF000u);
    EXPECT_EQ(staff.height(), 480);
    EXPECT_EQ(staff.backColor, 0x123456u);
    EXPECT_EQ(staff.foreColor, 0x654321u);
    EXPECT_TRUE(staff.fontTransparent);
    EXPECT_NE(staff.currentFont()->request().emHeight, 25);  // the window font again
    EXPECT_EQ(rig.picBackBuff.backColor, 0x010203u);
}

TEST(StaffRoll, ABrokenShortListRollsWithWarningsAndEndsSooner) {
    CreditsRig rig;
    rig.keep = {239, 400};
    auto role = rig.make(
        "0\t脚 本\t月岡　七海\n"
        "2\tno second tab\n"
        "6\t作 曲\t汐見　蒼\n");
    role.playStaffRole();

    ASSERT_EQ(rig.warnings.size(), 1u);
    EXPECT_EQ(rig.warnings[0].rfind("staff.txt:2: ", 0), 0u) << rig.warnings[0];
    // Padded to the first page; 21 refills after it, the first 14 frames into the ring.
    ASSERT_EQ(role.credits().size(), 15u);
    EXPECT_EQ(rig.frames, kEntryFrames + 14 + 15 * 20);
    expectKeptFramesMatchTheModel(rig, role);
}

}  // namespace
}  // namespace velko::credits::testing
