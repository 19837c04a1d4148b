// CG06: grandmother's house at night, the veranda seen from the garden.

#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/pictures.h"
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
    // Stone basin at the left.
    const Vec2 basin = f.at(110, 420);
    c.fill(Path().addEllipse(basin.x, basin.y, f.len(40), f.len(26)), hex(0x3A4250));
    c.fill(Path().addEllipse(basin.x, basin.y - f.len(14), f.len(22), f.len(6)), hex(0x4A6A8A));
    c.fill(Path().addEllipse(basin.x - f.len(5), basin.y - f.len(15), f.len(8), f.len(2)),
           hex(0xFFE6A8), 0.5f);
    // The persimmon tree at the right, close and dark.
    const Vec2 trunk[] = {f.at(560, 500), f.at(570, 380), f.at(548, 300), f.at(560, 230)};
    c.fill(strokeTapered(trunk, std::vector<float>{f.len(26), f.len(18), f.len(12), f.len(7)}),
           hex(0x0A0C10));
    Path crown;
    for (int k = 0; k < 9; ++k) {
        crown.append(foliageClump(f.at(rng.range(490, 660), rng.range(170, 290)),
                                  f.len(rng.range(30, 55)), f.len(rng.range(22, 40)), rng, 12));
    }
    c.fill(crown, hex(0x0A1418));
    for (int k = 0; k < 7; ++k) {
        c.fill(Path().addCircle(f.x(rng.range(500, 640)), f.y(rng.range(200, 290)), f.len(5)),
               hex(0x3A2A1A));
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
