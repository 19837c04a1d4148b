#pragma once

// Light and air: glows, haze, mist, rain, stars, fireflies and grain. These are what make a
// flat arrangement of shapes read as a place at an hour of the day.

#include <cstdint>
#include <functional>

#include "paint/canvas.h"
#include "paint/random.h"

namespace velko::paint {

// Additive light around a point: bright core fading smoothly to nothing at about 3 radii.
void glow(Canvas& c, Vec2 centre, float radius, Rgb color, float strength);

// Soft additive halo of a shape: the mask blurred by `radius`, added in `color`.
void glowMask(Canvas& c, const Mask& m, float radius, Rgb color, float strength);

// Drop shadow / soft darkening of a shape offset by (dx, dy).
void shadowMask(Canvas& c, const Mask& m, float dx, float dy, float radius, Rgb color,
                float opacity);

// Mist: `color` laid over the canvas with density density(x, y) modulated by drifting noise.
void mist(Canvas& c, Rgb color, const std::function<float(float, float)>& density, float noiseScale,
          std::uint64_t seed, float noiseAmount = 0.6f);

struct RainStyle {
    int count = 1500;
    float angle = 0.25f;  // radians from vertical, positive leans right going down
    float minLength = 10;
    float maxLength = 26;
    float width = 1.0f;
    Rgb color{0.8f, 0.85f, 0.9f};
    float opacity = 0.35f;
    Box region;
};
void rain(Canvas& c, const RainStyle& style, Rng& rng);

// Point stars of varied brightness; density(x, y) in 0..1 thins them out (near horizons,
// behind clouds).
void stars(Canvas& c, int count, Box region, Rng& rng, float brightness,
           const std::function<float(float, float)>& density);

// Small glowing dots with a halo.
void fireflies(Canvas& c, int count, Box region, Rng& rng, Rgb color, float size);

// Fine luminance noise over everything: paper, film, the air at dusk.
void grain(Canvas& c, float amount, std::uint64_t seed);

// Darkens the corners.
void vignette(Canvas& c, float strength, float radius = 0.75f);

}  // namespace velko::paint
