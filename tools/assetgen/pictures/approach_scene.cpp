#include "pictures/approach_scene.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/approach_props.h"
#include "pictures/frame.h"
#include "pictures/storm_weather.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/sky.h"

namespace velko::art {

using namespace paint;

namespace {

// A simple ground-plane camera: lateral offset u and distance z (units) to the screen.
struct Ground {
    Frame f;
    float vpx, horizon, camH, focal;
    Vec2 at(float u, float z, float height = 0) const {
        const float k = focal / z;
        return {vpx + u * k, horizon + (camH - height) * k};
    }
    float px(float units, float z) const { return units * focal / z; }
};

}  // namespace

void paintApproach(Canvas& c, ApproachTime time, std::uint64_t seed) {
    const Frame f(c);
    const float s = f.s;
    Rng rng(seed);
    const bool storm = time == ApproachTime::Storm;
    const bool eve = time == ApproachTime::Eve;
    const Ground g{f, f.x(320), f.y(262), 1.6f, f.len(400)};

    // The storm's flash at the upper right: it lights the clouds and edges everything in white.
    StormLight flash;
    flash.bolt = f.at(478, -5);
    flash.towards = {0.75f, -0.65f};
    flash.flash = hex(0xA890FF);
    flash.edge = hex(0xE4E0FF);
    flash.horizon = g.horizon;
    flash.seed = seed + 1;

    // Sky.
    if (storm) {
        stormSky(c, f, flash);
    } else if (eve) {
        skyGradient(c,
                    {{0.0f, hex(0x1A1E48)},
                     {0.45f, hex(0x4A2E5A)},
                     {0.8f, hex(0xC0583A)},
                     {1.0f, hex(0xF08A3A)}},
                    g.horizon);
        Rng sr(seed + 9);
        stars(c, static_cast<int>(80 * s * s), c.box(), sr, 0.5f,
              [&](float, float y) { return 1.0f - smoothstep(f.y(10), f.y(90), y); });
    } else {
        skyGradient(c, {{0.0f, hex(0x2C6AC0)}, {0.6f, hex(0x6EA6E0)}, {1.0f, hex(0xC8E0F0)}},
                    g.horizon);
        CloudStyle big;
        big.lit = hex(0xFFFFFF);
        big.shade = hex(0x8494B0);
        big.scale = f.len(34);
        big.threshold = 0.42f;
        big.softness = 0.08f;
        big.seed = seed + 1;
        big.baseY = f.y(200);
        big.baseFade = f.len(60);
        clouds(c, c.box(),
               cumulusEnvelope({{f.x(330), f.y(200), f.len(260), f.len(150), seed + 2}}), big);
    }

    // Cedars behind everything, the hall at the end of the path.
    const Rgb forest = storm ? hex(0x06080A) : eve ? hex(0x1A1420) : hex(0x173022);
    const Rgb air = storm ? hex(0x1A1830) : eve ? hex(0x5A3A4A) : hex(0x8AA8C0);
    for (int row = 0; row < 2; ++row) {
        Path trees;
        for (int i = 0; i < 30; ++i) {
            const float x =
                f.x(f.left()) + f.w * (static_cast<float>(i) + rng.range(-0.3f, 0.3f)) / 29.0f;
            const float away = std::fabs(x - g.vpx) / f.len(320);
            float hgt = f.len(rng.range(90, 150)) * (0.8f + away * 1.5f) *
                        (1.0f + 0.2f * static_cast<float>(row));
            if (storm && x > g.vpx + f.len(60)) {
                hgt *= 0.62f;  // lower on the right: the flash shows above them
            }
            Path t = cedar({x, g.horizon + f.len(14)}, hgt, hgt * 0.34f, rng);
            if (storm) {
                // Bent by the wind towards the left.
                const Affine bend{1, 0.25f, -0.25f * (g.horizon + f.len(14)), 0, 1, 0};
                t = t.transformed(bend);
            }
            trees.append(t);
        }
        c.fill(trees, mix(forest, air, row == 0 ? 0.35f : 0.12f));
        if (storm) {
            paintRim(c, rasterize(trees, c.box()), flash.towards, std::max(0.8f, f.len(1.3f)),
                     flash.edge, row == 0 ? 0.35f : 0.6f);
        }
    }
    HallLook hall{storm ? hex(0x141A1E)
                  : eve ? hex(0x2A3434)
                        : hex(0x4E7A6A),
                  storm ? hex(0x2A3040)
                  : eve ? hex(0x4A5050)
                        : hex(0x8ABAA4),
                  storm ? hex(0x1E1612)
                  : eve ? hex(0x4A2E22)
                        : hex(0x7A4A30),
                  storm ? hex(0x0E0A08) : hex(0x2A1A14),
                  storm ? hex(0x0A0808)
                  : eve ? hex(0x6A3A1A)
                        : hex(0x2A2018),
                  storm ? hex(0x2A2A2E) : hex(0x9A968E),
                  false,
                  eve};
    if (storm) {
        Canvas layer(c.width(), c.height());
        shrineHall(layer, g.vpx, g.at(0, 20).y, g.px(8.5f, 20), hall, s * 0.6f);
        compositeFlashLit(c, layer, flash, std::max(0.8f, f.len(1.1f)), 0.55f);
    } else {
        shrineHall(c, g.vpx, g.at(0, 20).y, g.px(8.5f, 20), hall, s * 0.6f);
    }

    // Ground: gravel, and the flagstone path.
    Path ground;
    ground.addRect(0, g.horizon + f.len(10), f.w, f.h);
    const Rgb gravel = storm ? hex(0x24242C) : eve ? hex(0x5A4A4A) : hex(0xD8D0C0);
    c.fill(ground, Shader([&](float x, float y) {
               const float n = valueNoise(x / f.len(1.5f), y / f.len(1.5f), seed + 3);
               const float m = fbm01(x / f.len(40), y / f.len(10), seed + 4, 3);
               return scale(gravel, 0.8f + 0.15f * n + 0.1f * m);
           }));
    const Rgb flag = storm ? hex(0x30323A) : eve ? hex(0x6A5858) : hex(0xB8B0A4);
    Path path;
    const Vec2 pp[] = {g.at(-1.1f, 20), g.at(1.1f, 20), g.at(1.1f, 1.0f), g.at(-1.1f, 1.0f)};
    path.addPolygon(pp);
    c.fill(path, flag);
    Path joints;
    for (float z = 1.5f; z < 20; z += 0.9f) {
        const Vec2 a = g.at(-1.1f, z);
        const Vec2 b = g.at(1.1f, z);
        joints.addRect(a.x, a.y, b.x - a.x, std::max(0.6f, g.px(0.04f, z)));
        const Vec2 m1 = g.at((std::fmod(z * 7.3f, 1.0f) - 0.5f) * 1.4f, z);
        const Vec2 m2 = g.at((std::fmod(z * 7.3f, 1.0f) - 0.5f) * 1.4f, z + 0.9f);
        joints.append(strokePolyline(std::vector<Vec2>{m1, m2}, std::max(0.6f, g.px(0.03f, z))));
    }
    c.fill(joints, scale(flag, 0.6f), 0.8f);
    if (storm) {
        // Water streaming over the stones.
        for (int i = 0; i < static_cast<int>(120 * s); ++i) {
            const float z = rng.range(1.5f, 14.0f);
            const float u = rng.range(-1.6f, 1.6f);
            const Vec2 a = g.at(u, z);
            const Vec2 b = g.at(u + rng.range(-0.1f, 0.1f), z + rng.range(0.4f, 1.2f));
            c.fill(strokePolyline(std::vector<Vec2>{a, b}, std::max(0.6f, g.px(0.03f, z))),
                   hex(0x8A88B0), 0.22f);
        }
        // The wet stones mirror the flash: a broken sheen under it, streaked towards us.
        const float top = g.horizon + f.len(10);
        Path wet;
        wet.addRect(0, top, f.w, f.h - top);
        const std::uint64_t wetSeed = seed + 8;
        c.fill(wet, Shader([&](float x, float y) {
                   const float dx = (x - flash.bolt.x) / f.len(150);
                   const float depth = (y - top) / (f.h - top);
                   const float streak = valueNoise(x / f.len(3), y / f.len(26), wetSeed);
                   const float puddle =
                       smoothstep(0.5f, 0.75f, fbm01(x / f.len(30), y / f.len(8), wetSeed + 1, 3));
                   const float k = std::exp(-dx * dx) * (1.0f - 0.6f * depth) *
                                   (0.25f * streak + 0.75f * puddle);
                   return scale(flash.flash, 0.5f * k);
               }),
               1.0f, Blend::Add);
    }

    // Poles, ropes and rows of lanterns on both sides, far to near. In the storm they are
    // painted apart first, dimmed by the night and edged by the flash as one.
    Canvas rigLayer = storm ? Canvas(c.width(), c.height()) : Canvas();
    Canvas& rig = storm ? rigLayer : c;
    const Rgb poleCol = storm ? hex(0x14100E) : eve ? hex(0x3A2420) : hex(0x8A6A4A);
    for (const float side : {-1.0f, 1.0f}) {
        std::vector<float> zs;
        for (float z = 22.0f; z > 2.2f; z /= 1.32f) {
            zs.push_back(z);
        }
        for (std::size_t i = 0; i < zs.size(); ++i) {
            const float z = zs[i];
            const Vec2 base = g.at(side * 2.4f, z);
            const Vec2 top = g.at(side * 2.4f, z, 3.0f);
            if (!storm && !eve) {
                groundShadow(c, {g.vpx, g.horizon, g.camH, g.focal}, side * 2.4f, z, 0.14f, 0.5f);
            }
            rig.fill(Path().addRect(base.x - g.px(0.05f, z), top.y, g.px(0.1f, z), base.y - top.y),
                     poleCol);
            if (i == 0) {
                continue;
            }
            const float zf = zs[i - 1];
            const Vec2 farTop = g.at(side * 2.4f, zf, 3.0f);
            const float sag = g.px(0.35f, z);
            auto rope = catenary(farTop, top, sag, 30);
            if (storm) {
                // The wind bows every span to the left.
                for (std::size_t k = 0; k < rope.size(); ++k) {
                    const float t = static_cast<float>(k) / static_cast<float>(rope.size() - 1);
                    rope[k].x -= sag * 1.4f * std::sin(3.14159f * t);
                }
            }
            rig.fill(strokePolyline(rope, std::max(0.6f, g.px(0.02f, z))),
                     storm ? hex(0x2A2830) : hex(0x4A3A30));
            for (int k = 1; k <= 3; ++k) {
                const float t = static_cast<float>(k) / 4.0f;
                const float zz = zf + (z - zf) * t;
                const Vec2 hook = rope[static_cast<std::size_t>(t * 30)];
                const float r = g.px(0.2f, zz);
                PaperStyle style = eve ? PaperStyle::FestivalLit : PaperStyle::FestivalWhiteRed;
                float tilt = 0;
                float cord = 1.6f;
                if (storm) {
                    // Each swings its own way on its own length of cord; some are gone.
                    tilt = rng.range(-0.95f, 0.25f);
                    cord = rng.range(1.3f, 2.8f);
                    style = rng.chance(0.3f) ? PaperStyle::Torn : PaperStyle::FestivalWhiteRed;
                    if (rng.chance(0.28f)) {
                        continue;  // blown away
                    }
                }
                const Vec2 centre{hook.x - std::sin(tilt) * r * cord,
                                  hook.y + std::cos(tilt) * r * cord};
                rig.fill(strokePolyline(std::vector<Vec2>{hook, centre}, std::max(0.5f, r * 0.06f)),
                         hex(0x2A2220));
                paperLantern(rig, centre, r, r * 1.25f, style, tilt);
            }
        }
    }
    if (storm) {
        rig.tint(hex(0x10101E), [](float, float) { return 0.66f; });
        compositeFlashLit(c, rig, flash, std::max(0.8f, f.len(1.0f)), 0.6f);
    }

    // Preparations: the tent, crates and a ladder (by day and at the eve).
    if (!storm) {
        const Perspective ground{g.vpx, g.horizon, g.camH, g.focal};
        const PropLight props{eve, s};
        festivalTent(c, ground, 3.0f, 5.4f, 6.6f, 9.0f, props);
        // Crates stacked by the path at the left.
        Rng crates(seed + 12);
        crateStack(c, ground, -4.1f, 7.2f, props, crates);
        const Vec2 la = g.at(-2.6f, 6.0f);
        const Vec2 lb = g.at(-2.45f, 6.0f, 2.8f);
        const float lw = g.px(0.4f, 6.0f);
        Path ladder;
        ladder.append(strokePolyline(std::vector<Vec2>{{la.x - lw, la.y}, {lb.x - lw * 0.5f, lb.y}},
                                     1.6f * s));
        ladder.append(
            strokePolyline(std::vector<Vec2>{{la.x, la.y}, {lb.x + lw * 0.1f, lb.y}}, 1.6f * s));
        for (int k = 1; k < 8; ++k) {
            const float t = static_cast<float>(k) / 8.0f;
            const Vec2 p = lerp(la, lb, t);
            ladder.addRect(p.x - lw * (1.0f - 0.5f * t), p.y, lw * (1.0f - 0.4f * t), 1.2f * s);
        }
        c.fill(ladder, eve ? hex(0x3A2A20) : hex(0x9A7A50));
        // People at work, small.
        // The high sun (or the lit lanterns at the eve) edges their heads and shoulders.
        const FigureLight light{eve ? hex(0x1A1018) : hex(0x2A2A34),
                                eve ? hex(0xFFB070) : hex(0xFFF4E0),
                                {0.3f, -1.0f},
                                std::max(0.7f, f.len(0.9f)),
                                eve ? 0.5f : 0.6f,
                                0.12f};
        paintFigure(c, {{lb.x - lw * 0.3f, lerp(la, lb, 0.55f).y}, g.px(1.6f, 6.0f), Pose::Working},
                    light);
        if (!eve) {
            for (const Vec2 feet : {Vec2{-0.6f, 9.0f}, Vec2{1.7f, 12.0f}, Vec2{3.9f, 7.8f}}) {
                groundShadow(c, ground, feet.x, feet.y, 0.3f, 0.55f);
            }
        }
        paintFigure(c, {g.at(-0.6f, 9.0f), g.px(1.65f, 9.0f), Pose::Walking}, light);
        paintFigure(c, {g.at(1.7f, 12.0f), g.px(1.6f, 12.0f), Pose::Working, true, true}, light);
        paintFigure(c,
                    {g.at(3.9f, 7.8f), g.px(1.7f, 7.8f), Pose::Standing, false, false, false, -1},
                    light);
    } else {
        // One swinging lantern still glowing, its light running down the wet stones.
        const Vec2 hook = g.at(-2.35f, 4.7f, 2.95f);
        const Vec2 l = g.at(-2.05f, 4.2f, 2.25f);
        c.fill(strokePolyline(std::vector<Vec2>{hook, l}, std::max(0.6f, g.px(0.015f, 4.2f))),
               hex(0x1A1614));
        const Vec2 below = g.at(-2.05f, 4.2f);
        for (int k = 0; k < 7; ++k) {
            const float t = static_cast<float>(k) / 6.0f;
            glow(c, {below.x + g.px(0.05f, 4.2f) * t, below.y + g.px(0.15f + 1.1f * t, 4.2f)},
                 g.px(0.16f + 0.08f * t, 4.2f), hex(0xFF8A30), 0.16f * (1.0f - t * 0.7f));
        }
        paperLantern(c, l, g.px(0.22f, 4.2f), g.px(0.28f, 4.2f), PaperStyle::LitWarm, -0.5f);
        glow(c, l, g.px(0.9f, 4.2f), hex(0xFF8A30), 0.5f);

        // Two small figures hauling on a rope torn loose from the pole, leaning into the wind:
        // the flash edges them on the right, the lantern warms them on the left.
        const Figure a{g.at(-1.0f, 6.2f), g.px(1.72f, 6.2f), Pose::Hauling};
        const Figure b{g.at(-0.15f, 6.7f), g.px(1.6f, 6.7f), Pose::Hauling, true, true};
        const Vec2 poleTop = g.at(-2.4f, 5.5f, 3.0f);
        const Vec2 ha = personHand(a);
        const Vec2 hb = personHand(b);
        const Vec2 end = g.at(0.7f, 7.0f);
        const float ropeW = std::max(0.8f, g.px(0.03f, 6.2f));
        c.fill(
            strokePolyline(sampleQuad(poleTop, {lerp(poleTop, ha, 0.5f).x, ha.y}, ha, 16), ropeW),
            hex(0x5A5478));
        for (const Figure& fig : {b, a}) {
            const Mask body = rasterize(person(fig), c.box());
            c.fill(body, hex(0x08080C));
            paintRim(c, body, flash.towards, std::max(0.8f, f.len(1.2f)), flash.edge, 0.75f);
            paintRim(c, body, {-1.0f, -0.2f}, std::max(0.7f, f.len(0.9f)), hex(0xFF9A50), 0.35f);
        }
        const Vec2 slack{(hb.x + end.x) * 0.5f, end.y};
        c.fill(strokePolyline(std::vector<Vec2>{ha, hb}, ropeW), hex(0x5A5478));
        c.fill(strokePolyline(sampleQuad(hb, slack, end, 12), ropeW), hex(0x5A5478));
    }

    // Cedar shade at the edges: big trunks and boughs, darker at the sides.
    const Rgb bark = storm ? hex(0x0A0808) : eve ? hex(0x1A1014) : hex(0x3A2A22);
    cedarTrunk(c, f.x(20), -10, f.h + 10, f.len(60), bark,
               storm ? hex(0x5A5A8A)
               : eve ? hex(0x6A3A2A)
                     : hex(0x7A5A48),
               -1.0f, seed + 5);
    cedarTrunk(c, f.x(622), -10, f.h + 10, f.len(52), bark,
               storm ? hex(0x8A84C8)
               : eve ? hex(0x6A3A2A)
                     : hex(0x7A5A48),
               1.0f, seed + 6);
    Rng br(seed + 7);
    for (int k = 0; k < 3; ++k) {
        hangingBoughs(c, f.at(-20, static_cast<float>(k) * 16), f.len(170),
                      0.2f * static_cast<float>(k), storm ? hex(0x040406) : hex(0x14221A), br, s);
        hangingBoughs(c, f.at(660, static_cast<float>(k) * 14), f.len(150),
                      3.1f - 0.2f * static_cast<float>(k), storm ? hex(0x040406) : hex(0x14221A),
                      br, s);
    }
    if (!storm) {
        // Shade at the edges, sun in the centre.
        c.tint(eve ? hex(0x140A18) : hex(0x10241A), [&](float x, float) {
            const float d = std::fabs(x - g.vpx) / (f.w * 0.5f);
            return (eve ? 0.35f : 0.45f) * smoothstep(0.45f, 1.0f, d);
        });
    }
    if (eve) {
        c.tint(hex(0x120818), [](float, float) { return 0.25f; });
    }
    if (storm) {
        stormRain(c, f, flash, g.horizon + f.len(10));
        // The flash from the upper right over everything.
        c.tint(hex(0xB8B0F0),
               [&](float x, float y) { return 0.1f * clamp01((x / f.w) - (y / f.h) * 0.5f); });
    }
    vignette(c, storm ? 0.5f : 0.3f);
    grain(c, 0.025f, seed);
}

}  // namespace velko::art
