// CG10: the veranda of the shrine office, an afternoon of pasting paper in cedar shade.

#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/ground_view.h"
#include "pictures/pictures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"

namespace velko::art {

using namespace paint;

Canvas paintOfficeVeranda(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    const float s = f.s;
    Rng rng(e.seed);
    const Perspective p{f.x(430), f.y(230), 1.2f, f.len(300)};

    // The garden and the woods beyond, in deep shade with green light.
    c.shade(linearGradient({0, 0}, {0, f.y(260)}, {{0, hex(0x2A4A34)}, {1, hex(0x4A6A44)}}));
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 9; ++i) {
            const float x = f.x(rng.range(-40, 420));
            const float w = f.len(rng.range(14, 34)) * (1.0f + static_cast<float>(row) * 0.6f);
            const Rgb bark = mix(hex(0x1E2A20), hex(0x3A3428), static_cast<float>(row) / 2.0f);
            cedarTrunk(c, x, -10, f.y(240 + static_cast<float>(row) * 20), w, bark,
                       mix(bark, hex(0x9AB070), 0.4f), 1.0f,
                       e.seed + static_cast<std::uint64_t>(row * 10 + i));
        }
    }
    Path moss;
    moss.addRect(0, f.y(236), f.w, f.h);
    c.fill(moss, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(14), y / f.len(6), e.seed + 1, 5);
               return mix(hex(0x2E4A24), hex(0x6A8A3A), n);
           }));
    // Stepping stones across the moss.
    for (int k = 0; k < 6; ++k) {
        const Vec2 a =
            p.at(-3.4f + static_cast<float>(k) * 0.15f, 2.6f + static_cast<float>(k) * 1.1f);
        const float r = p.px(0.32f, 2.6f + static_cast<float>(k) * 1.1f);
        c.fill(Path().addEllipse(a.x, a.y, r, r * 0.35f), hex(0x8A8A80));
        c.fill(Path().addEllipse(a.x - r * 0.2f, a.y - r * 0.1f, r * 0.6f, r * 0.15f),
               hex(0xB0AEA4), 0.6f);
    }
    // The building: the room behind open sliding doors, tatami and shadow.
    c.fill(p.side(0.0f, 1.0f, 14.0f, 0.5f, 3.2f), hex(0x3A2A1E));
    c.fill(p.side(0.05f, 1.0f, 14.0f, 0.5f, 2.5f), hex(0x2A2018));
    // Inside: the far wall, the ceiling and the back of the room, all in soft shadow.
    c.fill(p.side(2.6f, 0.5f, 40.0f, 0.5f, 3.2f), hex(0x3A2C20));
    c.fill(p.front(0.0f, 2.6f, 14.0f, 0.5f, 3.2f), hex(0x2E2218));
    c.fill(p.floor(0.0f, 2.6f, 0.5f, 14.0f, 3.2f), hex(0x241A12));
    // A hanging scroll in the alcove on the far wall: mounting, a pale paper, a line of ink.
    c.fill(p.side(2.55f, 3.0f, 6.0f, 1.4f, 2.6f), hex(0x4A3A2A));
    c.fill(p.side(2.54f, 4.1f, 4.9f, 1.1f, 2.45f), hex(0x5A6A5A));
    c.fill(p.side(2.53f, 4.25f, 4.75f, 1.25f, 2.2f), hex(0xD8D0B8));
    c.fill(p.side(2.52f, 4.45f, 4.55f, 1.4f, 2.05f), hex(0x2A2420), 0.8f);

    // Tatami: mats laid lengthwise, each a slightly different green-gold, woven along its
    // length, edged with dark cloth on its long sides.
    const float floorH = 0.5f;
    auto floorPoint = [&](float x, float y) {
        const float z = (p.camH - floorH) * p.focal / std::max(0.5f, y - p.horizon);
        return Vec2{(x - p.vpx) * z / p.focal, z};
    };
    for (int col = 0; col < 3; ++col) {
        const float u0 = 0.05f + 0.85f * static_cast<float>(col);
        const float u1 = u0 + 0.85f;
        for (float z = 1.0f - 0.9f * static_cast<float>(col % 2); z < 14.0f; z += 1.8f) {
            const float za = std::max(1.0f, z);
            const float zb = z + 1.8f;
            const float tone = 0.9f + 0.18f * hash01(col, static_cast<int>(z * 10), e.seed + 8);
            c.fill(p.floor(u0, u1, za, zb, floorH), Shader([&, tone](float x, float y) {
                       const Vec2 uz = floorPoint(x, y);
                       const float weave = 0.5f + 0.5f * std::sin(uz.x * 160.0f);
                       const float n = fbm01(uz.x * 8.0f, uz.y * 2.0f, e.seed + 2, 3);
                       return scale(mix(hex(0x8A8A50), hex(0xAEAC6C), n),
                                    tone * (0.95f + 0.05f * weave));
                   }));
            for (const float edge : {u0, u1 - 0.045f}) {
                c.fill(p.floor(edge, edge + 0.045f, za, zb, floorH + 0.002f), hex(0x2A2A22));
            }
            c.fill(strokePolyline(std::vector<Vec2>{p.at(u0, za, floorH), p.at(u1, za, floorH)},
                                  std::max(0.5f, p.px(0.012f, za))),
                   hex(0x5A5A34), 0.7f);
        }
    }
    // The open door frames, and the shoji pushed aside: paper panes in a wooden lattice.
    for (float z = 1.2f; z < 14.0f; z += 2.4f) {
        c.fill(p.side(0.0f, z, z + 0.12f, 0.5f, 2.5f), hex(0x4A3020));
    }
    c.fill(p.side(-0.02f, 1.0f, 14.0f, 2.45f, 3.4f), hex(0xE8E0C8));
    // Deep eaves above.
    Path eave;
    const Vec2 eq[] = {p.at(0.0f, 0.8f, 3.4f), p.at(0.0f, 14.0f, 3.4f), p.at(-1.4f, 14.0f, 3.6f),
                       p.at(-1.4f, 0.8f, 3.6f)};
    eave.addPolygon(eq);
    c.fill(eave, hex(0x2A1E16));
    // Rafters under the eave and the boards of the room's ceiling, running into the distance.
    Path rafters;
    for (float z = 1.0f; z < 14.0f; z += 0.45f) {
        rafters.append(strokePolyline(std::vector<Vec2>{p.at(0.0f, z, 3.4f), p.at(-1.4f, z, 3.6f)},
                                      std::max(0.6f, p.px(0.06f, z))));
    }
    c.fill(rafters, hex(0x4A3626), 0.8f);
    Path ceiling;
    for (float u = 0.3f; u < 2.6f; u += 0.3f) {
        ceiling.append(strokeTapered(std::vector<Vec2>{p.at(u, 0.6f, 3.2f), p.at(u, 14.0f, 3.2f)},
                                     std::vector<float>{p.px(0.02f, 0.6f), 0.5f}));
    }
    c.fill(ceiling, hex(0x4A3828), 0.7f);
    // The veranda boards.
    c.fill(p.floor(-1.3f, 0.0f, 0.9f, 14.0f, 0.5f), Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(80), y / f.len(1.5f), e.seed + 3, 4);
               return mix(hex(0x7A5A3A), hex(0xA07A50), n);
           }));
    Path seams;
    for (float u = -1.3f; u < 0.0f; u += 0.22f) {
        seams.append(strokePolyline(std::vector<Vec2>{p.at(u, 0.9f, 0.5f), p.at(u, 14.0f, 0.5f)},
                                    std::max(0.6f, 0.8f * s)));
    }
    c.fill(seams, hex(0x4A3220), 0.7f);
    c.fill(p.side(-1.3f, 0.9f, 14.0f, 0.0f, 0.5f), hex(0x3A2818));
    for (float z = 1.6f; z < 14.0f; z += 2.4f) {
        c.fill(p.side(-1.32f, z, z + 0.14f, 0.5f, 3.45f), hex(0x3A2818));
    }

    // The afternoon's work on the boards.
    const float z0 = 2.0f;
    c.fill(p.floor(-1.1f, -0.3f, z0, z0 + 0.6f, 0.51f), hex(0xF6F2E8));
    c.fill(p.floor(-1.0f, -0.35f, z0 + 0.8f, z0 + 1.3f, 0.51f), hex(0xEFEADC));
    const Vec2 bowl = p.at(-0.2f, z0 + 0.3f, 0.55f);
    c.fill(Path().addEllipse(bowl.x, bowl.y, p.px(0.16f, z0), p.px(0.07f, z0)), hex(0x6A4A3A));
    c.fill(Path().addEllipse(bowl.x, bowl.y - p.px(0.03f, z0), p.px(0.13f, z0), p.px(0.05f, z0)),
           hex(0xF0ECE0));
    c.fill(strokePolyline(
               std::vector<Vec2>{p.at(-0.5f, z0 + 0.1f, 0.53f), p.at(-0.3f, z0 + 0.5f, 0.53f)},
               p.px(0.03f, z0)),
           hex(0x7A5030));
    // Two finished lanterns and a bare frame further along.
    paperLantern(c, p.at(-0.8f, 4.2f, 0.85f), p.px(0.25f, 4.2f), p.px(0.33f, 4.2f),
                 PaperStyle::FestivalWhiteRed);
    paperLantern(c, p.at(-0.3f, 4.8f, 0.85f), p.px(0.25f, 4.8f), p.px(0.33f, 4.8f),
                 PaperStyle::FestivalWhiteRed);
    const Vec2 fc = p.at(-0.7f, 6.0f, 0.85f);
    const float fr = p.px(0.25f, 6.0f);
    Path frame;
    for (int i = 0; i <= 6; ++i) {
        const float yy = fc.y - fr * 1.3f + fr * 2.6f * static_cast<float>(i) / 6;
        const float half =
            fr * std::sqrt(std::max(0.0f, 1.0f - std::pow((yy - fc.y) / (fr * 1.3f), 2.0f)));
        frame.append(strokePolyline(std::vector<Vec2>{{fc.x - half, yy}, {fc.x + half, yy}},
                                    std::max(0.6f, s * 0.8f)));
    }
    c.fill(frame, hex(0xC8A870));

    // Dappled sun through the cedars: patches on the boards and the moss.
    Canvas light(c.width(), c.height());
    for (int i = 0; i < static_cast<int>(60 * s); ++i) {
        const float z = rng.range(1.0f, 10.0f);
        const float u = rng.range(-4.0f, 0.0f);
        const Vec2 a = p.at(u, z, u > -1.3f ? 0.5f : 0.0f);
        const float r = p.px(rng.range(0.06f, 0.2f), z);
        light.fill(Path().addEllipse(a.x, a.y, r * 1.6f, r * 0.5f), hex(0xFFF0B0),
                   rng.range(0.5f, 1.0f));
    }
    c.composite(light.blurred(f.len(1.5f)), 0.45f, Blend::Add);
    // Green light reflected from the moss on everything.
    c.tint(hex(0x6A9A5A), [](float, float) { return 0.1f; });
    Rng br(e.seed + 5);
    for (int k = 0; k < 3; ++k) {
        hangingBoughs(c, f.at(-20, static_cast<float>(k) * 12 - 6), f.len(260),
                      0.1f + 0.12f * static_cast<float>(k), hex(0x10201A), br, s);
    }
    vignette(c, 0.35f);
    grain(c, 0.025f, e.seed);
    return c;
}

}  // namespace velko::art
