#pragma once

// Text drawing through installed fonts. The gothic face is the fixed-pitch Japanese face the
// screens use (IPAGothic), the proportional one (IPAPGothic) serves dialogs and labels.

#include <memory>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/gfx/bitmap.h"

namespace velko::platform {

enum class FontFace { Gothic, PGothic };

// A font request in pixels. emHeight is the vertical pixel size of the em; emWidth the
// horizontal one (0: same as emHeight). A 19 by 22 gothic gives 19-pixel lines, 22-pixel
// full-width and 11-pixel half-width characters.
struct FontSpec {
    FontFace face = FontFace::Gothic;
    int emHeight = 19;
    int emWidth = 0;
    bool bold = false;  // synthetic one-pixel bold that keeps the advances
    bool underline = false;
    bool antialias = true;  // false: one-bit glyphs (crisp, and idempotent when redrawn)

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class Font {
public:
    virtual ~Font() = default;

    virtual const FontSpec& request() const = 0;
    virtual int lineHeight() const = 0;  // distance between the tops of two lines
    virtual int ascent() const = 0;      // from a line's top to the baseline
    virtual int advance(char32_t c) const = 0;

    // Width of the text in pixels (surrogate pairs count as one character; CR and LF as 0).
    virtual int measure(std::u16string_view text) const = 0;

    // Draws one line of text with the top of its cell at (x, y), over whatever is there
    // (transparent background). Pixels outside `clip` are untouched. Returns x after the text.
    virtual int draw(gfx::Bitmap& dst, int x, int y, std::u16string_view text, gfx::Pixel color,
                     const gfx::Rect& clip) const = 0;
};

class FontLibrary {
public:
    virtual ~FontLibrary() = default;
    // Fonts are cached: asking twice for the same request returns the same object.
    virtual std::shared_ptr<const Font> open(const FontSpec& request) = 0;
};

}  // namespace velko::platform
