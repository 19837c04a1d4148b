#pragma once

// The town on the valley floor seen from a height: every house a small solid (walls and a
// gabled, hipped or flat roof) placed on the ground in perspective, so sizes, orientations and
// spacing vary the way a real town's do instead of repeating along rows.

#include <cstdint>

#include "paint/canvas.h"
#include "pictures/ground_view.h"

namespace velko::art {

// Directions in the ground frame: u across, h up, z away from the eye.
struct Dir3 {
    float u = 0;
    float h = 0;
    float z = 0;
};

struct ValleyLight {
    paint::Rgb sky;      // light from above, on roofs
    paint::Rgb ambient;  // light on walls
    paint::Rgb sun;      // direct light; black for none
    Dir3 towardsSun{0, 0.3f, 1};
    paint::Rgb rim;  // ridges and edges that catch a low sun
    float rimStrength = 0;
    paint::Rgb haze;  // the air between us and the far houses
    float hazeFar = 0.6f;
    paint::Rgb window;  // warm panes
    float windowsLit = 0.1f;
    paint::Rgb ground;  // yards and lanes in the town
    paint::Rgb fields;  // rice fields round it
    paint::Rgb street;
    paint::Rgb river;
    paint::Rgb foliage;
    bool lamps = false;  // street lamps lit along the main street and the cross streets
};

struct ValleyLayout {
    float zNear = 560;
    float zFar = 2600;
    float streetU = 30;  // the main street runs away from us here
    float riverZ = 1400;
    bool river = true;          // the river crosses the valley at riverZ
    bool landmarks = true;      // a school and a temple
    float reach = 330;          // how far the town spreads from the main street at its near end
    float groundBottom = 1e9f;  // canvas y below which the scene covers the ground anyway
    std::uint64_t seed = 1;
};

void paintValleyTown(paint::Canvas& c, const Perspective& view, const ValleyLayout& layout,
                     const ValleyLight& light);

}  // namespace velko::art
