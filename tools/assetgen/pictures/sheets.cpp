// The button sheets of the title menu, the extras and notice pages, and the gallery. Each
// button image is painted over the very piece of background it will cover on the screen,
// so the plain copy of the menus looks like a plate laid on the picture.

#include <cmath>

#include "paint/effects.h"
#include "pictures/frame.h"
#include "pictures/hall_scene.h"
#include "pictures/lettering.h"
#include "pictures/pictures.h"
#include "pictures/previews.h"
#include "pictures/torii_scene.h"

namespace velko::art {

using namespace paint;

namespace {

const Rgb kSheetGround = hex(0x18181E);

struct Plate {
    Rgb normal;
    Rgb hover;
    Rgb edge;
    Rgb hoverEdge;
    float opacity;
};

// One button: the background piece, a rounded plate, a thin rule and the caption.
Canvas button(Studio& studio, const Canvas& background, int x, int y, int w, int h,
              const std::string& captionKey, bool hover, const Plate& style) {
    Canvas b = background.crop(x, y, w, h);
    const float fw = static_cast<float>(w);
    const float fh = static_cast<float>(h);
    const float inset = 2.5f;
    const float radius = fh * 0.22f;
    Path plate;
    plate.addRoundRect(inset, inset, fw - 2 * inset, fh - 2 * inset, radius);
    Mask pm = rasterize(plate, b.box());
    shadowMask(b, pm, 1.0f, 1.5f, 2.5f, hex(0x000000), 0.45f);
    b.fill(pm, hover ? style.hover : style.normal, style.opacity);
    if (hover) {
        // A warm light from inside the plate.
        Canvas light(w, h);
        light.fill(pm,
                   radialGradient({fw * 0.5f, fh * 0.5f}, fw * 0.55f, fh * 0.9f,
                                  {{0, hex(0xFFB060)}, {1, hex(0x000000)}}),
                   0.35f);
        b.composite(light, 1.0f, Blend::Add);
    }
    Path rule;
    rule.addRoundRect(inset + 2, inset + 2, fw - 2 * inset - 4, fh - 2 * inset - 4, radius * 0.8f);
    rule.addRoundRect(inset + 3, inset + 3, fw - 2 * inset - 6, fh - 2 * inset - 6, radius * 0.75f);
    b.fill(rule, hover ? style.hoverEdge : style.edge, hover ? 1.0f : 0.75f, Blend::Normal,
           FillRule::EvenOdd);
    const std::string caption = studio.text(captionKey);
    const float size = std::round(fh * (h >= 50 ? 0.44f : 0.56f));
    const float tracking = h >= 50 ? 0.12f : 0.06f;
    const float tw = textWidth(studio.mincho(), caption, size, tracking) - size * tracking;
    Mask text = textMask(
        b, studio.mincho(), caption,
        {std::round((fw - tw) * 0.5f), std::round(fh * 0.5f + size * 0.36f), size, tracking});
    text = text.dilated(0.35f);
    TextLook look;
    look.fill = hover ? hex(0xFFFFFF) : hex(0xF4EEDC);
    look.shadow = 1.5f;
    look.shadowOffset = {1, 1};
    look.shadowOpacity = 0.8f;
    if (hover) {
        look.glow = 4;
        look.glowColor = hex(0xFFD080);
        look.glowStrength = 0.5f;
    }
    letter(b, text, look);
    return b;
}

const Plate kNight{hex(0x141C3A), hex(0x8A2A1E), hex(0xC8A860), hex(0xFFE0A0), 0.78f};
const Plate kPaper{hex(0x27305E), hex(0xB83A26), hex(0xE8D8A8), hex(0xFFF0C0), 0.92f};

void framePreview(Canvas& p) {
    const float w = static_cast<float>(p.width());
    const float h = static_cast<float>(p.height());
    Path outer;
    outer.addRect(0, 0, w, h);
    outer.addRect(1, 1, w - 2, h - 2);
    p.fill(outer, hex(0x0A0A10), 1.0f, Blend::Normal, FillRule::EvenOdd);
    Path gold;
    gold.addRect(1, 1, w - 2, h - 2);
    gold.addRect(2, 2, w - 4, h - 4);
    p.fill(gold, hex(0xC8A860), 1.0f, Blend::Normal, FillRule::EvenOdd);
}

}  // namespace

Canvas paintTitleButtons(Studio& studio, const PictureEntry& e) {
    Canvas sheet(e.width, e.height);
    sheet.fillAll(kSheetGround);
    const Canvas& title = studio.picture("BMP/title.bmp");
    const char* keys[] = {"button.start", "button.extras", "button.quit"};
    for (int i = 0; i < 3; ++i) {
        const int sy = 230 + 70 * i;
        sheet.place(button(studio, title, 400, sy, 200, 50, keys[i], false, kNight), 0, 51 * i);
        sheet.place(button(studio, title, 400, sy, 200, 50, keys[i], true, kNight), 201, 51 * i);
    }
    // Previews: none, start, extras, quit.
    for (int k = 0; k < 4; ++k) {
        Canvas big(280, 380);
        switch (k) {
            case 0:
                paintPreviewOldLantern(big, e.seed);
                break;
            case 1: {
                ToriiMood m;
                m.seed = e.seed + 1;
                paintToriiScene(big, m);
                break;
            }
            case 2:
                paintHallScene(big, HallTime::AfterRain, e.seed + 2);
                break;
            default:
                paintPreviewRiverNight(big, e.seed + 3);
                break;
        }
        Canvas p = big.resized(140, 190);
        framePreview(p);
        sheet.place(p, 141 * k, 153);
    }
    return sheet;
}

Canvas paintExtrasButtons(Studio& studio, const PictureEntry& e) {
    Canvas sheet(e.width, e.height);
    sheet.fillAll(kSheetGround);
    const Canvas& extras = studio.picture("BMP/oyasiro.bmp");
    const Canvas& page = studio.picture("BMP/osirase01.bmp");
    const struct {
        int x, y;
        const char* key;
    } big[] = {
        {80, 310, "button.wallpaper"}, {80, 370, "button.notices"}, {420, 400, "button.back"}};
    for (int i = 0; i < 3; ++i) {
        sheet.place(button(studio, extras, big[i].x, big[i].y, 200, 50, big[i].key, false, kNight),
                    0, 51 * i);
        sheet.place(button(studio, extras, big[i].x, big[i].y, 200, 50, big[i].key, true, kNight),
                    201, 51 * i);
    }
    sheet.place(button(studio, page, 500, 440, 120, 30, "button.next", false, kPaper), 0, 153);
    sheet.place(button(studio, page, 500, 440, 120, 30, "button.next", true, kPaper), 121, 153);
    sheet.place(button(studio, page, 20, 440, 120, 30, "button.previous", false, kPaper), 0, 184);
    sheet.place(button(studio, page, 20, 440, 120, 30, "button.previous", true, kPaper), 121, 184);
    return sheet;
}

Canvas paintGalleryButtons(Studio& studio, const PictureEntry& e) {
    Canvas sheet(e.width, e.height);
    sheet.fillAll(kSheetGround);
    const char* walls[] = {"Wall/sin0011c.bmp", "Wall/sei0011c.bmp", "Wall/sin0011.bmp",
                           "Wall/sei0011.bmp"};
    for (int i = 0; i < 4; ++i) {
        const Canvas& wall = studio.picture(walls[i]);
        Canvas thumb = wall.resized(160, 90);
        Canvas normal = thumb;
        Path edge;
        edge.addRect(0, 0, 160, 90);
        edge.addRect(1, 1, 158, 88);
        normal.fill(edge, hex(0x3A3028), 1.0f, Blend::Normal, FillRule::EvenOdd);
        Canvas hover = thumb;
        hover.tint(hex(0xFFFFFF), [](float, float) { return 0.16f; });
        Path frame;
        frame.addRect(0, 0, 160, 90);
        frame.addRect(3, 3, 154, 84);
        hover.fill(frame, hex(0xD8432A), 1.0f, Blend::Normal, FillRule::EvenOdd);
        sheet.place(normal, 0, 91 * i);
        sheet.place(hover, 161, 91 * i);
    }
    const Canvas& gallery = studio.picture("BMP/kabeset.bmp");
    sheet.place(button(studio, gallery, 260, 410, 120, 30, "button.back", false, kPaper), 322, 31);
    sheet.place(button(studio, gallery, 260, 410, 120, 30, "button.back", true, kPaper), 443, 31);
    return sheet;
}

}  // namespace velko::art
