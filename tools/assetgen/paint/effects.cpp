#include "paint/effects.h"

#include <algorithm>
#include <cmath>

#include "paint/noise.h"

namespace velko::paint {

void glow(Canvas& c, Vec2 centre, float radius, Rgb color, float strength) {
    const float reach = radius * 4.0f;
    const int x0 = std::max(0, static_cast<int>(centre.x - reach));
    const int x1 = std::min(c.width(), static_cast<int>(centre.x + reach) + 1);
    const int y0 = std::max(0, static_cast<int>(centre.y - reach));
    const int y1 = std::min(c.height(), static_cast<int>(centre.y + reach) + 1);
    const float inv = 1.0f / (radius * radius);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - centre.x;
            const float dy = static_cast<float>(y) + 0.5f - centre.y;
            const float d2 = (dx * dx + dy * dy) * inv;
            // A tight core plus a wide soft halo, fading to zero at the reach.
            float k = std::exp(-d2 * 2.0f) * 0.6f + 0.4f / (1.0f + d2 * 1.5f);
            k *= std::max(0.0f, 1.0f - d2 / 16.0f);
            if (k <= 0.0005f) {
                continue;
            }
            Rgba& p = c.ref(x, y);
            p.r += color.r * k * strength;
            p.g += color.g * k * strength;
            p.b += color.b * k * strength;
        }
    }
}

void glowMask(Canvas& c, const Mask& m, float radius, Rgb color, float strength) {
    c.fill(m.blurred(radius), color, strength, Blend::Add);
}

void shadowMask(Canvas& c, const Mask& m, float dx, float dy, float radius, Rgb color,
                float opacity) {
    Mask b = m.blurred(radius);
    Mask shifted(Box{b.box().x + static_cast<int>(std::lround(dx)),
                     b.box().y + static_cast<int>(std::lround(dy)), b.box().w, b.box().h});
    for (int y = 0; y < b.box().h; ++y) {
        for (int x = 0; x < b.box().w; ++x) {
            shifted.local(x, y) = b.local(x, y);
        }
    }
    c.fill(shifted, color, opacity);
}

void mist(Canvas& c, Rgb color, const std::function<float(float, float)>& density, float noiseScale,
          std::uint64_t seed, float noiseAmount) {
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float fy = static_cast<float>(y) + 0.5f;
            float d = density(fx, fy);
            if (d <= 0.0f) {
                continue;
            }
            const float n = fbm01(fx / noiseScale, fy / (noiseScale * 0.45f), seed, 4);
            d *= 1.0f - noiseAmount + noiseAmount * 2.0f * n;
            d = clamp01(d);
            Rgba& p = c.ref(x, y);
            p = Rgba{p.r + (color.r * p.a - p.r) * d, p.g + (color.g * p.a - p.g) * d,
                     p.b + (color.b * p.a - p.b) * d, p.a};
        }
    }
}

void rain(Canvas& c, const RainStyle& s, Rng& rng) {
    const Box region = s.region.empty() ? c.box() : s.region;
    const float dx = std::sin(s.angle);
    const float dy = std::cos(s.angle);
    for (int i = 0; i < s.count; ++i) {
        const float x = static_cast<float>(region.x) + rng.unit() * static_cast<float>(region.w);
        const float y = static_cast<float>(region.y) + rng.unit() * static_cast<float>(region.h);
        const float len = rng.range(s.minLength, s.maxLength);
        const float op = s.opacity * rng.range(0.35f, 1.0f);
        const Vec2 pts[] = {{x, y}, {x + dx * len, y + dy * len}};
        const float widths[] = {s.width * 0.4f, s.width};
        c.fill(strokeTapered(pts, widths), s.color, op);
    }
}

void stars(Canvas& c, int count, Box region, Rng& rng, float brightness,
           const std::function<float(float, float)>& density) {
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(region.x) + rng.unit() * static_cast<float>(region.w);
        const float y = static_cast<float>(region.y) + rng.unit() * static_cast<float>(region.h);
        const float mag = rng.unit();
        const float keep = density(x, y);
        if (rng.unit() > keep) {
            continue;
        }
        const float b = brightness * (0.25f + 0.75f * mag * mag * mag);
        const Rgb tint = mix(hex(0xBFD4FF), hex(0xFFE9C8), rng.unit());
        if (mag > 0.93f) {
            glow(c, {x, y}, 1.1f, tint, b * 0.9f);
        } else {
            Path p;
            p.addCircle(x, y, 0.55f + 0.45f * mag);
            c.fill(p, tint, std::min(1.0f, b), Blend::Add);
        }
    }
}

void fireflies(Canvas& c, int count, Box region, Rng& rng, Rgb color, float size) {
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(region.x) + rng.unit() * static_cast<float>(region.w);
        const float y = static_cast<float>(region.y) + rng.unit() * static_cast<float>(region.h);
        const float b = rng.range(0.4f, 1.0f);
        glow(c, {x, y}, size * 2.2f, color, 0.35f * b);
        Path p;
        p.addCircle(x, y, size * 0.6f);
        c.fill(p, mix(color, hex(0xFFFFFF), 0.5f), b, Blend::Add);
    }
}

void grain(Canvas& c, float amount, std::uint64_t seed) {
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const float n = (hash01(x, y, seed) - 0.5f) * amount;
            Rgba& p = c.ref(x, y);
            p.r += n * p.a;
            p.g += n * p.a;
            p.b += n * p.a;
        }
    }
}

void vignette(Canvas& c, float strength, float radius) {
    const float cx = static_cast<float>(c.width()) * 0.5f;
    const float cy = static_cast<float>(c.height()) * 0.5f;
    const float norm = std::sqrt(cx * cx + cy * cy);
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / norm;
            const float dy = (static_cast<float>(y) + 0.5f - cy) / norm;
            const float d = std::sqrt(dx * dx + dy * dy);
            const float k = 1.0f - strength * smoothstep(radius * 0.5f, radius + 0.35f, d);
            Rgba& p = c.ref(x, y);
            p.r *= k;
            p.g *= k;
            p.b *= k;
        }
    }
}

}  // namespace velko::paint
