#pragma once

// The approach at the top of the steps, hung with festival lanterns: preparations at midday
// (CG09), the storm at night (CG12), the festival eve at dusk (the preview's background).

#include <cstdint>

#include "paint/canvas.h"

namespace velko::art {

enum class ApproachTime { Midday, Storm, Eve };

void paintApproach(paint::Canvas& c, ApproachTime time, std::uint64_t seed);

}  // namespace velko::art
