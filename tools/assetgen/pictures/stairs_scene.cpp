#include "pictures/stairs_scene.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"

namespace velko::art {

using namespace paint;

void paintStairs(Canvas& c, const StairsMood& m) {
    const Frame f(c);
    const float s = f.s;
    Rng rng(m.seed);
    m.sky(c);

    Stairs st;
    st.centreX = f.x(320 + m.shiftX);
    st.vanishX = f.x(318 + m.shiftX * 0.3f);
    st.horizonY = f.y(300);
    st.focal = f.len(430);
    st.eyeHeight = 1.6f;
    st.halfWidth = 1.5f;
    st.rise = 0.16f;
    st.run = 0.33f;
    st.startDistance = 2.0f;
    st.count = 68;
    const auto steps = stairsLayout(st);
    const StepPlace& top = steps.back();
    const float topY = top.y;

    // The forest wall behind the top of the flight: rows of cedar crowns, nearer rows darker
    // and taller, hazier the farther back.
    for (int row = 0; row < 3; ++row) {
        Path crowns;
        const float depth = 1.0f - static_cast<float>(row) / 3.0f;
        for (int i = 0; i < 34; ++i) {
            const float u = (static_cast<float>(i) + rng.range(-0.4f, 0.4f)) / 33.0f;
            const float x = f.x(-20) + u * (f.w + f.len(40));
            const float away = std::fabs(x - top.x) / f.len(320);
            if (away < 0.09f + 0.03f * static_cast<float>(row)) {
                continue;  // the gap where the path climbs through
            }
            const float base = topY + f.len(12) + away * f.len(40);
            const float hgt = f.len(rng.range(60, 110)) * (1.0f + away * 1.4f) *
                              (0.8f + 0.3f * static_cast<float>(row));
            crowns.append(cedar({x, base}, hgt, hgt * 0.36f, rng));
        }
        c.fill(crowns, mix(m.forest, m.fog, m.fogAmount * (0.2f + 0.6f * depth)));
    }
    // The ground the flight climbs: forest floor on both sides.
    Path ground;
    ground.addRect(0, topY + f.len(4), f.w, f.h);
    c.fill(ground, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(18), y / f.len(9), m.seed + 2, 4);
               return mix(scale(m.forest, 0.6f), mix(m.forest, m.moss, 0.35f), n);
           }));
    // Undergrowth along both sides of the flight.
    for (std::size_t i = 0; i + 1 < steps.size(); i += 1) {
        const StepPlace& p = steps[i];
        for (const float side : {-1.0f, 1.0f}) {
            const float x = p.x + side * (p.halfW + p.scale * rng.range(0.2f, 1.6f));
            c.fill(foliageClump({x, p.y + p.scale * 0.1f}, p.scale * rng.range(0.3f, 0.6f),
                                p.scale * 0.3f, rng, 8),
                   mix(scale(m.moss, 0.55f), scale(m.forest, 0.9f), rng.unit()));
        }
    }

    // The torii at the top, and the old lantern under it.
    const float toriiH = top.scale * 4.6f;
    ToriiLook look{m.torii, scale(m.torii, 0.6f), mix(hex(0x151212), m.fog, m.fogAmount * 0.5f),
                   -1};
    torii(c, top.x, topY + top.scale * 0.3f, toriiH, top.scale * 3.6f, look);
    c.tint(m.fog,
           [&](float, float y) { return y < topY + f.len(10) ? m.fogAmount * 0.45f : 0.0f; });

    stoneStairs(c, st, m.stoneTread, m.stoneLight, m.moss, m.seed + 10, m.wetness);
    // Kerbstones along both sides of the flight, with moss cushions spilling over them.
    for (int i = static_cast<int>(steps.size()) - 2; i >= 0; --i) {
        const StepPlace& p = steps[static_cast<std::size_t>(i)];
        const StepPlace& q = steps[static_cast<std::size_t>(i + 1)];
        const float riseH = st.rise * p.scale;
        for (const float side : {-1.0f, 1.0f}) {
            const float w = p.scale * 0.1f;
            const Vec2 kerb[] = {{q.x + side * q.halfW, q.y + st.rise * q.scale},
                                 {q.x + side * (q.halfW + q.scale * 0.1f), q.y},
                                 {p.x + side * (p.halfW + w), p.y},
                                 {p.x + side * (p.halfW + w), p.y + riseH},
                                 {p.x + side * p.halfW, p.y + riseH}};
            c.fill(Path().addPolygon(kerb), mix(scale(m.stoneLight, 0.7f), m.moss, 0.25f));
            if (rng.chance(0.3f)) {
                const Vec2 at{p.x + side * (p.halfW + w * rng.range(0.0f, 0.8f)),
                              p.y + riseH * rng.range(0.1f, 0.6f)};
                const Path cushion = foliageClump(at, p.scale * rng.range(0.12f, 0.3f),
                                                  p.scale * rng.range(0.06f, 0.12f), rng, 7);
                const Mask cm = rasterize(cushion, c.box());
                c.fill(cm, scale(m.moss, rng.range(0.5f, 0.8f)));
                paintRim(c, cm, {0, -1}, std::max(0.6f, p.scale * 0.02f), m.moss, 0.3f);
            }
        }
    }

    // Lanterns from far to near, both sides, every fourth step.
    for (int i = static_cast<int>(steps.size()) - 3; i >= 0; i -= 4) {
        const StepPlace& p = steps[static_cast<std::size_t>(i)];
        if (p.scale * 1.45f > f.len(170)) {
            continue;  // the nearest ones would tower over the picture
        }
        for (const float side : {-1.0f, 1.0f}) {
            LanternLook ll;
            ll.stone = m.stoneLight;
            ll.stoneDark = scale(m.stoneLight, 0.4f);
            ll.lit = rng.unit() < m.litShare;
            ll.glow = m.lanternGlow;
            const float x = p.x + side * (p.halfW + p.scale * 0.5f);
            const float base = p.y + p.scale * 0.1f;
            if (ll.lit && p.scale > f.len(22)) {
                // A pool of its light on the steps and the ground round its foot.
                Path pool;
                pool.addEllipse(x - side * p.scale * 0.35f, base, p.scale * 1.5f, p.scale * 0.42f);
                c.fill(pool,
                       radialGradient({x - side * p.scale * 0.35f, base}, p.scale * 1.5f,
                                      p.scale * 0.42f,
                                      {{0, scale(ll.flame, 0.3f * m.lanternGlow)},
                                       {0.5f, scale(ll.flame, 0.09f * m.lanternGlow)},
                                       {1, hex(0x000000)}}),
                       1.0f, Blend::Add);
            }
            const Vec2 light = stoneLantern(c, x, base, p.scale * 1.45f, ll);
            if (ll.lit && m.mist > 0 && p.scale > f.len(12)) {
                // The mist catches the light: a wide faint halo.
                glow(c, light, p.scale * 0.9f, ll.flame, 0.1f * m.lanternGlow);
            }
        }
    }
    // Distance haze over the upper flight: more the farther up.
    const float nearY = f.y(420);
    c.tint(m.fog, [&](float, float y) {
        return m.fogAmount * 0.7f * clamp01((nearY - y) / (nearY - topY)) *
               clamp01((nearY - y) / (nearY - topY));
    });
    // Mist in layers between the rows of trunks: a far bank over the upper flight, a thinner
    // one in the middle, and low wisps along the ground near us.
    auto mistBand = [&](float centreY, float spread, float amount, std::uint64_t salt) {
        if (m.mist <= 0) {
            return;
        }
        mist(
            c, m.fog,
            [&](float, float y) {
                return m.mist * amount * std::exp(-std::pow((y - centreY) / spread, 2.0f));
            },
            f.len(110), m.seed + salt);
    };
    mistBand(topY + f.len(80), f.len(70), 1.0f, 20);

    // Cedar trunks: a middle row, then the great ones at the edges, mist between them.
    struct Trunk {
        float offset;  // lateral units from the centre line
        float dist;
    };
    const Trunk trunks[] = {{-4.2f, 9.0f}, {4.6f, 8.0f}, {-3.4f, 5.6f}, {3.6f, 5.0f},
                            {-3.2f, 3.2f}, {3.4f, 2.9f}, {-2.9f, 2.1f}, {3.0f, 1.9f}};
    for (std::size_t i = 0; i < std::size(trunks); ++i) {
        const Trunk& t = trunks[i];
        if (i == 4) {
            mistBand(topY + f.len(150), f.len(55), 0.6f, 21);
        }
        const float k = st.focal / t.dist;
        const float centre =
            st.vanishX + (st.centreX - st.vanishX) * (st.startDistance / std::max(t.dist, 0.5f));
        const float x = centre + t.offset * k;
        const float groundE = st.rise * std::max(0.0f, (t.dist - st.startDistance) / st.run);
        const float base = st.horizonY - (groundE - st.eyeHeight) * k;
        const float width = 0.55f * k;
        const float haze = m.fogAmount * clamp01((t.dist - 2.0f) / 9.0f);
        cedarTrunk(c, x, -10, base, width, mix(m.bark, m.fog, haze), mix(m.barkLight, m.fog, haze),
                   t.offset < 0 ? 1.0f : -1.0f, m.seed + static_cast<std::uint64_t>(t.dist * 10));
    }
    mistBand(f.y(430), f.len(40), 0.45f, 22);
    // Ferns along the bottom edges.
    for (int i = 0; i < 10; ++i) {
        const float side = i % 2 == 0 ? -1.0f : 1.0f;
        const float x = side < 0 ? rng.range(0, f.w * 0.22f) : rng.range(f.w * 0.78f, f.w);
        fern(c, {x, f.h + f.len(4)}, f.len(rng.range(50, 90)),
             -1.57f + side * rng.range(0.3f, 0.9f), scale(m.moss, 0.7f), s);
    }
    vignette(c, 0.35f);
    grain(c, 0.03f, m.seed);
}

}  // namespace velko::art
