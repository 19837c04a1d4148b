#pragma once

// Where the message text goes: lines broken the way the classic word-breaking text call
// breaks them, at CR LF and before whatever would pass the right edge.

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/fonts.h"
#include "platform/gfx/bitmap.h"

namespace velko::message {

// One display line: the UTF-16 range [begin, end) of the text drawn from the left edge.
struct TextLine {
    std::size_t begin = 0;
    std::size_t end = 0;
    friend bool operator==(const TextLine&, const TextLine&) = default;
};

// Breaks `text` into lines no wider than `width` pixels:
// - CR LF, a lone CR and a lone LF end a line; an empty line still takes its row;
// - runs of half-width letters are words that move to the next line whole when they do not
//   fit, and are cut by character only when longer than a line;
// - a full-width character may be moved to the next line on its own;
// - the spaces where a line is broken are dropped, not carried to the next line.
// A break at the very end of the text opens no further line.
std::vector<TextLine> layoutText(const platform::Font& font, std::u16string_view text, int width);

// How many units of `text` can show: the end of the last of `lines` that starts inside
// `area` (drawLines draws nothing past it), or 0 when none does.
std::size_t visibleLength(const std::vector<TextLine>& lines, int lineHeight,
                          const gfx::Rect& area);

// Draws the first `k` units of `text` at their places in `lines` (one line-height apart from
// the top left of `area`), clipped to `area`, over whatever `dst` holds. Half a surrogate
// pair at the end waits for its other half rather than showing as a stray box.
void drawLines(gfx::Bitmap& dst, const platform::Font& font, std::u16string_view text,
               const std::vector<TextLine>& lines, std::size_t k, const gfx::Rect& area,
               gfx::Pixel color);

}  // namespace velko::message
