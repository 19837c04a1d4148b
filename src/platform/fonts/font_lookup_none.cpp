#include "platform/fonts/font_lookup.h"

namespace velko::platform {

// Built without fontconfig: only the known paths count.
FamilyFiles lookUpFamilies() {
    return {};
}

}  // namespace velko::platform
