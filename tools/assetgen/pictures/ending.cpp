// The 「つづく」 stamp and the preview of episode two.

#include <cmath>
#include <sstream>

#include "paint/effects.h"
#include "pictures/approach_scene.h"
#include "pictures/frame.h"
#include "pictures/lettering.h"
#include "pictures/pictures.h"

namespace velko::art {

using namespace paint;

Canvas paintStamp(Studio& studio, const PictureEntry& e) {
    // The key colour is cut out by an exact comparison, so no pixel may blend into it:
    // lettering and its outline are hard-edged against the key, soft only inside.
    Canvas c(e.width, e.height);
    const Rgb key = hex(0xFF00FF);
    c.fillAll(key);
    const std::string word = studio.text("stamp");
    // Set the word, tilt it, then fit its actual outline into the square with room for the
    // outline: the brush's kana sit low in their em, so the em box would waste space.
    TextLayout l;
    l.size = 40;
    l.tracking = -0.3f;
    l.vertical = true;
    l.tilt = 0.12f;
    Path shape = textPath(studio.cursive(), word, l);
    const Bounds b = shape.bounds();
    const float k = std::min(84.0f / (b.x1 - b.x0), 88.0f / (b.y1 - b.y0));
    shape = shape.transformed(Affine::translate(-(b.x0 + b.x1) * 0.5f, -(b.y0 + b.y1) * 0.5f)
                                  .then(Affine::scale(k, k))
                                  .then(Affine::translate(50, 50)));
    // Thickened a little: at this size the brush's hairlines would break up.
    Mask text = rasterize(shape, c.box()).dilated(1.3f);
    Mask outline = text.dilated(2.0f);
    outline.threshold(0.5f);
    const Rgb ink = hex(0x1E1A30);
    const Rgb white = hex(0xFFFFFF);
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (outline.at(x, y) < 0.5f) {
                continue;
            }
            const float t = text.at(x, y);
            c.ref(x, y) = opaque(mix(ink, white, t));
        }
    }
    return c;
}

Canvas paintPreview(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintApproach(c, ApproachTime::Eve, e.seed);
    const Frame f(c);
    // Darkened for the lettering, most where the lines run.
    c.tint(hex(0x080410), [&](float x, float y) {
        return 0.22f + 0.3f * (1.0f - smoothstep(f.x(300), f.x(640), x)) *
                           smoothstep(f.y(100), f.y(200), y);
    });
    auto src = studio.file("preview.txt");
    std::vector<std::string> lines;
    if (src) {
        std::istringstream in(*src);
        std::string line;
        while (std::getline(in, line)) {
            lines.push_back(line);
        }
    }
    if (lines.size() < 7) {
        return c;
    }
    TextLook look;
    look.fill = hex(0xFFFFFF);
    look.shadow = f.len(3);
    look.shadowOffset = {f.len(1.5f), f.len(2)};
    look.shadowColor = hex(0x000000);
    look.shadowOpacity = 0.85f;
    letter(c, textMask(c, studio.mincho(), lines[0], {f.x(30), f.y(44), f.len(18), 0.2f}), look);
    c.fill(Path().addRect(f.x(30), f.y(52), f.len(96), f.len(1.5f)), hex(0xE8B060), 0.9f);
    TextLook titleLook = look;
    titleLook.glow = f.len(8);
    titleLook.glowColor = hex(0xFFB050);
    titleLook.glowStrength = 0.45f;
    letter(c, textMask(c, studio.mincho(), lines[1], {f.x(30), f.y(110), f.len(34), 0.02f}),
           titleLook);
    for (int i = 0; i < 4; ++i) {
        letter(c,
               textMask(c, studio.mincho(), lines[static_cast<std::size_t>(2 + i)],
                        {f.x(48), f.y(186 + static_cast<float>(i) * 38), f.len(21), 0.02f}),
               look);
    }
    const float sw = textWidth(studio.mincho(), lines[6], f.len(18));
    letter(c, textMask(c, studio.mincho(), lines[6], {f.x(610) - sw, f.y(452), f.len(18)}), look);
    return c;
}

}  // namespace velko::art
