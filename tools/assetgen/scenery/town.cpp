#include "scenery/town.h"

#include <algorithm>
#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"

namespace velko::art {

using namespace paint;

void tiledRoof(Canvas& c, float x0, float x1, float eaveY, float ridgeY, Rgb tile, Rgb light,
               float sc, bool hipped) {
    const float inset = hipped ? (eaveY - ridgeY) * 1.2f : 0.0f;
    Path roof;
    const Vec2 pts[] = {
        {x0 - 4 * sc, eaveY}, {x0 + inset, ridgeY}, {x1 - inset, ridgeY}, {x1 + 4 * sc, eaveY}};
    roof.addPolygon(pts);
    c.fill(roof, linearGradient({0, ridgeY}, {0, eaveY}, {{0, light}, {1, tile}}));
    // Tile courses: lines following the slope, and the rounded tile ends along the eave.
    Path lines;
    const float spacing = std::max(2.0f, 4.5f * sc);
    for (float x = x0; x <= x1; x += spacing) {
        const float t = (x - x0) / std::max(1.0f, x1 - x0);
        const float topX = x0 + inset + t * (x1 - x0 - 2 * inset);
        const Vec2 q[] = {{topX, ridgeY}, {x, eaveY}};
        lines.append(strokePolyline(q, 0.7f * sc));
    }
    c.fill(lines, scale(tile, 0.55f), 0.55f);
    Path eave;
    eave.addRect(x0 - 5 * sc, eaveY - 1.2f * sc, x1 - x0 + 10 * sc, 2.4f * sc);
    c.fill(eave, scale(tile, 0.5f));
    Path ridge;
    ridge.addRect(x0 + inset - 2 * sc, ridgeY - 2.2f * sc, x1 - x0 - 2 * inset + 4 * sc, 3.0f * sc);
    c.fill(ridge, scale(tile, 0.7f));
}

void distantHouse(Canvas& c, float x, float baseY, float w, float h, const HouseLook& look,
                  Rng& rng, float sc) {
    Path wall;
    wall.addRect(x, baseY - h, w, h);
    c.fill(wall, look.wall);
    const int windows = std::max(1, static_cast<int>(w / (9.0f * sc)));
    for (int i = 0; i < windows; ++i) {
        if (rng.chance(0.45f)) {
            continue;
        }
        Path win;
        const float wx = x + w * (static_cast<float>(i) + 0.3f) / windows;
        win.addRect(wx, baseY - h * 0.7f, w / windows * 0.45f, h * 0.35f);
        const bool lit = rng.unit() < look.windowsLit;
        c.fill(win, lit ? look.window : scale(look.wall, 0.55f));
        if (lit) {
            glow(c, {wx + w / windows * 0.2f, baseY - h * 0.55f}, 3.0f * sc, look.window, 0.25f);
        }
    }
    const float rh = h * rng.range(0.45f, 0.7f);
    tiledRoof(c, x - 2 * sc, x + w + 2 * sc, baseY - h, baseY - h - rh, look.roof, look.roofLight,
              sc * 0.6f, rng.chance(0.5f));
}

std::vector<Vec2> utilityPole(Canvas& c, float x, float baseY, float height, Rgb wood, Rgb dark,
                              float sc) {
    const float topY = baseY - height;
    const float wBase = std::max(1.5f, height * 0.022f);
    const float wTop = wBase * 0.7f;
    Path pole;
    const Vec2 pts[] = {{x - wTop, topY}, {x + wTop, topY}, {x + wBase, baseY}, {x - wBase, baseY}};
    pole.addPolygon(pts);
    c.fill(pole,
           linearGradient({x - wBase, 0}, {x + wBase, 0}, {{0, dark}, {0.35f, wood}, {1, dark}}));
    const float armY = topY + height * 0.07f;
    const float armHalf = height * 0.12f;
    Path arm;
    arm.addRect(x - armHalf, armY, armHalf * 2, std::max(1.2f, height * 0.014f));
    c.fill(arm, dark);
    Path insulators;
    std::vector<Vec2> attach;
    for (const float u : {-0.85f, 0.0f, 0.85f}) {
        const float ix = x + u * armHalf * (u == 0.0f ? 0.0f : 1.0f);
        const float iy = armY - std::max(1.5f, height * 0.02f);
        insulators.addRect(ix - std::max(0.8f, height * 0.007f), iy,
                           std::max(1.6f, height * 0.014f), std::max(1.5f, height * 0.02f));
        attach.push_back({ix, iy});
    }
    if (!attach.empty()) {
        attach[1] = {x, topY - std::max(1.0f, height * 0.01f)};
    }
    c.fill(insulators, hex(0xD8D8D0), 0.9f);
    // A transformer-less pole still carries a lower telephone line.
    attach.push_back({x, topY + height * 0.22f});
    (void)sc;
    return attach;
}

void wires(Canvas& c, const std::vector<Vec2>& a, const std::vector<Vec2>& b, float sag, Rgb color,
           float width, float opacity) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto pts = catenary(a[i], b[i], sag * (1.0f + 0.12f * static_cast<float>(i)), 48);
        c.fill(strokePolyline(pts, width), color, opacity);
    }
}

void streetLamp(Canvas& c, float x, float baseY, float height, bool lit, Rgb post, float sc) {
    const float topY = baseY - height;
    Path p;
    p.addRect(x - 1.4f * sc, topY, 2.8f * sc, height);
    const auto arm =
        sampleQuad({x, topY + 2 * sc}, {x, topY - 8 * sc}, {x + height * 0.18f, topY - 4 * sc}, 12);
    p.append(strokePolyline(arm, 2.0f * sc));
    Path head;
    const Vec2 hx{x + height * 0.18f, topY - 4 * sc};
    head.addRoundRect(hx.x - 6 * sc, hx.y - 1 * sc, 12 * sc, 4 * sc, 2 * sc);
    c.fill(p, post);
    c.fill(head, post);
    Path bulb;
    bulb.addRect(hx.x - 4.5f * sc, hx.y + 2.5f * sc, 9 * sc, 1.5f * sc);
    c.fill(bulb, lit ? hex(0xFFF2D0) : hex(0xB8BCC0));
    if (lit) {
        glow(c, {hx.x, hx.y + 4 * sc}, 10 * sc, hex(0xFFD9A0), 0.5f);
    }
}

}  // namespace velko::art
