// The maker's logo, the title screen, and the extras screens' backgrounds.

#include <cmath>

#include "paint/effects.h"
#include "paint/noise.h"
#include "pictures/frame.h"
#include "pictures/hall_scene.h"
#include "pictures/lettering.h"
#include "pictures/paper.h"
#include "pictures/pictures.h"
#include "pictures/stairs_scene.h"
#include "scenery/sky.h"

namespace velko::art {

using namespace paint;

Canvas paintLogo(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    c.fillAll(hex(0xFFFFFF));
    const Rgb indigo = hex(0x2E3A6E);
    // The evening star above the line of a hill.
    const Vec2 star = f.at(320, 170);
    std::vector<Vec2> pts;
    for (int k = 0; k < 10; ++k) {
        const float a = -1.5708f + 3.14159f * static_cast<float>(k) / 5.0f;
        const float r = f.len(k % 2 == 0 ? 17 : 7);
        pts.push_back({star.x + std::cos(a) * r, star.y + std::sin(a) * r});
    }
    Path starPath;
    starPath.addPolygon(pts);
    Canvas glowLayer(c.width(), c.height());
    glowLayer.fill(starPath, hex(0xF0B040));
    c.composite(glowLayer.blurred(f.len(10)), 0.35f);
    c.fill(starPath, hex(0xE8A830));
    std::vector<Vec2> hill;
    for (int k = 0; k <= 60; ++k) {
        const float t = static_cast<float>(k) / 60.0f;
        hill.push_back(f.at(200 + t * 240, 222 - 18 * std::sin(t * 3.14159f) * (1.0f - 0.3f * t)));
    }
    c.fill(strokePolyline(hill, f.len(3)), indigo);
    // The name, softened a little so the gothic reads rounded.
    const std::string name = studio.text("maker");
    const float size = f.len(40);
    const float w = textWidth(studio.gothic(), name, size, 0.06f);
    Mask m = textMask(c, studio.gothic(), name, {f.x(320) - w * 0.5f, f.y(290), size, 0.06f});
    c.fill(m.dilated(f.len(0.6f)), indigo);
    const std::string roman = studio.text("maker.roman");
    const float rs = f.len(13);
    const float rw = textWidth(studio.gothic(), roman, rs, 0.6f);
    letter(
        c,
        textMask(c, studio.gothic(), roman, {f.x(320) - rw * 0.5f + rs * 0.3f, f.y(322), rs, 0.6f}),
        TextLook{hex(0x8A8A90)});
    return c;
}

Canvas paintTitle(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    StairsMood m;
    m.sky = [&](Canvas& k) {
        const Frame f(k);
        skyGradient(k,
                    {{0.0f, hex(0x0C1838)},
                     {0.5f, hex(0x22386A)},
                     {0.85f, hex(0x4A6A9A)},
                     {1.0f, hex(0x7A8AB0)}},
                    f.y(210));
        Rng rng(e.seed + 5);
        stars(k, static_cast<int>(260 * f.s * f.s), k.box(), rng, 0.8f,
              [&](float, float y) { return 1.0f - smoothstep(f.y(30), f.y(170), y); });
    };
    m.stoneLight = hex(0x4E5668);
    m.stoneTread = hex(0x5A6274);
    m.moss = hex(0x34483A);
    m.bark = hex(0x221C1C);
    m.barkLight = hex(0x4A4050);
    m.forest = hex(0x0C1420);
    m.fog = hex(0x3A4A72);
    m.fogAmount = 0.35f;
    m.mist = 0.15f;
    m.litShare = 0.75f;
    m.lanternGlow = 1.2f;
    m.torii = hex(0xB04030);
    m.shiftX = -62;
    m.seed = e.seed;
    paintStairs(c, m);
    const Frame f(c);
    // The menu's side stays quiet: a little darker, so the buttons stand out.
    c.tint(hex(0x060A18),
           [&](float x, float) { return 0.45f * smoothstep(f.x(360), f.x(450), x); });

    // The lettering's side is veiled a little too, so the lanterns behind the subtitle do not
    // break it up.
    c.tint(hex(0x060A18), [&](float x, float y) {
        const float across = 1.0f - smoothstep(f.x(60), f.x(200), x);
        const float down = 1.0f - smoothstep(f.y(300), f.y(360), y);
        return 0.4f * across * down;
    });
    // The title: brush lettering in a column, white with a faint gold glow.
    TextLayout title;
    title.x = f.x(74);
    title.y = f.y(30);
    title.size = f.len(76);
    title.vertical = true;
    title.tracking = -0.04f;
    TextLook look;
    look.fill = hex(0xFFFFFF);
    look.glow = f.len(10);
    look.glowColor = hex(0xF0C060);
    look.glowStrength = 0.55f;
    look.shadow = f.len(4);
    look.shadowColor = hex(0x000010);
    look.shadowOpacity = 0.6f;
    letter(c, textMask(c, studio.brush(), studio.text("title"), title), look);
    TextLayout sub;
    sub.x = f.x(136);
    sub.y = f.y(62);
    sub.size = f.len(19);
    sub.vertical = true;
    sub.tracking = 0.12f;
    TextLook subLook;
    subLook.fill = hex(0xF4F0E4);
    subLook.shadow = f.len(3.5f);
    subLook.shadowOffset = {f.len(1), f.len(1.5f)};
    subLook.shadowColor = hex(0x02040C);
    subLook.shadowOpacity = 0.95f;
    letter(c, textMask(c, studio.mincho(), studio.text("subtitle"), sub), subLook);
    TextLook small;
    small.fill = hex(0xC8CCD8);
    small.shadow = f.len(1.5f);
    letter(c,
           textMask(c, studio.gothic(), studio.text("copyright"),
                    {f.x(18), f.y(466), f.len(12), 0.04f}),
           small);
    return c;
}

Canvas paintExtras(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintHallScene(c, HallTime::Morning, e.seed);
    const Frame f(c);
    const std::string heading = studio.text("extras.heading");
    const float size = f.len(44);
    const float w = textWidth(studio.brush(), heading, size);
    // Ink on the pale morning sky, with a soft halo of light round it, reads better than
    // white outlined in brown.
    TextLook look;
    look.fill = hex(0x2A3052);
    look.shadow = f.len(6);
    look.shadowOffset = {0, 0};
    look.shadowColor = hex(0xFFFFFF);
    look.shadowOpacity = 0.85f;
    // The brush's kana are thin at this size: thickened a little, as a fuller brush would.
    letter(c,
           textMask(c, studio.brush(), heading, {f.x(320) - w * 0.5f, f.y(62), size})
               .dilated(f.len(1.5f)),
           look);
    return c;
}

Canvas paintGallery(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    washi(c, hex(0xF0E6D0), e.seed);
    const Rgb vermilion = hex(0xC8442C);
    Path border;
    border.addRect(f.x(12), f.y(12), f.len(616), f.len(456));
    border.addRect(f.x(16), f.y(16), f.len(608), f.len(448));
    c.fill(border, vermilion, 1.0f, Blend::Normal, FillRule::EvenOdd);
    Path inner;
    inner.addRect(f.x(22), f.y(22), f.len(596), f.len(436));
    inner.addRect(f.x(23), f.y(23), f.len(594), f.len(434));
    c.fill(inner, vermilion, 0.6f, Blend::Normal, FillRule::EvenOdd);
    const std::string heading = studio.text("gallery.heading");
    const float size = f.len(38);
    const float w = textWidth(studio.brush(), heading, size);
    letter(c, textMask(c, studio.brush(), heading, {f.x(320) - w * 0.5f, f.y(66), size}),
           TextLook{hex(0x2A2A40)});
    const std::string hint = studio.text("gallery.hint");
    const float hs = f.len(13);
    const float hw = textWidth(studio.gothic(), hint, hs);
    letter(c, textMask(c, studio.gothic(), hint, {f.x(320) - hw * 0.5f, f.y(92), hs}),
           TextLook{hex(0x5A5060)});
    // Soft shadows where the four pictures and the back button sit, so they look mounted.
    Path spots;
    for (const auto& r : {Box{140, 110, 160, 90}, Box{340, 110, 160, 90}, Box{140, 240, 160, 90},
                          Box{340, 240, 160, 90}, Box{260, 410, 120, 30}}) {
        spots.addRect(f.x(static_cast<float>(r.x) + 3), f.y(static_cast<float>(r.y) + 4),
                      f.len(static_cast<float>(r.w)), f.len(static_cast<float>(r.h)));
    }
    shadowMask(c, rasterize(spots, c.box()), 0, 0, f.len(4), hex(0x4A3A2A), 0.45f);
    return c;
}

}  // namespace velko::art
