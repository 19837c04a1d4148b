// Masked fades through the headless host: every frame as the window showed it, the pacing on
// the virtual clock, and the window kept from input while a fade runs.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "effects_rig.h"
#include "platform/gfx/image_io.h"
#include "platform/gfx/raster.h"

namespace velko::effects {
namespace {

using testing::knownPicture;
using testing::masked;
using testing::Rig;

constexpr int kStep = 41;  // a step ends at the first reading more than 40 ms after its start

// Shots in the middle of each of the ten steps of a fade that starts at `start`.
headless::InputScript midStepShots(std::uint64_t start = 0) {
    headless::InputScript input;
    for (int k = 0; k < 10; ++k) {
        input.shots.push_back(
            {start + static_cast<std::uint64_t>(kStep * k + 20), "step" + std::to_string(k)});
    }
    return input;
}

gfx::Bitmap shot(const Rig& rig, const std::string& name) {
    auto b = gfx::loadPng(rig.shotDir / (name + ".png"));
    EXPECT_TRUE(b) << name;
    return b ? *b : gfx::Bitmap{};
}

void loadSource(Rig& rig, const gfx::Bitmap& picture) {
    rig.source.setPicture(picture);
}

bool allBlack(const gfx::Bitmap& b) {
    for (const gfx::Pixel p : b.pixels()) {
        if (p != gfx::kBlack) {
            return false;
        }
    }
    return !b.empty();
}

// Source pixels left in the 8 by 8 cell at (cx, cy).
int keptInCell(const gfx::Bitmap& frame, const gfx::Bitmap& src, int cx, int cy) {
    int n = 0;
    for (int y = cy * 8; y < cy * 8 + 8; ++y) {
        for (int x = cx * 8; x < cx * 8 + 8; ++x) {
            n += frame.at(x, y) == src.at(x, y);
        }
    }
    return n;
}

struct FadeCase {
    std::int16_t hatchMode;
    std::int16_t fadeMode;
};

class FadeFrames : public ::testing::TestWithParam<FadeCase> {};

// Frame k of a run uses pattern 10 - k fading in and k + 1 fading out; each is the source
// ANDed with that pattern's tile and nothing else.
TEST_P(FadeFrames, EachShownFrameIsTheSourceUnderOneMask) {
    const auto [hatchMode, fadeMode] = GetParam();
    Rig rig(midStepShots());
    const gfx::Bitmap src = knownPicture();
    loadSource(rig, src);
    const std::int16_t set = hatchMode == 0 ? 1 : 2;
    rig.hatch.PlayFade(hatchMode, fadeMode);
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(::testing::Message() << "frame " << k);
        const int n = fadeMode == 0 ? 10 - k : k + 1;
        const gfx::Bitmap frame = shot(rig, "step" + std::to_string(k));
        EXPECT_TRUE(frame == masked(src, hatchRows(set, n)));
        if (set == 2) {
            // A band at the right edge of every cell, max(0, 9 - n) pixels wide.
            const int band = std::max(0, 9 - n);
            for (int x = 0; x < 16; ++x) {
                EXPECT_EQ(frame.at(x, 5) == src.at(x, 5), x % 8 >= 8 - band) << x;
            }
        }
    }
    EXPECT_EQ(rig.clock.now(), 10u * kStep);
}

INSTANTIATE_TEST_SUITE_P(BothSetsBothWays, FadeFrames,
                         ::testing::Values(FadeCase{0, 0}, FadeCase{0, 1}, FadeCase{1, 0},
                                           FadeCase{1, 1}));

TEST(Fade, DissolveCellCountsAndStripeBlackFrames) {
    const std::array<int, 10> dissolveIn = {0, 8, 17, 25, 33, 39, 47, 54, 60, 64};
    Rig rig(midStepShots());
    const gfx::Bitmap src = knownPicture();
    loadSource(rig, src);
    rig.hatch.PlayFade(0, 0);
    for (int k = 0; k < 10; ++k) {
        const gfx::Bitmap frame = shot(rig, "step" + std::to_string(k));
        for (const auto& [cx, cy] : {std::pair{0, 0}, {1, 0}, {79, 59}, {40, 30}}) {
            EXPECT_EQ(keptInCell(frame, src, cx, cy), dissolveIn[static_cast<std::size_t>(k)])
                << "frame " << k << " cell " << cx << "," << cy;
        }
    }

    Rig stripes(midStepShots());
    loadSource(stripes, src);
    stripes.hatch.PlayFade(1, 0);
    EXPECT_TRUE(allBlack(shot(stripes, "step0")));
    EXPECT_TRUE(allBlack(shot(stripes, "step1")));
    EXPECT_FALSE(allBlack(shot(stripes, "step2")));
}

TEST(Fade, EndsOnTheLastFrameAsBasePicture) {
    Rig rig;
    const gfx::Bitmap src = knownPicture();
    loadSource(rig, src);
    rig.hatch.PlayFade(0, 0);
    EXPECT_TRUE(rig.screen.constImage() == src);
    EXPECT_TRUE(rig.back.constImage() == src);
    ASSERT_TRUE(rig.screen.picture() && rig.back.picture());
    EXPECT_TRUE(*rig.screen.picture() == src);
    EXPECT_TRUE(*rig.back.picture() == src);
    EXPECT_TRUE(rig.native.lastScreen() == src);
    // The mask surface is left holding the last tile: all white.
    EXPECT_TRUE(rig.mask.constImage() == gfx::Bitmap(640, 480, gfx::kWhite));

    // Text printed afterwards goes when the back buffer is cleared: the fade's frame returns.
    gfx::fillRect(rig.back.image(), gfx::Rect{50, 370, 100, 20}, gfx::kWhite);
    rig.back.clear();
    EXPECT_TRUE(rig.back.constImage() == src);

    rig.hatch.PlayFade(0, 1);
    EXPECT_TRUE(allBlack(rig.screen.constImage()));
    EXPECT_TRUE(allBlack(rig.back.constImage()));
    EXPECT_TRUE(allBlack(*rig.screen.picture()));
    EXPECT_TRUE(allBlack(rig.native.lastScreen()));
    EXPECT_EQ(rig.clock.now(), 20u * kStep);
    EXPECT_EQ(rig.trace.lines(),
              (std::vector<std::string>{"0 fade 0 0", std::to_string(10 * kStep) + " fade 0 1"}));
}

TEST(Fade, OverlaysVanishWithTheFirstFrame) {
    headless::InputScript input;
    input.shots.push_back({20, "first"});
    Rig rig(std::move(input));
    const gfx::Bitmap src = knownPicture();
    loadSource(rig, src);
    rig.back.setPicture(src);
    rig.screen.setPicture(src);
    gfx::fillRect(rig.back.image(), gfx::Rect{40, 360, 560, 120}, gfx::kWhite);
    gfx::fillRect(rig.screen.image(), gfx::Rect{0, 0, 640, 480}, gfx::rgb(1, 2, 3));
    rig.hatch.PlayFade(0, 1);  // pattern 1 first: the full source and nothing else
    EXPECT_TRUE(shot(rig, "first") == src);
}

TEST(Fade, StepsLast41MsAlsoAcrossTheTickCountWrap) {
    headless::InputScript input;
    for (const int t : {40, 41, 409}) {
        input.shots.push_back({static_cast<std::uint64_t>(t), "at" + std::to_string(t)});
    }
    Rig rig(std::move(input), 0xFFFFFFFFu - 100);  // the counter wraps during the third step
    const gfx::Bitmap src = knownPicture();
    loadSource(rig, src);
    rig.hatch.PlayFade(0, 0);
    EXPECT_EQ(rig.clock.now(), 10u * kStep);
    EXPECT_TRUE(allBlack(shot(rig, "at40")));
    EXPECT_TRUE(shot(rig, "at41") == masked(src, hatchRows(1, 9)));
    EXPECT_TRUE(shot(rig, "at409") == src);
}

TEST(Fade, FirstFadeWithoutASetShowsTenBlackFrames) {
    Rig rig(midStepShots());
    loadSource(rig, knownPicture());
    rig.hatch.PlayFade(5, 0);
    for (int k = 0; k < 10; ++k) {
        EXPECT_TRUE(allBlack(shot(rig, "step" + std::to_string(k)))) << k;
    }
    EXPECT_TRUE(allBlack(rig.screen.constImage()));

    // Later, another mode value reuses the set built last.
    Rig again(midStepShots(0));
    const gfx::Bitmap src = knownPicture();
    loadSource(again, src);
    again.hatch.PlayFade(1, 2);
    again.hatch.PlayFade(7, 0);
    EXPECT_TRUE(shot(again, "step3") == masked(src, hatchRows(2, 7)));
    EXPECT_TRUE(again.screen.constImage() == src);
}

TEST(Fade, NoDirectionDrawsNothingButStillBlocksInput) {
    headless::InputScript input;
    platform::InputEvent click;
    click.kind = platform::InputEvent::Kind::MouseDown;
    click.button = platform::kLeftButton;
    click.x = 100;
    click.y = 100;
    input.events.push_back({0, click});
    Rig rig(std::move(input));
    testing::ClickCounter counter;
    rig.screen.subscribe(&counter);
    loadSource(rig, knownPicture());
    const std::uint64_t before = rig.screen.version();

    rig.hatch.PlayFade(0, 2);
    EXPECT_EQ(rig.screen.version(), before);
    EXPECT_TRUE(allBlack(rig.screen.constImage()));
    EXPECT_FALSE(rig.screen.picture());
    EXPECT_EQ(rig.clock.now(), 0u);
    EXPECT_EQ(counter.clicks, 0);  // processed at the end of the fade, while disabled
    EXPECT_TRUE(rig.window.enabled());
    EXPECT_EQ(rig.trace.lines(), std::vector<std::string>{"0 fade 0 2"});
}

TEST(Fade, ClicksDuringAFadeReachNoListener) {
    headless::InputScript input;
    platform::InputEvent click;
    click.kind = platform::InputEvent::Kind::MouseDown;
    click.button = platform::kLeftButton;
    click.x = 320;
    click.y = 240;
    input.events.push_back({100, click});
    input.events.push_back({300, click});
    input.events.push_back({500, click});
    Rig rig(std::move(input));
    testing::ClickCounter counter;
    rig.screen.subscribe(&counter);
    loadSource(rig, knownPicture());

    rig.hatch.PlayFade(0, 0);
    EXPECT_EQ(counter.clicks, 0);
    EXPECT_TRUE(rig.window.enabled());

    // The rig does deliver clicks: the one after the fade arrives.
    rig.clock.advanceTo(500);
    rig.pump.processEvents();
    EXPECT_EQ(counter.clicks, 1);
}

}  // namespace
}  // namespace velko::effects
