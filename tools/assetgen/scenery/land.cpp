#include "scenery/land.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint/noise.h"

namespace velko::art {

using namespace paint;

float rangeHeight(const Range& r, float x) {
    float h = r.amplitude * (0.55f + 0.45f * fbm(x / r.wavelength, 0.37f, r.seed, 5));
    if (r.treeHeight > 0) {
        // Crowns: repeating bumps of jittered width.
        const float w = r.treeWidth;
        const float cell = std::floor(x / w);
        const float jitter = hash01(static_cast<int>(cell), 7, r.seed);
        const float u = x / w - cell;
        const float crown = r.conifers
                                ? 1.0f - std::fabs(u * 2.0f - 1.0f)
                                : std::sqrt(std::max(0.0f, 1.0f - (u * 2 - 1) * (u * 2 - 1)));
        h += r.treeHeight * (0.5f + 0.5f * jitter) * crown;
    }
    return h;
}

Path rangePath(const Range& r, float x0, float x1, float bottom) {
    std::vector<Vec2> pts;
    const float step = r.treeHeight > 0 ? std::max(0.7f, r.treeWidth / 8.0f) : 2.0f;
    for (float x = x0; x <= x1 + step; x += step) {
        pts.push_back({x, r.baseY - rangeHeight(r, x)});
    }
    pts.push_back({x1 + step, bottom});
    pts.push_back({x0, bottom});
    Path p;
    p.addPolygon(pts);
    return p;
}

Path cedar(Vec2 base, float height, float width, Rng& rng, Path* lit) {
    // A sugi: a tall narrow crown of drooping foliage masses hung on a straight trunk,
    // widest low down, tapering to a soft point.
    Path p;
    const float trunkW = std::max(1.0f, width * 0.07f);
    p.addRect(base.x - trunkW * 0.5f, base.y - height * 0.3f, trunkW, height * 0.3f);
    const float top = base.y - height;
    const float crownBottom = base.y - height * 0.16f;
    const Vec2 tip[] = {{base.x, top - height * 0.02f},
                        {base.x + width * 0.07f, top + height * 0.12f},
                        {base.x - width * 0.07f, top + height * 0.12f}};
    p.addPolygon(tip);
    const int masses = 9 + static_cast<int>(height / 12.0f);
    for (int i = 0; i < masses; ++i) {
        const float t =
            (static_cast<float>(i) + rng.range(0.0f, 0.8f)) / static_cast<float>(masses);
        const float y = top + (crownBottom - top) * t + height * 0.04f;
        const float half =
            width * 0.5f * (0.15f + 0.85f * std::pow(t, 0.75f)) * rng.range(0.75f, 1.1f);
        const float side = (i % 2 == 0 ? 1.0f : -1.0f) * rng.range(0.1f, 0.45f);
        const float cx = base.x + side * half;
        const float rx = half * rng.range(0.7f, 0.95f);
        const float ry = std::max(1.0f, height * rng.range(0.035f, 0.06f));
        // Each mass droops: a flattened lobe, lower at its outer end.
        p.addEllipse(cx, y, rx, ry, side * 0.25f);
        p.addEllipse(cx + side * rx * 0.6f, y + ry * 0.5f, rx * 0.45f, ry * 0.75f, side * 0.4f);
        if (lit && t < 0.95f) {
            lit->addEllipse(cx - rx * 0.2f, y - ry * 0.35f, rx * 0.6f, ry * 0.45f, side * 0.25f);
        }
    }
    return p;
}

void cedarTrunk(Canvas& c, float x, float top, float baseY, float width, Rgb bark, Rgb light,
                float lightSide, std::uint64_t seed) {
    Path p;
    const float taper = width * 0.12f;
    const Vec2 pts[] = {{x - width * 0.5f + taper, top},
                        {x + width * 0.5f - taper, top},
                        {x + width * 0.5f, baseY - width * 0.2f},
                        {x + width * 0.75f, baseY},
                        {x - width * 0.75f, baseY},
                        {x - width * 0.5f, baseY - width * 0.2f}};
    p.addPolygon(pts);
    const float halfW = width * 0.5f;
    Shader barkShader = [=](float px, float py) {
        const float u = std::clamp((px - x) / halfW, -1.2f, 1.2f);
        // Roundness: lit on one side, dark on the other.
        const float roundLight = clamp01(0.5f + 0.5f * u * lightSide);
        const float streak = fbm01(px / (width * 0.12f), py / (width * 2.2f), seed, 3);
        const float fine = valueNoise(px / 1.7f, py / 9.0f, seed + 5);
        Rgb col = mix(scale(bark, 0.55f), bark, streak);
        col = mix(col, light, roundLight * roundLight * 0.55f * (0.7f + 0.3f * fine));
        return scale(col, 0.82f + 0.18f * fine);
    };
    c.fill(p, barkShader);
}

Path foliageClump(Vec2 centre, float rx, float ry, Rng& rng, int lumps) {
    Path p;
    p.addEllipse(centre.x, centre.y, rx * 0.75f, ry * 0.7f);
    for (int i = 0; i < lumps; ++i) {
        const float ang = rng.range(0.0f, 6.2832f);
        const float d = std::sqrt(rng.unit()) * 0.75f;
        const float r = std::min(rx, ry) * rng.range(0.25f, 0.45f);
        p.addCircle(centre.x + std::cos(ang) * rx * d, centre.y + std::sin(ang) * ry * d, r);
    }
    return p;
}

void hangingBoughs(Canvas& c, Vec2 origin, float length, float angle, Rgb color, Rng& rng,
                   float sc) {
    // A bough: a drooping main line with short needle sprays along it.
    std::vector<Vec2> spine;
    const int n = 14;
    for (int i = 0; i <= n; ++i) {
        const float t = static_cast<float>(i) / n;
        const float droop = t * t * length * 0.35f;
        spine.push_back({origin.x + std::cos(angle) * length * t,
                         origin.y + std::sin(angle) * length * t + droop});
    }
    Path p = strokePolyline(spine, 2.0f * sc);
    for (int i = 1; i <= n; ++i) {
        const Vec2 s = spine[static_cast<std::size_t>(i)];
        const float size =
            length * 0.22f * (1.0f - static_cast<float>(i) / (n + 4)) * rng.range(0.7f, 1.1f);
        for (int k = 0; k < 7; ++k) {
            const float a = 1.57f + rng.range(-1.0f, 1.0f);
            const Vec2 e{s.x + std::cos(a) * size, s.y + std::sin(a) * size};
            const Vec2 pts[] = {s, e};
            const float w[] = {2.2f * sc, 0.5f * sc};
            p.append(strokeTapered(pts, w));
        }
    }
    c.fill(p, color);
}

void grass(Canvas& c, float x0, float x1, const std::function<float(float)>& baseY, float height,
           int count, Rgb dark, Rgb light, Rng& rng, float sc) {
    for (int i = 0; i < count; ++i) {
        const float x = rng.range(x0, x1);
        const float y = baseY(x) + rng.range(0.0f, height * 0.3f);
        const float h = height * rng.range(0.45f, 1.0f);
        const float lean = rng.range(-0.45f, 0.45f);
        const Vec2 pts[] = {{x, y}, {x + lean * h * 0.4f, y - h * 0.55f}, {x + lean * h, y - h}};
        const float w[] = {1.6f * sc, 1.0f * sc, 0.2f * sc};
        c.fill(strokeTapered(pts, w), mix(dark, light, rng.unit()));
    }
}

void fern(Canvas& c, Vec2 base, float length, float angle, Rgb color, float sc) {
    std::vector<Vec2> spine;
    const int n = 12;
    Path p;
    for (int i = 0; i <= n; ++i) {
        const float t = static_cast<float>(i) / n;
        spine.push_back({base.x + std::cos(angle) * length * t,
                         base.y + std::sin(angle) * length * t + t * t * length * 0.3f});
    }
    p.append(strokePolyline(spine, 1.2f * sc));
    for (int i = 1; i < n; ++i) {
        const Vec2 s = spine[static_cast<std::size_t>(i)];
        const float leaf = length * 0.28f * std::sin(3.14159f * static_cast<float>(i) / n);
        for (const float side : {-1.0f, 1.0f}) {
            const float a = angle + side * 1.1f + 0.35f;
            const Vec2 pts[] = {s, {s.x + std::cos(a) * leaf, s.y + std::sin(a) * leaf}};
            const float w[] = {2.6f * sc, 0.3f * sc};
            p.append(strokeTapered(pts, w));
        }
    }
    c.fill(p, color);
}

}  // namespace velko::art
