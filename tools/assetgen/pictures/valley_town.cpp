#include "pictures/valley_town.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint/effects.h"
#include "paint/noise.h"
#include "paint/random.h"
#include "scenery/land.h"

namespace velko::art {

using namespace paint;

namespace {

struct P3 {
    float u, h, z;
};

enum class RoofKind { GableAcross, GableAlong, Hipped, Flat };

struct Building {
    float u0, u1, z0, z1;
    float wallH, roofH;
    RoofKind roof;
    Rgb wall, roofColor;
    bool tree = false;
    std::uint64_t seed = 0;
};

struct Face {
    std::vector<P3> pts;
    Dir3 n;
    bool roof;
};

Dir3 unit(Dir3 d) {
    const float len = std::sqrt(d.u * d.u + d.h * d.h + d.z * d.z);
    return len > 0 ? Dir3{d.u / len, d.h / len, d.z / len} : d;
}

float dot(Dir3 a, Dir3 b) {
    return a.u * b.u + a.h * b.h + a.z * b.z;
}

// The river bends across the valley.
float riverAt(const ValleyLayout& l, float u) {
    return l.riverZ + 90.0f * std::sin(u / 340.0f + 1.0f) + 30.0f * std::sin(u / 97.0f);
}
constexpr float kRiverHalf = 50.0f;

class TownPainter {
public:
    TownPainter(Canvas& c, const Perspective& v, const ValleyLayout& l, const ValleyLight& light)
        : c_(c), v_(v), l_(l), L_(light), sun_(unit(light.towardsSun)) {}

    void paint() {
        ground();
        auto buildings = layout();
        // Far to near; at equal depth the ones farther out first, so nearer neighbours cover
        // the side walls they hide.
        std::stable_sort(buildings.begin(), buildings.end(),
                         [](const Building& a, const Building& b) {
                             const float ka = a.z0 + std::fabs(a.u0 + a.u1) * 0.04f;
                             const float kb = b.z0 + std::fabs(b.u0 + b.u1) * 0.04f;
                             return ka > kb;
                         });
        for (const Building& b : buildings) {
            if (b.tree) {
                tree(b);
            } else {
                building(b);
            }
        }
        if (L_.lamps) {
            lamps();
        }
    }

private:
    float haze(float z) const {
        const float t = clamp01((z - l_.zNear) / (l_.zFar - l_.zNear));
        return L_.hazeFar * std::pow(t, 0.7f);
    }
    float uAtX(float x, float z) const { return (x - v_.vpx) * z / v_.focal; }

    // How built-up the valley is here: dense along the main street on the near bank,
    // thinning into fields at the sides and across the river, with a ragged edge.
    float density(float u, float z) const {
        const float reach = l_.reach + 0.12f * (z - l_.zNear);
        float d = 1.0f - smoothstep(0.35f, 1.0f, std::fabs(u - l_.streetU) / reach);
        const float river = riverAt(l_, u);
        if (!l_.river) {
            // No water to keep clear.
        } else if (z > river) {
            d *= 0.45f;
        } else {
            // Flood meadows along the near bank: seen from the hill, roofs there would hide
            // the water.
            d *= smoothstep(river - kRiverHalf - 60.0f, river - kRiverHalf - 260.0f, z);
        }
        return clamp01(d * (0.55f + 0.9f * fbm01(u / 160.0f, z / 160.0f, l_.seed + 5, 3)));
    }
    Vec2 at(P3 p) const { return v_.at(p.u, p.z, p.h); }

    void ground() {
        const float top = v_.at(0, l_.zFar).y;
        const float bottom = std::min(static_cast<float>(c_.height()), l_.groundBottom);
        Path floor;
        floor.addRect(0, top, static_cast<float>(c_.width()), bottom - top);
        c_.fill(floor, Shader([&](float x, float y) {
                    const float z = v_.camH * v_.focal / std::max(0.5f, y - v_.horizon);
                    const float u = uAtX(x, z);
                    // Fields, yards and lanes: patches that stretch with distance.
                    const float n = fbm01(u / 60.0f, z / 60.0f, l_.seed + 1, 3);
                    Rgb col = mix(scale(L_.ground, 0.75f), L_.ground, n);
                    // Paddies in strips between the levees.
                    const float strip = valueNoise(u / 40.0f, z / 25.0f, l_.seed + 2);
                    const Rgb field = mix(scale(L_.fields, 0.85f), L_.fields, strip);
                    col = mix(field, col, smoothstep(0.1f, 0.45f, density(u, z)));
                    return mix(col, L_.haze, haze(z));
                }));
        // The main street, and the river as a bright ribbon across the valley.
        Path street;
        const float zEnd = l_.river ? riverAt(l_, l_.streetU) - kRiverHalf : l_.zFar;
        const Vec2 sq[] = {v_.at(l_.streetU - 3.5f, l_.zNear * 0.8f),
                           v_.at(l_.streetU + 3.5f, l_.zNear * 0.8f),
                           v_.at(l_.streetU + 3.5f, zEnd), v_.at(l_.streetU - 3.5f, zEnd)};
        street.addPolygon(sq);
        c_.fill(street, Shader([&](float, float y) {
                    const float z = v_.camH * v_.focal / std::max(0.5f, y - v_.horizon);
                    return mix(L_.street, L_.haze, haze(z));
                }));
        if (!l_.river) {
            return;
        }
        std::vector<Vec2> near, far;
        const float u0 = uAtX(0, l_.riverZ + 200) - 50;
        const float u1 = uAtX(static_cast<float>(c_.width()), l_.riverZ + 200) + 50;
        for (float u = u0; u <= u1; u += 6.0f) {
            const float z = riverAt(l_, u);
            near.push_back(v_.at(u, z - kRiverHalf));
            far.push_back(v_.at(u, z + kRiverHalf));
        }
        std::vector<Vec2> river = near;
        river.insert(river.end(), far.rbegin(), far.rend());
        c_.fill(Path().addPolygon(river), L_.river);
    }

    std::vector<Building> layout() {
        Rng rng(l_.seed + 7);
        std::vector<Building> out;
        const Rgb roofs[] = {hex(0x505662), hex(0x4A505C), hex(0x5C5E66), hex(0x6A3E30),
                             hex(0x3E5672), hex(0x7A3A2A), hex(0x3E5A48)};
        const float roofShare[] = {0.25f, 0.22f, 0.15f, 0.2f, 0.07f, 0.06f, 0.05f};
        const Rgb walls[] = {hex(0xD8CFC0), hex(0xC8BCA8), hex(0x6A5444),
                             hex(0xA8A49A), hex(0xE6E2D8), hex(0x8A7A66)};
        auto pickRoof = [&] {
            float r = rng.unit();
            for (int i = 0; i < 7; ++i) {
                r -= roofShare[i];
                if (r <= 0) {
                    return roofs[i];
                }
            }
            return roofs[0];
        };
        int row = 0;
        const float width = static_cast<float>(c_.width());
        // A school and a temple, somewhere in the middle distance.
        const float schoolZ = l_.zNear + (l_.riverZ - l_.zNear) * rng.range(0.35f, 0.5f);
        const float schoolU = uAtX(width * rng.range(0.6f, 0.75f), schoolZ);
        const float templeZ = l_.zNear + (l_.riverZ - l_.zNear) * rng.range(0.2f, 0.3f);
        const float templeU = uAtX(width * rng.range(0.18f, 0.3f), templeZ);
        out.push_back({schoolU - 30, schoolU + 30, schoolZ, schoolZ + 14, 11, 0, RoofKind::Flat,
                       hex(0xDCDAD0), hex(0x8A8A86), false, 901});
        out.push_back({templeU - 10, templeU + 10, templeZ, templeZ + 18, 5, 8, RoofKind::Hipped,
                       hex(0x6A4A32), hex(0x3A3E48), false, 902});
        if (!l_.landmarks) {
            // Placed far out of sight: nothing is built there and nothing else is kept clear.
            for (Building& b : out) {
                b.z0 = b.z1 = -1e6f;
            }
        }
        auto clear = [&](float u0, float u1, float z0, float z1, const Building& big) {
            return u1 < big.u0 - 3 || u0 > big.u1 + 3 || z1 < big.z0 - 3 || z0 > big.z1 + 3;
        };
        const Building school = out[0];
        const Building temple = out[1];
        if (!l_.landmarks) {
            out.clear();
        }
        for (float z = l_.zFar; z > l_.zNear; z -= z * 0.034f, ++row) {
            if (row % 7 == 3) {
                continue;  // a cross street
            }
            const float uMin = uAtX(0, z) - 25;
            const float uMax = uAtX(width, z) + 25;
            for (float u = uMin + rng.range(0.0f, 8.0f); u < uMax;) {
                const float w = rng.range(7.0f, 14.0f);
                const float d = rng.range(7.0f, 12.0f);
                const float zz = z + rng.range(-0.3f, 0.3f) * z * 0.034f;
                const float mid = u + w * 0.5f;
                const float riverZ = l_.river ? riverAt(l_, mid) : 1e9f;
                if (std::fabs(mid - l_.streetU) < 5.0f + w * 0.5f && zz < riverZ) {
                    u = l_.streetU + 5.0f + rng.range(0.5f, 2.0f);
                    continue;
                }
                if (std::fabs(zz + d * 0.5f - riverZ) < kRiverHalf + d * 0.5f + 6.0f) {
                    u += w + 4.0f;
                    continue;
                }
                if (!clear(u, u + w, zz, zz + d, school) || !clear(u, u + w, zz, zz + d, temple)) {
                    u += w + 3.0f;
                    continue;
                }
                const float built = density(mid, zz);
                if (rng.unit() > built) {
                    // Fields, with now and then a stand of trees or a farmhouse.
                    if (rng.chance(0.12f)) {
                        Building t;
                        t.u0 = u;
                        t.u1 = u + w * rng.range(1.0f, 2.0f);
                        t.z0 = zz;
                        t.z1 = zz + d;
                        t.tree = true;
                        t.seed = rng.next();
                        out.push_back(t);
                    }
                    u += w + rng.range(2.0f, 8.0f);
                    continue;
                }
                Building b;
                b.u0 = u;
                b.u1 = u + w;
                b.z0 = zz;
                b.z1 = zz + d;
                b.seed = rng.next();
                if (rng.chance(0.1f)) {
                    b.tree = true;
                } else {
                    b.wallH = rng.chance(0.4f) ? rng.range(5.6f, 6.4f) : rng.range(3.0f, 3.6f);
                    const float kind = rng.unit();
                    b.roof = kind < 0.45f   ? RoofKind::GableAcross
                             : kind < 0.75f ? RoofKind::GableAlong
                             : kind < 0.96f ? RoofKind::Hipped
                                            : RoofKind::Flat;
                    const float span = b.roof == RoofKind::GableAlong ? w * 0.5f : d * 0.5f;
                    b.roofH = span * rng.range(0.45f, 0.62f);
                    b.wall = walls[rng.below(6)];
                    b.roofColor = scale(pickRoof(), rng.range(0.85f, 1.12f));
                }
                out.push_back(b);
                u += w + rng.range(1.0f, 4.5f);
            }
        }
        return out;
    }

    Rgb shadeFace(Rgb albedo, Dir3 n, bool roof, float z) const {
        const float sky = roof ? 0.45f + 0.55f * n.h : 0.6f;
        Rgb col = multiply(albedo, roof ? scale(L_.sky, sky) : L_.ambient);
        const float d = std::max(0.0f, dot(n, sun_));
        col = add(col, multiply(albedo, scale(L_.sun, d)));
        return mix(col, L_.haze, haze(z));
    }

    void faces(const Building& b, std::vector<Face>& walls, std::vector<Face>& roofs) const {
        const float u0 = b.u0, u1 = b.u1, z0 = b.z0, z1 = b.z1;
        const float H = b.wallH, R = b.roofH;
        const float e = 0.6f;
        const float um = (u0 + u1) * 0.5f;
        const float zm = (z0 + z1) * 0.5f;
        walls.push_back({{{u0, 0, z0}, {u1, 0, z0}, {u1, H, z0}, {u0, H, z0}}, {0, 0, -1}, false});
        walls.push_back({{{u0, 0, z1}, {u0, 0, z0}, {u0, H, z0}, {u0, H, z1}}, {-1, 0, 0}, false});
        walls.push_back({{{u1, 0, z0}, {u1, 0, z1}, {u1, H, z1}, {u1, H, z0}}, {1, 0, 0}, false});
        switch (b.roof) {
            case RoofKind::GableAcross: {
                walls.push_back({{{u0, H, z0}, {u0, H + R, zm}, {u0, H, z1}}, {-1, 0, 0}, false});
                walls.push_back({{{u1, H, z0}, {u1, H + R, zm}, {u1, H, z1}}, {1, 0, 0}, false});
                const float run = zm - z0 + e;
                roofs.push_back({{{u0 - e, H, z0 - e},
                                  {u1 + e, H, z0 - e},
                                  {u1 + e, H + R, zm},
                                  {u0 - e, H + R, zm}},
                                 unit({0, run, -R}),
                                 true});
                roofs.push_back({{{u0 - e, H + R, zm},
                                  {u1 + e, H + R, zm},
                                  {u1 + e, H, z1 + e},
                                  {u0 - e, H, z1 + e}},
                                 unit({0, run, R}),
                                 true});
                break;
            }
            case RoofKind::GableAlong: {
                walls.push_back({{{u0, H, z0}, {um, H + R, z0}, {u1, H, z0}}, {0, 0, -1}, false});
                const float run = um - u0 + e;
                roofs.push_back({{{u0 - e, H, z0 - e},
                                  {um, H + R, z0 - e},
                                  {um, H + R, z1 + e},
                                  {u0 - e, H, z1 + e}},
                                 unit({-R, run, 0}),
                                 true});
                roofs.push_back({{{um, H + R, z0 - e},
                                  {u1 + e, H, z0 - e},
                                  {u1 + e, H, z1 + e},
                                  {um, H + R, z1 + e}},
                                 unit({R, run, 0}),
                                 true});
                break;
            }
            case RoofKind::Hipped: {
                const float in = std::min((u1 - u0) * 0.35f, zm - z0);
                const float run = zm - z0 + e;
                roofs.push_back({{{u0 - e, H, z0 - e},
                                  {u1 + e, H, z0 - e},
                                  {u1 - in, H + R, zm},
                                  {u0 + in, H + R, zm}},
                                 unit({0, run, -R}),
                                 true});
                roofs.push_back({{{u0 + in, H + R, zm},
                                  {u1 - in, H + R, zm},
                                  {u1 + e, H, z1 + e},
                                  {u0 - e, H, z1 + e}},
                                 unit({0, run, R}),
                                 true});
                roofs.push_back({{{u0 - e, H, z1 + e}, {u0 - e, H, z0 - e}, {u0 + in, H + R, zm}},
                                 unit({-R, in + e, 0}),
                                 true});
                roofs.push_back({{{u1 + e, H, z0 - e}, {u1 + e, H, z1 + e}, {u1 - in, H + R, zm}},
                                 unit({R, in + e, 0}),
                                 true});
                break;
            }
            case RoofKind::Flat:
                roofs.push_back(
                    {{{u0, H, z0}, {u1, H, z0}, {u1, H, z1}, {u0, H, z1}}, {0, 1, 0}, true});
                break;
        }
    }

    bool visible(const Face& f) const {
        const P3 p = f.pts[0];
        const Dir3 toEye{-p.u, v_.camH - p.h, -p.z};
        return dot(f.n, toEye) > 0;
    }

    Path project(const Face& f) const {
        std::vector<Vec2> pts;
        for (const P3& p : f.pts) {
            pts.push_back(at(p));
        }
        return Path().addPolygon(pts);
    }

    void building(const Building& b) {
        std::vector<Face> walls, roofs;
        faces(b, walls, roofs);
        const float zc = (b.z0 + b.z1) * 0.5f;
        for (const Face& f : walls) {
            if (!visible(f)) {
                continue;
            }
            c_.fill(project(f), shadeFace(b.wall, f.n, false, zc));
            if (f.n.z < 0 && f.pts.size() == 4) {
                windows(b, zc);
            }
        }
        for (const Face& f : roofs) {
            if (!visible(f)) {
                continue;
            }
            c_.fill(project(f), shadeFace(b.roofColor, f.n, true, zc));
        }
        // The shadow under the front eave, and a ridge that catches the low light.
        const float px = v_.px(1.0f, b.z0);
        const Vec2 e0 = at({b.u0, b.wallH, b.z0});
        const Vec2 e1 = at({b.u1, b.wallH, b.z0});
        if (px > 0.5f && b.roof != RoofKind::Flat) {
            c_.fill(Path().addRect(e0.x, e0.y, e1.x - e0.x, std::max(0.5f, px * 0.5f)),
                    scale(b.wall, 0.25f), 0.5f * (1.0f - haze(zc)));
        }
        if (L_.rimStrength > 0 && b.roof != RoofKind::Flat) {
            const float zm = (b.z0 + b.z1) * 0.5f;
            const float um = (b.u0 + b.u1) * 0.5f;
            Vec2 r0, r1;
            if (b.roof == RoofKind::GableAlong) {
                r0 = at({um, b.wallH + b.roofH, b.z0 - 0.6f});
                r1 = at({um, b.wallH + b.roofH, b.z1 + 0.6f});
            } else {
                const float in =
                    b.roof == RoofKind::Hipped ? std::min((b.u1 - b.u0) * 0.35f, zm - b.z0) : -0.6f;
                r0 = at({b.u0 + in, b.wallH + b.roofH, zm});
                r1 = at({b.u1 - in, b.wallH + b.roofH, zm});
            }
            const Vec2 line[] = {r0, r1};
            c_.fill(strokePolyline(line, std::max(0.6f, px * 0.35f)), L_.rim,
                    L_.rimStrength * (1.0f - 0.7f * haze(zc)));
        }
    }

    void windows(const Building& b, float zc) {
        const float px = v_.px(1.0f, b.z0);
        const int storeys = b.wallH > 8 ? 3 : b.wallH > 4.5f ? 2 : 1;
        const float storeyH = b.wallH / static_cast<float>(storeys);
        const int count = std::max(1, static_cast<int>((b.u1 - b.u0) / 3.6f));
        Rng rng(b.seed);
        for (int s = 0; s < storeys; ++s) {
            for (int i = 0; i < count; ++i) {
                if (rng.chance(0.3f)) {
                    continue;
                }
                const float u = b.u0 + (b.u1 - b.u0) * (static_cast<float>(i) + 0.5f) /
                                           static_cast<float>(count);
                const float h = storeyH * (static_cast<float>(s) + 0.35f);
                const bool lit = rng.unit() < L_.windowsLit;
                const Vec2 a = at({u - 0.7f, h + 1.1f, b.z0});
                const Vec2 d = at({u + 0.7f, h, b.z0});
                if (px < 1.2f && !lit) {
                    continue;
                }
                const Rgb glass = lit ? L_.window : mix(scale(b.wall, 0.35f), L_.sky, 0.15f);
                c_.fill(
                    Path().addRect(a.x, a.y, std::max(0.6f, d.x - a.x), std::max(0.6f, d.y - a.y)),
                    mix(glass, L_.haze, haze(zc) * (lit ? 0.3f : 1.0f)));
                if (lit) {
                    glow(c_, {(a.x + d.x) * 0.5f, (a.y + d.y) * 0.5f}, std::max(1.2f, px * 1.6f),
                         L_.window, 0.18f);
                }
            }
        }
    }

    void lamps() {
        Rng rng(l_.seed + 3);
        const float zEnd = l_.river ? riverAt(l_, l_.streetU) - kRiverHalf : l_.zFar;
        float side = 1.0f;
        for (float z = l_.zNear; z < zEnd; z += 45.0f + z * 0.03f, side = -side) {
            // Staggered from one side of the street to the other.
            const Vec2 p = v_.at(l_.streetU + side * 4.5f, z, 5.0f);
            const float k = 1.0f - 0.6f * haze(z);
            glow(c_, p, std::max(1.0f, v_.px(2.2f, z)), L_.window, 0.4f * k);
            c_.fill(Path().addCircle(p.x, p.y, std::max(0.45f, v_.px(0.45f, z))), hex(0xFFF4DC),
                    0.8f * k);
        }
        // Here and there along the cross streets and lanes.
        for (int i = 0; i < 40; ++i) {
            const float z = rng.range(l_.zNear, l_.zFar * 0.9f);
            const float u = uAtX(rng.range(0.0f, static_cast<float>(c_.width())), z);
            if (std::fabs(z - riverAt(l_, u)) < kRiverHalf + 10) {
                continue;
            }
            const Vec2 p = v_.at(u, z, 5.0f);
            glow(c_, p, std::max(0.9f, v_.px(2.0f, z)), L_.window, 0.4f * (1.0f - 0.6f * haze(z)));
        }
    }

    void tree(const Building& b) {
        Rng rng(b.seed);
        const float zc = (b.z0 + b.z1) * 0.5f;
        const float um = (b.u0 + b.u1) * 0.5f;
        const Vec2 p = at({um, 4.0f, zc});
        const float rx = v_.px((b.u1 - b.u0) * 0.55f, zc);
        const Rgb col = mix(L_.foliage, L_.haze, haze(zc));
        c_.fill(foliageClump(p, rx, rx * 0.75f, rng, 7), col);
        Rng top(b.seed + 1);
        c_.fill(foliageClump({p.x - rx * 0.15f, p.y - rx * 0.25f}, rx * 0.6f, rx * 0.4f, top, 5),
                mix(col, L_.sky, 0.12f));
    }

    Canvas& c_;
    const Perspective& v_;
    const ValleyLayout& l_;
    const ValleyLight& L_;
    Dir3 sun_;
};

}  // namespace

void paintValleyTown(Canvas& c, const Perspective& view, const ValleyLayout& layout,
                     const ValleyLight& light) {
    TownPainter(c, view, layout, light).paint();
}

}  // namespace velko::art
