// The four desktop wallpapers, 1920 by 1080: two with an August 2000 calendar.

#include <cmath>

#include "paint/effects.h"
#include "pictures/embankment.h"
#include "pictures/frame.h"
#include "pictures/lettering.h"
#include "pictures/pictures.h"
#include "pictures/torii_scene.h"
#include "pictures/town_view.h"
#include "pictures/workshop.h"

namespace velko::art {

using namespace paint;

namespace {

// August 2000 began on a Tuesday; the festival is on Sunday the 27th.
constexpr int kFirstWeekday = 2;
constexpr int kDays = 31;
constexpr int kFestival = 27;

void calendar(Canvas& c, Studio& studio, float x, float y, float scale) {
    const float cell = 34 * scale;
    const float w = cell * 7 + 40 * scale;
    const float h = cell * 7 + 150 * scale;
    Path panel;
    panel.addRoundRect(x, y, w, h, 10 * scale);
    Mask pm = rasterize(panel, c.box());
    shadowMask(c, pm, 4 * scale, 6 * scale, 12 * scale, hex(0x000000), 0.35f);
    c.fill(pm, hex(0xFBF7EE), 0.95f);
    const float left = x + 20 * scale;
    // The caption and the month.
    TextLook ink{hex(0x2A2A40)};
    const std::string caption = studio.text("calendar.caption");
    const float cs = 46 * scale;
    const float cw = textWidth(studio.brush(), caption, cs);
    letter(c, textMask(c, studio.brush(), caption, {x + (w - cw) * 0.5f, y + 58 * scale, cs}), ink);
    const std::string month = studio.text("calendar.month");
    const float ms = 20 * scale;
    const float mw = textWidth(studio.mincho(), month, ms);
    letter(c, textMask(c, studio.mincho(), month, {x + (w - mw) * 0.5f, y + 92 * scale, ms}),
           TextLook{hex(0x5A5060)});
    c.fill(Path().addRect(left, y + 104 * scale, cell * 7, 1.5f * scale), hex(0xC8442C));
    const std::u32string days = toUtf32(studio.text("calendar.weekdays"));
    const float ds = 15 * scale;
    for (int d = 0; d < 7 && d < static_cast<int>(days.size()); ++d) {
        std::string one;
        // Back to UTF-8 for the layout call: one weekday character.
        const char32_t ch = days[static_cast<std::size_t>(d)];
        one += static_cast<char>(0xE0 | (ch >> 12));
        one += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        one += static_cast<char>(0x80 | (ch & 0x3F));
        const float tw = textWidth(studio.mincho(), one, ds);
        letter(c,
               textMask(
                   c, studio.mincho(), one,
                   {left + cell * static_cast<float>(d) + (cell - tw) * 0.5f, y + 126 * scale, ds}),
               TextLook{d == 0 ? hex(0xC8442C) : hex(0x4A4A5A)});
    }
    const float ns = 17 * scale;
    for (int day = 1; day <= kDays; ++day) {
        const int slot = kFirstWeekday + day - 1;
        const int col = slot % 7;
        const int row = slot / 7;
        const float cx = left + cell * (static_cast<float>(col) + 0.5f);
        const float cy = y + 150 * scale + cell * static_cast<float>(row);
        const std::string n = std::to_string(day);
        const float tw = textWidth(studio.gothic(), n, ns);
        letter(c, textMask(c, studio.gothic(), n, {cx - tw * 0.5f, cy, ns}),
               TextLook{col == 0 ? hex(0xC8442C) : hex(0x2A2A40)});
        if (day == kFestival) {
            std::vector<Vec2> ring;
            for (int k = 0; k <= 40; ++k) {
                const float a = 6.2832f * static_cast<float>(k) / 40 + 0.3f;
                const float r = cell * 0.46f * (1.0f + 0.05f * std::sin(a * 3));
                ring.push_back({cx + std::cos(a) * r, cy - ns * 0.35f + std::sin(a) * r * 0.9f});
            }
            c.fill(strokePolyline(ring, 2.2f * scale), hex(0xD8432A));
        }
    }
}

}  // namespace

Canvas paintWallShingoCalendar(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintEmbankmentScene(c, {true, false, -60, e.seed});
    const float s = static_cast<float>(e.height) / 1080.0f;
    calendar(c, studio, static_cast<float>(e.width) - 400 * s, 180 * s, 1.35f * s);
    return c;
}

Canvas paintWallSeinaCalendar(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    ToriiMood m;
    m.shiftX = 70;
    m.seed = e.seed;
    m.plaqueFont = &studio.mincho();
    m.plaque = studio.text("shrine.name");
    paintToriiScene(c, m);
    const float s = static_cast<float>(e.height) / 1080.0f;
    calendar(c, studio, 90 * s, 180 * s, 1.35f * s);
    return c;
}

Canvas paintWallShingo(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintWorkshopScene(c, WorkshopShot::WithShingo, e.seed);
    return c;
}

Canvas paintWallSeina(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintTownView(c, {false, 0, true, e.seed});
    return c;
}

}  // namespace velko::art
