#pragma once

// The storyboard's frames as PNG files written for speed: hundreds of painted screens
// compress slowly at the usual level and barely smaller, so they are written at zlib's
// fastest level.

#include <filesystem>

#include "base/result.h"
#include "platform/gfx/bitmap.h"

namespace velko::headless {

Status saveFramePng(const std::filesystem::path& path, const gfx::Bitmap& bitmap);

}  // namespace velko::headless
