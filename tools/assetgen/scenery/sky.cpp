#include "scenery/sky.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "paint/random.h"

namespace velko::art {

using namespace paint;

void skyGradient(Canvas& c, std::vector<Stop> stops, float bottom) {
    const auto shader = [&](float, float y) { return ramp(stops, y / bottom); };
    c.shade(shader);
}

void clouds(Canvas& c, Box region, const std::function<float(float, float)>& envelope,
            const CloudStyle& s) {
    const int x0 = std::max(0, region.x);
    const int y0 = std::max(0, region.y);
    const int x1 = std::min(c.width(), region.x + region.w);
    const int y1 = std::min(c.height(), region.y + region.h);
    const float lx = s.light.x * s.scale * 0.12f;
    const float ly = s.light.y * s.scale * 0.12f;
    auto density = [&](float x, float y) {
        const float e = envelope(x, y);
        if (e <= 0.0f) {
            return 0.0f;
        }
        const float n = fbm01(x / (s.scale * s.stretch), y / s.scale, s.seed, 5);
        return e * (0.55f + 0.9f * n) - 0.35f * (1.0f - e);
    };
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float fy = static_cast<float>(y) + 0.5f;
            const float d = density(fx, fy);
            const float a = smoothstep(s.threshold, s.threshold + s.softness, d);
            if (a <= 0.0f) {
                continue;
            }
            // Thinner towards the light means lit; thicker means shade.
            const float toward = density(fx + lx, fy + ly);
            const float lit = clamp01(0.55f + (d - toward) * 2.2f);
            const float underside = smoothstep(0.0f, 1.0f, clamp01((d - s.threshold) * 1.6f));
            Rgb col = mix(s.shade, s.lit, clamp01(lit * (1.0f - 0.45f * underside) + 0.2f));
            if (s.baseY > 0) {
                col = mix(col, s.shade, 0.7f * smoothstep(s.baseY - s.baseFade, s.baseY, fy));
            }
            if (s.rimAmount > 0) {
                const float rim =
                    1.0f - smoothstep(s.threshold, s.threshold + s.softness * 2.5f, d);
                col = mix(col, s.rim, rim * s.rimAmount * clamp01(lit * 1.3f));
            }
            Rgba& p = c.ref(x, y);
            const float k = a * s.opacity;
            p = Rgba{p.r + (col.r - p.r) * k, p.g + (col.g - p.g) * k, p.b + (col.b - p.b) * k,
                     p.a + (1 - p.a) * k};
        }
    }
}

std::function<float(float, float)> cumulusEnvelope(std::vector<Cumulus> towers) {
    struct Dome {
        float x, y, rx, ry, base;
    };
    std::vector<Dome> domes;
    for (const Cumulus& t : towers) {
        Rng rng(t.seed);
        const int n = 7;
        for (int i = 0; i < n; ++i) {
            const float u = (static_cast<float>(i) + 0.5f) / n - 0.5f;
            const float centreBias = 1.0f - std::fabs(u) * 1.3f;
            const float ry = t.height * (0.35f + 0.55f * centreBias) * rng.range(0.7f, 1.1f);
            const float rx = t.width * rng.range(0.16f, 0.26f);
            domes.push_back({t.x + u * t.width * 0.8f + rng.range(-0.05f, 0.05f) * t.width,
                             t.baseY - ry * 0.45f, rx, ry, t.baseY});
        }
    }
    return [domes](float x, float y) {
        float e = 0;
        for (const Dome& d : domes) {
            if (y > d.base + 6.0f) {
                continue;
            }
            const float dx = (x - d.x) / d.rx;
            const float dy = (y - d.y) / d.ry;
            const float v = 1.0f - (dx * dx + dy * dy);
            const float flat = 1.0f - smoothstep(d.base - 8.0f, d.base + 6.0f, y);
            e = std::max(e, v * flat);
        }
        return clamp01(e * 1.6f);
    };
}

std::function<float(float, float)> bandEnvelope(float y0, float y1, float strength) {
    return [=](float, float y) {
        if (y < y0 || y > y1) {
            return 0.0f;
        }
        const float t = (y - y0) / (y1 - y0);
        return strength * std::sin(t * 3.14159f);
    };
}

void moon(Canvas& c, Vec2 centre, float radius, Rgb color, float phase) {
    glow(c, centre, radius * 2.5f, scale(color, 0.35f), 0.5f);
    Path disc;
    disc.addCircle(centre.x, centre.y, radius);
    Mask m = rasterize(disc, c.box());
    if (phase > 0) {
        Path bite;
        bite.addCircle(centre.x + radius * phase * 1.6f, centre.y - radius * 0.2f, radius * 1.05f);
        m.subtract(rasterize(bite, c.box()));
    }
    c.fill(m, color);
}

void lightning(Canvas& c, Vec2 from, float length, std::uint64_t seed, float sc) {
    Rng rng(seed);
    Canvas bolt(c.width(), c.height());
    auto branch = [&](auto&& self, Vec2 p, float len, float width, int depth) -> void {
        std::vector<Vec2> pts{p};
        const int steps = std::max(4, static_cast<int>(len / (9.0f * sc)));
        float ang = rng.range(-0.35f, 0.35f);
        for (int i = 0; i < steps; ++i) {
            ang = std::clamp(ang + rng.range(-0.7f, 0.7f), -0.9f, 0.9f);
            p = {p.x + std::sin(ang) * len / steps, p.y + std::cos(ang) * len / steps};
            pts.push_back(p);
            if (depth < 2 && rng.chance(0.18f)) {
                self(self, p, len * 0.35f, width * 0.55f, depth + 1);
            }
        }
        bolt.fill(strokePolyline(pts, width), hex(0xFFFFFF));
    };
    branch(branch, from, length, 2.2f * sc, 0);
    Mask m = bolt.alphaMask();
    glowMask(c, m, 10.0f * sc, hex(0xB9A8FF), 1.6f);
    glowMask(c, m, 3.0f * sc, hex(0xE6E0FF), 1.0f);
    c.fill(m, hex(0xFFFFFF));
}

}  // namespace velko::art
