#include "pictures/previews.h"

#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/sky.h"
#include "scenery/town.h"

namespace velko::art {

using namespace paint;

void paintPreviewOldLantern(Canvas& c, std::uint64_t seed) {
    const float w = static_cast<float>(c.width());
    const float h = static_cast<float>(c.height());
    Rng rng(seed);
    skyGradient(c, {{0.0f, hex(0x0E1A40)}, {0.6f, hex(0x2A4478)}, {1.0f, hex(0x5A74A8)}}, h * 0.7f);
    stars(c, 60, c.box(), rng, 0.7f, [&](float, float y) { return 1.0f - y / (h * 0.5f); });
    Path trees;
    for (int i = 0; i < 10; ++i) {
        const float x = w * (static_cast<float>(i) + rng.range(-0.3f, 0.3f)) / 9.0f;
        const float hgt = h * rng.range(0.35f, 0.6f);
        trees.append(cedar({x, h * 0.72f}, hgt, hgt * 0.35f, rng));
    }
    c.fill(trees, hex(0x0C1424));
    c.fill(Path().addRect(0, h * 0.7f, w, h), hex(0x161E2E));
    LanternLook old;
    old.stone = hex(0x5A6274);
    old.stoneDark = hex(0x1E2230);
    old.tall = true;
    stoneLantern(c, w * 0.5f, h * 0.93f, h * 0.72f, old);
    mist(
        c, hex(0x3A4A78),
        [&](float, float y) {
            return 0.35f * std::exp(-std::pow((y - h * 0.75f) / (h * 0.12f), 2.0f));
        },
        w * 0.4f, seed + 1);
    vignette(c, 0.4f);
}

void paintPreviewRiverNight(Canvas& c, std::uint64_t seed) {
    const float w = static_cast<float>(c.width());
    const float h = static_cast<float>(c.height());
    Rng rng(seed);
    skyGradient(c, {{0.0f, hex(0x040818)}, {1.0f, hex(0x14204A)}}, h * 0.38f);
    stars(c, 90, c.box(), rng, 0.8f, [&](float, float y) { return 1.0f - y / (h * 0.4f); });
    c.fill(
        rangePath({h * 0.4f, h * 0.06f, w * 0.5f, seed + 1, h * 0.01f, w * 0.03f, true}, 0, w, h),
        hex(0x080C16));
    // Town lights on the far bank.
    for (int i = 0; i < 24; ++i) {
        glow(c, {rng.range(0, w), h * rng.range(0.39f, 0.42f)}, 1.5f, hex(0xFFD090), 0.7f);
    }
    // The river and its ripples.
    Path water;
    water.addRect(0, h * 0.42f, w, h);
    c.fill(water, linearGradient({0, h * 0.42f}, {0, h}, {{0, hex(0x1A2648)}, {1, hex(0x060A18)}}));
    for (int i = 0; i < 70; ++i) {
        const float y = h * rng.range(0.43f, 1.0f);
        const float x = rng.range(0, w);
        c.fill(Path().addEllipse(x, y, w * rng.range(0.02f, 0.08f), 0.7f), hex(0x4A5A8A), 0.5f);
    }
    // One floating lantern and its trembling reflection.
    const Vec2 l{w * 0.55f, h * 0.66f};
    for (int k = 0; k < 10; ++k) {
        const float y = l.y + h * 0.04f + static_cast<float>(k) * h * 0.018f;
        c.fill(Path().addEllipse(l.x + rng.range(-3, 3), y,
                                 w * 0.05f * (1.0f - static_cast<float>(k) * 0.07f), 1.2f),
               hex(0xFFB060), 0.5f - static_cast<float>(k) * 0.04f);
    }
    c.fill(Path().addRect(l.x - w * 0.1f, l.y + h * 0.03f, w * 0.2f, h * 0.015f), hex(0x3A2414));
    Path box;
    box.addRect(l.x - w * 0.07f, l.y - h * 0.05f, w * 0.14f, h * 0.08f);
    c.fill(box, linearGradient({0, l.y - h * 0.05f}, {0, l.y + h * 0.03f},
                               {{0, hex(0xFFE8B0)}, {1, hex(0xF09040)}}));
    c.fill(Path().addRect(l.x - w * 0.075f, l.y - h * 0.058f, w * 0.15f, h * 0.01f), hex(0x2A1A10));
    // The frame's corner posts and the middle bar, and the flame seen through the paper.
    Path frame;
    for (const float u : {-0.07f, -0.005f, 0.06f}) {
        frame.addRect(l.x + w * u, l.y - h * 0.05f, std::max(0.8f, w * 0.01f), h * 0.08f);
    }
    c.fill(frame, hex(0x5A3418), 0.8f);
    c.fill(Path().addEllipse(l.x - w * 0.035f, l.y - h * 0.005f, w * 0.012f, h * 0.018f),
           hex(0xFFFFF0), 0.7f);
    glow(c, l, w * 0.12f, hex(0xFFA040), 0.5f);
    vignette(c, 0.4f);
}

}  // namespace velko::art
