// Grandfather's workshop at night under one bare bulb: CG07, the finished lantern of the
// ending (ed02) and Shingo's plain wallpaper.

#include "pictures/workshop.h"

#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/pictures.h"
#include "pictures/workshop_props.h"
#include "scenery/figures.h"

namespace velko::art {

using namespace paint;

void paintWorkshopScene(Canvas& c, WorkshopShot shot, std::uint64_t seed) {
    const Frame f(c);
    const float s = f.s;
    Rng rng(seed);
    const bool still = shot == WorkshopShot::StillLife;
    const Vec2 bulb = still ? f.at(320, 60) : f.at(330, 118);

    // Back wall of planks, and the window with the night outside.
    c.shade([&](float x, float y) {
        const float plank = std::fmod((x - f.x(0)) / f.len(26), 1.0f);
        const float grainN = fbm01(x / f.len(3), y / f.len(40), seed + 1, 4);
        Rgb col = mix(hex(0x5A3A24), hex(0x8A5E3C), grainN);
        if (plank < 0.04f) {
            col = scale(col, 0.45f);
        }
        return col;
    });
    const float winX = f.x(70);
    const float winY = f.y(96);
    Path win;
    win.addRect(winX, winY, f.len(96), f.len(84));
    c.fill(win, linearGradient({0, winY}, {0, winY + f.len(84)},
                               {{0, hex(0x0A1430)}, {1, hex(0x1E3260)}}));
    Rng sr(seed + 2);
    stars(c, 25,
          Box{static_cast<int>(winX), static_cast<int>(winY), static_cast<int>(f.len(96)),
              static_cast<int>(f.len(50))},
          sr, 0.7f, [](float, float) { return 1.0f; });
    Path frameBars;
    frameBars.addRect(winX - f.len(4), winY - f.len(4), f.len(104), f.len(4));
    frameBars.addRect(winX - f.len(4), winY + f.len(84), f.len(104), f.len(5));
    frameBars.addRect(winX - f.len(4), winY, f.len(4), f.len(84));
    frameBars.addRect(winX + f.len(96), winY, f.len(4), f.len(84));
    frameBars.addRect(winX + f.len(46), winY, f.len(3), f.len(84));
    frameBars.addRect(winX, winY + f.len(40), f.len(96), f.len(3));
    c.fill(frameBars, hex(0x3A2618));

    // Shadows fall away from the bulb onto the back wall.
    const BulbLight light{bulb, 0.07f, f.len(2.5f), 0.5f};
    if (!still) {
        wallTools(c, f, light, seed + 5);
    }

    // Rafters with lantern frames hanging in rows.
    for (const float ry : {14.0f, 56.0f}) {
        c.fill(Path().addRect(0, f.y(ry), f.w, f.len(12)), Shader([&](float x, float y) {
                   return mix(hex(0x3A2416), hex(0x5A3A22),
                              fbm01(x / f.len(20), y / f.len(3), seed + 3, 3));
               }));
    }
    if (!still) {
        for (int row = 0; row < 2; ++row) {
            const float hookY = f.y(row == 0 ? 26 : 68);
            for (int i = 0; i < 7; ++i) {
                // Hung where there was room, at different lengths of cord.
                const float x = f.x(40 + static_cast<float>(i) * 94 + static_cast<float>(row) * 47 +
                                    rng.range(-14.0f, 14.0f));
                const float r = f.len((row == 0 ? 16 : 22) * rng.range(0.85f, 1.15f));
                const float cy = hookY + f.len((row == 0 ? 30 : 40) + rng.range(-4.0f, 10.0f));
                c.fill(strokePolyline(std::vector<Vec2>{{x, hookY}, {x, cy - r * 1.3f}},
                                      std::max(0.6f, 0.8f * s)),
                       hex(0x2A1A10));
                const float papered = (i + row) % 3 == 0 ? 1.0f : (i % 4 == 1 ? 0.4f : 0.0f);
                lanternFrame(c, {x, cy}, r, r * 1.3f, papered, hex(0xC8A870), s, light);
            }
        }
    }

    // The workbench: top in perspective, front edge, legs.
    const float topY = f.y(still ? 300 : 282);
    const float frontY = f.y(still ? 372 : 350);
    Path bench;
    const Vec2 bp[] = {{f.x(60), topY}, {f.x(580), topY}, {f.x(660), frontY}, {f.x(-20), frontY}};
    bench.addPolygon(bp);
    c.fill(bench, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(60), y / f.len(2), seed + 4, 4);
               return mix(hex(0x7A5230), hex(0xB08050), n);
           }));
    benchBody(c, f, topY, frontY, seed + 6);

    if (!still) {
        // Tools and materials on the bench.
        for (int i = 0; i < 3; ++i) {
            const Vec2 r = f.at(90 + static_cast<float>(i) * 30, 300 + static_cast<float>(i) * 8);
            // A roll of washi: round along its length, the paper's spiral at its end.
            Path roll;
            roll.addRoundRect(r.x, r.y - f.len(10), f.len(70), f.len(14), f.len(6));
            shadowMask(c, rasterize(roll, c.box()), f.len(3), f.len(4), f.len(3), hex(0x1A0E08),
                       0.45f);
            const Rgb paper = mix(hex(0xF4ECDC), hex(0xE8D8B8), static_cast<float>(i) / 3.0f);
            c.fill(roll, linearGradient(
                             {0, r.y - f.len(10)}, {0, r.y + f.len(4)},
                             {{0, paper}, {0.35f, scale(paper, 1.04f)}, {1, scale(paper, 0.7f)}}));
            const Vec2 end{r.x + f.len(68), r.y - f.len(3)};
            c.fill(Path().addEllipse(end.x, end.y, f.len(4), f.len(7)), scale(paper, 0.86f));
            std::vector<Vec2> spiral;
            for (int k = 0; k <= 30; ++k) {
                const float a = static_cast<float>(k) * 0.6f;
                const float rr = static_cast<float>(k) / 30.0f;
                spiral.push_back(
                    {end.x + std::cos(a) * f.len(3.5f) * rr, end.y + std::sin(a) * f.len(6) * rr});
            }
            c.fill(strokePolyline(spiral, std::max(0.5f, f.len(0.5f))), scale(paper, 0.6f));
        }
        // The paste pot: a glazed jar, the bulb's light on its left shoulder, paste inside.
        Path pot;
        pot.addRect(f.x(470), f.y(282), f.len(34), f.len(28));
        pot.addEllipse(f.x(487), f.y(310), f.len(17), f.len(5));
        shadowMask(c, rasterize(pot, c.box()), f.len(6), f.len(3), f.len(4), hex(0x1A0E08), 0.5f);
        c.fill(pot,
               linearGradient(f.at(470, 0), f.at(504, 0),
                              {{0, hex(0x8A9AA6)}, {0.3f, hex(0x6A7A86)}, {1, hex(0x2E363E)}}));
        c.fill(Path().addEllipse(f.x(487), f.y(282), f.len(17), f.len(5)), hex(0x4A545C));
        c.fill(Path().addEllipse(f.x(487), f.y(283), f.len(14.5f), f.len(3.8f)), hex(0xE8E4D8));
        for (int i = 0; i < 3; ++i) {
            const Vec2 a = f.at(494 + static_cast<float>(i) * 4, 284);
            c.fill(strokePolyline(
                       std::vector<Vec2>{
                           a, {a.x + f.len(10 + static_cast<float>(i) * 6), a.y - f.len(40)}},
                       f.len(2.2f)),
                   hex(0x8A6030));
        }
        Path plane;
        plane.addRoundRect(f.x(540), f.y(296), f.len(60), f.len(16), f.len(3));
        c.fill(plane, hex(0x9A6A3A));
        c.fill(Path().addRect(f.x(556), f.y(292), f.len(4), f.len(6)), hex(0xA0A4A8));
        // The half-papered round frame in the middle.
        lanternFrame(c, f.at(320, 250), f.len(46), f.len(52), 0.5f, hex(0xD8B880), s * 1.4f,
                     {bulb, 0.0f, 1.0f, 0.0f});
    } else {
        // The finished lantern with the child's drawing: two stick figures and a star.
        const Vec2 lc = f.at(320, 222);
        // It stands on the bench: a soft shadow round its foot.
        shadowMask(c, rasterize(Path().addEllipse(lc.x, f.y(334), f.len(70), f.len(9)), c.box()),
                   f.len(8), 0, f.len(8), hex(0x140A06), 0.55f);
        shadowMask(c, rasterize(Path().addEllipse(lc.x, lc.y, f.len(92), f.len(104)), c.box()),
                   f.len(12), f.len(8), f.len(14), hex(0x140A06), 0.25f);
        lanternFrame(c, lc, f.len(92), f.len(104), 1.0f, hex(0xD0B078), s * 1.8f,
                     {bulb, 0.0f, 1.0f, 0.0f});
        c.fill(Path().addRoundRect(lc.x - f.len(46), lc.y - f.len(118), f.len(92), f.len(18),
                                   f.len(4)),
               hex(0x1A1210));
        c.fill(Path().addRoundRect(lc.x - f.len(46), lc.y + f.len(100), f.len(92), f.len(18),
                                   f.len(4)),
               hex(0x1A1210));
        const Rgb crayon = hex(0x3A4A9A);
        const float w = f.len(3.2f);
        for (const float dx : {-30.0f, 22.0f}) {
            const Vec2 head = f.at(320 + dx, 212);
            Path fig;
            std::vector<Vec2> ring;
            for (int k = 0; k <= 24; ++k) {
                const float a = 6.2832f * static_cast<float>(k) / 24;
                ring.push_back({head.x + std::cos(a) * f.len(8), head.y + std::sin(a) * f.len(8)});
            }
            fig.append(strokePolyline(ring, w));
            fig.append(strokePolyline(
                std::vector<Vec2>{{head.x, head.y + f.len(8)}, {head.x, head.y + f.len(36)}}, w));
            fig.append(strokePolyline(std::vector<Vec2>{{head.x - f.len(14), head.y + f.len(16)},
                                                        {head.x, head.y + f.len(20)},
                                                        {head.x + f.len(14), head.y + f.len(16)}},
                                      w));
            fig.append(strokePolyline(std::vector<Vec2>{{head.x - f.len(10), head.y + f.len(56)},
                                                        {head.x, head.y + f.len(36)},
                                                        {head.x + f.len(10), head.y + f.len(56)}},
                                      w));
            c.fill(fig, dx < 0 ? crayon : hex(0xC0402E));
        }
        // Their hands meet.
        c.fill(strokePolyline(std::vector<Vec2>{f.at(304, 232), f.at(328, 232)}, w), hex(0x7A4A6A));
        std::vector<Vec2> star;
        for (int k = 0; k <= 10; ++k) {
            const float a = -1.5708f + 6.2832f * static_cast<float>(k % 5) * 2.0f / 5.0f;
            star.push_back(
                {f.x(300) + std::cos(a) * f.len(13), f.y(168) + std::sin(a) * f.len(13)});
        }
        c.fill(strokePolyline(star, w), hex(0xE0A020));
        // The brush that painted it, and a spare sheet of washi.
        const Vec2 handle[] = {f.at(120, 334), f.at(196, 320)};
        const float hw[] = {f.len(3.2f), f.len(4.2f)};
        shadowMask(c, rasterize(strokeTapered(handle, hw), c.box()), f.len(2), f.len(3), f.len(2),
                   hex(0x140A06), 0.5f);
        c.fill(strokeTapered(handle, hw), linearGradient(f.at(0, 318), f.at(0, 336),
                                                         {{0, hex(0xC8A060)}, {1, hex(0x7A5828)}}));
        const Vec2 tip[] = {f.at(196, 320), f.at(206, 318), f.at(216, 317)};
        const float tw[] = {f.len(5), f.len(4), f.len(0.8f)};
        c.fill(strokeTapered(tip, tw), hex(0x1A1410));
        Path sheet;
        const Vec2 sq[] = {f.at(440, 316), f.at(522, 312), f.at(530, 330), f.at(446, 335)};
        sheet.addPolygon(sq);
        shadowMask(c, rasterize(sheet, c.box()), f.len(3), f.len(3), f.len(3), hex(0x140A06), 0.4f);
        c.fill(sheet, linearGradient(f.at(440, 0), f.at(530, 0),
                                     {{0, hex(0xF4ECDC)}, {1, hex(0xD8CCB4)}}));
    }
    if (shot == WorkshopShot::WithShingo) {
        Figure boy{f.at(170, 470), f.len(270), Pose::Standing, false, false, false, 0.6f};
        // The bulb above and to his right catches his hair and shoulder.
        paintFigure(c, boy, {hex(0x120C0A), hex(0xE0A060), {0.8f, -0.6f}, 1.6f * s, 0.5f, 0.1f});
    }

    // The bulb's light: bright near it, falling off into brown shadow.
    c.tint(hex(0x0C0806), [&](float x, float y) {
        const float d = std::hypot(x - bulb.x, (y - bulb.y) * 0.9f) / f.len(still ? 420 : 380);
        return 0.08f + 0.72f * smoothstep(0.1f, 1.3f, d);
    });
    c.fill(strokePolyline(std::vector<Vec2>{{bulb.x, 0}, {bulb.x, bulb.y - f.len(12)}},
                          std::max(0.8f, 1.2f * s)),
           hex(0x1A1410));
    c.fill(Path().addRect(bulb.x - f.len(4), bulb.y - f.len(14), f.len(8), f.len(7)),
           hex(0x3A3028));
    c.fill(Path().addEllipse(bulb.x, bulb.y, f.len(7), f.len(9)), hex(0xFFF6D8));
    glow(c, bulb, f.len(16), hex(0xFFD890), 1.2f);
    glow(c, bulb, f.len(90), hex(0xFFB060), 0.25f);
    // Dust in the light.
    for (int i = 0; i < static_cast<int>(120 * s * s); ++i) {
        const float a = rng.range(0.3f, 2.8f);
        const float d = rng.range(0.1f, 1.0f) * f.len(200);
        const Vec2 p{bulb.x + std::cos(a) * d, bulb.y + std::sin(a) * d};
        c.fill(Path().addCircle(p.x, p.y, f.len(rng.range(0.4f, 0.9f))), hex(0xFFE8C0),
               rng.range(0.15f, 0.5f) * (1.0f - d / f.len(220)));
    }
    grain(c, 0.03f, seed);
}

Canvas paintWorkshop(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintWorkshopScene(c, WorkshopShot::Night, e.seed);
    return c;
}

Canvas paintFinishedLantern(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintWorkshopScene(c, WorkshopShot::StillLife, e.seed);
    return c;
}

}  // namespace velko::art
