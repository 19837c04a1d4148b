#pragma once

// What stands on the approach while the festival is prepared: the tent with its table, crates
// stacked by the path, a ladder against a pole. Solid in the ground's perspective, with the
// short shadows of a high sun (by day) or none to speak of (at the eve).

#include "paint/canvas.h"
#include "paint/random.h"
#include "pictures/ground_view.h"

namespace velko::art {

struct PropLight {
    bool eve = false;  // dusk colours, no sun shadows
    float sc = 1;      // canvas pixels per stage unit
};

// A white tent over a table hung with red-and-white curtain; u0..u1 across, z0..z1 deep.
void festivalTent(paint::Canvas& c, const Perspective& g, float u0, float u1, float z0, float z1,
                  const PropLight& light);

// Wooden crates in a stack of two layers, the front one at (u, z).
void crateStack(paint::Canvas& c, const Perspective& g, float u, float z, const PropLight& light,
                paint::Rng& rng);

// A soft shadow on the ground under something standing at (u, z), `radius` units across.
void groundShadow(paint::Canvas& c, const Perspective& g, float u, float z, float radius,
                  float opacity);

}  // namespace velko::art
