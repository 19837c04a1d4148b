#include "pictures/workshop_props.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint/effects.h"
#include "paint/noise.h"

namespace velko::art {

using namespace paint;

namespace {

// The shadow of a shape on the wall behind it, thrown away from the bulb.
void castShadow(Canvas& c, const Mask& m, Vec2 centre, const BulbLight& light) {
    if (light.shadowReach <= 0 || m.empty()) {
        return;
    }
    const Vec2 d = (centre - light.at) * light.shadowReach;
    shadowMask(c, m, d.x, d.y, light.shadowBlur, hex(0x140C08), light.shadowOpacity);
}

}  // namespace

void lanternFrame(Canvas& c, Vec2 ctr, float rx, float ry, float papered, Rgb bamboo, float sc,
                  const BulbLight& light) {
    Path ribs;
    for (int i = 0; i <= 8; ++i) {
        const float yy = ctr.y - ry + 2 * ry * static_cast<float>(i) / 8;
        const float half = rx * std::sqrt(std::max(0.0f, 1.0f - std::pow((yy - ctr.y) / ry, 2.0f)));
        std::vector<Vec2> ring;
        for (int k = 0; k <= 16; ++k) {
            const float a = 3.1416f * static_cast<float>(k) / 16;
            ring.push_back({ctr.x - std::cos(a) * half, yy + std::sin(a) * half * 0.12f});
        }
        ribs.append(strokePolyline(ring, std::max(0.6f, 0.9f * sc)));
    }
    for (int k = 0; k < 5; ++k) {
        const float u = -0.8f + 0.4f * static_cast<float>(k);
        std::vector<Vec2> strut;
        for (int i = 0; i <= 12; ++i) {
            const float t = -1.0f + 2.0f * static_cast<float>(i) / 12;
            strut.push_back({ctr.x + u * rx * std::sqrt(1.0f - t * t), ctr.y + t * ry});
        }
        ribs.append(strokePolyline(strut, std::max(0.5f, 0.7f * sc)));
    }
    Mask paper;
    if (papered > 0) {
        paper = rasterize(Path().addEllipse(ctr.x, ctr.y, rx, ry), c.box());
        if (papered < 1) {
            Path part;
            part.addRect(ctr.x - rx - 2, ctr.y - ry - 2, (rx * 2 + 4) * papered, ry * 2 + 4);
            paper.intersect(rasterize(part, c.box()));
        }
    }
    Mask ribMask = rasterize(ribs, c.box());
    // The wall gets the lattice's shadow; papered parts throw a solid one. The rings and
    // struts span the whole frame, so their box holds the paper too.
    Mask shadow = ribMask;
    if (!paper.empty()) {
        shadow.unite(paper);
    }
    castShadow(c, shadow, ctr, light);
    if (!paper.empty()) {
        // Washi glows where the bulb shines through it.
        const Vec2 toward = light.at - ctr;
        const float len = std::max(1.0f, std::hypot(toward.x, toward.y));
        const Vec2 hot{ctr.x + toward.x / len * rx * 0.4f, ctr.y + toward.y / len * ry * 0.4f};
        c.fill(paper,
               radialGradient(hot, rx * 1.6f, ry * 1.6f,
                              {{0, hex(0xFFF6E0)}, {0.6f, hex(0xE8D4B0)}, {1, hex(0xB09070)}}),
               0.93f);
    }
    c.fill(ribMask, bamboo);
}

void wallTools(Canvas& c, const Frame& f, const BulbLight& light, std::uint64_t seed) {
    Rng rng(seed);
    // A rack of chisels, each with its wooden handle and steel blade.
    Path rack;
    rack.addRect(f.x(470), f.y(118), f.len(110), f.len(6));
    const Rgb rackWood = hex(0x4A3020);
    Path handles;
    Path blades;
    Path bands;
    for (int i = 0; i < 6; ++i) {
        const float x = f.x(480 + static_cast<float>(i) * 16);
        const float len = f.len(rng.range(24, 32));
        handles.addRoundRect(x - f.len(2.4f), f.y(112), f.len(4.8f), len, f.len(1.6f));
        bands.addRect(x - f.len(2.7f), f.y(112) + len * 0.12f, f.len(5.4f), f.len(1.6f));
        const float bw = f.len(rng.range(1.6f, 3.6f));
        blades.addRect(x - bw * 0.5f, f.y(112) + len, bw, f.len(rng.range(14, 20)));
    }
    Mask all = rasterize(handles, c.box());
    all.unite(rasterize(blades, c.box()));
    castShadow(c, all, f.at(528, 140), light);
    c.fill(handles, Shader([&](float x, float) {
               const float u = std::fmod((x - f.x(480)) / f.len(16) + 10.0f, 1.0f);
               return mix(hex(0x9A6A3A), hex(0x5A3A20),
                          smoothstep(0.2f, 0.5f, std::fabs(u - 0.3f)));
           }));
    c.fill(bands, hex(0x6A6A6E));
    c.fill(blades, linearGradient(f.at(0, 140), f.at(0, 160),
                                  {{0, hex(0x8A9098)}, {0.5f, hex(0xC8CCD0)}, {1, hex(0x6A7078)}}));
    c.fill(rack, rackWood);
    // A saw hanging from a nail: a blade with fine teeth and a handle bound in cane.
    Path blade;
    const Vec2 bp[] = {f.at(548, 176), f.at(612, 172), f.at(616, 186), f.at(552, 194)};
    blade.addPolygon(bp);
    Path teeth;
    for (float x = 552; x < 614; x += 2.2f) {
        const float t = (x - 552) / 64.0f;
        const float y = 194 - t * 8;
        const Vec2 tq[] = {f.at(x, y), f.at(x + 1.1f, y + 1.6f), f.at(x + 2.2f, y - 0.2f)};
        teeth.addPolygon(tq);
    }
    Path grip;
    grip.addRoundRect(-f.len(32), -f.len(3.5f), f.len(36), f.len(7), f.len(3));
    const Path gripT =
        grip.transformed(Affine::rotate(-0.1f).then(Affine::translate(f.x(548), f.y(184))));
    Mask sawMask = rasterize(blade, c.box());
    sawMask.unite(rasterize(gripT, c.box()));
    castShadow(c, sawMask, f.at(580, 184), light);
    c.fill(blade, linearGradient(f.at(0, 172), f.at(0, 194),
                                 {{0, hex(0xB8BEC4)}, {0.4f, hex(0x8A9098)}, {1, hex(0x5A6068)}}));
    c.fill(teeth, hex(0x6A7078));
    c.fill(gripT, hex(0x7A5430));
    Path cane;
    for (int k = 0; k < 9; ++k) {
        cane.addRect(-f.len(30) + f.len(3.4f) * static_cast<float>(k), -f.len(3.5f), f.len(1.2f),
                     f.len(7));
    }
    c.fill(cane.transformed(Affine::rotate(-0.1f).then(Affine::translate(f.x(548), f.y(184)))),
           hex(0xC8A870), 0.6f);
    // A shelf with jars of paste and glue, a plane resting on it.
    Path shelf;
    shelf.addRect(f.x(250), f.y(190), f.len(120), f.len(5));
    Path jars;
    for (int k = 0; k < 3; ++k) {
        const float x = f.x(262 + static_cast<float>(k) * 26);
        const float h = f.len(rng.range(14, 22));
        jars.addRoundRect(x, f.y(190) - h, f.len(16), h, f.len(3));
    }
    Path plane;
    plane.addRoundRect(f.x(335), f.y(178), f.len(32), f.len(12), f.len(2));
    Mask shelfMask = rasterize(shelf, c.box());
    shelfMask.unite(rasterize(jars, c.box()));
    shelfMask.unite(rasterize(plane, c.box()));
    castShadow(c, shelfMask, f.at(310, 185), light);
    c.fill(jars, linearGradient(f.at(250, 0), f.at(370, 0),
                                {{0, hex(0x8A6A4A)}, {0.5f, hex(0xC8A27A)}, {1, hex(0x6A4A32)}}));
    c.fill(plane, hex(0x9A6A3A));
    c.fill(Path().addRect(f.x(347), f.y(174), f.len(4), f.len(5)), hex(0xA0A4A8));
    c.fill(shelf, rackWood);
}

void benchBody(Canvas& c, const Frame& f, float topY, float frontY, std::uint64_t seed) {
    (void)topY;
    // The earth floor below, darker away from the lamp.
    Path floor;
    floor.addRect(0, frontY, f.w, f.h - frontY);
    c.fill(floor, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(16), y / f.len(5), seed + 1, 4);
               return mix(hex(0x2A1C12), hex(0x3E2C1E), n);
           }));
    // The bench's front: two wide boards under the top's edge, the legs, the shadow under it.
    const float boardH = f.len(20);
    c.fill(Path().addRect(f.x(-20), frontY, f.len(680), boardH), Shader([&](float x, float y) {
               const float grain = fbm01(x / f.len(40), y / f.len(1.5f), seed + 2, 3);
               return mix(hex(0x4A3020), hex(0x6A4428), grain);
           }));
    c.fill(Path().addRect(f.x(-20), frontY, f.len(680), f.len(1.5f)), hex(0xC89A68), 0.6f);
    c.fill(Path().addRect(f.x(-20), frontY + boardH, f.len(680), f.len(3)), hex(0x140C08), 0.7f);
    const float underY = frontY + boardH;
    Path under;
    under.addRect(f.x(-20), underY, f.len(680), f.len(70));
    c.fill(under, hex(0x140C08), 0.55f);
    for (const float x : {20.0f, 300.0f, 600.0f}) {
        c.fill(
            Path().addRect(f.x(x), underY, f.len(18), f.h - underY),
            linearGradient(f.at(x, 0), f.at(x + 18, 0), {{0, hex(0x5A3A24)}, {1, hex(0x2A1A10)}}));
    }
    // On the shelf below: a bucket, a bundle of bamboo strips, a box of offcuts.
    const float shelfY = underY + f.len(58);
    c.fill(Path().addRect(f.x(-20), shelfY, f.len(680), f.len(6)), hex(0x3A2618));
    Path bucket;
    const Vec2 bq[] = {f.at(80, shelfY / f.s - 34), f.at(122, shelfY / f.s - 34),
                       f.at(116, shelfY / f.s), f.at(86, shelfY / f.s)};
    bucket.addPolygon(bq);
    c.fill(bucket, hex(0x4A3A2C));
    c.fill(Path().addRect(f.x(80), shelfY - f.len(34), f.len(42), f.len(2)), hex(0x7A6A5A));
    Path strips;
    for (int k = 0; k < 14; ++k) {
        const float y = shelfY - f.len(4 + static_cast<float>(k % 5) * 2.2f);
        strips.addRect(f.x(380 + static_cast<float>(k % 3) * 3), y, f.len(150), f.len(1.4f));
    }
    c.fill(strips, hex(0xB89868));
    c.fill(Path().addRect(f.x(180), shelfY - f.len(24), f.len(70), f.len(24)), hex(0x5A3E28));
}

}  // namespace velko::art
