#pragma once

// The town seen from the top step: sunset (CG11, Seina's wallpaper) or violet twilight with
// the first street lamps (ed03).

#include <cstdint>

#include "paint/canvas.h"

namespace velko::art {

struct TownViewMood {
    bool twilight = false;
    int sitters = 0;  // silhouettes sitting on the top step (0 or 2)
    bool standingGirl = false;
    std::uint64_t seed = 1;
};

void paintTownView(paint::Canvas& c, const TownViewMood& mood);

}  // namespace velko::art
