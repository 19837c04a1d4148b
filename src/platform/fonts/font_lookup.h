#pragma once

// Finding the faces by family name through the system's font configuration. Kept apart from
// the known package paths, so that a build without fontconfig can leave this file out.

#include <optional>

#include "platform/fonts/freetype_fonts.h"

namespace velko::platform {

struct FamilyFiles {
    std::optional<FontFile> gothic;   // IPAGothic
    std::optional<FontFile> pgothic;  // IPAPGothic
};

// What the font configuration names for both families; a face it does not really hold is
// left empty rather than stood in for by another.
FamilyFiles lookUpFamilies();

}  // namespace velko::platform
