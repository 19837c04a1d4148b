#include "pictures/torii_scene.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/lettering.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/sky.h"

namespace velko::art {

using namespace paint;

void reflect(Canvas& c, float mirrorY, const Mask& puddles, float strength, float blur) {
    Canvas flipped(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y) {
        const int sy = static_cast<int>(2.0f * mirrorY) - y;
        if (sy < 0 || sy >= c.height()) {
            continue;
        }
        for (int x = 0; x < c.width(); ++x) {
            flipped.ref(x, y) = c.at(x, sy);
        }
    }
    Canvas soft = flipped.blurred(blur);
    const Box b = puddles.box();
    for (int y = std::max(0, b.y); y < std::min(c.height(), b.y + b.h); ++y) {
        for (int x = std::max(0, b.x); x < std::min(c.width(), b.x + b.w); ++x) {
            const float a = puddles.at(x, y) * strength;
            if (a <= 0) {
                continue;
            }
            const Rgba s = soft.at(x, y);
            Rgba& d = c.ref(x, y);
            d = Rgba{d.r + (s.r - d.r) * a, d.g + (s.g - d.g) * a, d.b + (s.b - d.b) * a, d.a};
        }
    }
}

void paintToriiScene(Canvas& c, const ToriiMood& m) {
    const Frame f(c);
    const float s = f.s;
    Rng rng(m.seed);
    const float horizon = f.y(318);
    const float cx = f.x(320 + m.shiftX);

    // Sky: blue-grey rain evening, or deep night.
    if (m.night) {
        skyGradient(c, {{0.0f, hex(0x050A1A)}, {0.6f, hex(0x0E1A38)}, {1.0f, hex(0x1C2A4A)}},
                    horizon);
        stars(c, static_cast<int>(500 * s * s), c.box(), rng, 0.8f,
              [&](float, float y) { return 1.0f - smoothstep(f.y(80), horizon, y); });
        moon(c, {f.x(560 + m.shiftX * 0.5f), f.y(48)}, f.len(14), hex(0xF4EBCF), 0.45f);
    } else {
        skyGradient(c, {{0.0f, hex(0x3C4658)}, {0.6f, hex(0x5E6A7C)}, {1.0f, hex(0x7C8696)}},
                    horizon);
        CloudStyle rainCloud;
        rainCloud.lit = hex(0x7C8494);
        rainCloud.shade = hex(0x3A4050);
        rainCloud.scale = f.len(80);
        rainCloud.stretch = 2.0f;
        rainCloud.threshold = 0.3f;
        rainCloud.softness = 0.35f;
        rainCloud.light = {0, 1};
        rainCloud.seed = m.seed + 1;
        clouds(c, c.box(), bandEnvelope(-f.len(60), f.y(220)), rainCloud);
    }
    // Cedar forest behind the grounds.
    const Rgb forest = m.night ? hex(0x070C10) : hex(0x26332E);
    const Rgb air = m.night ? hex(0x18223C) : hex(0x6A7484);
    for (int row = 0; row < 2; ++row) {
        Path trees;
        for (int i = 0; i < 28; ++i) {
            const float x =
                f.x(f.left()) + (f.w) * (static_cast<float>(i) + rng.range(-0.3f, 0.3f)) / 27.0f;
            const float hgt = f.len(rng.range(120, 200)) * (1.0f + 0.25f * static_cast<float>(row));
            trees.append(cedar({x, horizon + f.len(6)}, hgt, hgt * 0.33f, rng));
        }
        c.fill(trees, mix(forest, air, row == 0 ? 0.45f : 0.2f));
    }
    // The hall at the end of the path, small and dark, its lamps faint.
    HallLook hall{m.night ? hex(0x141A1A) : hex(0x3E4A48),
                  m.night ? hex(0x20282C) : hex(0x5A6664),
                  m.night ? hex(0x1A1410) : hex(0x3A2C24),
                  m.night ? hex(0x0E0A08) : hex(0x241A16),
                  m.night ? hex(0x3A2410) : hex(0x6A4A2A),
                  m.night ? hex(0x2A2C30) : hex(0x5E6266),
                  true,
                  true};
    shrineHall(c, cx + f.len(10), horizon + f.len(4), f.len(150), hall, s * 0.5f);
    c.tint(air, [&](float, float y) {
        return y < horizon + f.len(6) ? (m.night ? 0.15f : 0.35f) : 0.0f;
    });

    // Ground: gravel in the middle distance, wet flagstones near.
    Path ground;
    ground.addRect(0, horizon, f.w, f.h - horizon);
    const Rgb stone = m.night ? hex(0x1E2228) : hex(0x4A5058);
    c.fill(ground, Shader([&](float x, float y) {
               const float d = (y - horizon) / (f.h - horizon);
               const float n = fbm01(x / (f.len(4) + d * f.len(10)), y / f.len(3), m.seed + 3, 3);
               return mix(scale(stone, 0.8f), scale(stone, 1.15f), n * (1.0f - d * 0.5f));
           }));
    // Flagstone path towards the hall.
    Path path;
    const Vec2 pp[] = {{cx - f.len(12), horizon + f.len(2)},
                       {cx + f.len(30), horizon + f.len(2)},
                       {cx + f.len(170), f.h},
                       {cx - f.len(150), f.h}};
    path.addPolygon(pp);
    c.fill(path, scale(stone, 0.85f));
    Path joints;
    for (int i = 0; i < 14; ++i) {
        const float t = std::pow(static_cast<float>(i) / 13.0f, 1.8f);
        const float y = horizon + f.len(2) + t * (f.h - horizon);
        const float half = f.len(20) + t * f.len(140);
        joints.addRect(cx + f.len(9) - half, y, half * 2, std::max(0.6f, f.len(0.4f + t * 1.5f)));
    }
    c.fill(joints, scale(stone, 0.5f), 0.8f);

    // A stone lantern to the left, lit.
    LanternLook ll;
    ll.stone = m.night ? hex(0x3A3C40) : hex(0x6A6E70);
    ll.stoneDark = scale(ll.stone, 0.45f);
    ll.lit = !m.night;
    ll.glow = 1.3f;
    const Vec2 lamp = stoneLantern(c, f.x(72 + m.shiftX), horizon + f.len(48), f.len(100), ll);

    // The torii, close and from below.
    const float toriiBase = f.y(430);
    const float toriiH = f.len(400);
    ToriiLook look{m.night ? hex(0x6A2418) : hex(0xC8442C), m.night ? hex(0x2E0E0A) : hex(0x7A2418),
                   hex(0x141012), -1};
    torii(c, cx, toriiBase, toriiH, f.len(330), look);
    if (m.plaqueFont && !m.plaque.empty()) {
        // The shrine's name in gold on the plaque's dark face.
        const float pw = toriiH * 0.075f;
        const float topY = toriiBase - toriiH * 0.86f;
        const float nukiY = toriiBase - toriiH * 0.68f;
        TextLayout name;
        name.x = cx;
        name.y = topY + (nukiY - topY) * 0.12f + pw * 0.24f;
        name.size = pw * 0.38f;
        name.vertical = true;
        name.tracking = 0.02f;
        letter(c, textMask(c, *m.plaqueFont, m.plaque, name),
               TextLook{m.night ? hex(0x8A7A50) : hex(0xC8A860)});
    }
    if (m.rain) {
        // Wet lacquer: a streak of the pale sky down each pillar.
        for (const float side : {-1.0f, 1.0f}) {
            const float bx = cx + side * f.len(165);
            const float top = toriiBase - toriiH * 0.86f;
            const Vec2 pts[] = {{bx - side * toriiH * 0.02f - toriiH * 0.012f, top + f.len(6)},
                                {bx - toriiH * 0.014f, toriiBase - toriiH * 0.07f}};
            const float w[] = {std::max(0.8f, f.len(1.6f)), std::max(1.0f, f.len(2.4f))};
            c.fill(strokeTapered(pts, w), hex(0xE8B0A0), 0.35f);
        }
    }

    // The girl with the umbrella, under the beam, facing the grounds.
    if (m.girl) {
        const Vec2 feet{cx + f.len(22), f.y(392)};
        const float hgt = f.len(118);
        Figure g{feet, hgt, Pose::Umbrella, true, true, false, 0.2f};
        const Rgb sil = hex(0x171A24);
        // The lantern at the left warms the edge of her outline.
        paintFigure(c, g,
                    {sil, hex(0xC89060), {-1.0f, -0.15f}, std::max(0.7f, 1.0f * s), 0.45f, 0.1f});
        const Vec2 hand = personHand(g);
        const Vec2 top{hand.x, feet.y - hgt * 1.12f};
        c.fill(umbrellaCanopy(top, hgt * 0.5f, -0.12f), hex(0x5A1A1E));
        // The bull's-eye ring of the janome umbrella.
        Mask ring = rasterize(umbrellaCanopy(top, hgt * 0.36f, -0.12f), c.box());
        ring.subtract(rasterize(umbrellaCanopy(top, hgt * 0.25f, -0.12f), c.box()));
        c.fill(ring, hex(0xD8D0C0), 0.75f);
        c.fill(umbrellaRibs(top, hgt * 0.5f, -0.12f, s), hex(0x2A1414));
    }

    // Puddles on the flagstones mirror the torii and the lantern.
    Path puddles;
    for (int i = 0; i < 9; ++i) {
        const float y = f.y(rng.range(400, 476));
        const float x = f.x(rng.range(60, 600) + m.shiftX);
        const float rx = f.len(rng.range(30, 80));
        puddles.append(foliageClump({x, y}, rx, rx * 0.16f, rng, 6));
    }
    Mask pm = rasterize(puddles, c.box()).blurred(f.len(1.5f));
    reflect(c, toriiBase, pm, m.night ? 0.5f : 0.6f, f.len(2));

    if (!m.night) {
        glow(c, lamp, f.len(60), hex(0xFFB060), 0.45f);
        glow(c, {lamp.x, f.y(440)}, f.len(40), hex(0xFF9A40), 0.12f);
    } else {
        // The old lantern at the torii's foot, pale gold, the ending's single light.
        LanternLook old;
        old.stone = hex(0x4A4A48);
        old.stoneDark = hex(0x1E1E20);
        old.lit = true;
        old.tall = true;
        old.flame = hex(0xFFE2A0);
        old.glow = 1.8f;
        // A pool of its light on the stones, and its gold on the near edge of the pillar.
        const Vec2 foot{cx - f.len(125), toriiBase + f.len(2)};
        c.fill(Path().addEllipse(foot.x, foot.y, f.len(110), f.len(22)),
               radialGradient(foot, f.len(110), f.len(22),
                              {{0, hex(0x4A3A20)}, {0.6f, hex(0x1A140C)}, {1, hex(0x000000)}}),
               1.0f, Blend::Add);
        const Vec2 l = stoneLantern(c, foot.x, foot.y, f.len(120), old);
        glow(c, l, f.len(70), hex(0xFFD890), 0.35f);
        Mask near = rasterize(toriiSilhouette(cx, toriiBase, toriiH, f.len(330)), c.box());
        const Mask reach =
            rasterize(Path().addCircle(l.x, l.y, f.len(110)), c.box()).blurred(f.len(40));
        near.intersect(reach);
        paintRim(c, near, {1.0f, 0.15f}, std::max(1.0f, f.len(2.5f)), hex(0xFFD890), 0.55f);
    }
    if (m.mist > 0) {
        mist(
            c, m.night ? hex(0x3A4868) : hex(0x8A94A4),
            [&](float, float y) {
                return m.mist * std::exp(-std::pow((y - horizon) / f.len(60), 2.0f));
            },
            f.len(120), m.seed + 7);
    }
    if (m.rain) {
        RainStyle r;
        r.count = static_cast<int>(2600 * s * s);
        r.angle = 0.22f;
        r.minLength = f.len(12);
        r.maxLength = f.len(30);
        r.width = std::max(0.8f, 1.1f * s);
        r.color = hex(0xC8D2E0);
        r.opacity = 0.32f;
        rain(c, r, rng);
        // Splashes on the stones.
        for (int i = 0; i < static_cast<int>(160 * s * s); ++i) {
            Path sp;
            sp.addEllipse(rng.range(0, f.w), f.y(rng.range(330, 480)), f.len(2.2f), f.len(0.6f));
            c.fill(sp, hex(0xD0D8E4), 0.35f);
        }
    }
    if (m.fireflies) {
        fireflies(
            c, 14,
            Box{0, static_cast<int>(f.y(260)), static_cast<int>(f.w), static_cast<int>(f.y(120))},
            rng, hex(0xC8F070), f.len(1.4f));
    }
    vignette(c, m.night ? 0.55f : 0.4f);
    grain(c, 0.03f, m.seed);
}

}  // namespace velko::art
