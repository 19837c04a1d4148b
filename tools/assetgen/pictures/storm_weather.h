#pragma once

// The storm over the approach (CG12): a sky of heavy cloud lit from inside by the lightning,
// rain falling in shafts and sheets, and the flash's white edge on whatever stands against it.

#include <cstdint>

#include "paint/canvas.h"
#include "pictures/frame.h"

namespace velko::art {

struct StormLight {
    paint::Vec2 bolt;     // top of the bolt, on the canvas
    paint::Vec2 towards;  // direction from the scene to the flash, on screen
    paint::Rgb flash;     // colour of the light in the clouds
    paint::Rgb edge;      // colour of the rims it draws
    float horizon = 0;    // canvas y where the sky ends
    std::uint64_t seed = 1;
};

// Sky, clouds, the bolt and the flash inside the clouds, rain shafts in the distance.
void stormSky(paint::Canvas& c, const Frame& f, const StormLight& light);

// Whatever was painted on `layer` goes onto the picture with the flash's rim on its edges;
// `strength` dims the rim of things far away or deep in shade.
void compositeFlashLit(paint::Canvas& c, const paint::Canvas& layer, const StormLight& light,
                       float width, float strength);

// Rain in three depths: a fine far veil, sheets blown across, heavy near streaks; splashes
// on the ground below `groundY`.
void stormRain(paint::Canvas& c, const Frame& f, const StormLight& light, float groundY);

}  // namespace velko::art
