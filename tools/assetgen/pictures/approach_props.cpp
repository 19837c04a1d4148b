#include "pictures/approach_props.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint/effects.h"
#include "paint/noise.h"

namespace velko::art {

using namespace paint;

namespace {

// The sun stands high and a little to the left: shadows fall just to the right.
constexpr float kShadowShift = 0.25f;

Path quad(Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
    const Vec2 q[] = {a, b, c, d};
    return Path().addPolygon(q);
}

}  // namespace

void groundShadow(Canvas& c, const Perspective& g, float u, float z, float radius, float opacity) {
    const Vec2 at = g.at(u + kShadowShift * radius, z);
    const float rx = g.px(radius, z);
    const Mask m = rasterize(Path().addEllipse(at.x, at.y, rx, rx * 0.3f), c.box());
    c.fill(m.blurred(std::max(1.0f, rx * 0.3f)), hex(0x3A3A30), opacity, Blend::Multiply);
}

void festivalTent(Canvas& c, const Perspective& g, float u0, float u1, float z0, float z1,
                  const PropLight& l) {
    const float roofH = 2.3f;
    const float peak = 2.75f;
    const float um = (u0 + u1) * 0.5f;
    const float zm = (z0 + z1) * 0.5f;
    // Its shade on the ground first.
    if (!l.eve) {
        Path shade = quad(g.at(u0 + 0.3f, z0), g.at(u1 + 0.5f, z0), g.at(u1 + 0.5f, z1),
                          g.at(u0 + 0.3f, z1));
        c.fill(rasterize(shade, c.box()).blurred(g.px(0.15f, z0)), hex(0x6A6458), 0.55f,
               Blend::Multiply);
    }
    const Rgb cloth = l.eve ? hex(0xC89A80) : hex(0xF6F6F0);
    const Rgb clothShade = l.eve ? hex(0x8A6A5A) : hex(0xC8CCD0);
    const Rgb pole = l.eve ? hex(0x8A7A70) : hex(0xC8C8C2);
    // Back legs, the table with its curtain, then the front legs and the canopy.
    Path legs;
    for (const float u : {u0, u1}) {
        const Vec2 base = g.at(u, z1);
        const Vec2 top = g.at(u, z1, roofH);
        legs.addRect(base.x - g.px(0.025f, z1), top.y, g.px(0.05f, z1), base.y - top.y);
    }
    c.fill(legs, scale(pole, 0.8f));
    const float tz = z0 + 0.6f;
    const float ta = u0 + 0.35f;
    const float tb = u1 - 0.35f;
    c.fill(quad(g.at(ta, tz, 0.75f), g.at(tb, tz, 0.75f), g.at(tb, tz + 0.7f, 0.75f),
                g.at(ta, tz + 0.7f, 0.75f)),
           l.eve ? hex(0xB8A090) : hex(0xFAFAF6));
    // The red-and-white curtain round the table: vertical stripes, gathered in folds.
    const Vec2 ca = g.at(ta, tz, 0.75f);
    const Vec2 cb = g.at(tb, tz);
    c.fill(Path().addRect(ca.x, ca.y, cb.x - ca.x, cb.y - ca.y), Shader([&](float x, float y) {
               const float u = (x - ca.x) / std::max(1.0f, cb.x - ca.x) * (tb - ta);
               const bool red = std::fmod(u / 0.36f, 1.0f) < 0.5f;
               const float fold = 0.88f + 0.12f * std::sin(u / 0.09f);
               Rgb col = red ? hex(0xC8302A) : hex(0xF4F0EA);
               if (l.eve) {
                   col = mix(col, hex(0x4A2A30), 0.45f);
               }
               const float low = (y - ca.y) / std::max(1.0f, cb.y - ca.y);
               return scale(col, fold * (1.0f - 0.15f * low));
           }));
    legs = Path();
    for (const float u : {u0, u1}) {
        const Vec2 base = g.at(u, z0);
        const Vec2 top = g.at(u, z0, roofH);
        legs.addRect(base.x - g.px(0.025f, z0), top.y, g.px(0.05f, z0), base.y - top.y);
        if (!l.eve) {
            groundShadow(c, g, u, z0, 0.12f, 0.5f);
        }
    }
    c.fill(legs, pole);
    // The canopy: a low four-sided roof, the face towards us lit, the side in shade, and a
    // valance hanging round its edge.
    const Vec2 apex = g.at(um, zm, peak);
    c.fill(quad(g.at(u0 - 0.1f, z0 - 0.1f, roofH), g.at(u1 + 0.1f, z0 - 0.1f, roofH), apex, apex),
           cloth);
    const bool leftSide = um > 0;  // the side facing the path
    const float su = leftSide ? u0 - 0.1f : u1 + 0.1f;
    c.fill(quad(g.at(su, z0 - 0.1f, roofH), g.at(su, z1 + 0.1f, roofH), apex, apex), clothShade);
    const Vec2 v0 = g.at(u0 - 0.1f, z0 - 0.1f, roofH);
    const Vec2 v1 = g.at(u1 + 0.1f, z0 - 0.1f, roofH);
    const float drop = g.px(0.28f, z0);
    c.fill(Path().addRect(v0.x, v0.y, v1.x - v0.x, drop), scale(cloth, 0.94f));
    c.fill(Path().addRect(v0.x, v0.y + drop * 0.75f, v1.x - v0.x, drop * 0.25f),
           l.eve ? hex(0x7A3A30) : hex(0xC8302A));
    c.fill(quad(g.at(su, z0 - 0.1f, roofH), g.at(su, z1 + 0.1f, roofH),
                g.at(su, z1 + 0.1f, roofH - 0.28f), g.at(su, z0 - 0.1f, roofH - 0.28f)),
           scale(clothShade, 0.92f));
}

void crateStack(Canvas& c, const Perspective& g, float u, float z, const PropLight& l, Rng& rng) {
    const float w = 0.55f;
    const float d = 0.45f;
    const float h = 0.42f;
    struct Crate {
        float u, z, h;
    };
    // Back row first, the lower layer before the upper one.
    const Crate crates[] = {{u + 0.05f, z + 0.5f, 0},  {u + 0.62f, z + 0.55f, 0},
                            {u + 0.3f, z + 0.52f, h},  {u, z, 0},
                            {u + 0.58f, z + 0.04f, 0}, {u + 0.25f, z + 0.06f, h}};
    if (!l.eve) {
        groundShadow(c, g, u + 0.6f, z + 0.3f, 0.85f, 0.55f);
    }
    const Rgb wood = l.eve ? hex(0x5A3A28) : hex(0xB88E5C);
    for (const Crate& k : crates) {
        const float tone = rng.range(0.86f, 1.08f);
        const Rgb face = scale(wood, tone);
        const float u0 = k.u;
        const float u1 = k.u + w;
        const float z0 = k.z;
        const float z1 = k.z + d;
        const float h0 = k.h;
        const float h1 = k.h + h;
        // The side towards the path, the top in the sun, the front.
        if (u1 < 0) {
            c.fill(quad(g.at(u1, z0, h0), g.at(u1, z1, h0), g.at(u1, z1, h1), g.at(u1, z0, h1)),
                   scale(face, 0.72f));
        }
        c.fill(quad(g.at(u0, z0, h1), g.at(u1, z0, h1), g.at(u1, z1, h1), g.at(u0, z1, h1)),
               scale(face, l.eve ? 1.0f : 1.18f));
        const Vec2 a = g.at(u0, z0, h1);
        const Vec2 b = g.at(u1, z0, h0);
        c.fill(Path().addRect(a.x, a.y, b.x - a.x, b.y - a.y), Shader([&](float x, float y) {
                   const float n = fbm01(x / std::max(1.0f, g.px(0.2f, z0)), y / 2.0f,
                                         static_cast<std::uint64_t>(k.u * 100 + k.z * 10), 3);
                   return scale(face, 0.85f + 0.25f * n);
               }));
        // Boards and the dark gaps between them; a hand hole.
        Path gaps;
        for (int i = 1; i < 3; ++i) {
            const float y = a.y + (b.y - a.y) * static_cast<float>(i) / 3.0f;
            gaps.addRect(a.x, y, b.x - a.x, std::max(0.5f, g.px(0.012f, z0)));
        }
        gaps.addRoundRect(a.x + (b.x - a.x) * 0.35f, a.y + (b.y - a.y) * 0.12f, (b.x - a.x) * 0.3f,
                          (b.y - a.y) * 0.12f, (b.y - a.y) * 0.05f);
        c.fill(gaps, scale(wood, 0.4f), 0.8f);
        c.fill(Path().addRect(a.x, a.y, b.x - a.x, std::max(0.5f, g.px(0.015f, z0))),
               scale(face, 1.3f), 0.6f);
    }
}

}  // namespace velko::art
