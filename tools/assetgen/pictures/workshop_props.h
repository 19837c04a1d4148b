#pragma once

// The things in grandfather's workshop: bamboo lantern frames, the tools on the wall, the
// workbench and what stands under it. Each casts its shadow away from the one bulb.

#include "paint/canvas.h"
#include "paint/random.h"
#include "pictures/frame.h"

namespace velko::art {

struct BulbLight {
    paint::Vec2 at;         // the bulb, on the canvas
    float shadowReach = 0;  // how far shadows fall per pixel of distance from the bulb
    float shadowBlur = 1;   // pixels
    float shadowOpacity = 0.45f;
};

// A round bamboo frame: rings and struts; `papered` 0..1 covers that share with washi.
void lanternFrame(paint::Canvas& c, paint::Vec2 centre, float rx, float ry, float papered,
                  paint::Rgb bamboo, float sc, const BulbLight& light);

// A saw, chisels in a rack, a hand plane on a shelf with jars.
void wallTools(paint::Canvas& c, const Frame& f, const BulbLight& light, std::uint64_t seed);

// The bench's front boards, its legs, the shelf and the earth floor below it.
void benchBody(paint::Canvas& c, const Frame& f, float topY, float frontY, std::uint64_t seed);

}  // namespace velko::art
