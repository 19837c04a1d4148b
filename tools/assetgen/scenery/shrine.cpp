#include "scenery/shrine.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "paint/random.h"

namespace velko::art {

using namespace paint;

namespace {

// A horizontal beam with ends swept upwards.
Path sweptBeam(float cx, float y, float half, float thick, float lift) {
    std::vector<Vec2> pts;
    const int n = 24;
    for (int i = 0; i <= n; ++i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / n;
        const float sweep = std::pow(std::fabs(u), 3.0f) * lift;
        pts.push_back({cx + u * half, y - sweep});
    }
    for (int i = n; i >= 0; --i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / n;
        const float sweep = std::pow(std::fabs(u), 3.0f) * lift * 1.25f;
        pts.push_back({cx + u * (half + thick * 0.3f), y - thick - sweep});
    }
    Path p;
    p.addPolygon(pts);
    return p;
}

Shader columnShade(float cx, float halfW, Rgb lit, Rgb dark, float light) {
    return [=](float x, float) {
        const float u = std::clamp((x - cx) / halfW, -1.0f, 1.0f) * light;
        return mix(dark, lit, clamp01(0.5f - 0.5f * u + 0.15f));
    };
}

}  // namespace

Path toriiSilhouette(float x, float baseY, float height, float span) {
    const float pw = height * 0.075f;
    const float topY = baseY - height * 0.86f;
    const float lean = height * 0.02f;
    Path p;
    for (const float side : {-1.0f, 1.0f}) {
        const float bx = x + side * span * 0.5f;
        const float tx = bx - side * lean;
        const Vec2 pts[] = {{tx - pw * 0.42f, topY},
                            {tx + pw * 0.42f, topY},
                            {bx + pw * 0.5f, baseY},
                            {bx - pw * 0.5f, baseY}};
        p.addPolygon(pts);
    }
    const float nukiY = baseY - height * 0.68f;
    p.addRect(x - span * 0.5f - span * 0.14f, nukiY, span * 1.28f, height * 0.05f);
    p.addRect(x - pw * 0.3f, topY, pw * 0.6f, nukiY - topY);
    p.append(sweptBeam(x, topY + height * 0.0f, span * 0.5f + span * 0.2f, height * 0.05f,
                       height * 0.01f));
    p.append(sweptBeam(x, topY - height * 0.05f, span * 0.5f + span * 0.3f, height * 0.07f,
                       height * 0.07f));
    return p;
}

void torii(Canvas& c, float x, float baseY, float height, float span, const ToriiLook& look) {
    const float pw = height * 0.075f;
    const float topY = baseY - height * 0.86f;
    const float lean = height * 0.02f;
    for (const float side : {-1.0f, 1.0f}) {
        const float bx = x + side * span * 0.5f;
        const float tx = bx - side * lean;
        Path pillar;
        const Vec2 pts[] = {{tx - pw * 0.42f, topY},
                            {tx + pw * 0.42f, topY},
                            {bx + pw * 0.5f, baseY},
                            {bx - pw * 0.5f, baseY}};
        pillar.addPolygon(pts);
        c.fill(pillar, columnShade(bx, pw * 0.5f, look.vermilion, look.shadow, look.light));
        Path foot;
        foot.addRect(bx - pw * 0.58f, baseY - height * 0.06f, pw * 1.16f, height * 0.06f);
        c.fill(foot, columnShade(bx, pw * 0.58f, scale(look.black, 1.6f), look.black, look.light));
    }
    const float nukiY = baseY - height * 0.68f;
    const float beamH = height * 0.05f;
    Path nuki;
    nuki.addRect(x - span * 0.64f, nukiY, span * 1.28f, beamH);
    c.fill(nuki,
           linearGradient({0, nukiY}, {0, nukiY + beamH}, {{0, look.vermilion}, {1, look.shadow}}));
    Path strut;
    strut.addRect(x - pw * 0.3f, topY, pw * 0.6f, nukiY - topY);
    c.fill(strut, look.shadow);
    // Plaque on the strut.
    Path plaque;
    const float ph = (nukiY - topY) * 0.8f;
    plaque.addRect(x - pw * 0.55f, topY + (nukiY - topY) * 0.12f, pw * 1.1f, ph);
    c.fill(plaque, scale(look.black, 1.3f));
    Path plaqueFace;
    plaqueFace.addRect(x - pw * 0.38f, topY + (nukiY - topY) * 0.12f + pw * 0.18f, pw * 0.76f,
                       ph - pw * 0.36f);
    c.fill(plaqueFace, mix(look.black, hex(0x6B5A3A), 0.5f));
    Path shimaki = sweptBeam(x, topY, span * 0.7f, height * 0.05f, height * 0.01f);
    c.fill(shimaki, linearGradient({0, topY - height * 0.05f}, {0, topY},
                                   {{0, look.vermilion}, {1, look.shadow}}));
    Path kasagi = sweptBeam(x, topY - height * 0.05f, span * 0.8f, height * 0.07f, height * 0.07f);
    c.fill(kasagi,
           linearGradient({0, topY - height * 0.2f}, {0, topY - height * 0.05f},
                          {{0, scale(look.black, 2.2f)}, {0.6f, look.black}, {1, look.black}}));
}

Vec2 stoneLantern(Canvas& c, float x, float baseY, float h, const LanternLook& look) {
    const float slim = look.tall ? 0.8f : 1.0f;
    auto block = [&](float w, float y0, float y1) {
        Path p;
        p.addRect(x - w * 0.5f * slim, y0, w * slim, y1 - y0);
        return p;
    };
    // Each stone block: its face, a lit top edge and a shadowed underside.
    auto stoneBlock = [&](float w, float y0, float y1, const Shader& shade) {
        c.fill(block(w, y0, y1), shade);
        const float edge = std::max(0.6f, (y1 - y0) * 0.18f);
        c.fill(block(w, y0, y0 + edge), look.stone, 0.45f, Blend::Screen);
        c.fill(block(w, y1 - edge, y1), look.stoneDark, 0.5f);
    };
    const Shader stone = [=](float px, float py) {
        const float u = std::clamp((px - x) / (h * 0.35f), -1.0f, 1.0f);
        const float n = fbm01(px / 3.0f, py / 3.0f, 99, 3);
        return mix(look.stoneDark, look.stone, clamp01(0.55f - 0.45f * u) * (0.75f + 0.35f * n));
    };
    const float y0 = baseY;
    stoneBlock(h * 0.5f, y0 - h * 0.08f, y0, stone);
    stoneBlock(h * 0.38f, y0 - h * 0.12f, y0 - h * 0.08f, stone);
    const float pillarTop = y0 - h * (look.tall ? 0.52f : 0.45f);
    Path pillar;
    const Vec2 pp[] = {{x - h * 0.08f * slim, pillarTop},
                       {x + h * 0.08f * slim, pillarTop},
                       {x + h * 0.11f * slim, y0 - h * 0.12f},
                       {x - h * 0.11f * slim, y0 - h * 0.12f}};
    pillar.addPolygon(pp);
    c.fill(pillar, stone);
    stoneBlock(h * 0.42f, pillarTop - h * 0.07f, pillarTop, stone);
    const float boxTop = pillarTop - h * 0.27f;
    const float boxBot = pillarTop - h * 0.07f;
    stoneBlock(h * 0.3f, boxTop, boxBot, stone);
    // The light box's opening.
    Path window;
    window.addRect(x - h * 0.09f * slim, boxTop + h * 0.04f, h * 0.18f * slim,
                   (boxBot - boxTop) - h * 0.07f);
    const Vec2 light{x, (boxTop + boxBot) * 0.5f};
    if (look.lit) {
        c.fill(window, look.flame);
        Path flame;
        flame.addEllipse(light.x, light.y + h * 0.01f, h * 0.025f, h * 0.05f);
        c.fill(flame, hex(0xFFF4D0));
    } else {
        c.fill(window, scale(look.stoneDark, 0.55f));
        c.fill(Path().addRect(x - h * 0.012f, boxTop + h * 0.04f, h * 0.024f,
                              (boxBot - boxTop) - h * 0.07f),
               look.stoneDark);
    }
    // Roof: a wide low pyramid with upturned corners, then the jewel.
    Path roof;
    const float rw = h * 0.62f * slim;
    const float roofBot = boxTop;
    const float roofTop = boxTop - h * 0.13f;
    std::vector<Vec2> rp;
    const int n = 16;
    for (int i = 0; i <= n; ++i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / n;
        rp.push_back({x + u * rw * 0.5f, roofBot - std::pow(std::fabs(u), 4.0f) * h * 0.05f});
    }
    rp.push_back({x + rw * 0.12f, roofTop});
    rp.push_back({x - rw * 0.12f, roofTop});
    roof.addPolygon(rp);
    c.fill(roof, stone);
    // The roof's underside is in shadow; its slope catches the sky.
    std::vector<Vec2> eaveLine;
    for (int i = 0; i <= n; ++i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / n;
        eaveLine.push_back(
            {x + u * rw * 0.5f, roofBot - std::pow(std::fabs(u), 4.0f) * h * 0.05f - h * 0.008f});
    }
    c.fill(strokePolyline(eaveLine, std::max(0.8f, h * 0.02f)), look.stoneDark, 0.7f);
    const Vec2 slopeLight[] = {{x - rw * 0.1f, roofTop + h * 0.01f},
                               {x + rw * 0.1f, roofTop + h * 0.01f},
                               {x + rw * 0.3f, roofBot - h * 0.05f},
                               {x - rw * 0.35f, roofBot - h * 0.04f}};
    c.fill(Path().addPolygon(slopeLight), look.stone, 0.35f, Blend::Screen);
    Path jewel;
    jewel.addEllipse(x, roofTop - h * 0.04f, h * 0.05f, h * 0.05f);
    const Vec2 tip[] = {{x - h * 0.02f, roofTop - h * 0.07f},
                        {x + h * 0.02f, roofTop - h * 0.07f},
                        {x, roofTop - h * 0.12f}};
    jewel.addPolygon(tip);
    jewel.addRect(x - h * 0.06f, roofTop - h * 0.01f, h * 0.12f, h * 0.02f);
    c.fill(jewel, stone);
    if (look.lit) {
        glow(c, light, h * 0.16f * look.glow, look.flame, 0.55f * look.glow);
    }
    return light;
}

void paperLantern(Canvas& c, Vec2 ctr, float rx, float ry, PaperStyle style, float tilt) {
    const Affine t = Affine::rotate(tilt).then(Affine::translate(ctr.x, ctr.y));
    Path body;
    body.addEllipse(0, 0, rx, ry);
    Path caps;
    caps.addRoundRect(-rx * 0.5f, -ry - ry * 0.12f, rx, ry * 0.22f, ry * 0.05f);
    caps.addRoundRect(-rx * 0.5f, ry - ry * 0.1f, rx, ry * 0.22f, ry * 0.05f);
    Path ribs;
    for (int i = 1; i < 9; ++i) {
        const float yy = -ry + 2.0f * ry * static_cast<float>(i) / 9;
        const float half = rx * std::sqrt(std::max(0.0f, 1.0f - (yy / ry) * (yy / ry)));
        const Vec2 pts[] = {{-half, yy}, {half, yy}};
        ribs.append(strokePolyline(pts, std::max(0.6f, ry * 0.035f)));
    }
    const Path bodyT = body.transformed(t);
    Mask bodyMask = rasterize(bodyT, c.box());
    switch (style) {
        case PaperStyle::LitWarm:
        case PaperStyle::FestivalLit: {
            c.fill(bodyMask,
                   radialGradient(ctr, rx * 1.1f, ry * 1.1f,
                                  {{0, hex(0xFFF0C0)}, {0.6f, hex(0xFFB860)}, {1, hex(0xD0662A)}}));
            if (style == PaperStyle::FestivalLit) {
                Path band;
                band.addRect(-rx, ry * 0.2f, rx * 2, ry * 0.45f);
                Mask bm = rasterize(band.transformed(t), c.box());
                bm.intersect(bodyMask);
                c.fill(bm, hex(0xE0402A), 0.85f);
            }
            c.fill(ribs.transformed(t), hex(0x9A4A1A), 0.45f);
            glow(c, ctr, std::max(rx, ry) * 1.4f, hex(0xFFA040), 0.35f);
            break;
        }
        case PaperStyle::FestivalWhiteRed:
        case PaperStyle::Torn: {
            c.fill(bodyMask,
                   radialGradient({ctr.x - rx * 0.35f, ctr.y - ry * 0.3f}, rx * 1.6f, ry * 1.6f,
                                  {{0, hex(0xFFFDF5)}, {0.7f, hex(0xE9E2D4)}, {1, hex(0xB9B0A0)}}));
            Path band;
            band.addRect(-rx, ry * 0.15f, rx * 2, ry * 0.5f);
            Mask bm = rasterize(band.transformed(t), c.box());
            bm.intersect(bodyMask);
            c.fill(bm, hex(0xD23A2A));
            c.fill(ribs.transformed(t), hex(0x8A8070), 0.35f);
            if (style == PaperStyle::Torn) {
                Path tear;
                const Vec2 tp[] = {{rx * 0.1f, -ry * 0.5f},
                                   {rx * 0.9f, -ry * 0.2f},
                                   {rx * 0.5f, ry * 0.3f},
                                   {rx * 0.2f, ry * 0.05f},
                                   {rx * 0.35f, -ry * 0.1f}};
                tear.addPolygon(tp);
                Mask tm = rasterize(tear.transformed(t), c.box());
                tm.intersect(bodyMask);
                c.fill(tm, hex(0x101018), 0.9f);
            }
            break;
        }
    }
    c.fill(caps.transformed(t), hex(0x1A1412));
}

void shrineHall(Canvas& c, float x, float baseY, float width, const HallLook& look, float sc) {
    const float w = width;
    const float bodyW = w * 0.72f;
    const float bodyH = w * 0.3f;
    const float platH = w * 0.06f;
    // Stone platform and steps.
    Path plat;
    plat.addRect(x - bodyW * 0.58f, baseY - platH, bodyW * 1.16f, platH);
    c.fill(plat, linearGradient({0, baseY - platH}, {0, baseY},
                                {{0, look.stone}, {1, scale(look.stone, 0.6f)}}));
    const float floorY = baseY - platH;
    const float eaveY = floorY - bodyH;
    // Body: pillars and lattice doors.
    Path body;
    body.addRect(x - bodyW * 0.5f, eaveY, bodyW, bodyH);
    c.fill(body, look.woodDark);
    const int bays = 3;
    for (int i = 0; i < bays; ++i) {
        const float bx0 = x - bodyW * 0.5f + bodyW * static_cast<float>(i) / bays;
        const float bw = bodyW / bays;
        Path door;
        door.addRect(bx0 + bw * 0.08f, eaveY + bodyH * 0.12f, bw * 0.84f, bodyH * 0.8f);
        c.fill(door, look.interior);
        Path lattice;
        for (int k = 1; k < 8; ++k) {
            lattice.addRect(bx0 + bw * 0.08f + bw * 0.84f * static_cast<float>(k) / 8 - 0.6f * sc,
                            eaveY + bodyH * 0.12f, 1.2f * sc, bodyH * 0.8f);
        }
        for (int k = 1; k < 6; ++k) {
            lattice.addRect(
                bx0 + bw * 0.08f,
                eaveY + bodyH * 0.12f + bodyH * 0.8f * static_cast<float>(k) / 6 - 0.6f * sc,
                bw * 0.84f, 1.2f * sc);
        }
        c.fill(lattice, look.wood, 0.9f);
    }
    for (int i = 0; i <= bays; ++i) {
        const float px = x - bodyW * 0.5f + bodyW * static_cast<float>(i) / bays;
        Path pillar;
        pillar.addRect(px - w * 0.014f, eaveY, w * 0.028f, bodyH);
        c.fill(pillar, look.wood);
    }
    // Veranda floor and a step block.
    Path veranda;
    veranda.addRect(x - bodyW * 0.55f, floorY - w * 0.012f, bodyW * 1.1f, w * 0.02f);
    c.fill(veranda, look.wood);
    // Roof: deep curved eaves, a ridge, copper or tile.
    const float roofTop = eaveY - w * 0.3f;
    std::vector<Vec2> rp;
    const int n = 40;
    const float eaveHalf = w * 0.5f;
    for (int i = 0; i <= n; ++i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / n;
        rp.push_back(
            {x + u * eaveHalf, eaveY - w * 0.02f - std::pow(std::fabs(u), 3.0f) * w * 0.05f});
    }
    for (int i = n; i >= 0; --i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / n;
        // Concave slope: steep near the ridge, flattening towards the eaves.
        const float au = std::fabs(u);
        const float slope = 1.0f - std::pow(std::max(0.0f, (au - 0.3f) / 0.7f), 0.55f);
        rp.push_back({x + u * eaveHalf * 0.98f, eaveY - w * 0.07f - std::pow(au, 3.0f) * w * 0.05f -
                                                    slope * (eaveY - w * 0.07f - roofTop) * 1.0f *
                                                        (au > 0.55f ? 1.0f : 1.0f)});
    }
    Path roof;
    roof.addPolygon(rp);
    c.fill(roof,
           linearGradient({0, roofTop}, {0, eaveY},
                          {{0, look.roofLight}, {0.7f, look.roof}, {1, scale(look.roof, 0.7f)}}));
    // Eave edge (fascia) in a lighter line and the ridge with its end ornaments.
    std::vector<Vec2> edge;
    for (int i = 0; i <= n; ++i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / n;
        edge.push_back(
            {x + u * eaveHalf, eaveY - w * 0.02f - std::pow(std::fabs(u), 3.0f) * w * 0.05f});
    }
    c.fill(strokePolyline(edge, w * 0.018f), scale(look.roofLight, 1.1f));
    Path ridge;
    ridge.addRoundRect(x - w * 0.17f, roofTop - w * 0.025f, w * 0.34f, w * 0.04f, w * 0.01f);
    c.fill(ridge, scale(look.roof, 0.6f));
    // Tile or seam lines on the roof.
    Path seams;
    for (int k = -9; k <= 9; ++k) {
        const float u = static_cast<float>(k) / 10.0f;
        const float top = roofTop + std::pow(std::fabs(u), 1.8f) * (eaveY - roofTop) * 0.8f;
        const Vec2 pts[] = {{x + u * w * 0.16f, top},
                            {x + u * eaveHalf * 0.97f,
                             eaveY - w * 0.06f - std::pow(std::fabs(u), 3.0f) * w * 0.05f}};
        seams.append(strokePolyline(pts, 0.8f * sc));
    }
    c.fill(seams, scale(look.roof, 0.65f), 0.6f);
    // Bell rope and offering box.
    const Vec2 rope[] = {{x, eaveY - w * 0.01f}, {x + w * 0.004f, floorY - bodyH * 0.15f}};
    c.fill(strokeTapered(rope, std::vector<float>{w * 0.018f, w * 0.012f}), hex(0xC9A060));
    Path bell;
    bell.addEllipse(x, eaveY + w * 0.02f, w * 0.025f, w * 0.02f);
    c.fill(bell, hex(0xB8902E));
    Path boxP;
    boxP.addRect(x - w * 0.1f, floorY - w * 0.07f, w * 0.2f, w * 0.07f);
    c.fill(boxP, scale(look.wood, 0.8f));
    Path boxTop;
    boxTop.addRect(x - w * 0.105f, floorY - w * 0.075f, w * 0.21f, w * 0.012f);
    c.fill(boxTop, look.wood);
    if (look.lanterns) {
        const int count = 6;
        for (int i = 0; i < count; ++i) {
            const float u = -0.42f + 0.84f * static_cast<float>(i) / (count - 1);
            if (std::fabs(u) < 0.08f) {
                continue;
            }
            paperLantern(c, {x + u * bodyW, eaveY + w * 0.045f}, w * 0.022f, w * 0.03f,
                         look.lit ? PaperStyle::LitWarm : PaperStyle::FestivalWhiteRed);
        }
    }
}

void shimenawa(Canvas& c, Vec2 a, Vec2 b, float sag, float thick, Rgb straw, float sc) {
    const auto pts = catenary(a, b, sag, 40);
    c.fill(strokePolyline(pts, thick), straw);
    // Twist marks.
    Path twist;
    for (std::size_t i = 1; i + 1 < pts.size(); i += 2) {
        const Vec2 p = pts[i];
        const Vec2 q[] = {{p.x - thick * 0.3f, p.y - thick * 0.4f},
                          {p.x + thick * 0.3f, p.y + thick * 0.4f}};
        twist.append(strokePolyline(q, 0.9f * sc));
    }
    c.fill(twist, scale(straw, 0.6f), 0.8f);
    // Zigzag paper streamers (shide).
    for (int k = 1; k <= 4; ++k) {
        const Vec2 p = pts[static_cast<std::size_t>(k * 8)];
        std::vector<Vec2> z;
        const float step = thick * 0.7f;
        for (int i = 0; i < 5; ++i) {
            z.push_back({p.x + ((i % 2) ? step * 0.6f : -step * 0.2f),
                         p.y + thick * 0.3f + step * static_cast<float>(i)});
        }
        c.fill(strokePolyline(z, thick * 0.45f), hex(0xF4F2EA));
    }
}

std::vector<StepPlace> stairsLayout(const Stairs& s) {
    std::vector<StepPlace> out;
    for (int i = 0; i < s.count; ++i) {
        const float d = s.startDistance + s.run * static_cast<float>(i);
        const float e = s.rise * static_cast<float>(i + 1);
        const float k = s.focal / d;
        out.push_back({s.vanishX + (s.centreX - s.vanishX) * (s.startDistance / d),
                       s.horizonY - (e - s.eyeHeight) * k, s.halfWidth * k, k});
    }
    return out;
}

void stoneStairs(Canvas& c, const Stairs& s, Rgb tread, Rgb riser, Rgb moss, std::uint64_t seed,
                 float wetness) {
    const auto steps = stairsLayout(s);
    // Far to near, each step: its tread (seen from below it is thin) and its front face.
    for (int i = static_cast<int>(steps.size()) - 1; i >= 0; --i) {
        const StepPlace& p = steps[static_cast<std::size_t>(i)];
        const float riseH = s.rise * p.scale;
        const float treadTop = i + 1 < static_cast<int>(steps.size())
                                   ? steps[static_cast<std::size_t>(i + 1)].y +
                                         s.rise * steps[static_cast<std::size_t>(i + 1)].scale
                                   : p.y - riseH * 0.3f;
        const float farHalf = i + 1 < static_cast<int>(steps.size())
                                  ? steps[static_cast<std::size_t>(i + 1)].halfW
                                  : p.halfW;
        const float farX =
            i + 1 < static_cast<int>(steps.size()) ? steps[static_cast<std::size_t>(i + 1)].x : p.x;
        // Each step is two or three slabs of different stone; moss grows in from the ends
        // of the step, in the joints and where the riser meets the tread below.
        const std::uint64_t sd = seed + 7 + static_cast<std::uint64_t>(i) * 17;
        Rng rng(sd);
        const int slabs = 2 + rng.below(2);
        float cuts[4] = {-1.0f, 1.0f, 1.0f, 1.0f};
        for (int k = 1; k < slabs; ++k) {
            cuts[k] = -1.0f + 2.0f * static_cast<float>(k) / slabs + rng.range(-0.15f, 0.15f);
        }
        cuts[slabs] = 1.0f;
        float tones[3];
        for (float& t : tones) {
            t = rng.range(0.84f, 1.1f);
        }
        const float inv = 1.0f / std::max(0.01f, p.scale);
        auto slabTone = [=](float u) {
            int k = 0;
            while (k + 1 < slabs && u > cuts[k + 1]) {
                ++k;
            }
            return tones[k];
        };
        auto mossAt = [=](float u, float n, float lower) {
            const float side = smoothstep(0.62f, 1.0f, std::fabs(u));
            float joint = 0;
            for (int k = 1; k < slabs; ++k) {
                joint = std::max(joint, 1.0f - std::fabs(u - cuts[k]) * p.halfW * inv * 8.0f);
            }
            return clamp01((n - 0.6f) * 1.8f + side * (0.25f + 0.7f * n) + joint * 0.4f * n +
                           lower * 0.3f * n);
        };
        if (treadTop < p.y) {
            Path tp;
            const Vec2 q[] = {{farX - farHalf, treadTop},
                              {farX + farHalf, treadTop},
                              {p.x + p.halfW, p.y},
                              {p.x - p.halfW, p.y}};
            tp.addPolygon(q);
            const float depth = std::max(1.0f, p.y - treadTop);
            c.fill(tp, Shader([=](float x, float y) {
                       const float u = (x - p.x) / p.halfW;
                       const float n =
                           fbm01((x - p.x) * inv * 3.0f, (y - p.y) / depth * 1.5f, sd + 3, 3);
                       // Feet have worn the middle smooth and pale; the rest is dark and wet.
                       const float worn = 1.0f - smoothstep(0.15f, 0.6f, std::fabs(u));
                       Rgb col = scale(mix(scale(tread, 0.78f), tread, n), slabTone(u));
                       col = mix(col, scale(tread, 1.12f), worn * 0.25f);
                       col = mix(col, scale(moss, 0.75f), mossAt(u, n, (p.y - y) / depth) * 0.55f);
                       const float wet = wetness * valueNoise(x / 14.0f, y / 3.0f, sd + 1);
                       return mix(col, scale(tread, 1.4f), wet * 0.45f);
                   }));
        }
        Path face;
        const Vec2 fq[] = {{p.x - p.halfW, p.y},
                           {p.x + p.halfW, p.y},
                           {p.x + p.halfW * 1.0f, p.y + riseH},
                           {p.x - p.halfW * 1.0f, p.y + riseH}};
        face.addPolygon(fq);
        c.fill(face, Shader([=](float x, float y) {
                   const float u = (x - p.x) / p.halfW;
                   const float n = fbm01((x - p.x) * inv * 3.0f, (y - p.y) * inv * 6.0f, sd, 3);
                   const float v = clamp01((y - p.y) / std::max(1.0f, riseH));
                   Rgb col = mix(riser, scale(riser, 0.62f), v * 0.55f);
                   col = scale(col, slabTone(u) * (0.86f + 0.28f * n));
                   const float m = mossAt(u, n, smoothstep(0.55f, 1.0f, v));
                   return mix(col, scale(moss, 0.6f + 0.3f * n), m * 0.6f);
               }));
        Path joints;
        for (int k = 1; k < slabs; ++k) {
            joints.addRect(p.x + cuts[k] * p.halfW, p.y, std::max(0.6f, p.scale * 0.02f), riseH);
        }
        // The worn front edge catches a little light.
        joints.addRect(p.x - p.halfW, p.y, p.halfW * 2, std::max(0.6f, riseH * 0.12f));
        c.fill(joints, scale(riser, 0.45f), 0.6f);
        Path edge;
        edge.addRect(p.x - p.halfW, p.y - std::max(0.5f, riseH * 0.05f), p.halfW * 2,
                     std::max(0.5f, riseH * 0.08f));
        c.fill(edge, scale(tread, 1.25f), 0.45f);
    }
}

}  // namespace velko::art
