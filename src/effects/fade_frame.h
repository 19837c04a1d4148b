#pragma once

// One frame of a masked fade: the source copied to the back buffer, the mask surface filled
// with the tiled brush, the back buffer ANDed with it, and the back buffer shown on the
// screen. Frames never accumulate: each is the source ANDed with the mask alone.

#include <optional>

#include "platform/gfx/raster.h"
#include "platform/surface.h"

namespace velko::effects {

struct FadeSurfaces {
    platform::Surface& screen;
    const platform::Surface& source;
    platform::Surface& mask;
    platform::Surface& back;
};

// Without a brush the mask surface is not filled and the frame uses whatever it holds.
void composeFadeFrame(const FadeSurfaces& s, const std::optional<gfx::PatternBrush>& brush);

// The same frame as the four raster operations one after another, each with the sizes it
// names. composeFadeFrame takes this path for uneven or shared surfaces; for the usual case
// its one-pass composition must leave exactly what this leaves.
void composeFadeFrameInSteps(const FadeSurfaces& s, const std::optional<gfx::PatternBrush>& brush);

}  // namespace velko::effects
