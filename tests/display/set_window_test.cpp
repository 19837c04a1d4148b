// Display setup: centring with half-to-even rounding, the classic outer sizes, the
// display-mode record byte for byte, and what SetWindow asks of the window.

#include <gtest/gtest.h>

#include <vector>

#include "display/placement.h"
#include "display/set_window.h"
#include "support/fake_platform.h"

namespace velko::display {
namespace {

TEST(Placement, RoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4), 2);
}

TEST(Placement, CentresTheScreenArea) {
    struct Case {
        int w, h, x, y;
    };
    for (const Case c : {Case{640, 480, 0, 0}, Case{800, 600, 80, 60}, Case{1024, 768, 192, 144},
                         Case{639, 479, 0, 0},    // -0.5 rounds to 0
                         Case{637, 477, -2, -2},  // -1.5 rounds to -2
                         Case{641, 483, 0, 2},    // 0.5 -> 0, 1.5 -> 2
                         Case{600, 400, -20, -40}}) {
        const WindowPlacement p = topWindowPlacement(c.w, c.h, false);
        EXPECT_EQ(p.x, c.x) << c.w;
        EXPECT_EQ(p.y, c.y) << c.h;
    }
    EXPECT_EQ(centredX(1920, 2), 320);
    EXPECT_EQ(centredY(1080, 2), 60);
}

TEST(Placement, OuterSizeForBothStates) {
    const WindowPlacement framed = topWindowPlacement(1024, 768, false);
    EXPECT_EQ(framed.width, 640 + 2 * 2 + 2 * 1);
    EXPECT_EQ(framed.height, 480 + 18 + 19 + 2 * 2 + 2 * 1);
    EXPECT_FALSE(framed.topmost);
    const WindowPlacement top = topWindowPlacement(1024, 768, true);
    EXPECT_EQ(top.width, 644);
    EXPECT_EQ(top.height, 521);
    EXPECT_TRUE(top.topmost);
    SystemMetrics big;
    big.cyCaption = 23;
    big.cxBorder = 3;
    EXPECT_EQ(topWindowPlacement(1024, 768, false, big).width, 650);
    EXPECT_EQ(topWindowPlacement(1024, 768, false, big).height, 480 + 23 + 19 + 4 + 2);
}

std::uint32_t le32(const std::array<std::uint8_t, 124>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

TEST(DisplayModeRecord, FieldsAndLayout) {
    const DevModeA keep = displayModeRecord(800, 600, -1);
    EXPECT_EQ(keep.dmSize, 122);
    EXPECT_EQ(keep.dmFields, 0x180000u);
    EXPECT_EQ(keep.dmPelsWidth, 800u);
    EXPECT_EQ(keep.dmPelsHeight, 600u);
    EXPECT_EQ(keep.dmBitsPerPel, 0u);

    const DevModeA deep = displayModeRecord(640, 480, 16);
    EXPECT_EQ(deep.dmFields, 0x1C0000u);
    const auto b = deep.bytes();
    EXPECT_EQ(b[36] | (b[37] << 8), 122);
    EXPECT_EQ(le32(b, 40), 0x1C0000u);
    EXPECT_EQ(le32(b, 104), 16u);
    EXPECT_EQ(le32(b, 108), 640u);
    EXPECT_EQ(le32(b, 112), 480u);
    // Everything else stays zero.
    std::size_t nonZero = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const bool field = i == 36 || i == 37 || (i >= 40 && i < 44) || (i >= 104 && i < 116);
        if (!field && b[i] != 0) {
            ++nonZero;
        }
    }
    EXPECT_EQ(nonZero, 0u);
}

class FakeWindow final : public velko::testing::NullNativeWindow {
public:
    platform::DisplayInfo info;
    int scale = 1;
    std::vector<std::vector<int>> calls;
    int modeResult = 0;

    platform::DisplayInfo display() override { return info; }
    void show(int x, int y, int s) override { calls.push_back({0, x, y, s}); }
    int preferredScale() override { return scale; }
    int setDisplayMode(int w, int h, int bpp) override {
        calls.push_back({1, w, h, bpp});
        return modeResult;
    }
};

TEST(SetWindow, ColourDepthCheck) {
    FakeWindow w;
    SetWindow sw(w);
    for (int bpp : {16, 24, 32}) {
        w.info.bitsPerPixel = bpp;
        EXPECT_EQ(sw.chkDevColor(), -1) << bpp;
    }
    for (int bpp : {1, 4, 8, 15}) {
        w.info.bitsPerPixel = bpp;
        EXPECT_EQ(sw.chkDevColor(), 0) << bpp;
    }
}

TEST(SetWindow, ShowsCentredAtThePreferredScale) {
    FakeWindow w;
    w.info = {800, 600, 32};
    SetWindow(w).SetTopWindow(0);
    w.info = {1920, 1080, 32};
    w.scale = 2;
    SetWindow(w).SetTopWindow(0);
    EXPECT_EQ(w.calls, (std::vector<std::vector<int>>{{0, 80, 60, 1}, {0, 320, 60, 2}}));
}

TEST(SetWindow, DisplayModeGoesToTheWindowAndReturnsItsCode) {
    FakeWindow w;
    SetWindow sw(w);
    EXPECT_EQ(sw.SetDisplayMode(800, 600, -1), 0);
    w.modeResult = -2;
    EXPECT_EQ(sw.SetDisplayMode(640, 480, 16), -2);
    sw.chgDispMode(-1);
    EXPECT_EQ(w.calls, (std::vector<std::vector<int>>{{1, 800, 600, -1}, {1, 640, 480, 16}}));
}

}  // namespace
}  // namespace velko::display
