#pragma once

#include <cstdint>

#include "paint/canvas.h"

namespace velko::art {

// The worship hall across the gravel, the sacred cedar at the left: twilight after the rain
// (CG05), soft morning (the extras screen), lanterns at dusk (a preview).
enum class HallTime { AfterRain, Morning };

void paintHallScene(paint::Canvas& c, HallTime time, std::uint64_t seed);

}  // namespace velko::art
