// CG06: grandmother's house at night, the veranda seen from the garden.

#include <cmath>
#include <span>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/pictures.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/sky.h"
#include "scenery/town.h"

namespace velko::art {

using namespace paint;

Canvas paintHouseNight(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    const float s = f.s;
    Rng rng(e.seed);

    skyGradient(c, {{0.0f, hex(0x06102A)}, {0.6f, hex(0x0E2050)}, {1.0f, hex(0x1A3060)}}, f.y(140));
    stars(c, static_cast<int>(420 * s * s), c.box(), rng, 0.85f,
          [&](float, float y) { return 1.0f - smoothstep(f.y(40), f.y(130), y); });
    // The hill behind the roof, black, with its line of lantern lights near the top.
    std::vector<Vec2> hp;
    for (float x = -2; x <= f.w + 2; x += 2) {
        const float u = (x - f.x(0)) / f.len(640);
        hp.push_back({x, f.y(128) - f.len(70) * std::exp(-std::pow((u - 0.62f) / 0.3f, 2.0f)) -
                             f.len(4) * fbm(x / f.len(12), 0.2f, e.seed + 1, 3)});
    }
    hp.push_back({f.w + 2, f.h});
    hp.push_back({-2, f.h});
    c.fill(Path().addPolygon(hp), hex(0x050A12));
    for (int i = 0; i < 16; ++i) {
        const float t = static_cast<float>(i) / 15.0f;
        const Vec2 p = f.at(470 + t * 60 + std::sin(t * 9) * 4, 120 - t * 58);
        glow(c, p, f.len(1.6f), hex(0xFFB860), 0.7f);
    }

    // Roof eave across the top of the house.
    tiledRoof(c, f.x(30), f.x(700), f.y(150), f.y(112), hex(0x1E2430), hex(0x3A4458), s);
    // The round tile ends along the eave, their undersides catching the screens' glow.
    Path ends;
    for (float x = f.x(30); x < f.w + f.len(10); x += f.len(9)) {
        ends.addEllipse(x, f.y(150), f.len(3.6f), f.len(3.2f));
    }
    c.fill(ends, hex(0x2A303C));
    c.fill(ends.transformed(Affine::translate(0, f.len(1.2f))), hex(0x7A5A3A), 0.35f);
    // The house front: glowing paper screens between dark posts.
    const float top = f.y(152);
    const float floorY = f.y(300);
    c.fill(Path().addRect(f.x(40), top, f.w, floorY - top), hex(0x2A1C14));
    for (int i = 0; i < 6; ++i) {
        const float x0 = f.x(60 + static_cast<float>(i) * 100);
        const bool open = i == 3;
        Path panel;
        panel.addRect(x0, top + f.len(14), f.len(92), floorY - top - f.len(16));
        if (open) {
            // One screen slid open: the warm room inside.
            c.fill(panel, radialGradient(f.at(400, 220), f.len(120), f.len(100),
                                         {{0, hex(0xF0B060)}, {1, hex(0x8A4A20)}}));
            c.fill(Path().addRect(x0 + f.len(10), f.y(250), f.len(70), f.len(46)),
                   hex(0x5A3A20));  // a low table
            continue;
        }
        c.fill(panel, radialGradient(f.at(360, 220), f.len(380), f.len(180),
                                     {{0, hex(0xFFE6A8)}, {1, hex(0xE0A858)}}));
        Path lattice;
        for (int k = 1; k < 4; ++k) {
            lattice.addRect(x0 + f.len(92) * static_cast<float>(k) / 4 - f.len(0.8f),
                            top + f.len(14), f.len(1.6f), floorY - top - f.len(16));
        }
        for (int k = 1; k < 6; ++k) {
            lattice.addRect(
                x0, top + f.len(14) + (floorY - top - f.len(16)) * static_cast<float>(k) / 6,
                f.len(92), f.len(1.6f));
        }
        c.fill(lattice, hex(0x6A4424));
    }
    // Glass-free lintel and posts.
    Path posts;
    posts.addRect(f.x(40), top, f.w, f.len(14));
    for (int i = 0; i <= 6; ++i) {
        posts.addRect(f.x(54 + static_cast<float>(i) * 100), top, f.len(8), floorY - top);
    }
    c.fill(posts, hex(0x24160E));
    // The veranda: boards in perspective, catching the screens' light.
    Path deck;
    const Vec2 dp[] = {
        {f.x(30), floorY}, {f.w + 10, floorY}, {f.w + 10, f.y(330)}, {f.x(20), f.y(330)}};
    deck.addPolygon(dp);
    c.fill(deck, Shader([&](float x, float y) {
               const float board = std::fmod((y - floorY) / f.len(5), 1.0f);
               const float n = fbm01(x / f.len(50), y / f.len(2), e.seed + 2, 3);
               Rgb col = mix(hex(0x8A5A30), hex(0xB07A44), n);
               return scale(col, board < 0.12f ? 0.6f : 1.0f);
           }));
    c.fill(Path().addRect(f.x(20), f.y(330), f.w, f.len(10)), hex(0x3A2414));
    c.fill(Path().addRect(f.x(20), f.y(340), f.w, f.len(30)), hex(0x0E0A0A));
    // Watermelon on a tray, and the mosquito coil with its thread of smoke.
    const Vec2 tray = f.at(250, 312);
    c.fill(Path().addEllipse(tray.x, tray.y, f.len(36), f.len(7)), hex(0x5A3A1E));
    for (int k = 0; k < 3; ++k) {
        const float x = tray.x - f.len(22) + static_cast<float>(k) * f.len(20);
        Path rind;
        rind.moveTo(x - f.len(10), tray.y - f.len(2))
            .lineTo(x + f.len(10), tray.y - f.len(2))
            .lineTo(x, tray.y - f.len(16))
            .close();
        c.fill(rind, hex(0x2E6A2A));
        Path flesh;
        flesh.moveTo(x - f.len(8), tray.y - f.len(3.5f))
            .lineTo(x + f.len(8), tray.y - f.len(3.5f))
            .lineTo(x, tray.y - f.len(15))
            .close();
        c.fill(flesh, hex(0xE8404A));
        c.fill(Path().addCircle(x, tray.y - f.len(8), f.len(0.8f)), hex(0x1A1010));
    }
    const Vec2 coil = f.at(470, 318);
    c.fill(Path().addEllipse(coil.x, coil.y, f.len(16), f.len(4)), hex(0xC8C0B0));
    std::vector<Vec2> spiral;
    for (int k = 0; k <= 40; ++k) {
        const float a = static_cast<float>(k) * 0.45f;
        const float r = f.len(2 + static_cast<float>(k) * 0.22f);
        spiral.push_back({coil.x + std::cos(a) * r, coil.y - f.len(2) + std::sin(a) * r * 0.25f});
    }
    c.fill(strokePolyline(spiral, f.len(1.4f)), hex(0x3A5A2A));
    glow(c, spiral.back(), f.len(1.5f), hex(0xFF6A20), 0.8f);
    std::vector<Vec2> smoke;
    for (int k = 0; k <= 30; ++k) {
        const float t = static_cast<float>(k) / 30.0f;
        smoke.push_back(
            {spiral.back().x + std::sin(t * 9.0f) * f.len(5) * t, spiral.back().y - t * f.len(70)});
    }
    c.fill(strokePolyline(smoke, f.len(1.2f)), hex(0xD0D4E0), 0.35f);
    // The glass wind chime under the eave.
    const Vec2 bell = f.at(420, 176);
    c.fill(
        strokePolyline(std::vector<Vec2>{f.at(420, 150), {bell.x, bell.y - f.len(6)}}, f.len(0.7f)),
        hex(0x2A2020));
    Path glass;
    glass.addEllipse(bell.x, bell.y, f.len(7), f.len(7));
    c.fill(glass, hex(0xBFE0F0), 0.8f);
    c.fill(Path().addRect(bell.x - f.len(7), bell.y, f.len(14), f.len(7)), hex(0xFFE6A8));
    c.fill(Path().addCircle(bell.x - f.len(2), bell.y - f.len(3), f.len(1.2f)), hex(0xE84040));
    c.fill(
        strokePolyline(std::vector<Vec2>{{bell.x, bell.y + f.len(4)}, {bell.x, bell.y + f.len(16)}},
                       f.len(0.6f)),
        hex(0x2A2020));
    c.fill(Path().addRect(bell.x - f.len(3), bell.y + f.len(16), f.len(6), f.len(14)),
           hex(0xF4F0E0));

    // The garden in blue night light.
    Path garden;
    garden.addRect(0, f.y(366), f.w, f.h);
    c.fill(garden, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(20), y / f.len(8), e.seed + 3, 4);
               return mix(hex(0x0E1A24), hex(0x1E3040), n);
           }));
    c.fill(Path().addRect(0, f.y(364), f.w, f.len(6)), hex(0x2A3440));
    // The screens' light laid on the garden: a pale panel in front of each, fading away.
    Canvas spill(c.width(), c.height());
    for (int i = 0; i < 6; ++i) {
        const float x0 = f.x(60 + static_cast<float>(i) * 100);
        const float x1 = x0 + f.len(92);
        const float spread = f.len(26);
        const Vec2 q[] = {{x0, f.y(366)}, {x1, f.y(366)}, {x1 + spread, f.h}, {x0 - spread, f.h}};
        spill.fill(
            Path().addPolygon(q),
            linearGradient({0, f.y(366)}, {0, f.h}, {{0, hex(0xFFC070)}, {1, hex(0x000000)}}),
            i == 3 ? 0.22f : 0.14f);
    }
    c.composite(spill.blurred(f.len(6)), 1.0f, Blend::Add);
    // Stepping stones from the shoe stone at the veranda into the garden.
    Rng stones(e.seed + 7);
    for (int k = 0; k < 4; ++k) {
        const float t = static_cast<float>(k) / 3.0f;
        const Vec2 at = f.at(380 - 60 * t + stones.range(-8, 8), 380 + 80 * t);
        const float rx = f.len(30 + 12 * t);
        std::vector<Vec2> rim;
        for (int i = 0; i < 10; ++i) {
            const float a = 6.2832f * static_cast<float>(i) / 10;
            const float r = stones.range(0.85f, 1.1f);
            rim.push_back({at.x + std::cos(a) * rx * r, at.y + std::sin(a) * rx * 0.3f * r});
        }
        const Path top = Path().addPolygon(smoothClosed(rim, 4));
        c.fill(top.transformed(Affine::translate(0, f.len(3 + 2 * t))), hex(0x0A0E14));
        c.fill(top, linearGradient({0, at.y - rx * 0.3f}, {0, at.y + rx * 0.3f},
                                   {{0, hex(0x6A6258)}, {1, hex(0x2A3038)}}));
    }
    // The stone basin at the left: a rough boulder with its bowl of still water, the sky and
    // the screens in it, a bamboo ladle across it.
    const Vec2 basin = f.at(110, 420);
    std::vector<Vec2> boulder;
    Rng rough(e.seed + 8);
    for (int i = 0; i < 12; ++i) {
        const float a = 6.2832f * static_cast<float>(i) / 12;
        const float r = rough.range(0.88f, 1.08f);
        const float up = std::sin(a) < 0 ? 0.9f : 0.75f;
        boulder.push_back(
            {basin.x + std::cos(a) * f.len(42) * r, basin.y + std::sin(a) * f.len(28) * r * up});
    }
    const Path stone = Path().addPolygon(smoothClosed(boulder, 5));
    c.fill(stone, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(6), y / f.len(6), e.seed + 9, 3);
               const float lit = clamp01((x - basin.x) / f.len(60) + 0.4f) *
                                 clamp01((basin.y - y) / f.len(30) + 0.5f);
               return mix(scale(hex(0x2E343E), 0.8f + 0.4f * n), hex(0x8A7A64), lit * 0.7f);
           }));
    c.fill(Path().addEllipse(basin.x, basin.y - f.len(14), f.len(23), f.len(7)), hex(0x10141A));
    c.fill(Path().addEllipse(basin.x, basin.y - f.len(13), f.len(20), f.len(5.5f)),
           linearGradient({basin.x - f.len(20), 0}, {basin.x + f.len(20), 0},
                          {{0, hex(0x0E1626)}, {1, hex(0x24324C)}}));
    c.fill(Path().addEllipse(basin.x + f.len(8), basin.y - f.len(13.5f), f.len(5), f.len(1.1f)),
           hex(0xFFC878), 0.45f);
    c.fill(strokePolyline(std::vector<Vec2>{f.at(82, 404), f.at(140, 400)}, f.len(1.6f)),
           hex(0x8A7A50));
    c.fill(Path().addEllipse(f.x(142), f.y(400), f.len(4), f.len(3)), hex(0x8A7A50));
    // The persimmon at the right, close, its leaves black against the glowing screens and
    // warmed at their edges; small green fruit.
    const Vec2 trunk[] = {f.at(560, 500), f.at(570, 380), f.at(548, 300), f.at(560, 230)};
    Path wood = strokeTapered(trunk, std::vector<float>{f.len(26), f.len(18), f.len(12), f.len(7)});
    const Vec2 b1[] = {f.at(552, 300), f.at(520, 250), f.at(498, 214)};
    const Vec2 b2[] = {f.at(556, 260), f.at(600, 220), f.at(630, 200)};
    const Vec2 b3[] = {f.at(560, 232), f.at(548, 190), f.at(556, 160)};
    for (const auto* branch : {b1, b2, b3}) {
        wood.append(strokeTapered(std::span<const Vec2>(branch, 3),
                                  std::vector<float>{f.len(7), f.len(4), f.len(1.5f)}));
    }
    Path leaves;
    for (int k = 0; k < 14; ++k) {
        const Vec2 centre = f.at(rng.range(480, 670), rng.range(160, 300));
        const float spread = f.len(rng.range(22, 38));
        for (int i = 0; i < 46; ++i) {
            const float a = rng.range(0.0f, 6.2832f);
            const float d = std::sqrt(rng.unit()) * spread;
            const Vec2 at{centre.x + std::cos(a) * d, centre.y + std::sin(a) * d * 0.75f};
            leaves.addEllipse(at.x, at.y, f.len(rng.range(4.5f, 7.0f)),
                              f.len(rng.range(2.2f, 3.2f)), rng.range(-1.2f, 1.2f));
        }
    }
    const Mask woodMask = rasterize(wood, c.box());
    c.fill(woodMask, hex(0x0A0C10));
    paintRim(c, woodMask, {-1.0f, -0.2f}, std::max(0.7f, f.len(1.2f)), hex(0xC08040), 0.5f);
    const Mask leafMask = rasterize(leaves, c.box());
    c.fill(leafMask, hex(0x0A1418));
    paintRim(c, leafMask, {-1.0f, 0.1f}, std::max(0.7f, f.len(1.1f)), hex(0xB08040), 0.45f);
    for (int k = 0; k < 7; ++k) {
        const Vec2 fruit = f.at(rng.range(500, 640), rng.range(200, 290));
        c.fill(Path().addCircle(fruit.x, fruit.y, f.len(5)), hex(0x2A3418));
        c.fill(Path().addCircle(fruit.x - f.len(1.5f), fruit.y - f.len(1.5f), f.len(1.6f)),
               hex(0x8A9A4A), 0.6f);
    }
    grass(
        c, 0, f.w, [&](float) { return f.y(478); }, f.len(36), static_cast<int>(160 * s),
        hex(0x08121A), hex(0x1E3444), rng, s);
    fireflies(c, 9,
              Box{0, static_cast<int>(f.y(330)), static_cast<int>(f.w), static_cast<int>(f.y(140))},
              rng, hex(0xD8F060), f.len(1.4f));
    // The screens' light spills onto the garden's edge.
    glow(c, f.at(360, 300), f.len(200), hex(0xFFB060), 0.08f);
    vignette(c, 0.4f);
    grain(c, 0.025f, e.seed);
    return c;
}

Canvas paintBlack(Studio&, const PictureEntry& e) {
    // The prologue is told on pure black.
    Canvas c(e.width, e.height);
    c.fillAll(Rgb{0, 0, 0});
    return c;
}

}  // namespace velko::art
