// CG08: the river embankment on a clear morning; with Shingo and his bicycle it is also the
// picture of his calendar wallpaper.

#include "pictures/embankment.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/pictures.h"
#include "pictures/valley_town.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/sky.h"
#include "scenery/town.h"

namespace velko::art {

using namespace paint;

void paintEmbankmentScene(Canvas& c, const EmbankmentMood& m) {
    const Frame f(c);
    const float s = f.s;
    Rng rng(m.seed);
    const float L = f.left() - 20;
    const float R = f.right() + 20;
    const float horizon = f.y(262);
    const Vec2 vp = f.at(302 + m.shiftX, 262);

    skyGradient(c,
                {{0.0f, hex(0x3F7FCC)},
                 {0.5f, hex(0x7DB0E0)},
                 {0.85f, hex(0xC4DCEC)},
                 {1.0f, hex(0xE2ECEE)}},
                horizon);
    glow(c, f.at(600, 40), f.len(150), hex(0xFFF4DC), 0.3f);
    CloudStyle cirrus;
    cirrus.lit = hex(0xFFFFFF);
    cirrus.shade = hex(0xC8D8EC);
    cirrus.scale = f.len(40);
    cirrus.stretch = 6.0f;
    cirrus.threshold = 0.5f;
    cirrus.softness = 0.3f;
    cirrus.opacity = 0.7f;
    cirrus.seed = m.seed + 1;
    clouds(c, c.box(), bandEnvelope(f.y(30), f.y(150), 0.65f), cirrus);

    // Blue hills beyond, the shrine hill in front of them.
    c.fill(rangePath({f.y(250), f.len(40), f.len(160), m.seed + 2, f.len(2), f.len(4), true}, 0,
                     f.w, f.h),
           hex(0x8AA6C4));
    std::vector<Vec2> hp;
    for (float x = f.x(60 + m.shiftX); x <= f.x(420 + m.shiftX); x += 1.5f) {
        const float u = (x - f.x(60 + m.shiftX)) / f.len(360);
        // Clamped: a sine a hair below zero at the far end would make the power NaN.
        const float rise = std::max(0.0f, std::sin(u * 3.1416f));
        const float top = f.y(258) - f.len(88) * std::pow(rise, 1.3f) -
                          f.len(4) * fbm(x / f.len(15), 0.5f, m.seed + 3, 3);
        hp.push_back({x, top});
    }
    hp.push_back({f.x(420 + m.shiftX), f.h});
    hp.push_back({f.x(60 + m.shiftX), f.h});
    c.fill(Path().addPolygon(hp), Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(8), y / f.len(8), m.seed + 4, 4);
               return mix(hex(0x3E6448), hex(0x5E8A5A), n);
           }));
    Path knot;
    for (int i = 0; i < 14; ++i) {
        const float u = static_cast<float>(i) / 13.0f;
        const float x = f.x(200 + m.shiftX) + u * f.len(80);
        const float hgt = f.len(24 + 18 * std::sin(u * 3.1416f)) * rng.range(0.8f, 1.2f);
        knot.append(cedar({x, f.y(196) + std::fabs(u - 0.5f) * f.len(16)}, hgt, hgt * 0.4f, rng));
    }
    c.fill(knot, hex(0x26402E));
    c.fill(toriiSilhouette(f.x(240 + m.shiftX), f.y(196), f.len(11), f.len(8)), hex(0xE04A2A));
    c.tint(hex(0xB0C8DC), [&](float, float y) { return y < f.y(270) ? 0.22f : 0.0f; });

    // A belt of trees along the valley floor where the far hills come down to it.
    c.fill(rangePath({f.y(266), f.len(3), f.len(30), m.seed + 41, f.len(3), f.len(5)}, 0, f.w, f.h),
           hex(0x6A8A7A));
    // The town on the far bank, seen low across the water in the morning sun.
    ValleyLight light;
    light.sky = hex(0xD8E4F0);
    light.ambient = hex(0xA8B0BC);
    light.sun = hex(0xFFF0D8);
    light.towardsSun = {0.7f, 0.6f, 0.35f};
    light.haze = hex(0xB8CCDE);
    light.hazeFar = 0.4f;
    light.window = hex(0xFFFFFF);
    light.windowsLit = 0;
    light.ground = hex(0x7A8A6A);
    light.fields = hex(0x8AB060);
    light.street = hex(0xB0ACA0);
    light.foliage = hex(0x3E6A3A);
    const Perspective farBank{vp.x - f.len(60), horizon, 7.0f, f.len(500)};
    ValleyLayout bank;
    bank.zNear = 7.0f * f.len(500) / (f.y(277) - horizon);
    bank.zFar = 2000;
    bank.streetU = -140;
    bank.river = false;
    bank.landmarks = false;
    bank.reach = 900;
    bank.groundBottom = f.y(280);
    bank.seed = m.seed + 40;
    paintValleyTown(c, farBank, bank, light);
    // Land beyond the road on the right: fields and a farmhouse or two.
    Path landR;
    const Vec2 lr[] = {{vp.x, horizon}, {f.x(R), horizon}, {f.x(R), f.h}, {vp.x, f.h}};
    landR.addPolygon(lr);
    c.fill(landR, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(30), y / f.len(5), m.seed + 5, 4);
               // Paddies between levees: each field a slightly different green.
               const float z = f.len(400) / std::max(0.5f, y - horizon);
               const float u = (x - vp.x) * z / f.len(400);
               const float field = hash01(static_cast<int>(std::floor(u / 14.0f)),
                                          static_cast<int>(std::floor(z / 9.0f)), m.seed + 6);
               return scale(mix(hex(0x7AA84A), hex(0xA8C868), n), 0.92f + 0.14f * field);
           }));
    // The levees: raised lines across the fields and running away from us.
    Path levees;
    for (float z = 9.0f; z < 200.0f; z += 9.0f) {
        const float y = horizon + f.len(400) / z;
        levees.addRect(vp.x, y, f.x(R) - vp.x, std::max(0.5f, f.len(18) / z));
    }
    for (float u = 14.0f; u < 400.0f; u += 14.0f) {
        const Vec2 a{vp.x + u * f.len(400) / 200.0f, horizon + f.len(2)};
        const Vec2 b{vp.x + u * f.len(400) / 9.0f, horizon + f.len(400) / 9.0f};
        levees.append(
            strokeTapered(std::vector<Vec2>{a, b}, std::vector<float>{0.4f * s, f.len(2.0f)}));
    }
    c.fill(levees, hex(0x5A8A3A), 0.45f);
    for (int i = 0; i < 5; ++i) {
        const float x = f.x(360 + m.shiftX + static_cast<float>(i) * 70) + rng.range(-10, 10) * s;
        c.fill(foliageClump({x, f.y(262)}, f.len(18), f.len(10), rng, 8), hex(0x3E6A3A));
    }

    // The river, narrowing into the distance, with its glitter.
    Path river;
    const Vec2 rv[] = {{f.x(L), f.y(272)}, {vp.x - f.len(6), f.y(270)}, {f.x(L), f.y(452)}};
    river.addPolygon(rv);
    c.fill(river, Shader([&](float x, float y) {
               const float d = (y - horizon) / (f.h - horizon);
               const float n = fbm01(x / f.len(40), y / f.len(3), m.seed + 6, 3);
               return mix(mix(hex(0xB8D4E8), hex(0x4A7EA8), d), hex(0xDDEEF6), n * 0.35f);
           }));
    Mask riverMask = rasterize(river, c.box());
    for (int i = 0; i < static_cast<int>(500 * s * s); ++i) {
        const float x = rng.range(f.x(L), vp.x);
        const float y = rng.range(f.y(272), f.y(450));
        if (riverMask.at(static_cast<int>(x), static_cast<int>(y)) < 0.9f) {
            continue;
        }
        const float d = (y - horizon) / (f.h - horizon);
        Path g;
        g.addEllipse(x, y, f.len(1.0f + 4.0f * d) * rng.range(0.5f, 1.0f), f.len(0.3f + 0.6f * d));
        c.fill(g, hex(0xFFFFFF), rng.range(0.4f, 0.9f));
    }
    // The low concrete bridge.
    Path bridge;
    bridge.addRect(f.x(L), f.y(276), vp.x - f.x(L) - f.len(16), f.len(5));
    c.fill(bridge, hex(0xC8C8C0));
    Path rail;
    rail.addRect(f.x(L), f.y(273), vp.x - f.x(L) - f.len(16), f.len(1.2f));
    for (float x = f.x(L); x < vp.x - f.len(16); x += f.len(22)) {
        rail.addRect(x, f.y(276), f.len(4), f.len(8));
    }
    c.fill(rail, hex(0x8A8A84));

    // The embankment's grass slope down to the water, the road along its crest.
    Path slope;
    const Vec2 sp[] = {{vp.x - f.len(6), horizon + f.len(6)},
                       {vp.x, horizon},
                       {f.x(470 + m.shiftX), f.h},
                       {f.x(L), f.h},
                       {f.x(L), f.y(452)}};
    slope.addPolygon(sp);
    c.fill(slope, Shader([&](float x, float y) {
               const float d = (y - horizon) / (f.h - horizon);
               const float n = fbm01(x / f.len(6 + 20 * d), y / f.len(3 + 6 * d), m.seed + 7, 4);
               return mix(mix(hex(0x6E9A44), hex(0x3E7A2C), d), hex(0x9CC860), n * 0.6f);
           }));
    Path road;
    const Vec2 rd[] = {{vp.x, horizon},
                       {vp.x + f.len(8), horizon},
                       {f.x(R), f.y(420)},
                       {f.x(R), f.h},
                       {f.x(470 + m.shiftX), f.h}};
    road.addPolygon(rd);
    c.fill(road, linearGradient({0, horizon}, {0, f.h}, {{0, hex(0xBEB4A4)}, {1, hex(0x8E8478)}}));
    Path edgeLine;
    const Vec2 el[] = {{vp.x + f.len(1), horizon}, {f.x(480 + m.shiftX), f.h}};
    edgeLine.append(strokeTapered(el, std::vector<float>{0.3f * s, 3.0f * s}));
    c.fill(edgeLine, hex(0xF0F0E8), 0.8f);

    // Poles along the road's far side, receding.
    std::vector<Vec2> prev;
    for (int i = 5; i >= 0; --i) {
        const float t = std::pow(0.62f, static_cast<float>(i));
        const float x = vp.x + f.len(14) + (f.x(R) - vp.x) * t * 0.78f;
        const float base = horizon + (f.y(400) - horizon) * t;
        const auto top =
            utilityPole(c, x, base, f.len(300) * t, hex(0x6E5A48), hex(0x3A2E26), s * t);
        if (!prev.empty()) {
            wires(c, top, prev, f.len(8) * t, hex(0x30302E),
                  std::max(0.6f, 1.0f * s * std::sqrt(t)));
        }
        prev = top;
    }

    // Dew-wet grass and yellow summer flowers on the slope near us.
    grass(
        c, f.x(L), f.x(470 + m.shiftX), [&](float) { return f.y(470); }, f.len(60),
        static_cast<int>(260 * s), hex(0x2E6A22), hex(0xA8D468), rng, s);
    for (int i = 0; i < static_cast<int>(70 * s); ++i) {
        const float x = rng.range(f.x(L), f.x(430 + m.shiftX));
        const float y = rng.range(f.y(380), f.h);
        Path stem;
        const Vec2 st[] = {{x, y}, {x + f.len(1), y - f.len(12)}};
        stem.append(strokePolyline(st, f.len(0.8f)));
        c.fill(stem, hex(0x3E7A2A));
        Path bloom;
        for (int k = 0; k < 5; ++k) {
            const float a = static_cast<float>(k) * 1.2566f;
            bloom.addCircle(x + f.len(1) + std::cos(a) * f.len(2.2f),
                            y - f.len(13) + std::sin(a) * f.len(2.2f), f.len(1.6f));
        }
        c.fill(bloom, hex(0xF8D030));
        c.fill(Path().addCircle(x + f.len(1), y - f.len(13), f.len(1.1f)), hex(0xC88A20));
    }
    for (int i = 0; i < static_cast<int>(200 * s * s); ++i) {
        c.fill(Path().addCircle(rng.range(f.x(L), f.x(450 + m.shiftX)), rng.range(f.y(330), f.h),
                                f.len(0.6f)),
               hex(0xFFFFFF), 0.6f);
    }

    if (m.shingo) {
        const Vec2 g = f.at(395 + m.shiftX, 382);
        paintLitShape(c, bicycle({g.x + f.len(30), g.y}, f.len(27), false),
                      {hex(0x1C2028),
                       hex(0xFFF0D0),
                       {-0.6f, -0.8f},
                       std::max(0.6f, 0.8f * f.s),
                       0.4f,
                       0.05f});
        Figure boy{{g.x - f.len(30), g.y + f.len(2)},
                   f.len(150),
                   Pose::Leaning,
                   false,
                   false,
                   false,
                   0.3f};
        paintFigure(c, boy,
                    {hex(0x1C2230),
                     hex(0xFFF0D0),
                     {-0.6f, -0.8f},
                     std::max(0.8f, 1.2f * f.s),
                     0.5f,
                     0.12f});
        Path sh;
        sh.addEllipse(g.x + f.len(10), g.y + f.len(3), f.len(60), f.len(5));
        c.fill(sh, hex(0x3A3A30), 0.3f);
    } else {
        c.fill(bicycle(f.at(372 + m.shiftX, 322), f.len(9), true), hex(0x2A2E36));
        Figure rider{f.at(368 + m.shiftX, 316), f.len(38), Pose::Walking, false, false, false, 0};
        c.fill(person(rider), hex(0x2A2E36));
    }
    if (m.washed) {
        c.tint(hex(0xE8F2FA), [&](float, float y) { return y < horizon ? 0.08f : 0.0f; });
    }
    grain(c, 0.02f, m.seed);
}

Canvas paintEmbankment(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintEmbankmentScene(c, {false, true, 0, e.seed});
    return c;
}

}  // namespace velko::art
