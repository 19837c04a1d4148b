#pragma once

#include <cstdint>

#include "paint/canvas.h"

namespace velko::art {

struct EmbankmentMood {
    bool shingo = false;  // his silhouette leaning on the bicycle, near
    bool washed = true;   // the clean sky of a morning after rain
    float shiftX = 0;
    std::uint64_t seed = 1;
};

void paintEmbankmentScene(paint::Canvas& c, const EmbankmentMood& mood);

}  // namespace velko::art
