#pragma once

#include <cstdint>

#include "paint/canvas.h"

namespace velko::art {

// Handmade paper: a warm ground with long fibres and faint mottling.
void washi(paint::Canvas& c, paint::Rgb ground, std::uint64_t seed);

}  // namespace velko::art
