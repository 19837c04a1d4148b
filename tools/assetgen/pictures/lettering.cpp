#include "pictures/lettering.h"

#include "paint/effects.h"

namespace velko::art {

using namespace paint;

Path textPath(const OutlineFont& font, std::string_view utf8, const TextLayout& l) {
    const std::u32string text = toUtf32(utf8);
    GlyphRun run = l.vertical ? font.column(text, 0, 0, l.size, l.tracking)
                              : font.line(text, 0, 0, l.size, l.tracking);
    const Affine t =
        Affine::shearX(-l.skew).then(Affine::rotate(l.tilt)).then(Affine::translate(l.x, l.y));
    return run.path.transformed(t);
}

Mask textMask(const Canvas& c, const OutlineFont& font, std::string_view utf8,
              const TextLayout& l) {
    // Glyph outlines overlap where strokes cross; the non-zero rule fills them whole.
    return rasterize(textPath(font, utf8, l), c.box(), FillRule::NonZero);
}

float textWidth(const OutlineFont& font, std::string_view utf8, float size, float tracking) {
    return font.measure(toUtf32(utf8), size, tracking);
}

void letter(Canvas& c, const Mask& text, const TextLook& look) {
    if (text.empty()) {
        return;
    }
    if (look.shadow > 0) {
        Mask base = look.outline > 0 ? text.dilated(look.outline) : text;
        shadowMask(c, base, look.shadowOffset.x, look.shadowOffset.y, look.shadow, look.shadowColor,
                   look.shadowOpacity);
    }
    if (look.glow > 0) {
        glowMask(c, text, look.glow, look.glowColor, look.glowStrength);
    }
    if (look.outline > 0) {
        c.fill(text.dilated(look.outline), look.outlineColor);
    }
    c.fill(text, look.fill);
}

}  // namespace velko::art
