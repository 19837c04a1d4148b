#pragma once

#include <cstdint>

#include "paint/canvas.h"

namespace velko::art {

// Small upright pictures of the title menu: the top lantern unlit at blue dusk, and the river
// at night with one floating lantern.
void paintPreviewOldLantern(paint::Canvas& c, std::uint64_t seed);
void paintPreviewRiverNight(paint::Canvas& c, std::uint64_t seed);

}  // namespace velko::art
