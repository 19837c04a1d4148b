#include "platform/fonts/freetype_font.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>

#include "base/utf.h"

namespace velko::platform {
namespace {

constexpr int kMaxEm = 1024;  // far beyond any screen text; keeps glyph buffers bounded

bool isLineEnd(char32_t c) {
    return c == U'\r' || c == U'\n';
}

// Exact rounding division by 255 for x in [0, 255 * 255].
inline std::uint32_t div255(std::uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

inline gfx::Pixel blend(gfx::Pixel dst, gfx::Pixel color, std::uint32_t a) {
    const std::uint32_t na = 255 - a;
    const std::uint32_t r = div255(gfx::red(color) * a + gfx::red(dst) * na);
    const std::uint32_t g = div255(gfx::green(color) * a + gfx::green(dst) * na);
    const std::uint32_t b = div255(gfx::blue(color) * a + gfx::blue(dst) * na);
    return (r << 16) | (g << 8) | b;
}

int roundedPixels(FT_Pos v) {
    return static_cast<int>((v + 32) >> 6);
}

}  // namespace

std::shared_ptr<const Font> FreeTypeFont::create(
    std::shared_ptr<FreeTypeFontLibrary::Shared> shared, const FontSpec& request) {
    const int emW = request.emWidth > 0 ? request.emWidth : request.emHeight;
    if (request.emHeight <= 0 || request.emHeight > kMaxEm || emW > kMaxEm) {
        return nullptr;
    }
    const FaceData& data = request.face == FontFace::Gothic ? shared->gothic : shared->pgothic;
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(shared->library, data.bytes.data(),
                           static_cast<FT_Long>(data.bytes.size()), data.index, &face) != 0) {
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(emW),
                           static_cast<FT_UInt>(request.emHeight)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return std::shared_ptr<const Font>(new FreeTypeFont(std::move(shared), request, face));
}

FreeTypeFont::FreeTypeFont(std::shared_ptr<FreeTypeFontLibrary::Shared> shared,
                           const FontSpec& request, FT_Face face)
    : shared_(std::move(shared)), spec_(request), face_(face) {
    const FT_Size_Metrics& m = face_->size->metrics;
    lineHeight_ = std::max(1, roundedPixels(m.height));
    ascent_ = roundedPixels(m.ascender);
    // The gothic is a fixed-pitch face: every glyph is one or half an em wide, and the text
    // steps by those cells whatever the hinted or emboldened outline reports.
    fullCell_ = m.x_ppem;
    halfCell_ = (m.x_ppem + 1) / 2;

    const FT_Pos pos = FT_MulFix(face_->underline_position, m.y_scale);
    const FT_Pos thick = FT_MulFix(face_->underline_thickness, m.y_scale);
    underlineThickness_ = std::max(1, roundedPixels(thick));
    underlineTop_ = std::clamp(ascent_ - roundedPixels(pos) - underlineThickness_ / 2, 0,
                               std::max(0, lineHeight_ - underlineThickness_));
}

FreeTypeFont::~FreeTypeFont() {
    FT_Done_Face(face_);
}

FreeTypeFont::Glyph FreeTypeFont::render(char32_t c) const {
    Glyph g;
    // A character the face lacks becomes glyph 0, the face's own "missing" box.
    const FT_UInt index = FT_Get_Char_Index(face_, c);
    FT_Int32 flags = FT_LOAD_NO_BITMAP;
    flags |= spec_.antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face_, index, flags) != 0) {
        return g;
    }
    FT_GlyphSlot slot = face_->glyph;
    if (spec_.face == FontFace::Gothic) {
        const FT_Fixed linear = slot->linearHoriAdvance;  // 16.16 pixels, unhinted
        const FT_Fixed full = FT_Fixed(fullCell_) << 16;
        g.advance = linear <= 0 ? 0 : (linear * 4 >= full * 3 ? fullCell_ : halfCell_);
    } else {
        g.advance = roundedPixels(slot->advance.x);
    }
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) {
        return g;
    }
    if (spec_.bold) {
        // One pixel wider, no taller, and the advance stays: the classic synthetic bold.
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
    }
    if (FT_Render_Glyph(slot, spec_.antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) {
        return g;
    }
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.coverage.assign(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height), 0);
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        std::uint8_t* out = g.coverage.data() + static_cast<std::size_t>(y) * g.width;
        for (int x = 0; x < g.width; ++x) {
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
                out[x] = ((src[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
            } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
                const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
                out[x] = static_cast<std::uint8_t>(src[x] * 255 / levels);
            }
        }
    }
    return g;
}

const FreeTypeFont::Glyph& FreeTypeFont::glyph(char32_t c) const {
    auto it = cache_.find(c);
    if (it == cache_.end()) {
        it = cache_.emplace(c, render(c)).first;
    }
    return it->second;
}

int FreeTypeFont::advance(char32_t c) const {
    if (isLineEnd(c)) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    return glyph(c).advance;
}

int FreeTypeFont::measure(std::u16string_view text) const {
    std::lock_guard lock(mutex_);
    int w = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = nextCodePoint(text, i);
        if (!isLineEnd(c)) {
            w += glyph(c).advance;
        }
    }
    return w;
}

int FreeTypeFont::draw(gfx::Bitmap& dst, int x, int y, std::u16string_view text, gfx::Pixel color,
                       const gfx::Rect& clip) const {
    color &= gfx::kPixelMask;
    const gfx::Rect box = clip.intersected(dst.rect());
    std::lock_guard lock(mutex_);
    const int startX = x;
    const int baseline = y + ascent_;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = nextCodePoint(text, i);
        if (isLineEnd(c)) {
            continue;
        }
        const Glyph& g = glyph(c);
        const gfx::Rect placed{x + g.left, baseline - g.top, g.width, g.height};
        const gfx::Rect vis = placed.intersected(box);
        for (int row = vis.y; row < vis.bottom() && !vis.empty(); ++row) {
            const std::uint8_t* cov = g.coverage.data() +
                                      static_cast<std::size_t>(row - placed.y) * g.width +
                                      static_cast<std::size_t>(vis.x - placed.x);
            gfx::Pixel* out = dst.row(row).data() + vis.x;
            for (int k = 0; k < vis.w; ++k) {
                const std::uint32_t a = cov[k];
                if (a == 255) {
                    out[k] = color;
                } else if (a != 0) {
                    out[k] = blend(out[k], color, a);
                }
            }
        }
        x += g.advance;
    }
    if (spec_.underline && x > startX) {
        const gfx::Rect line =
            gfx::Rect{startX, y + underlineTop_, x - startX, underlineThickness_}.intersected(box);
        for (int row = line.y; row < line.bottom() && !line.empty(); ++row) {
            std::fill_n(dst.row(row).data() + line.x, line.w, color);
        }
    }
    return x;
}

}  // namespace velko::platform
