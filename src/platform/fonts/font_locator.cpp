#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/fonts/freetype_fonts.h"

namespace velko::platform {
namespace {

constexpr std::string_view kPackage = "fonts-ipafont-gothic";

struct ConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using ConfigPtr = std::unique_ptr<FcConfig, ConfigDeleter>;
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

bool sameFamily(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// fontconfig always answers with some font; only a match that really carries the family
// counts, or a Latin face would silently stand in for the Japanese one.
std::optional<FontFile> matchFamily(FcConfig* config, const char* family) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) {
        return std::nullopt;
    }
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config, pattern.get(), &result));
    if (!match || result != FcResultMatch) {
        return std::nullopt;
    }
    bool found = false;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (sameFamily(reinterpret_cast<const char*>(name), family)) {
            found = true;
            break;
        }
    }
    FcChar8* file = nullptr;
    if (!found || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        return std::nullopt;
    }
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return FontFile{reinterpret_cast<const char*>(file), index};
}

std::optional<FontFile> firstExisting(std::initializer_list<const char*> paths) {
    for (const char* p : paths) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(p, ec)) {
            return FontFile{p, 0};
        }
    }
    return std::nullopt;
}

}  // namespace

Result<FontFiles> locateFontFiles() {
    std::optional<FontFile> gothic;
    std::optional<FontFile> pgothic;
    if (ConfigPtr config{FcInitLoadConfigAndFonts()}) {
        gothic = matchFamily(config.get(), "IPAGothic");
        pgothic = matchFamily(config.get(), "IPAPGothic");
    }
    // Without a usable fontconfig setup the package's own paths still work.
    if (!gothic) {
        gothic = firstExisting({"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                                "/usr/share/fonts/truetype/ipafont-gothic/ipag.ttf",
                                "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"});
    }
    if (!pgothic) {
        pgothic = firstExisting({"/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
                                 "/usr/share/fonts/truetype/ipafont-gothic/ipagp.ttf"});
    }
    if (!gothic || !pgothic) {
        return makeError(std::string("the Japanese font ") + (gothic ? "IPAPGothic" : "IPAGothic") +
                         " is not installed; install the Debian package " + std::string(kPackage) +
                         " (apt-get install " + std::string(kPackage) + ")");
    }
    return FontFiles{*gothic, *pgothic};
}

Result<std::unique_ptr<FreeTypeFontLibrary>> FreeTypeFontLibrary::create() {
    auto files = locateFontFiles();
    if (!files) {
        return makeError(files.error());
    }
    return create(*files);
}

}  // namespace velko::platform
