// CG02: grandmother's shop at the foot of the steps, late afternoon.

#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/lettering.h"
#include "pictures/pictures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/town.h"

namespace velko::art {

using namespace paint;

namespace {

struct Street {
    float vpx, horizon, camH, focal;
    Vec2 at(float u, float z, float h = 0) const {
        const float k = focal / z;
        return {vpx + u * k, horizon + (camH - h) * k};
    }
    float px(float units, float z) const { return units * focal / z; }
    // A rectangle on a wall that runs along the street (the plane u = const).
    Path side(float u, float z0, float z1, float h0, float h1) const {
        Path p;
        const Vec2 q[] = {at(u, z0, h0), at(u, z1, h0), at(u, z1, h1), at(u, z0, h1)};
        p.addPolygon(q);
        return p;
    }
    // A rectangle facing us (the plane z = const).
    Path front(float u0, float u1, float z, float h0, float h1) const {
        Path p;
        const Vec2 q[] = {at(u0, z, h0), at(u1, z, h0), at(u1, z, h1), at(u0, z, h1)};
        p.addPolygon(q);
        return p;
    }
};

}  // namespace

Canvas paintShopStreet(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    const float s = f.s;
    Rng rng(e.seed);
    const Street st{f.x(262), f.y(250), 1.55f, f.len(330)};

    c.shade(linearGradient({0, 0}, {0, st.horizon},
                           {{0, hex(0x9AB0C8)}, {0.5f, hex(0xE8D8B0)}, {1, hex(0xF8E0A8)}}));
    glow(c, f.at(-40, 150), f.len(200), hex(0xFFE0A0), 0.45f);

    // The shrine hill at the end of the street, cedars climbing it.
    std::vector<Vec2> hp;
    for (float x = -2; x <= f.w + 2; x += 2) {
        const float u = (x - st.vpx) / f.len(260);
        hp.push_back({x, st.horizon - f.len(150) * std::exp(-u * u * 1.2f) -
                             f.len(6) * fbm(x / f.len(14), 0.5f, e.seed + 1, 3)});
    }
    hp.push_back({f.w + 2, f.h});
    hp.push_back({-2, f.h});
    c.fill(Path().addPolygon(hp), hex(0x3A5238));
    Path cedars;
    for (int i = 0; i < 40; ++i) {
        const float u = rng.range(-1.0f, 1.0f);
        const float x = st.vpx + u * f.len(230);
        const float top = st.horizon - f.len(150) * std::exp(-u * u * 1.6f);
        const float y = rng.range(top + f.len(14), st.horizon + f.len(10));
        const float hgt = f.len(rng.range(30, 60));
        cedars.append(cedar({x, y}, hgt, hgt * 0.38f, rng));
    }
    c.fill(cedars, hex(0x24382A));
    c.tint(hex(0xD8C8A0), [&](float, float y) { return y < st.horizon + f.len(8) ? 0.25f : 0.0f; });
    // The first steps, the two lanterns and the marker stone at the foot of the hill.
    for (int k = 0; k < 9; ++k) {
        const float z = 15.0f + static_cast<float>(k) * 0.35f;
        const float h = static_cast<float>(k) * 0.17f;
        c.fill(st.front(-0.9f, 0.9f, z, h, h + 0.17f), k % 2 ? hex(0x9A9488) : hex(0xAAA498));
    }
    c.fill(st.front(-0.9f, 0.9f, 18.2f, 1.5f, 3.0f), hex(0x2E4230));
    LanternLook ll;
    ll.stone = hex(0xB0A898);
    ll.stoneDark = hex(0x6A6458);
    stoneLantern(c, st.at(-1.5f, 14.6f).x, st.at(-1.5f, 14.6f).y, st.px(1.9f, 14.6f), ll);
    stoneLantern(c, st.at(1.5f, 14.6f).x, st.at(1.5f, 14.6f).y, st.px(1.9f, 14.6f), ll);
    const Vec2 mk = st.at(-2.4f, 13.0f);
    const float mw = st.px(0.45f, 13.0f);
    const float mh = st.px(1.6f, 13.0f);
    c.fill(Path().addRoundRect(mk.x - mw * 0.5f, mk.y - mh, mw, mh, mw * 0.15f), hex(0xA8A294));
    TextLayout markText;
    markText.x = mk.x;
    markText.y = mk.y - mh * 0.92f;
    markText.size = mw * 0.72f;
    markText.vertical = true;
    markText.tracking = 0.05f;
    letter(c, textMask(c, studio.mincho(), studio.text("title"), markText),
           TextLook{hex(0x3A3630)});

    // The street.
    Path road;
    const Vec2 rd[] = {st.at(-2.6f, 15), st.at(2.6f, 15), st.at(2.6f, 1.2f), st.at(-2.6f, 1.2f)};
    road.addPolygon(rd);
    c.fill(road, Shader([&](float x, float y) {
               const float n = fbm01(x / f.len(30), y / f.len(6), e.seed + 2, 4);
               return mix(hex(0x8A8478), hex(0xA8A094), n);
           }));
    // Long shadows of the left houses fall across the street to the right.
    Path shade;
    for (float z = 2.0f; z < 14.0f; z += 2.6f) {
        const Vec2 q[] = {st.at(-2.6f, z), st.at(-2.6f, z + 1.9f), st.at(1.2f, z + 1.4f),
                          st.at(1.6f, z - 0.2f)};
        shade.addPolygon(q);
    }
    c.fill(shade, hex(0x3A3440), 0.35f);

    // Left side: low houses and a fence, in shade.
    for (int i = 0; i < 4; ++i) {
        const float z0 = 2.0f + static_cast<float>(i) * 3.1f;
        const float z1 = z0 + 2.8f;
        c.fill(st.side(-3.0f, z0, z1, 0, 2.4f), i % 2 ? hex(0x6A5444) : hex(0x5A4A40));
        c.fill(st.side(-2.95f, z0 + 0.4f, z1 - 0.6f, 0.3f, 1.9f), hex(0x3A2E28));
        Path roof;
        const Vec2 q[] = {st.at(-2.6f, z0, 2.4f), st.at(-2.6f, z1, 2.4f), st.at(-3.6f, z1, 3.4f),
                          st.at(-3.6f, z0, 3.4f)};
        roof.addPolygon(q);
        c.fill(roof, hex(0x3A3E48));
        c.fill(st.side(-2.6f, z0, z1, 2.3f, 2.42f), hex(0x2A2C34));
    }
    const auto poleA = utilityPole(c, st.at(-2.8f, 3.0f).x, st.at(-2.8f, 3.0f).y, st.px(7.5f, 3.0f),
                                   hex(0x6A5440), hex(0x3A2C24), s);
    const auto poleB = utilityPole(c, st.at(-2.8f, 9.0f).x, st.at(-2.8f, 9.0f).y, st.px(7.5f, 9.0f),
                                   hex(0x6A5440), hex(0x3A2C24), s * 0.4f);
    wires(c, poleA, poleB, f.len(6), hex(0x2A2A2E), std::max(0.7f, 1.0f * s));
    std::vector<Vec2> offRight;
    for (const Vec2& p : poleA) {
        offRight.push_back({p.x + f.len(700), p.y - f.len(40)});
    }
    wires(c, poleA, offRight, f.len(30), hex(0x2A2A2E), std::max(0.8f, 1.2f * s));
    const Vec2 lampBase = st.at(-2.5f, 6.0f);
    streetLamp(c, lampBase.x, lampBase.y, st.px(4.0f, 6.0f), false, hex(0x4A4A4E), s * 0.7f);

    // Right side: the shop house, lit warm by the low sun.
    const float u = 2.7f;
    const float z0 = 1.3f;
    const float z1 = 7.5f;
    c.fill(st.side(u, z0, z1, 0, 5.6f), Shader([&](float x, float y) {
               return mix(hex(0xB08058), hex(0xD8A874),
                          fbm01(x / f.len(4), y / f.len(30), e.seed + 3, 3));
           }));
    // Glass sliding doors with the evening sky in them.
    for (int k = 0; k < 4; ++k) {
        const float a = z0 + 0.6f + static_cast<float>(k) * 0.9f;
        c.fill(st.side(u - 0.02f, a, a + 0.85f, 0.1f, 2.2f),
               linearGradient(st.at(u, a, 2.2f), st.at(u, a, 0.1f),
                              {{0, hex(0xE8D8B8)}, {1, hex(0x5A5A60)}}));
        c.fill(st.side(u - 0.03f, a + 0.4f, a + 0.45f, 0.1f, 2.2f), hex(0x4A3020));
        c.fill(st.side(u - 0.03f, a, a + 0.85f, 1.1f, 1.16f), hex(0x4A3020));
    }
    // Blue noren over the entrance.
    for (int k = 0; k < 3; ++k) {
        const float a = z0 + 0.7f + static_cast<float>(k) * 0.5f;
        c.fill(st.side(u - 0.1f, a, a + 0.46f, 1.75f, 2.3f), hex(0x2A4A8A));
    }
    // First-floor eave: a tiled canopy across the front.
    Path eave;
    const Vec2 eq[] = {st.at(u, z0, 2.7f), st.at(u, z1, 2.7f), st.at(u - 0.9f, z1, 2.5f),
                       st.at(u - 0.9f, z0, 2.5f)};
    eave.addPolygon(eq);
    c.fill(eave, hex(0x4A4E5A));
    c.fill(Path().addPolygon(std::vector<Vec2>{st.at(u - 0.9f, z0, 2.5f), st.at(u - 0.9f, z1, 2.5f),
                                               st.at(u - 0.9f, z1, 2.42f),
                                               st.at(u - 0.9f, z0, 2.42f)}),
           hex(0x2A2C34));
    // Upper floor: a window with a bamboo blind.
    c.fill(st.side(u - 0.02f, z0 + 1.2f, z0 + 3.2f, 3.4f, 4.8f), hex(0x6A5036));
    for (int k = 0; k < 10; ++k) {
        const float h = 3.5f + static_cast<float>(k) * 0.13f;
        c.fill(st.side(u - 0.03f, z0 + 1.25f, z0 + 3.15f, h, h + 0.05f), hex(0xC8A870), 0.8f);
    }
    Path roof;
    const Vec2 rq[] = {st.at(u, z0, 5.6f), st.at(u, z1, 5.6f), st.at(u + 1.2f, z1, 6.8f),
                       st.at(u + 1.2f, z0, 6.8f)};
    roof.addPolygon(rq);
    c.fill(roof, hex(0x3A3E4A));
    Path roofEdge;
    const Vec2 re[] = {st.at(u - 0.5f, z0, 5.45f), st.at(u - 0.5f, z1, 5.45f), st.at(u, z1, 5.7f),
                       st.at(u, z0, 5.7f)};
    roofEdge.addPolygon(re);
    c.fill(roofEdge, hex(0x2A2C34));
    // The next house along, beyond the shop.
    c.fill(st.side(u, z1, 13.0f, 0, 3.0f), hex(0x8A6A50));
    c.fill(st.side(u - 0.5f, z1, 13.0f, 2.8f, 3.3f), hex(0x3A3E48));

    // Out front: the ice chest, the red bench, and the standing sign.
    c.fill(st.side(1.7f, 5.6f, 6.8f, 0.42f, 0.5f), hex(0xB02420));
    c.fill(st.front(1.7f, 2.5f, 5.6f, 0.42f, 0.5f), hex(0xD0302A));
    for (const float a : {1.75f, 2.4f}) {
        c.fill(st.front(a, a + 0.05f, 5.6f, 0, 0.44f), hex(0x8A1A18));
    }
    c.fill(st.side(1.8f, 3.9f, 4.6f, 0, 0.85f), hex(0xB8B8B8));
    c.fill(st.front(1.8f, 2.5f, 3.9f, 0, 0.8f), hex(0xE8E8E8));
    c.fill(st.front(1.8f, 2.5f, 3.9f, 0.8f, 0.92f), hex(0x2A6AC0));
    const float sz = 3.0f;
    const Vec2 signTop = st.at(2.05f, sz, 2.2f);
    const Vec2 signBot = st.at(2.05f, sz, 0.7f);
    const float sw = st.px(0.42f, sz);
    c.fill(Path().addRect(signTop.x - sw * 0.08f, signBot.y, sw * 0.16f,
                          st.at(2.2f, sz).y - signBot.y),
           hex(0x3A2A1E));
    c.fill(Path().addRect(signTop.x - sw * 0.5f, signTop.y, sw, signBot.y - signTop.y),
           Shader([&](float x, float y) {
               return mix(hex(0xC8A070), hex(0xE8C890),
                          fbm01(x / f.len(2), y / f.len(20), e.seed + 4, 3));
           }));
    TextLayout shopText;
    shopText.x = signTop.x;
    shopText.y = signTop.y + sw * 0.1f;
    shopText.size = sw * 0.7f;
    shopText.vertical = true;
    shopText.tracking = 0.05f;
    letter(c, textMask(c, studio.brush(), "高遠商店", shopText), TextLook{hex(0x1E1410)});

    // Late sun: warm over everything lit, deepest at the left where the shade is.
    c.tint(hex(0xFFB060), [&](float x, float) { return 0.12f * clamp01(x / f.w + 0.2f); });
    vignette(c, 0.3f);
    grain(c, 0.025f, e.seed);
    return c;
}

}  // namespace velko::art
