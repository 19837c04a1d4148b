// CG01: the bus stop at the edge of town, a clear mid-afternoon in high summer.

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/pictures.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/sky.h"
#include "scenery/town.h"

namespace velko::art {

using namespace paint;

namespace {

void busShelter(Canvas& c, const Frame& f, float x0, float x1, float baseY, float roofY) {
    const float s = f.s;
    // Back wall of weathered planks, in shade under the roof.
    Path wall;
    wall.addRect(x0 + 4 * s, roofY + 6 * s, x1 - x0 - 8 * s, baseY - roofY - 40 * s);
    c.fill(wall, Shader([=](float x, float y) {
               const float plank = std::fmod((x - x0) / (9.0f * s), 1.0f);
               const float n = fbm01(x / (3.0f * s), y / (30.0f * s), 41, 3);
               Rgb col = mix(hex(0x6D5A44), hex(0x8C7658), n);
               return scale(col, plank < 0.08f ? 0.6f : 0.85f + 0.1f * n);
           }));
    // Timetable sign on the wall, faded.
    Path sign;
    sign.addRect(x0 + 18 * s, roofY + 22 * s, 34 * s, 44 * s);
    c.fill(sign, hex(0xE8E2CF));
    Path lines;
    for (int i = 0; i < 7; ++i) {
        lines.addRect(x0 + 22 * s, roofY + 30 * s + static_cast<float>(i) * 5 * s,
                      (i % 3 == 0 ? 18 : 26) * s, 1.2f * s);
    }
    c.fill(lines, hex(0x5A6B86), 0.7f);
    Path signHead;
    signHead.addRect(x0 + 18 * s, roofY + 22 * s, 34 * s, 6 * s);
    c.fill(signHead, hex(0x3E6FA8), 0.8f);
    // Posts.
    Path posts;
    for (const float px : {x0 + 2 * s, x1 - 6 * s}) {
        posts.addRect(px, roofY, 4 * s, baseY - roofY);
    }
    c.fill(posts, hex(0x4A3D31));
    // Bench with its shadow.
    Path benchShadow;
    benchShadow.addRect(x0 + 14 * s, baseY - 6 * s, x1 - x0 - 20 * s, 7 * s);
    c.fill(benchShadow, hex(0x2A3020), 0.4f);
    Path bench;
    bench.addRect(x0 + 10 * s, baseY - 26 * s, x1 - x0 - 24 * s, 5 * s);
    bench.addRect(x0 + 14 * s, baseY - 21 * s, 3 * s, 19 * s);
    bench.addRect(x1 - 22 * s, baseY - 21 * s, 3 * s, 19 * s);
    c.fill(bench, hex(0x5E4530));
    Path benchTop;
    benchTop.addRect(x0 + 10 * s, baseY - 26 * s, x1 - x0 - 24 * s, 1.5f * s);
    c.fill(benchTop, hex(0xB08E62));
    // Corrugated tin roof, sloping down to the front, sunlit on top.
    Path roof;
    const Vec2 rp[] = {{x0 - 8 * s, roofY - 12 * s},
                       {x1 + 8 * s, roofY - 16 * s},
                       {x1 + 12 * s, roofY + 2 * s},
                       {x0 - 10 * s, roofY + 6 * s}};
    roof.addPolygon(rp);
    c.fill(roof, Shader([=](float x, float y) {
               const float ridge = 0.5f + 0.5f * std::sin((x - x0) / (2.6f * s));
               const float rust = fbm01(x / (14.0f * s), y / (8.0f * s), 77, 4);
               Rgb col = mix(hex(0x8E9AA2), hex(0xC6CCCC), ridge);
               return mix(col, hex(0x8A5A36), smoothstep(0.5f, 0.75f, rust) * 0.8f);
           }));
    Path roofEdge;
    const Vec2 re[] = {{x0 - 10 * s, roofY + 6 * s}, {x1 + 12 * s, roofY + 2 * s}};
    roofEdge.append(strokePolyline(re, 2.4f * s));
    c.fill(roofEdge, hex(0x3C3E40));
    // Shade under the roof on the posts' upper part.
    Path under;
    const Vec2 up[] = {{x0 - 10 * s, roofY + 6 * s},
                       {x1 + 12 * s, roofY + 2 * s},
                       {x1 + 12 * s, roofY + 16 * s},
                       {x0 - 10 * s, roofY + 20 * s}};
    under.addPolygon(up);
    c.fill(under, hex(0x202418), 0.25f);
}

void busStopSign(Canvas& c, const Frame& f, float x, float baseY) {
    const float s = f.s;
    Path pole;
    pole.addRect(x - 1.8f * s, baseY - 112 * s, 3.6f * s, 112 * s);
    c.fill(pole, linearGradient({x - 2 * s, 0}, {x + 2 * s, 0},
                                {{0, hex(0xE8E4DC)}, {1, hex(0x8C8A86)}}));
    Path base;
    base.addEllipse(x, baseY - 2 * s, 12 * s, 4 * s);
    c.fill(base, hex(0x6A6660));
    const Vec2 ctr{x, baseY - 112 * s};
    Path plate;
    plate.addCircle(ctr.x, ctr.y, 17 * s);
    c.fill(plate, Shader([=](float px, float py) {
               const float rust = fbm01(px / (5.0f * s), py / (5.0f * s), 90, 4);
               return mix(hex(0xD8D4C8), hex(0x9A6A44), smoothstep(0.55f, 0.8f, rust));
           }));
    Mask ring = rasterize(Path().addCircle(ctr.x, ctr.y, 17 * s), c.box());
    ring.subtract(rasterize(Path().addCircle(ctr.x, ctr.y, 13 * s), c.box()));
    c.fill(ring, hex(0xB8402E));
    Path bar;
    bar.addRect(ctr.x - 13 * s, ctr.y - 3 * s, 26 * s, 6 * s);
    c.fill(bar, hex(0x2D4F8C));
}

}  // namespace

Canvas paintBusStop(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    const float s = f.s;
    Rng rng(e.seed);
    const float horizon = f.y(292);

    skyGradient(c,
                {{0.0f, hex(0x2C62B4)},
                 {0.35f, hex(0x5A92D6)},
                 {0.75f, hex(0xA9CBEA)},
                 {1.0f, hex(0xE4EEEE)}},
                horizon);
    glow(c, f.at(40, -20), 120 * s, hex(0xFFF6DA), 0.35f);

    // Tall cumulus over the far hills, lit from the upper left.
    CloudStyle tall;
    tall.lit = hex(0xFFFFFF);
    tall.shade = hex(0x9AA9C4);
    tall.scale = 30 * s;
    tall.baseY = f.y(258);
    tall.baseFade = f.len(70);
    tall.seed = e.seed + 1;
    tall.threshold = 0.42f;
    tall.softness = 0.08f;
    clouds(c, c.box(),
           cumulusEnvelope({{f.x(250), f.y(250), f.len(300), f.len(190), e.seed + 2},
                            {f.x(470), f.y(258), f.len(160), f.len(95), e.seed + 3},
                            {f.x(80), f.y(262), f.len(150), f.len(70), e.seed + 4}}),
           tall);
    CloudStyle wisp = tall;
    wisp.opacity = 0.5f;
    wisp.stretch = 5.0f;
    wisp.scale = 40 * s;
    wisp.seed = e.seed + 9;
    wisp.threshold = 0.5f;
    wisp.softness = 0.25f;
    wisp.baseY = -1;
    clouds(c, c.box(), bandEnvelope(f.y(25), f.y(85), 0.62f), wisp);

    // Far hills in haze, then the near forested range with the shrine's dark cedars.
    Range far{f.y(275), f.len(50), f.len(170), e.seed + 11, f.len(2.5f), f.len(5), true};
    c.fill(rangePath(far, 0, f.w, f.h), hex(0x93A8BC));
    Range mid{f.y(288), f.len(34), f.len(120), e.seed + 12, f.len(5), f.len(9), false};
    c.fill(rangePath(mid, 0, f.w, f.h),
           linearGradient({0, f.y(240)}, {0, f.y(295)}, {{0, hex(0x5F7F5E)}, {1, hex(0x6C8A66)}}));
    // Shrine hill to the right, with cedars and the vermilion dot of the torii.
    Path hill;
    std::vector<Vec2> hp;
    for (float x = f.x(420); x <= f.w + 2; x += 1.5f) {
        const float u = (x - f.x(420)) / (f.w - f.x(420) + 1);
        const float top = f.y(292) - f.len(70) * std::sin(std::min(1.0f, u * 1.4f) * 1.5708f) -
                          f.len(6) * fbm(x / f.len(20), 0.3f, e.seed + 13, 3);
        hp.push_back({x, top});
    }
    hp.push_back({f.w + 2, f.h});
    hp.push_back({f.x(420), f.h});
    hill.addPolygon(hp);
    c.fill(hill, hex(0x4E6E4A));
    // The knot of cedars on the shrine hill, darkest where they crowd together.
    Path knot;
    for (int i = 0; i < 16; ++i) {
        const float u = static_cast<float>(i) / 15.0f;
        const float x = f.x(540) + u * f.len(90) + rng.range(-3.0f, 3.0f) * s;
        const float ground = f.y(236) + std::pow((u - 0.5f) * 2.0f, 2.0f) * f.len(10);
        const float hgt = f.len(22 + 16 * std::sin(u * 3.1416f)) * rng.range(0.8f, 1.15f);
        knot.append(cedar({x, ground + f.len(12)}, hgt, hgt * 0.42f, rng));
    }
    c.fill(knot, hex(0x2C4431));
    c.fill(toriiSilhouette(f.x(592), f.y(244), f.len(12), f.len(9)), hex(0xE0482A));
    c.tint(hex(0xB8C8D4),
           [&](float, float y) { return 0.25f * (1.0f - smoothstep(f.y(230), f.y(300), y)); });

    // Rice fields in perspective with a straight farm road.
    const Vec2 vp{f.x(300), horizon};
    Path fields;
    fields.addRect(0, horizon, f.w, f.h - horizon);
    // Paddies between levees, each its own green; rice planted in rows that run towards the
    // vanishing point, visible near us and fading where they would crowd into moire.
    const float leveeYs[] = {300.0f, 312.0f, 330.0f, 356.0f, 395.0f, 450.0f};
    constexpr float kPaddyWidth = 1.25f;  // lateral spacing of the levees running away
    c.fill(
        fields, Shader([=](float x, float y) {
            const float depth = (y - horizon) / (f.h - horizon);
            const float across = (x - vp.x) / std::max(1.0f, y - horizon);
            int row = 0;
            while (row < 6 && y > f.y(leveeYs[row])) {
                ++row;
            }
            // Paddies are of uneven width: the boundaries wander by field.
            const float shifted = across / kPaddyWidth + 0.35f * hash01(row, 5, e.seed + 23);
            const int col = static_cast<int>(std::floor(shifted));
            const float tone = hash01(col, row, e.seed + 21);
            const float spacing = (y - horizon) * 6.2832f / 70.0f;
            const float rows = std::sin(across * 70.0f) * smoothstep(4.0f * s, 10.0f * s, spacing);
            const float n = fbm01(x / (40.0f * s) * (0.3f + depth), y / (6.0f * s), e.seed + 20, 4);
            Rgb col0 = mix(hex(0x9CC25A), hex(0x5D9A33), depth);
            col0 = mix(col0, hex(0xB4D06C), n * 0.35f);
            col0 = scale(col0, 0.95f + 0.08f * tone);
            return scale(col0, 1.0f + 0.045f * rows);
        }));
    // The levees: low grassy banks between the paddies, across and running away.
    Path levees;
    for (const float yy : leveeYs) {
        const float t = (yy - 292) / 180.0f;
        const float hgt = f.len(0.6f + 3.5f * t);
        std::vector<Vec2> top;
        for (float x = -2; x <= f.w + 2; x += f.len(4)) {
            top.push_back(
                {x, f.y(yy) - hgt * (0.6f + 0.4f * valueNoise(x / f.len(6), yy, e.seed + 22))});
        }
        top.push_back({f.w + 2, f.y(yy) + hgt * 0.4f});
        top.push_back({-2, f.y(yy) + hgt * 0.4f});
        levees.addPolygon(top);
    }
    for (const float k : {-2.6f, -1.15f, 1.3f, 2.8f}) {
        const Vec2 a{vp.x + k * kPaddyWidth * f.len(8), f.y(300)};
        const Vec2 b{vp.x + k * kPaddyWidth * (f.h - horizon), f.h};
        levees.append(
            strokeTapered(std::vector<Vec2>{a, b}, std::vector<float>{0.5f * s, f.len(4)}));
    }
    c.fill(levees, hex(0x7E9848), 0.7f);
    c.fill(levees.transformed(Affine::translate(0, -f.len(0.6f))), hex(0xB8D070), 0.25f);
    // The road: a narrowing strip to the vanishing point, with heat shimmer at its far end.
    Path road;
    const Vec2 rp[] = {
        {vp.x - f.len(2), horizon}, {vp.x + f.len(2), horizon}, {f.x(380), f.h}, {f.x(210), f.h}};
    road.addPolygon(rp);
    c.fill(road, linearGradient({0, horizon}, {0, f.h}, {{0, hex(0xE9DDBC)}, {1, hex(0xC9B48A)}}));
    Path ruts;
    const Vec2 r1[] = {{vp.x - f.len(0.5f), horizon}, {f.x(255), f.h}};
    const Vec2 r2[] = {{vp.x + f.len(0.5f), horizon}, {f.x(335), f.h}};
    ruts.append(strokeTapered(r1, std::vector<float>{0.3f * s, 6 * s}));
    ruts.append(strokeTapered(r2, std::vector<float>{0.3f * s, 6 * s}));
    c.fill(ruts, hex(0xB49C74), 0.5f);
    glow(c, {vp.x, horizon + f.len(3)}, f.len(14), hex(0xFFF8E0), 0.25f);
    grass(
        c, 0, f.w, [&](float) { return f.y(470); }, f.len(40), static_cast<int>(90 * s),
        hex(0x3E7A2A), hex(0x9CCB5A), rng, s);

    // Power line: a pole on the right, wires running across the sky to a far pole. Its
    // shadow runs off to the right across the paddy; grass grows round its foot.
    c.fill(strokeTapered(std::vector<Vec2>{f.at(585, 372), f.at(660, 384)},
                         std::vector<float>{f.len(7), f.len(4)}),
           hex(0x3A5A22), 0.4f);
    {
        Rng tuft(e.seed + 24);
        grass(
            c, f.x(574), f.x(597), [&](float) { return f.y(374); }, f.len(18), 30, hex(0x3E7A2A),
            hex(0x9CCB5A), tuft, s);
    }
    const auto nearTop =
        utilityPole(c, f.x(585), f.y(372), f.len(330), hex(0x7A6450), hex(0x3E3128), s);
    const auto farTop =
        utilityPole(c, f.x(330), f.y(296), f.len(36), hex(0x6A6A6A), hex(0x4A4A4A), s * 0.2f);
    wires(c, nearTop, farTop, f.len(14), hex(0x2A2A2E), std::max(0.8f, 1.1f * s));
    std::vector<Vec2> offLeft;
    for (const Vec2& p : nearTop) {
        offLeft.push_back({p.x + f.len(200), p.y + f.len(60)});
    }
    wires(c, nearTop, offLeft, f.len(20), hex(0x2A2A2E), std::max(0.9f, 1.3f * s));

    // The shelter, the sign, the newcomer.
    Path shelterShadow;
    const Vec2 sh[] = {
        {f.x(30), f.y(372)}, {f.x(175), f.y(372)}, {f.x(190), f.y(384)}, {f.x(45), f.y(384)}};
    shelterShadow.addPolygon(sh);
    c.fill(shelterShadow, hex(0x20301A), 0.35f);
    busShelter(c, f, f.x(30), f.x(165), f.y(372), f.y(205));
    busStopSign(c, f, f.x(205), f.y(372));
    Figure boy{f.at(240, 374), f.len(118), Pose::Standing, false, false, true, -0.5f};
    Path shadow;
    shadow.addEllipse(f.x(258), f.y(375), f.len(22), f.len(3.5f));
    c.fill(shadow, hex(0x1C2A14), 0.45f);
    // The afternoon sun from the upper left grazes his shoulder and hair.
    paintFigure(
        c, boy,
        {hex(0x1E2230), hex(0xFFE8C0), {-0.7f, -0.7f}, std::max(0.8f, 1.3f * f.s), 0.55f, 0.14f});
    // Summer haze over the distance, strongest at the horizon.
    mist(
        c, hex(0xEEF2EA),
        [&](float, float y) {
            return 0.22f * std::exp(-std::pow((y - horizon) / f.len(22), 2.0f));
        },
        f.len(90), e.seed + 30, 0.3f);
    grain(c, 0.025f, e.seed);
    return c;
}

}  // namespace velko::art
