#include "pictures/town_view.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/ground_view.h"
#include "pictures/valley_town.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/sky.h"
#include "scenery/town.h"

namespace velko::art {

using namespace paint;

void paintTownView(Canvas& c, const TownViewMood& m) {
    const Frame f(c);
    const float s = f.s;
    Rng rng(m.seed);
    const bool tw = m.twilight;
    const float horizon = f.y(196);

    if (tw) {
        skyGradient(c,
                    {{0.0f, hex(0x1A1E4A)},
                     {0.45f, hex(0x3E3470)},
                     {0.8f, hex(0x8A5C8C)},
                     {1.0f, hex(0xC88A8C)}},
                    horizon);
        stars(c, static_cast<int>(160 * s * s), c.box(), rng, 0.6f,
              [&](float, float y) { return 1.0f - smoothstep(f.y(20), f.y(110), y); });
    } else {
        skyGradient(c,
                    {{0.0f, hex(0x23305E)},
                     {0.35f, hex(0x6A4C7E)},
                     {0.65f, hex(0xD26E6A)},
                     {0.88f, hex(0xF4A455)},
                     {1.0f, hex(0xFFD27A)}},
                    horizon);
        glow(c, {f.x(380), horizon - f.len(4)}, f.len(70), hex(0xFFC070), 0.6f);
        CloudStyle gold;
        gold.lit = hex(0xFFC27A);
        gold.shade = hex(0x7A4A6A);
        gold.rim = hex(0xFFE8A0);
        gold.rimAmount = 0.9f;
        gold.light = {0.2f, 1.0f};
        gold.scale = f.len(45);
        gold.stretch = 3.0f;
        gold.threshold = 0.45f;
        gold.softness = 0.15f;
        gold.seed = m.seed + 1;
        clouds(c, c.box(), bandEnvelope(f.y(36), f.y(124), 0.67f), gold);
        gold.seed = m.seed + 2;
        gold.opacity = 0.8f;
        clouds(c, c.box(), bandEnvelope(f.y(128), f.y(172), 0.62f), gold);
    }
    // Layered hills: violet far, blue nearer.
    const Rgb far1 = tw ? hex(0x5A4A7A) : hex(0x9A6A8A);
    const Rgb far2 = tw ? hex(0x3C3462) : hex(0x6A5080);
    const Rgb near = tw ? hex(0x24243E) : hex(0x3E3A5E);
    c.fill(rangePath({horizon, f.len(40), f.len(150), m.seed + 3}, 0, f.w, f.h), far1);
    c.fill(rangePath(
               {horizon + f.len(16), f.len(34), f.len(110), m.seed + 4, f.len(2), f.len(4), true},
               0, f.w, f.h),
           far2);
    c.fill(rangePath({horizon + f.len(34), f.len(22), f.len(90), m.seed + 5, f.len(3), f.len(5)}, 0,
                     f.w, f.h),
           near);

    // The valley floor: the town house by house, the main street, the river.
    const float floorY = horizon + f.len(36);
    ValleyLight light;
    if (tw) {
        light.sky = hex(0x7A6A98);
        light.ambient = hex(0x544C74);
        light.sun = hex(0x000000);
        light.rim = hex(0x9A8AC0);
        light.rimStrength = 0.18f;
        light.haze = hex(0x5A4C7E);
        light.hazeFar = 0.62f;
        light.window = hex(0xFFD890);
        light.windowsLit = 0.42f;
        light.ground = hex(0x2C2A3C);
        light.fields = hex(0x3A3858);
        light.street = hex(0x3E3A56);
        light.river = hex(0x9A8AB8);
        light.foliage = hex(0x1A2028);
        light.lamps = true;
    } else {
        light.sky = hex(0xC09AA8);
        light.ambient = hex(0x9A7C88);
        light.sun = hex(0x5A3A28);
        light.towardsSun = {0.25f, 0.12f, 1.0f};
        light.rim = hex(0xFFC890);
        light.rimStrength = 0.55f;
        light.haze = hex(0xD8907E);
        light.hazeFar = 0.66f;
        light.window = hex(0xFFD890);
        light.windowsLit = 0.06f;
        light.ground = hex(0x5A4A50);
        light.fields = hex(0x7A5E66);
        light.street = hex(0x7A6468);
        light.river = hex(0xFFD08A);
        light.foliage = hex(0x3A3436);
    }
    const Perspective town{f.x(320), horizon, 60.0f, f.len(1500)};
    ValleyLayout layout;
    layout.zFar = 60.0f * f.len(1500) / (floorY - horizon);
    layout.seed = m.seed + 40;
    paintValleyTown(c, town, layout, light);

    // Power lines catching the light across the town.
    std::vector<Vec2> a{f.at(-20, 250), f.at(-20, 256)};
    std::vector<Vec2> b{f.at(660, 232), f.at(660, 238)};
    wires(c, a, b, f.len(18), tw ? hex(0x6A6490) : hex(0xFFC890), std::max(0.7f, 0.9f * s), 0.8f);
    // Evening haze settles into the valley.
    c.tint(tw ? hex(0x6A5A8A) : hex(0xE8A07A), [&](float, float y) {
        return 0.35f * std::exp(-std::pow((y - floorY) / f.len(40), 2.0f));
    });

    // The wooded slope falling away below us, on both sides of the flight.
    // The canopy of the slope: crowns in rows, the farther ones lower on the slope and hazier.
    // One mass, lined on top by the light of the sky ahead; inside it only a faint edge to
    // each crown.
    {
        Path canopy;
        std::vector<Path> crowns;
        for (int row = 0; row < 5; ++row) {
            const float t = static_cast<float>(row) / 4.0f;
            const float rowY = f.y(352 + 80 * t);
            const float size = f.len(24 + 22 * t);
            for (float x = f.x(f.left()) - size; x < f.w + size;
                 x += size * rng.range(0.7f, 1.5f)) {
                if (std::fabs(x - f.x(320)) < f.len(40 + 30 * t)) {
                    continue;  // the flight itself
                }
                crowns.push_back(foliageClump({x, rowY + rng.range(-0.4f, 0.5f) * size},
                                              size * rng.range(0.7f, 1.4f),
                                              size * rng.range(0.45f, 0.75f), rng, 22));
                canopy.append(crowns.back());
            }
        }
        const Mask mass = rasterize(canopy, c.box());
        const Rgb far = tw ? hex(0x26243C) : hex(0x3E2E36);
        const Rgb near = tw ? hex(0x0C0E16) : hex(0x181216);
        const std::uint64_t leafSeed = m.seed + 50;
        c.fill(mass, Shader([&](float x, float y) {
                   const float t = clamp01((y - f.y(340)) / f.len(110));
                   const float n = fbm01(x / f.len(14), y / f.len(9), leafSeed, 3);
                   return scale(mix(far, near, t), 0.8f + 0.4f * n);
               }));
        const Rgb edge = tw ? hex(0x6A5A8A) : hex(0xD88A66);
        for (const Path& crown : crowns) {
            paintRim(c, rasterize(crown, c.box()), {0.2f, -1.0f}, std::max(0.7f, f.len(1.0f)), edge,
                     0.12f);
        }
        paintRim(c, mass, {0.2f, -1.0f}, std::max(0.8f, f.len(1.3f)), edge, tw ? 0.3f : 0.42f);
    }
    // Foreground: the top steps going down, cedar trunks, the two top lanterns.
    const Rgb stone = tw ? hex(0x4A4658) : hex(0x7A6A6A);
    const Rgb lit = tw ? hex(0x6A6080) : hex(0xE8A070);
    // The flight going down from our feet, in perspective: treads narrowing towards the town,
    // each nosing catching the low light.
    const Perspective view{f.x(320), horizon, 1.6f, f.len(300)};
    for (int i = 22; i >= 0; --i) {
        const float z0 = 1.1f + 0.33f * static_cast<float>(i);
        const float z1 = z0 + 0.33f;
        const float h = -0.16f * static_cast<float>(i);
        const float half = 1.3f;
        Path tread = view.floor(-half, half, z0, z1, h);
        // Two or three slabs a step, each its own stone, moss at the ends, worn in the middle.
        const std::uint64_t sd = m.seed + 10 + static_cast<std::uint64_t>(i);
        const float cut = hash01(i, 1, sd) * 0.8f - 0.4f;
        const float toneA = 0.85f + 0.25f * hash01(i, 2, sd);
        const float toneB = 0.85f + 0.25f * hash01(i, 3, sd);
        const Rgb moss = tw ? hex(0x2A3436) : hex(0x5A5A3A);
        c.fill(tread, Shader([=](float x, float y) {
                   const float n = fbm01(x / f.len(8), y / f.len(3), sd, 3);
                   const float u = (x - view.vpx) / std::max(1.0f, view.px(half, z0));
                   Rgb col = scale(stone, (0.55f + 0.4f * n) * (u < cut ? toneA : toneB));
                   col = mix(col, scale(stone, 1.1f),
                             0.25f * (1.0f - smoothstep(0.1f, 0.5f, std::fabs(u))));
                   return mix(col, moss, smoothstep(0.7f, 1.0f, std::fabs(u)) * (0.3f + 0.5f * n));
               }));
        const Vec2 j0 = view.at(cut * half, z0, h);
        const Vec2 j1 = view.at(cut * half, z1, h);
        c.fill(strokePolyline(std::vector<Vec2>{j0, j1}, std::max(0.5f, view.px(0.015f, z0))),
               scale(stone, 0.35f), 0.7f);
        const Vec2 a = view.at(-half, z0, h);
        const Vec2 b = view.at(half, z0, h);
        c.fill(Path().addRect(a.x, a.y - std::max(0.8f, view.px(0.03f, z0)), b.x - a.x,
                              std::max(0.8f, view.px(0.04f, z0))),
               lit, 0.6f);
        // The shadowed drop to the next tread shows as a dark line behind it.
        const Vec2 c0 = view.at(-half, z1, h);
        const Vec2 c1 = view.at(half, z1, h);
        c.fill(Path().addRect(c0.x, c0.y - std::max(0.6f, view.px(0.02f, z1)), c1.x - c0.x,
                              std::max(0.6f, view.px(0.03f, z1))),
               scale(stone, 0.3f), 0.8f);
    }
    // Trunks frame the view.
    cedarTrunk(c, f.x(18), -10, f.h + 10, f.len(70), tw ? hex(0x141018) : hex(0x2A1A18),
               tw ? hex(0x2A2230) : hex(0x6A3A2A), 1.0f, m.seed + 20);
    cedarTrunk(c, f.x(626), -10, f.h + 10, f.len(60), tw ? hex(0x141018) : hex(0x2A1A18),
               tw ? hex(0x2A2230) : hex(0x7A4A30), -1.0f, m.seed + 21);
    Rng br(m.seed + 30);
    for (int k = 0; k < 3; ++k) {
        const float dy = static_cast<float>(k) * 14.0f;
        hangingBoughs(c, f.at(-10, dy - 6), f.len(200 - dy * 2),
                      0.1f + 0.1f * static_cast<float>(k), tw ? hex(0x0E1014) : hex(0x1E2018), br,
                      s);
        hangingBoughs(c, f.at(650, dy - 10), f.len(180 - dy * 2),
                      3.05f - 0.1f * static_cast<float>(k), tw ? hex(0x0E1014) : hex(0x1E2018), br,
                      s);
    }
    LanternLook old;
    old.stone = tw ? hex(0x3A3848) : hex(0x6A5858);
    old.stoneDark = tw ? hex(0x18161E) : hex(0x2A2024);
    old.tall = true;
    stoneLantern(c, f.x(105), f.y(476), f.len(205), old);
    LanternLook plain = old;
    plain.tall = false;
    stoneLantern(c, f.x(540), f.y(478), f.len(165), plain);

    if (m.sitters > 0) {
        // The last of the sky in front of them lines their heads and shoulders.
        const FigureLight sky{hex(0x100E18), hex(0x9A7AB0), {0.1f, -1.0f}, std::max(0.8f, 1.1f * s),
                              0.55f,         0.08f};
        // She leans a little towards him.
        paintFigure(c, {f.at(292, 402), f.len(152), Pose::Sitting, false, false, false, 0}, sky);
        paintFigure(c, {f.at(350, 402), f.len(140), Pose::Sitting, true, true, false, -0.6f}, sky);
    }
    if (m.standingGirl) {
        // On the top step beside the old lantern, the low sun rimming her outline.
        paintFigure(c, {f.at(196, 478), f.len(250), Pose::Standing, true, true, false, 0.3f},
                    {hex(0x1A1420), hex(0xFFB070), {0.6f, -0.8f}, 2.0f * s, 0.85f, 0.14f});
    }
    vignette(c, 0.35f);
    grain(c, 0.025f, m.seed);
}

}  // namespace velko::art
