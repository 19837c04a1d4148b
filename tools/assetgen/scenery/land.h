#pragma once

// Ground and growing things: hill ranges, forested ridges, cedars, broadleaf crowns, grass.

#include <cstdint>
#include <functional>

#include "paint/canvas.h"
#include "paint/random.h"

namespace velko::art {

using paint::Canvas;
using paint::Path;
using paint::Rgb;
using paint::Vec2;

// The outline of a range: height above `baseY` at x, from smooth noise.
struct Range {
    float baseY;
    float amplitude;
    float wavelength;  // pixels between major rises
    std::uint64_t seed;
    float treeHeight = 0;  // > 0: a forested crest of rounded crowns
    float treeWidth = 8;
    bool conifers = false;  // pointed crowns instead of rounded ones
};
float rangeHeight(const Range& r, float x);
// Closed path under the range's outline down to `bottom`.
Path rangePath(const Range& r, float x0, float x1, float bottom);

// A conical cedar: trunk and drooping tiers. Returns the silhouette; `lit` (optional) gets
// the sun-side highlights of the tiers.
Path cedar(Vec2 base, float height, float width, paint::Rng& rng, Path* lit = nullptr);

// A tall cedar trunk seen close, from `top` (may be above the picture) down to `base`, with
// bark texture and side shading.
void cedarTrunk(Canvas& c, float x, float top, float baseY, float width, Rgb bark, Rgb light,
                float lightSide, std::uint64_t seed);

// A mass of foliage: clustered lumpy discs around a centre.
Path foliageClump(Vec2 centre, float rx, float ry, paint::Rng& rng, int lumps = 14);

// Cedar foliage hanging in from the top or the sides: drooping fronds.
void hangingBoughs(Canvas& c, Vec2 origin, float length, float angle, Rgb color, paint::Rng& rng,
                   float sc);

// Grass blades standing on the line y = baseY(x) between x0 and x1.
void grass(Canvas& c, float x0, float x1, const std::function<float(float)>& baseY, float height,
           int count, Rgb dark, Rgb light, paint::Rng& rng, float sc);

// Fern fronds (for the edges of the shrine paths).
void fern(Canvas& c, Vec2 base, float length, float angle, Rgb color, float sc);

}  // namespace velko::art
