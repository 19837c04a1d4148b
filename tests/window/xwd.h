#pragma once

// Reads the X window dump format that `xwd` writes: enough of it for 24- and 32-bit
// TrueColor screens, which is what the test server runs.

#include <cstdint>
#include <span>

#include "base/result.h"
#include "platform/gfx/bitmap.h"

namespace velko::testing {

struct XwdImage {
    gfx::Bitmap pixels;
    int windowX = 0;  // the dumped window's position in its parent
    int windowY = 0;
};

Result<XwdImage> decodeXwd(std::span<const std::uint8_t> bytes);

}  // namespace velko::testing
