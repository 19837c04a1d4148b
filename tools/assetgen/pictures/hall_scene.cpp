#include "pictures/hall_scene.h"

#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/pictures.h"
#include "pictures/torii_scene.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/sky.h"

namespace velko::art {

using namespace paint;

void paintHallScene(Canvas& c, HallTime time, std::uint64_t seed) {
    const Frame f(c);
    const float s = f.s;
    Rng rng(seed);
    const bool dusk = time == HallTime::AfterRain;
    const float horizon = f.y(300);

    if (dusk) {
        skyGradient(c,
                    {{0.0f, hex(0x2A3350)},
                     {0.45f, hex(0x4A5070)},
                     {0.7f, hex(0xC8C890)},
                     {0.8f, hex(0xE8E0A0)},
                     {1.0f, hex(0x8A8098)}},
                    f.y(260));
        CloudStyle broken;
        broken.lit = hex(0x8A8AA8);
        broken.shade = hex(0x3A3E58);
        broken.rim = hex(0xF0E0A0);
        broken.rimAmount = 0.6f;
        broken.light = {0.3f, 1.0f};
        broken.scale = f.len(50);
        broken.stretch = 2.2f;
        broken.threshold = 0.42f;
        broken.softness = 0.18f;
        broken.seed = seed + 1;
        clouds(c, c.box(), bandEnvelope(-f.len(50), f.y(150), 1.0f), broken);
        glow(c, f.at(470, 74), f.len(2.0f), hex(0xFFF8E0), 0.9f);
        c.fill(Path().addCircle(f.x(470), f.y(74), f.len(1.3f)), hex(0xFFFFF0));
    } else {
        skyGradient(c, {{0.0f, hex(0x8AB8E0)}, {0.6f, hex(0xCDE2EE)}, {1.0f, hex(0xF4EEDC)}},
                    f.y(260));
        glow(c, f.at(560, 60), f.len(160), hex(0xFFF0D0), 0.35f);
    }
    // Cedars behind the hall, with low mist among them.
    const Rgb forest = dusk ? hex(0x1A2628) : hex(0x3E5E4A);
    const Rgb air = dusk ? hex(0x5A6078) : hex(0xC8D8DC);
    for (int row = 0; row < 3; ++row) {
        Path trees;
        for (int i = 0; i < 26; ++i) {
            const float x = f.w * (static_cast<float>(i) + rng.range(-0.4f, 0.4f)) / 25.0f;
            const float hgt = f.len(rng.range(140, 230)) * (0.8f + 0.15f * static_cast<float>(row));
            trees.append(cedar({x, horizon}, hgt, hgt * 0.3f, rng));
        }
        c.fill(trees, mix(forest, air, 0.6f - 0.25f * static_cast<float>(row)));
    }
    mist(
        c, air,
        [&](float, float y) {
            return 0.55f * std::exp(-std::pow((y - horizon + f.len(20)) / f.len(35), 2.0f));
        },
        f.len(90), seed + 3);

    // Gravel.
    Path ground;
    ground.addRect(0, horizon - f.len(4), f.w, f.h);
    const Rgb gravel = dusk ? hex(0x4A4C58) : hex(0xD8D2C4);
    c.fill(ground, Shader([&](float x, float y) {
               const float n = valueNoise(x / f.len(1.4f), y / f.len(1.4f), seed + 4);
               const float d = (y - horizon) / (f.h - horizon);
               return scale(gravel, 0.75f + 0.2f * n + 0.15f * d);
           }));

    // A flagstone path across the gravel to the hall's steps.
    {
        const float cx = dusk ? f.x(380) : f.x(400);
        const float top = horizon + f.len(22);
        const Rgb slab = dusk ? hex(0x5A5C66) : hex(0xC8C2B4);
        const Vec2 q[] = {{cx - f.len(34), top},
                          {cx + f.len(34), top},
                          {cx + f.len(150), f.h},
                          {cx - f.len(150), f.h}};
        c.fill(Path().addPolygon(q), Shader([&](float x, float y) {
                   const float n = fbm01(x / f.len(9), y / f.len(3), seed + 11, 3);
                   return scale(slab, 0.85f + 0.25f * n);
               }));
        Path joints;
        for (int k = 0; k < 12; ++k) {
            const float t = std::pow(static_cast<float>(k) / 11.0f, 1.7f);
            const float y = top + t * (f.h - top);
            const float half = f.len(34) + t * f.len(116);
            joints.addRect(cx - half, y, half * 2, std::max(0.6f, f.len(0.4f + 1.2f * t)));
            const float off = (k % 2 == 0 ? 0.2f : -0.25f) * half;
            const float next = std::pow(static_cast<float>(k + 1) / 11.0f, 1.7f);
            joints.addRect(cx + off, y, std::max(0.6f, f.len(0.5f + t)), (next - t) * (f.h - top));
        }
        c.fill(joints, scale(slab, 0.45f), 0.8f);
    }

    // The hall.
    HallLook look{dusk ? hex(0x3E6A5A) : hex(0x5A9A82),
                  dusk ? hex(0x6A9A8A) : hex(0x9ACAB4),
                  dusk ? hex(0x5A3A28) : hex(0x9A6A48),
                  dusk ? hex(0x2A1A12) : hex(0x5A3A28),
                  dusk ? hex(0x3A2410) : hex(0x3A2A20),
                  dusk ? hex(0x6A6A70) : hex(0xB8B4AC),
                  true,
                  dusk};
    const float hallX = dusk ? f.x(380) : f.x(400);
    shrineHall(c, hallX, horizon + f.len(22), f.len(dusk ? 330 : 300), look, s);
    if (!dusk) {
        // Soft morning light from the right on the hall's face.
        c.tint(hex(0xFFF0D0), [&](float x, float y) {
            return y < horizon + f.len(22) ? 0.12f * clamp01((x - f.x(250)) / f.len(300)) : 0.0f;
        });
    }
    // A stone lantern on each side of the path.
    LanternLook ll;
    ll.stone = dusk ? hex(0x6A6C70) : hex(0xB0ACA4);
    ll.stoneDark = dusk ? hex(0x2A2C30) : hex(0x6A6660);
    ll.lit = dusk;
    stoneLantern(c, hallX - f.len(dusk ? 150 : 140), horizon + f.len(60), f.len(90), ll);
    stoneLantern(c, hallX + f.len(dusk ? 160 : 150), horizon + f.len(60), f.len(90), ll);

    // The sacred cedar at the left with its rope.
    const float trunkX = f.x(dusk ? 70 : 40);
    const Rgb bark = dusk ? hex(0x2A1E18) : hex(0x5A4030);
    shadowMask(
        c,
        rasterize(Path().addEllipse(trunkX + f.len(20), f.y(402), f.len(120), f.len(14)), c.box()),
        0, 0, f.len(10), hex(0x141418), 0.45f);
    // Buttress roots flare from the trunk into the ground, so it stands in the gravel rather
    // than on it; the ground heaps a little over them.
    Path roots;
    for (const float side : {-1.0f, 1.0f}) {
        const float half = f.len(60);
        const float out = side > 0 ? f.len(46) : f.len(30);
        std::vector<Vec2> root{{trunkX + side * half * 0.9f, f.y(340)}};
        const auto curve = sampleQuad({trunkX + side * half * 0.95f, f.y(350)},
                                      {trunkX + side * half * 1.05f, f.y(396)},
                                      {trunkX + side * (half * 0.75f + out), f.y(404)}, 12);
        root.insert(root.end(), curve.begin(), curve.end());
        root.push_back({trunkX + side * half * 0.7f, f.y(405)});
        root.push_back({trunkX + side * half * 0.7f, f.y(340)});
        roots.addPolygon(root);
    }
    c.fill(roots, linearGradient({trunkX - f.len(110), 0}, {trunkX + f.len(110), 0},
                                 {{0, scale(bark, 0.7f)},
                                  {0.6f, mix(bark, dusk ? hex(0x6A5448) : hex(0xB08A68), 0.45f)},
                                  {1, scale(bark, 0.8f)}}));
    cedarTrunk(c, trunkX, -10, f.y(400), f.len(120), bark, dusk ? hex(0x6A5448) : hex(0xB08A68),
               1.0f, seed + 5);
    Rng mound(seed + 12);
    Path heap;
    for (int k = 0; k < 14; ++k) {
        const float x = trunkX + f.len(mound.range(-120, 130));
        heap.addEllipse(x, f.y(404 + mound.range(-1, 3)), f.len(mound.range(8, 18)),
                        f.len(mound.range(2.5f, 4.5f)));
    }
    c.fill(heap, Shader([&](float x, float y) {
               const float n = valueNoise(x / f.len(1.4f), y / f.len(1.4f), seed + 4);
               return scale(dusk ? hex(0x3E404C) : hex(0xB8B2A4), 0.8f + 0.2f * n);
           }));
    shimenawa(c, {trunkX - f.len(64), f.y(180)}, {trunkX + f.len(64), f.y(184)}, f.len(22),
              f.len(11), dusk ? hex(0xB8A070) : hex(0xE0C890), s);
    Rng br(seed + 6);
    for (int k = 0; k < 4; ++k) {
        hangingBoughs(c, f.at(dusk ? 70 : 40, static_cast<float>(k) * 14),
                      f.len(230 - static_cast<float>(k) * 20), 0.2f + 0.1f * static_cast<float>(k),
                      dusk ? hex(0x0E1614) : hex(0x23382A), br, s);
    }

    if (dusk) {
        // Puddles mirror the lanterns and the sky.
        Path puddles;
        for (int i = 0; i < 8; ++i) {
            const float y = f.y(rng.range(340, 460));
            const float x = f.x(rng.range(150, 620));
            const float rx = f.len(rng.range(25, 70));
            // A flat, smoothly irregular pool, flatter the farther away.
            const float flat = 0.1f + 0.12f * (y - horizon) / (f.h - horizon);
            std::vector<Vec2> rim;
            for (int k = 0; k < 11; ++k) {
                const float a = 6.2832f * static_cast<float>(k) / 11;
                const float r = rng.range(0.7f, 1.15f);
                rim.push_back({x + std::cos(a) * rx * r, y + std::sin(a) * rx * flat * r});
            }
            puddles.addPolygon(smoothClosed(rim, 5));
        }
        // Wet, darker gravel round each puddle; the water mirrors the hall and a little of the
        // pale sky; its far edge catches the light.
        const Mask water = rasterize(puddles, c.box());
        c.fill(water.dilated(f.len(5)).blurred(f.len(5)), hex(0x5A5C70), 0.55f, Blend::Multiply);
        const Mask soft = water.blurred(f.len(1.2f));
        reflect(c, horizon + f.len(22), soft, 0.7f, f.len(2));
        c.fill(soft, hex(0xC8C8A0), 0.2f);
        paintRim(c, water, {0, -1}, std::max(0.7f, f.len(1.0f)), hex(0xE8E0B0), 0.35f);
        // The black cat on the offering box's step.
        c.fill(cat(f.at(430, 320), f.len(22), true), hex(0x08080A));
    }
    vignette(c, dusk ? 0.4f : 0.2f);
    grain(c, 0.025f, seed);
}

Canvas paintGroundsAfterRain(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintHallScene(c, HallTime::AfterRain, e.seed);
    return c;
}

}  // namespace velko::art
