#include <fontconfig/fontconfig.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fonts/font_lookup.h"

namespace velko::platform {
namespace {

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

}  // namespace

FamilyFiles lookUpFamilies() {
    FamilyFiles found;
    if (ConfigPtr config{FcInitLoadConfigAndFonts()}) {
        found.gothic = matchFamily(config.get(), "IPAGothic");
        found.pgothic = matchFamily(config.get(), "IPAPGothic");
    }
    return found;
}

}  // namespace velko::platform
