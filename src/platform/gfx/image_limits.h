#pragma once

// Size limits for pictures read from files, checked before anything is allocated. Far above
// anything the program shows (640 by 480), far below what would exhaust memory.

#include <cstdint>

namespace velko::gfx {

constexpr std::uint32_t kMaxImageSide = 16384;
constexpr std::uint64_t kMaxImagePixels = std::uint64_t{64} << 20;
// The largest picture at 32 bits per pixel, plus room for headers and a palette.
constexpr std::uint64_t kMaxBmpFileBytes = kMaxImagePixels * 4 + (std::uint64_t{1} << 20);

}  // namespace velko::gfx
