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
    Path p;
    const float trunkW = width * 0.08f;
    p.addRect(base.x - trunkW * 0.5f, base.y - height * 0.25f, trunkW, height * 0.25f);
    const int tiers = 7 + rng.below(3);
    for (int i = 0; i < tiers; ++i) {
        const float t0 = static_cast<float>(i) / tiers;
        const float t1 = static_cast<float>(i + 1) / tiers;
        const float topY = base.y - height + height * 0.86f * t0 * 0.92f;
        const float botY = base.y - height + height * 0.86f * t1 + height * 0.05f;
        const float half = width * 0.5f * (0.18f + 0.82f * t1) * rng.range(0.85f, 1.1f);
        const float cx = base.x + rng.range(-0.04f, 0.04f) * width;
        std::vector<Vec2> pts;
        pts.push_back({cx, topY});
        // Drooping right edge, ragged bottom, left edge back up.
        const int teeth = 5 + static_cast<int>(half / 6.0f);
        pts.push_back({cx + half * 0.55f, topY + (botY - topY) * 0.55f});
        for (int k = 0; k <= teeth; ++k) {
            const float u = 1.0f - 2.0f * static_cast<float>(k) / teeth;
            const float droop = (1.0f - u * u) * 0.0f + std::fabs(u) * (botY - topY) * 0.12f;
            const float jag = (k % 2 == 0 ? 0.0f : -(botY - topY) * rng.range(0.12f, 0.3f));
            pts.push_back({cx + u * half, botY + droop + jag});
        }
        pts.push_back({cx - half * 0.55f, topY + (botY - topY) * 0.55f});
        p.addPolygon(pts);
        if (lit) {
            const Vec2 hl[] = {{cx, topY + 1},
                               {cx - half * 0.5f, topY + (botY - topY) * 0.6f},
                               {cx - half * 0.75f, botY - (botY - topY) * 0.1f},
                               {cx - half * 0.2f, topY + (botY - topY) * 0.45f}};
            lit->addPolygon(hl);
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
