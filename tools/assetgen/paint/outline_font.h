#pragma once

// Letters as outlines: a face's glyphs turned into paths, so that titles and stamps can be set
// at any size, tilted, outlined and made to glow with the same tools as every other shape.

#include <filesystem>
#include <memory>
#include <string_view>

#include "base/result.h"
#include "paint/path.h"

namespace velko::paint {

struct GlyphRun {
    Path path;
    float advance = 0;  // pen movement in pixels
};

class OutlineFont {
public:
    static Result<std::unique_ptr<OutlineFont>> load(const std::filesystem::path& file);
    ~OutlineFont();
    OutlineFont(const OutlineFont&) = delete;
    OutlineFont& operator=(const OutlineFont&) = delete;

    // One line of text with its baseline starting at (x, y), `size` pixels to the em.
    // `tracking` adds space after each character (in ems).
    GlyphRun line(std::u32string_view text, float x, float y, float size, float tracking = 0) const;
    // A column of text: each character centred on x, tops stepping down from y.
    GlyphRun column(std::u32string_view text, float x, float y, float size,
                    float tracking = 0) const;
    float measure(std::u32string_view text, float size, float tracking = 0) const;

    struct Impl;

private:
    explicit OutlineFont(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// UTF-8 source text to code points (invalid bytes become U+FFFD).
std::u32string toUtf32(std::string_view utf8);

}  // namespace velko::paint
