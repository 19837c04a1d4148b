#pragma once

// Lettering inside pictures: text as a coverage mask (from the outline faces), then filled
// with outlines, shadows and glows.

#include <string_view>

#include "paint/canvas.h"
#include "paint/outline_font.h"

namespace velko::art {

struct TextLayout {
    float x = 0;         // left of a line (or centre of a column)
    float y = 0;         // baseline of a line (or top of a column)
    float size = 20;     // pixels to the em
    float tracking = 0;  // extra space between characters, in ems
    bool vertical = false;
    float tilt = 0;  // radians, about (x, y)
    float skew = 0;  // horizontal shear, for a brush's lean
};

paint::Path textPath(const paint::OutlineFont& font, std::string_view utf8,
                     const TextLayout& layout);
paint::Mask textMask(const paint::Canvas& c, const paint::OutlineFont& font, std::string_view utf8,
                     const TextLayout& layout);
float textWidth(const paint::OutlineFont& font, std::string_view utf8, float size,
                float tracking = 0);

struct TextLook {
    paint::Rgb fill{1, 1, 1};
    float outline = 0;  // pixels
    paint::Rgb outlineColor{0, 0, 0};
    float shadow = 0;  // blur radius of a soft drop shadow; 0: none
    paint::Vec2 shadowOffset{1.5f, 2.0f};
    paint::Rgb shadowColor{0, 0, 0};
    float shadowOpacity = 0.7f;
    float glow = 0;  // radius of an additive glow; 0: none
    paint::Rgb glowColor{1, 0.8f, 0.4f};
    float glowStrength = 0.6f;
};
void letter(paint::Canvas& c, const paint::Mask& text, const TextLook& look);

}  // namespace velko::art
