#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/fonts/font_lookup.h"
#include "platform/fonts/freetype_fonts.h"

namespace velko::platform {
namespace {

constexpr std::string_view kPackage = "fonts-ipafont-gothic";

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
    // Where Debian's package puts the faces answers at once; setting up fontconfig costs
    // tens of milliseconds before the first frame, so it is asked only when they are not there.
    std::optional<FontFile> gothic =
        firstExisting({"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                       "/usr/share/fonts/truetype/ipafont-gothic/ipag.ttf"});
    std::optional<FontFile> pgothic =
        firstExisting({"/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
                       "/usr/share/fonts/truetype/ipafont-gothic/ipagp.ttf"});
    if (!gothic || !pgothic) {
        const FamilyFiles found = lookUpFamilies();
        gothic = gothic ? gothic : found.gothic;
        pgothic = pgothic ? pgothic : found.pgothic;
    }
    if (!gothic) {
        gothic = firstExisting({"/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"});
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
