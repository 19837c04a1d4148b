// CG02: grandmother's shop at the foot of the steps, late afternoon.

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/ground_view.h"
#include "pictures/lettering.h"
#include "pictures/pictures.h"
#include "scenery/figures.h"
#include "scenery/land.h"
#include "scenery/shrine.h"
#include "scenery/town.h"

namespace velko::art {

using namespace paint;

namespace {

// The low sun is at the left and a little behind: shadows run right and towards us, this far
// per unit of height.
constexpr float kShadowU = 2.0f;
constexpr float kShadowZ = -0.6f;

struct ShopStreet {
    Canvas& c;
    Studio& studio;
    const Frame& f;
    const Perspective& st;
    std::uint64_t seed;

    // Where a point of the picture lies on the wall u = U: its distance and its height.
    Vec2 onSide(float U, float x, float y) const {
        const float z = U * st.focal / (x - st.vpx);
        return {z, st.camH - (y - st.horizon) * z / st.focal};
    }

    // Vertical boards on a wall along the street, each its own tone, grain running up.
    Shader boards(float U, Rgb wood, float width, std::uint64_t salt) const {
        return [=, this](float x, float y) {
            const Vec2 zh = onSide(U, x, y);
            const float plank = std::floor(zh.x / width);
            const float across = zh.x / width - plank;
            const float tone = 0.82f + 0.3f * hash01(static_cast<int>(plank), 3, seed + salt);
            const float grain = fbm01(zh.x * 6.0f, zh.y * 0.8f, seed + salt, 3);
            Rgb col = scale(wood, tone * (0.85f + 0.3f * grain));
            // The gap between boards.
            return across < 0.06f ? scale(col, 0.55f) : col;
        };
    }

    void skyAndHill(Rng& rng) const {
        c.shade(linearGradient({0, 0}, {0, st.horizon},
                               {{0, hex(0x9AB0C8)}, {0.5f, hex(0xE8D8B0)}, {1, hex(0xF8E0A8)}}));
        glow(c, f.at(-40, 150), f.len(200), hex(0xFFE0A0), 0.45f);
        // The shrine hill at the end of the street, cedars climbing it, lit from the left.
        std::vector<Vec2> hp;
        for (float x = -2; x <= f.w + 2; x += 2) {
            const float u = (x - st.vpx) / f.len(260);
            hp.push_back({x, st.horizon - f.len(150) * std::exp(-u * u * 1.2f) -
                                 f.len(6) * fbm(x / f.len(14), 0.5f, seed + 1, 3)});
        }
        hp.push_back({f.w + 2, f.h});
        hp.push_back({-2, f.h});
        c.fill(Path().addPolygon(hp),
               linearGradient({st.vpx - f.len(200), 0}, {st.vpx + f.len(200), 0},
                              {{0, hex(0x4A6440)}, {1, hex(0x2E4430)}}));
        Path cedars;
        Path lit;
        for (int i = 0; i < 46; ++i) {
            const float u = rng.range(-1.0f, 1.0f);
            const float x = st.vpx + u * f.len(230);
            const float top = st.horizon - f.len(150) * std::exp(-u * u * 1.6f);
            const float y = rng.range(top + f.len(14), st.horizon + f.len(10));
            const float hgt = f.len(rng.range(30, 60));
            cedars.append(cedar({x, y}, hgt, hgt * 0.38f, rng, &lit));
        }
        c.fill(cedars, hex(0x24382A));
        c.fill(lit, hex(0x5A7040), 0.45f);
        c.tint(hex(0xD8C8A0),
               [&](float, float y) { return y < st.horizon + f.len(8) ? 0.25f : 0.0f; });
    }

    // The first steps climbing into the cedar shade, two lanterns and the marker stone.
    void footOfTheSteps() const {
        // The shade under the cedars the steps disappear into.
        c.fill(st.front(-1.3f, 1.3f, 18.6f, 1.2f, 3.6f), hex(0x141C16));
        for (const float u : {-1.15f, 0.95f}) {
            c.fill(st.front(u, u + 0.14f, 18.6f, 1.2f, 4.2f), hex(0x2A2018));
        }
        // Low cedar boughs arch over the way in, their tops lit from the left.
        Rng boughs(seed + 40);
        Path canopy;
        for (int k = 0; k < 9; ++k) {
            const float t = static_cast<float>(k) / 8.0f;
            const float u = -1.8f + 3.6f * t;
            const float h = 3.4f + 0.5f * std::sin(t * 3.14159f) + boughs.range(-0.2f, 0.2f);
            const Vec2 p = st.at(u, 18.5f, h);
            canopy.append(foliageClump(p, st.px(0.7f, 18.5f), st.px(0.4f, 18.5f), boughs, 8));
        }
        const Mask cm = rasterize(canopy, c.box());
        c.fill(cm, hex(0x1E2E22));
        paintRim(c, cm, {-0.8f, -0.6f}, std::max(0.7f, f.len(1.0f)), hex(0x6A8048), 0.55f);
        for (int k = 8; k >= 0; --k) {
            const float z = 15.0f + static_cast<float>(k) * 0.35f;
            const float h = static_cast<float>(k) * 0.17f;
            // Tread, then the riser in front of it, lighter at its worn edge.
            Path tread;
            const Vec2 tq[] = {st.at(-0.9f, z, h + 0.17f), st.at(0.9f, z, h + 0.17f),
                               st.at(0.9f, z + 0.35f, h + 0.17f),
                               st.at(-0.9f, z + 0.35f, h + 0.17f)};
            tread.addPolygon(tq);
            c.fill(tread, hex(0xB4AC9C));
            c.fill(st.front(-0.9f, 0.9f, z, h, h + 0.17f),
                   linearGradient(st.at(0, z, h + 0.17f), st.at(0, z, h),
                                  {{0, hex(0xA09A8C)}, {1, hex(0x7A7468)}}));
        }
        // The shade of the trees falls over the upper steps.
        c.fill(st.front(-1.0f, 1.0f, 17.4f, 1.2f, 1.6f), hex(0x1E2C22), 0.5f);
        LanternLook ll;
        ll.stone = hex(0xB0A898);
        ll.stoneDark = hex(0x6A6458);
        stoneLantern(c, st.at(-1.5f, 14.6f).x, st.at(-1.5f, 14.6f).y, st.px(1.9f, 14.6f), ll);
        stoneLantern(c, st.at(1.5f, 14.6f).x, st.at(1.5f, 14.6f).y, st.px(1.9f, 14.6f), ll);
        const Vec2 mk = st.at(-2.4f, 13.0f);
        const float mw = st.px(0.45f, 13.0f);
        const float mh = st.px(1.6f, 13.0f);
        c.fill(Path().addRoundRect(mk.x - mw * 0.5f, mk.y - mh, mw, mh, mw * 0.15f),
               linearGradient({mk.x - mw * 0.5f, 0}, {mk.x + mw * 0.5f, 0},
                              {{0, hex(0xC0BAAA)}, {1, hex(0x8A8478)}}));
        TextLayout markText;
        markText.x = mk.x;
        markText.y = mk.y - mh * 0.92f;
        markText.size = mw * 0.72f;
        markText.vertical = true;
        markText.tracking = 0.05f;
        letter(c, textMask(c, studio.mincho(), studio.text("title"), markText),
               TextLook{hex(0x3A3630)});
    }

    void street() const {
        // Packed earth along the foot of the left-hand houses.
        Path verge;
        const Vec2 vq[] = {st.at(-3.0f, 15), st.at(-2.6f, 15), st.at(-2.6f, 0.5f),
                           st.at(-3.0f, 0.5f)};
        verge.addPolygon(vq);
        c.fill(verge, hex(0x7A7062));
        Path road;
        const Vec2 rd[] = {st.at(-2.6f, 15), st.at(2.6f, 15), st.at(2.6f, 1.0f),
                           st.at(-2.6f, 1.0f)};
        road.addPolygon(rd);
        c.fill(road, Shader([&](float x, float y) {
                   const float z = st.camH * st.focal / std::max(0.5f, y - st.horizon);
                   const float u = (x - st.vpx) * z / st.focal;
                   const float n = fbm01(u * 1.2f, z * 0.6f, seed + 2, 4);
                   const float patch =
                       smoothstep(0.55f, 0.7f, fbm01(u * 0.3f, z * 0.15f, seed + 3, 3));
                   return scale(mix(hex(0x9A9284), hex(0xB0A898), n), 1.0f - 0.08f * patch);
               }));
        // Concrete gutters with grates along both edges.
        for (const float u : {-2.6f, 2.25f}) {
            Path gutter;
            const Vec2 gq[] = {st.at(u, 15), st.at(u + 0.35f, 15), st.at(u + 0.35f, 1.0f),
                               st.at(u, 1.0f)};
            gutter.addPolygon(gq);
            c.fill(gutter, hex(0x8A867C));
            Path grates;
            for (float z = 1.2f; z < 14.0f; z += 0.5f) {
                const Vec2 a = st.at(u + 0.04f, z);
                const Vec2 b = st.at(u + 0.31f, z);
                grates.addRect(a.x, a.y, b.x - a.x, std::max(0.5f, st.px(0.03f, z)));
            }
            c.fill(grates, hex(0x4A4640), 0.6f);
        }
    }

    // The shadows of the left-hand houses run across the street towards the shop; the sun
    // comes through the alleys between them in bright bands.
    void castShadows(const std::vector<Vec2>& houses) const {
        Path shade;
        for (const Vec2& zz : houses) {
            const float ridge = 3.4f;
            auto ground = [&](float u, float z, float h) {
                return Vec2{std::min(2.7f, u + h * kShadowU), z + h * kShadowZ};
            };
            const Vec2 a = ground(-3.6f, zz.x, ridge);
            const Vec2 b = ground(-3.6f, zz.y, ridge);
            const Vec2 q[] = {st.at(-3.0f, zz.x), st.at(-3.0f, zz.y), st.at(b.x, b.y),
                              st.at(a.x, a.y)};
            shade.addPolygon(q);
        }
        Mask m = rasterize(shade, c.box()).blurred(f.len(1.2f));
        c.fill(m, hex(0x5A5A7A), 0.6f, Blend::Multiply);
    }

    void leftHouses(const std::vector<Vec2>& houses) const {
        for (std::size_t i = 0; i < houses.size(); ++i) {
            const float z0 = houses[i].x;
            const float z1 = houses[i].y;
            const Rgb wood = i % 2 ? hex(0x6A5444) : hex(0x5E4A3C);
            c.fill(st.side(-3.0f, z0, z1, 0, 2.4f), boards(-3.0f, wood, 0.2f, 10 + i));
            // A latticed window (koshi) over a dark room.
            c.fill(st.side(-2.98f, z0 + 0.4f, z1 - 0.6f, 0.8f, 1.9f), hex(0x241A14));
            Path slats;
            for (float z = z0 + 0.45f; z < z1 - 0.6f; z += 0.09f) {
                slats.append(st.side(-2.97f, z, z + 0.035f, 0.8f, 1.9f));
            }
            c.fill(slats, scale(wood, 1.25f));
            c.fill(st.side(-2.97f, z0 + 0.38f, z1 - 0.58f, 0.76f, 0.82f), scale(wood, 0.8f));
            // The eave overhead, seen from below: dark soffit, rafters, the line of tile ends.
            Path soffit;
            const Vec2 q[] = {st.at(-2.5f, z0 - 0.1f, 2.4f), st.at(-2.5f, z1 + 0.1f, 2.4f),
                              st.at(-3.0f, z1 + 0.1f, 2.55f), st.at(-3.0f, z0 - 0.1f, 2.55f)};
            soffit.addPolygon(q);
            c.fill(soffit, hex(0x2A221E));
            Path rafters;
            for (float z = z0; z < z1; z += 0.4f) {
                rafters.append(strokePolyline(
                    std::vector<Vec2>{st.at(-2.52f, z, 2.41f), st.at(-3.0f, z, 2.55f)},
                    std::max(0.6f, st.px(0.05f, z))));
            }
            c.fill(rafters, hex(0x4A3A30));
            Path tiles;
            for (float z = z0 - 0.05f; z < z1 + 0.1f; z += 0.27f) {
                const Vec2 p = st.at(-2.48f, z, 2.4f);
                const float r = std::max(0.6f, st.px(0.075f, z));
                tiles.addEllipse(p.x, p.y, r * 0.6f, r);
            }
            c.fill(tiles, hex(0x4A505C));
            c.fill(strokePolyline(std::vector<Vec2>{st.at(-2.5f, z0 - 0.1f, 2.36f),
                                                    st.at(-2.5f, z1 + 0.1f, 2.36f)},
                                  std::max(0.8f, st.px(0.08f, z0))),
                   hex(0x4A505C));
            // The alley beyond: a glimpse of sunlit ground and the next wall.
            if (i + 1 < houses.size()) {
                c.fill(st.side(-3.0f, z1, houses[i + 1].x, 0, 2.2f), hex(0x2A221E), 0.7f);
                c.fill(st.side(-3.0f, z1, houses[i + 1].x, 0, 0.7f), hex(0xE0B070), 0.35f);
            }
        }
        // A potted plant and a bicycle against the second house.
        const Vec2 pot = st.at(-2.75f, houses[0].y - 0.6f);
        const float pw = st.px(0.35f, houses[0].y - 0.6f);
        c.fill(Path().addRoundRect(pot.x - pw * 0.5f, pot.y - pw * 0.9f, pw, pw * 0.9f, pw * 0.1f),
               hex(0x8A4A2A));
        Rng leaves(seed + 30);
        c.fill(foliageClump({pot.x, pot.y - pw * 1.4f}, pw * 0.8f, pw * 0.7f, leaves, 9),
               hex(0x3A5A2A));
    }

    void shopHouse() const {
        const float u = 2.7f;
        const float z0 = 1.3f;
        const float z1 = 7.5f;
        // The wall faces the low sun: warm boards, brightest towards us.
        c.fill(st.side(u, z0, z1, 0, 5.6f), boards(u, hex(0xC89060), 0.22f, 20));
        c.fill(st.side(u, z0, z1, 0, 5.6f),
               linearGradient(st.at(u, z0), st.at(u, z1), {{0, hex(0xFFD8A0)}, {1, hex(0x000000)}}),
               0.25f, Blend::Add);
        // Glass sliding doors with the evening sky in them, in wooden frames.
        for (int k = 0; k < 4; ++k) {
            const float a = z0 + 0.6f + static_cast<float>(k) * 0.9f;
            c.fill(
                st.side(u - 0.02f, a, a + 0.85f, 0.1f, 2.2f),
                linearGradient(st.at(u, a, 2.2f), st.at(u, a, 0.1f),
                               {{0, hex(0xF0E0C0)}, {0.45f, hex(0x9A9490)}, {1, hex(0x3A3A40)}}));
            // The dim shop behind the glass: shelves.
            for (float h = 0.5f; h < 1.9f; h += 0.45f) {
                c.fill(st.side(u - 0.015f, a + 0.05f, a + 0.8f, h, h + 0.08f), hex(0x5A4A3A), 0.5f);
            }
            const Rgb frame = hex(0x4A3020);
            c.fill(st.side(u - 0.03f, a + 0.4f, a + 0.45f, 0.1f, 2.2f), frame);
            c.fill(st.side(u - 0.03f, a, a + 0.05f, 0.1f, 2.2f), frame);
            c.fill(st.side(u - 0.03f, a, a + 0.85f, 1.1f, 1.16f), frame);
            c.fill(st.side(u - 0.03f, a, a + 0.85f, 0.1f, 0.2f), frame);
            // A streak of sky reflected across the pane.
            Path streak;
            const Vec2 sq[] = {
                st.at(u - 0.025f, a + 0.1f, 2.0f), st.at(u - 0.025f, a + 0.25f, 2.0f),
                st.at(u - 0.025f, a + 0.55f, 1.2f), st.at(u - 0.025f, a + 0.4f, 1.2f)};
            streak.addPolygon(sq);
            c.fill(streak, hex(0xFFF4E0), 0.25f);
        }
        // Blue noren over the entrance: cloth panels with folds and the shop's white mark.
        for (int k = 0; k < 3; ++k) {
            const float a = z0 + 0.7f + static_cast<float>(k) * 0.5f;
            c.fill(st.side(u - 0.1f, a, a + 0.46f, 1.7f, 2.3f), Shader([=, this](float x, float y) {
                       const Vec2 zh = onSide(u - 0.1f, x, y);
                       const float fold = 0.5f + 0.5f * std::sin((zh.x - a) / 0.46f * 6.2832f * 2);
                       return mix(hex(0x1E3A72), hex(0x3A5EA8), fold * 0.6f);
                   }));
        }
        const Vec2 mark = st.at(u - 0.1f, z0 + 1.45f, 2.05f);
        const float mr = st.px(0.12f, z0 + 1.45f);
        Mask ring = rasterize(Path().addEllipse(mark.x, mark.y, mr * 0.55f, mr), c.box());
        ring.subtract(
            rasterize(Path().addEllipse(mark.x, mark.y, mr * 0.35f, mr * 0.65f), c.box()));
        c.fill(ring, hex(0xF4F0E6));
        // First-floor eave: seen from below, dark, with the line of tile ends.
        Path eave;
        const Vec2 eq[] = {st.at(u, z0, 2.7f), st.at(u, z1, 2.7f), st.at(u - 0.9f, z1, 2.5f),
                           st.at(u - 0.9f, z0, 2.5f)};
        eave.addPolygon(eq);
        c.fill(eave, hex(0x2E2622));
        Path rafters;
        for (float z = z0 + 0.2f; z < z1; z += 0.45f) {
            rafters.append(
                strokePolyline(std::vector<Vec2>{st.at(u, z, 2.69f), st.at(u - 0.88f, z, 2.51f)},
                               std::max(0.6f, st.px(0.05f, z))));
        }
        c.fill(rafters, hex(0x5A4636));
        // The course of tiles along the eave's edge, their round ends in a row beneath it.
        c.fill(st.side(u - 0.9f, z0, z1, 2.44f, 2.58f), hex(0x4A505C));
        Path tiles;
        for (float z = z0 + 0.12f; z < z1; z += 0.27f) {
            const Vec2 p = st.at(u - 0.92f, z, 2.45f);
            const float r = std::max(0.6f, st.px(0.075f, z));
            tiles.addEllipse(p.x, p.y, r * 0.6f, r);
        }
        c.fill(tiles, hex(0x5A606C));
        // Upper floor: a window with a bamboo blind.
        c.fill(st.side(u - 0.02f, z0 + 1.2f, z0 + 3.2f, 3.4f, 4.8f), hex(0x6A5036));
        for (int k = 0; k < 10; ++k) {
            const float h = 3.5f + static_cast<float>(k) * 0.13f;
            c.fill(st.side(u - 0.03f, z0 + 1.25f, z0 + 3.15f, h, h + 0.05f), hex(0xD8B878), 0.85f);
        }
        // Main roof overhead.
        Path soffit;
        const Vec2 rq[] = {st.at(u, z0, 5.6f), st.at(u, z1, 5.6f), st.at(u - 0.6f, z1, 5.45f),
                           st.at(u - 0.6f, z0, 5.45f)};
        soffit.addPolygon(rq);
        c.fill(soffit, hex(0x2A2420));
        c.fill(strokePolyline(
                   std::vector<Vec2>{st.at(u - 0.6f, z0, 5.42f), st.at(u - 0.6f, z1, 5.42f)},
                   std::max(1.0f, st.px(0.12f, z0))),
               hex(0x3A3E4A));
        // The next house along, beyond the shop, in the shade of its neighbour.
        c.fill(st.side(u, z1, 13.0f, 0, 3.0f), boards(u, hex(0x8A6A50), 0.22f, 21));
        c.fill(st.side(u - 0.5f, z1, 13.0f, 2.8f, 3.3f), hex(0x3A3E48));
    }

    // The sign board standing on the street in front of the shop.
    void signBoard() const {
        const float sz = 3.0f;
        const Vec2 signTop = st.at(2.05f, sz, 2.2f);
        const Vec2 signBot = st.at(2.05f, sz, 0.7f);
        const float sw = st.px(0.42f, sz);
        c.fill(Path().addRect(signTop.x - sw * 0.08f, signBot.y, sw * 0.16f,
                              st.at(2.2f, sz).y - signBot.y),
               hex(0x3A2A1E));
        shadowBox(Path().addRect(signTop.x - sw * 0.5f, signTop.y, sw, signBot.y - signTop.y));
        c.fill(Path().addRect(signTop.x - sw * 0.5f, signTop.y, sw, signBot.y - signTop.y),
               Shader([&](float x, float y) {
                   return mix(hex(0xC8A070), hex(0xE8C890),
                              fbm01(x / f.len(2), y / f.len(20), seed + 4, 3));
               }));
        c.fill(Path().addRect(signTop.x - sw * 0.5f, signTop.y, sw * 0.08f, signBot.y - signTop.y),
               hex(0xFFE8B8), 0.5f);
        TextLayout shopText;
        shopText.x = signTop.x;
        shopText.y = signTop.y + sw * 0.1f;
        shopText.size = sw * 0.7f;
        shopText.vertical = true;
        shopText.tracking = 0.05f;
        letter(c, textMask(c, studio.brush(), "高遠商店", shopText), TextLook{hex(0x1E1410)});
    }

    // A soft shadow thrown to the right of a thing standing in the sun.
    void shadowBox(const Path& p) const {
        shadowMask(c, rasterize(p, c.box()), f.len(6), f.len(2), f.len(3), hex(0x3A3040), 0.3f);
    }

    // Out front: the ice chest and the red bench, solid, each with its shadow.
    void frontThings() const {
        // Shadows on the street first.
        Path benchShade;
        const Vec2 bs[] = {st.at(1.7f, 5.6f), st.at(1.7f, 6.8f), st.at(2.5f, 6.5f),
                           st.at(2.5f, 5.3f)};
        benchShade.addPolygon(bs);
        c.fill(benchShade, hex(0x4A4458), 0.35f);
        Path chestShade;
        const Vec2 cs[] = {st.at(1.8f, 3.9f), st.at(1.8f, 4.6f), st.at(2.25f, 4.1f),
                           st.at(2.25f, 3.4f)};
        chestShade.addPolygon(cs);
        c.fill(chestShade, hex(0x4A4458), 0.4f);
        // The bench: legs, the seat's front edge and its top.
        const Rgb red = hex(0xC8302A);
        for (const float z : {5.65f, 6.7f}) {
            for (const float a : {1.75f, 2.4f}) {
                c.fill(st.front(a, a + 0.05f, z, 0, 0.44f), hex(0x7A1A16));
            }
        }
        Path seat;
        const Vec2 sq[] = {st.at(1.7f, 5.6f, 0.5f), st.at(2.5f, 5.6f, 0.5f),
                           st.at(2.5f, 6.8f, 0.5f), st.at(1.7f, 6.8f, 0.5f)};
        seat.addPolygon(sq);
        c.fill(seat, scale(red, 0.9f));
        c.fill(st.side(1.7f, 5.6f, 6.8f, 0.42f, 0.5f), scale(red, 1.1f));
        c.fill(st.front(1.7f, 2.5f, 5.6f, 0.42f, 0.5f), scale(red, 1.15f));
        // The ice chest: a white box with a sliding blue lid, its sunny side to the left.
        const Vec2 top[] = {st.at(1.8f, 3.9f, 0.92f), st.at(2.5f, 3.9f, 0.92f),
                            st.at(2.5f, 4.6f, 0.92f), st.at(1.8f, 4.6f, 0.92f)};
        c.fill(st.side(1.8f, 3.9f, 4.6f, 0, 0.8f), hex(0xF0EEE8));
        c.fill(st.front(1.8f, 2.5f, 3.9f, 0, 0.8f),
               linearGradient(st.at(1.8f, 3.9f), st.at(2.5f, 3.9f),
                              {{0, hex(0xD8D6D0)}, {1, hex(0xB0AEA8)}}));
        c.fill(st.side(1.8f, 3.9f, 4.6f, 0.8f, 0.92f), hex(0x3A7AD0));
        c.fill(st.front(1.8f, 2.5f, 3.9f, 0.8f, 0.92f), hex(0x2A5AA8));
        c.fill(Path().addPolygon(top), hex(0x4A8AE0));
        // Its label: 氷, red on white.
        const Vec2 lab = st.at(2.15f, 3.9f, 0.5f);
        const float ls = st.px(0.34f, 3.9f);
        TextLayout iceText;
        iceText.x = lab.x - ls * 0.5f;
        iceText.y = lab.y + ls * 0.38f;
        iceText.size = ls;
        letter(c, textMask(c, studio.brush(), "氷", iceText), TextLook{hex(0xC82A20)});
    }
};

}  // namespace

Canvas paintShopStreet(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    const float s = f.s;
    Rng rng(e.seed);
    const Perspective st{f.x(262), f.y(250), 1.55f, f.len(330)};
    const ShopStreet scene{c, studio, f, st, e.seed};

    scene.skyAndHill(rng);
    scene.footOfTheSteps();
    scene.street();
    // The houses on the left, with alleys between them.
    std::vector<Vec2> houses;
    for (int i = 0; i < 4; ++i) {
        const float z0 = 0.9f + static_cast<float>(i) * 3.4f;
        houses.push_back({z0, z0 + 2.7f});
    }
    scene.castShadows(houses);
    scene.leftHouses(houses);
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
    scene.shopHouse();
    scene.frontThings();
    scene.signBoard();

    // Late sun: warm over everything lit, deepest at the left where the shade is.
    c.tint(hex(0xFFB060), [&](float x, float) { return 0.12f * clamp01(x / f.w + 0.2f); });
    vignette(c, 0.3f);
    grain(c, 0.025f, e.seed);
    return c;
}

}  // namespace velko::art
