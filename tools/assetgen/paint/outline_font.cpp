#include "paint/outline_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <fstream>
#include <vector>

namespace velko::paint {

struct OutlineFont::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::vector<unsigned char> bytes;

    ~Impl() {
        if (face) {
            FT_Done_Face(face);
        }
        if (library) {
            FT_Done_FreeType(library);
        }
    }
};

namespace {

// Outlines are read unhinted at the em size in font units and scaled here, so a glyph is
// the same shape at every size and on every FreeType build.
struct Decomposer {
    Path* path;
    float scale;
    float ox;
    float oy;
    Vec2 map(const FT_Vector* v) const {
        return {ox + static_cast<float>(v->x) * scale, oy - static_cast<float>(v->y) * scale};
    }
};

int moveFn(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    d->path->moveTo(d->map(to));
    return 0;
}
int lineFn(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    d->path->lineTo(d->map(to));
    return 0;
}
int conicFn(const FT_Vector* c, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    d->path->quadTo(d->map(c), d->map(to));
    return 0;
}
int cubicFn(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    d->path->cubicTo(d->map(c1), d->map(c2), d->map(to));
    return 0;
}

}  // namespace

Result<std::unique_ptr<OutlineFont>> OutlineFont::load(const std::filesystem::path& file) {
    auto impl = std::make_unique<Impl>();
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return makeError(file.string() + ": cannot open font");
    }
    impl->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (FT_Init_FreeType(&impl->library) != 0) {
        return makeError("FreeType could not be initialised");
    }
    if (FT_New_Memory_Face(impl->library, impl->bytes.data(),
                           static_cast<FT_Long>(impl->bytes.size()), 0, &impl->face) != 0) {
        return makeError(file.string() + ": not a font FreeType can read");
    }
    return std::unique_ptr<OutlineFont>(new OutlineFont(std::move(impl)));
}

OutlineFont::OutlineFont(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
OutlineFont::~OutlineFont() = default;

namespace {

// Loads a glyph unscaled; returns its advance in font units or -1 if the face lacks it.
long loadGlyph(FT_Face face, char32_t c) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(c));
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0) {
        return -1;
    }
    return face->glyph->metrics.horiAdvance;
}

}  // namespace

GlyphRun OutlineFont::line(std::u32string_view text, float x, float y, float size,
                           float tracking) const {
    GlyphRun run;
    FT_Face face = impl_->face;
    const float scale = size / static_cast<float>(face->units_per_EM);
    float pen = x;
    static const FT_Outline_Funcs funcs{moveFn, lineFn, conicFn, cubicFn, 0, 0};
    for (const char32_t c : text) {
        const long adv = loadGlyph(face, c);
        if (adv < 0) {
            pen += size * (0.5f + tracking);
            continue;
        }
        Decomposer d{&run.path, scale, pen, y};
        FT_Outline_Decompose(&face->glyph->outline, &funcs, &d);
        run.path.close();
        pen += static_cast<float>(adv) * scale + size * tracking;
    }
    run.advance = pen - x;
    return run;
}

GlyphRun OutlineFont::column(std::u32string_view text, float x, float y, float size,
                             float tracking) const {
    GlyphRun run;
    FT_Face face = impl_->face;
    const float scale = size / static_cast<float>(face->units_per_EM);
    const float ascent = static_cast<float>(face->ascender) * scale;
    float top = y;
    for (const char32_t c : text) {
        const long adv = loadGlyph(face, c);
        if (adv >= 0) {
            const float w = static_cast<float>(adv) * scale;
            GlyphRun one =
                line(std::u32string_view(&c, 1), x - w * 0.5f, top + ascent * 0.88f, size);
            run.path.append(one.path);
        }
        top += size * (1.0f + tracking);
    }
    run.advance = top - y;
    return run;
}

float OutlineFont::measure(std::u32string_view text, float size, float tracking) const {
    return line(text, 0, 0, size, tracking).advance;
}

std::u32string toUtf32(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + static_cast<std::size_t>(len) > s.size()) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (int k = 1; k < len; ++k) {
            cp =
                (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

}  // namespace velko::paint
