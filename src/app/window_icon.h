#pragma once

// The program's 64-pixel icon as a Windows bitmap, compiled in from the build's icon set.

#include <cstdint>
#include <span>

namespace velko::app {

std::span<const std::uint8_t> windowIconBmp();

}  // namespace velko::app
