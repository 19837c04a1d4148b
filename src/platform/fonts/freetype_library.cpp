#include <string>

#include "platform/fonts/freetype_font.h"
#include "platform/fonts/freetype_fonts.h"

namespace velko::platform {
namespace {

constexpr const char* kPackageHint = " (install the Debian package fonts-ipafont-gothic)";

// Reads a face file and checks that FreeType takes it as a scalable face with Japanese
// coverage, so that a wrong or broken file fails at start-up and not as missing text later.
Result<FaceData> loadFace(FT_Library library, const FontFile& file, const char* family) {
    auto mapped = MappedFile::open(file.path);
    if (!mapped) {
        return makeError("cannot open the font " + std::string(family) + " at " +
                         file.path.string() + kPackageHint);
    }
    FaceData data{file.path, file.index, std::move(mapped).value()};
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, data.bytes.data(), static_cast<FT_Long>(data.bytes.size()),
                           file.index, &face) != 0) {
        return makeError("the font file " + file.path.string() + " is not a usable " + family +
                         " face" + kPackageHint);
    }
    const bool usable = FT_IS_SCALABLE(face) && FT_Get_Char_Index(face, U'あ') != 0;
    FT_Done_Face(face);
    if (!usable) {
        return makeError("the font file " + file.path.string() + " lacks the Japanese glyphs of " +
                         family + kPackageHint);
    }
    return data;
}

}  // namespace

FreeTypeFontLibrary::FreeTypeFontLibrary(std::shared_ptr<Shared> shared)
    : shared_(std::move(shared)) {}

FreeTypeFontLibrary::~FreeTypeFontLibrary() = default;

Result<std::unique_ptr<FreeTypeFontLibrary>> FreeTypeFontLibrary::create(const FontFiles& files) {
    auto shared = std::make_shared<Shared>();
    if (FT_Init_FreeType(&shared->library) != 0) {
        shared->library = nullptr;
        return makeError("cannot start the FreeType font renderer");
    }
    auto gothic = loadFace(shared->library, files.gothic, "IPAGothic");
    if (!gothic) {
        return makeError(gothic.error());
    }
    auto pgothic = loadFace(shared->library, files.pgothic, "IPAPGothic");
    if (!pgothic) {
        return makeError(pgothic.error());
    }
    shared->gothic = std::move(*gothic);
    shared->pgothic = std::move(*pgothic);
    return std::unique_ptr<FreeTypeFontLibrary>(new FreeTypeFontLibrary(std::move(shared)));
}

std::shared_ptr<const Font> FreeTypeFontLibrary::open(const FontSpec& request) {
    for (const auto& [cached, font] : cache_) {
        if (cached == request) {
            return font;
        }
    }
    auto font = FreeTypeFont::create(shared_, request);
    cache_.emplace_back(request, font);  // failures are remembered too: no retry per call
    return font;
}

}  // namespace velko::platform
