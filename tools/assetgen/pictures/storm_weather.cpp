#include "pictures/storm_weather.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "scenery/figures.h"
#include "scenery/sky.h"

namespace velko::art {

using namespace paint;

void stormSky(Canvas& c, const Frame& f, const StormLight& l) {
    skyGradient(c, {{0.0f, hex(0x05040C)}, {0.6f, hex(0x110F22)}, {1.0f, hex(0x1E1A34)}},
                l.horizon);
    // Two decks of heavy cloud: a high ragged one and low scud driven across.
    CloudStyle deck;
    deck.lit = hex(0x3A3262);
    deck.shade = hex(0x0A0916);
    deck.scale = f.len(70);
    deck.stretch = 1.5f;
    deck.threshold = 0.22f;
    deck.softness = 0.4f;
    deck.light = {0.75f, -0.65f};
    deck.seed = l.seed + 1;
    clouds(c, c.box(), bandEnvelope(-f.len(120), l.horizon + f.len(20)), deck);
    CloudStyle scud = deck;
    scud.lit = hex(0x4A4070);
    scud.shade = hex(0x100E1E);
    scud.scale = f.len(28);
    scud.stretch = 3.2f;
    scud.threshold = 0.5f;
    scud.softness = 0.2f;
    scud.opacity = 0.85f;
    scud.seed = l.seed + 2;
    clouds(c, c.box(), bandEnvelope(l.horizon - f.len(150), l.horizon - f.len(20), 0.9f), scud);

    // The flash lights the clouds from inside: strongest round the bolt, following their
    // texture, so their billows show violet and white against the dark.
    const float reach = f.len(230);
    const int bottom = std::min(c.height(), static_cast<int>(l.horizon + f.len(30)));
    for (int y = 0; y < bottom; ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float fy = static_cast<float>(y) + 0.5f;
            const float dx = (fx - l.bolt.x) / reach;
            const float dy = (fy - l.bolt.y - f.len(40)) / (reach * 0.7f);
            const float d2 = dx * dx + dy * dy;
            if (d2 > 9.0f) {
                continue;
            }
            const float billow = fbm01(fx / f.len(34), fy / f.len(22), l.seed + 3, 4);
            const float k = std::exp(-d2 * 1.3f) * (0.25f + 0.95f * billow * billow) +
                            0.12f * std::exp(-d2 * 0.25f);
            Rgba& p = c.ref(x, y);
            p.r += l.flash.r * k * 0.75f;
            p.g += l.flash.g * k * 0.75f;
            p.b += l.flash.b * k * 0.75f;
        }
    }
    lightning(c, l.bolt, (l.horizon - l.bolt.y) * 0.7f, l.seed + 4, f.s);

    // Rain shafts hanging from the cloud base in the distance: slanted bands, lighter where
    // the flash is behind them.
    for (int y = static_cast<int>(l.horizon - f.len(170)); y < bottom; ++y) {
        if (y < 0) {
            continue;
        }
        for (int x = 0; x < c.width(); ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float fy = static_cast<float>(y) + 0.5f;
            const float along = (fx - (fy - l.horizon) * 0.45f) / f.len(26);
            const float band = fbm01(along, fy / f.len(260), l.seed + 5, 3);
            const float k = 0.3f * smoothstep(0.5f, 0.78f, band) *
                            smoothstep(l.horizon - f.len(170), l.horizon - f.len(60), fy);
            if (k <= 0) {
                continue;
            }
            Rgba& p = c.ref(x, y);
            const Rgb veil = hex(0x5A5488);
            p = Rgba{p.r + (veil.r - p.r) * k, p.g + (veil.g - p.g) * k, p.b + (veil.b - p.b) * k,
                     p.a};
        }
    }
}

void compositeFlashLit(Canvas& c, const Canvas& layer, const StormLight& l, float width,
                       float strength) {
    c.composite(layer);
    paintRim(c, layer.alphaMask(), l.towards, width, l.edge, strength);
}

void stormRain(Canvas& c, const Frame& f, const StormLight& l, float groundY) {
    Rng rng(l.seed + 10);
    const float s = f.s;
    // Far: a fine veil.
    RainStyle far;
    far.count = static_cast<int>(5200 * s * s);
    far.angle = -0.42f;
    far.minLength = f.len(8);
    far.maxLength = f.len(18);
    far.width = std::max(0.6f, 0.7f * s);
    far.color = hex(0x8A88B8);
    far.opacity = 0.22f;
    rain(c, far, rng);
    // Sheets: gusts of denser rain sweeping across as pale slanted curtains.
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float fy = static_cast<float>(y) + 0.5f;
            const float along = (fx + fy * 0.45f) / f.len(60);
            const float sheet = fbm01(along, fy / f.len(420), l.seed + 11, 3);
            const float k = 0.16f * smoothstep(0.52f, 0.8f, sheet);
            if (k <= 0) {
                continue;
            }
            Rgba& p = c.ref(x, y);
            const Rgb veil = hex(0x6A6898);
            p = Rgba{p.r + (veil.r - p.r) * k, p.g + (veil.g - p.g) * k, p.b + (veil.b - p.b) * k,
                     p.a};
        }
    }
    // Near: long heavy streaks, the ones towards the flash catching its light.
    for (int i = 0; i < static_cast<int>(900 * s * s); ++i) {
        const float x = rng.range(-f.len(60), f.w + f.len(60));
        const float y = rng.range(-f.len(40), f.h);
        const float len = f.len(rng.range(30, 70));
        const Vec2 a{x, y};
        const Vec2 b{x + std::sin(-0.45f) * len, y + std::cos(-0.45f) * len};
        const float toward = clamp01(0.5f + 0.5f * ((x - f.w * 0.5f) / f.w * 2.0f));
        const Rgb col = mix(hex(0x9A98C8), hex(0xE8E4FF), toward);
        const Vec2 pts[] = {a, b};
        const float w[] = {std::max(0.5f, 0.5f * s), std::max(0.9f, 1.5f * s)};
        c.fill(strokeTapered(pts, w), col, rng.range(0.15f, 0.42f));
    }
    // Splashes and bouncing drops where the rain hits the stones.
    for (int i = 0; i < static_cast<int>(420 * s * s); ++i) {
        const float y = rng.range(groundY, f.h);
        const float depth = clamp01((y - groundY) / (f.h - groundY));
        const float x = rng.range(0, f.w);
        const float r = f.len(0.8f + 2.6f * depth);
        Path crown;
        crown.addEllipse(x, y, r, r * 0.28f);
        c.fill(crown, hex(0xB8B4E0), 0.25f + 0.2f * depth);
        if (depth > 0.3f && rng.chance(0.5f)) {
            for (const float side : {-1.0f, 1.0f}) {
                const Vec2 pts[] = {{x + side * r * 0.4f, y}, {x + side * r * 0.9f, y - r * 1.1f}};
                c.fill(strokePolyline(pts, std::max(0.5f, 0.6f * s)), hex(0xC8C4EC), 0.3f);
            }
        }
    }
}

}  // namespace velko::art
