#pragma once

// One face at one size and style, with its rendered glyphs cached. Internal to the fonts
// library: the only file set that includes FreeType.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/fonts.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/fonts/mapped_file.h"

namespace velko::platform {

// A face file mapped into memory, so that every size opened from it shares one copy.
struct FaceData {
    std::filesystem::path path;
    int index = 0;
    MappedFile bytes;
};

struct FreeTypeFontLibrary::Shared {
    FT_Library library = nullptr;
    FaceData gothic;
    FaceData pgothic;

    Shared() = default;
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;
    ~Shared() {
        if (library) {
            FT_Done_FreeType(library);
        }
    }
};

class FreeTypeFont final : public Font {
public:
    // Null when FreeType rejects the face or the size.
    static std::shared_ptr<const Font> create(std::shared_ptr<FreeTypeFontLibrary::Shared> shared,
                                              const FontSpec& request);
    ~FreeTypeFont() override;

    const FontSpec& request() const override { return spec_; }
    int lineHeight() const override { return lineHeight_; }
    int ascent() const override { return ascent_; }
    int advance(char32_t c) const override;
    int measure(std::u16string_view text) const override;
    int draw(gfx::Bitmap& dst, int x, int y, std::u16string_view text, gfx::Pixel color,
             const gfx::Rect& clip) const override;

    // A rendered glyph: coverage 0..255 (one-bit fonts use only 0 and 255), placed relative
    // to the pen position on the baseline.
    struct Glyph {
        int left = 0;  // from the pen to the first column
        int top = 0;   // from the baseline up to the first row
        int width = 0;
        int height = 0;
        int advance = 0;
        std::vector<std::uint8_t> coverage;
    };

private:
    FreeTypeFont(std::shared_ptr<FreeTypeFontLibrary::Shared> shared, const FontSpec& request,
                 FT_Face face);

    const Glyph& glyph(char32_t c) const;  // caller holds mutex_
    Glyph render(char32_t c) const;

    std::shared_ptr<FreeTypeFontLibrary::Shared> shared_;
    FontSpec spec_;
    FT_Face face_;
    int lineHeight_ = 0;
    int ascent_ = 0;
    int fullCell_ = 0;  // fixed pitch: the advance of full-width characters
    int halfCell_ = 0;  // and of half-width ones
    int underlineTop_ = 0;
    int underlineThickness_ = 1;

    mutable std::mutex mutex_;
    mutable std::unordered_map<char32_t, Glyph> cache_;
};

}  // namespace velko::platform
