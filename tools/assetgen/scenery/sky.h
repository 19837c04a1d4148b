#pragma once

// Skies: gradients by height, the sun's haze, the moon, and clouds with a lit and a shaded
// side.

#include <cstdint>
#include <functional>
#include <vector>

#include "paint/canvas.h"

namespace velko::art {

using paint::Canvas;
using paint::Rgb;
using paint::Stop;
using paint::Vec2;

// Vertical gradient: stops at fractions of the height of `bottom` (0 = top of the picture).
void skyGradient(Canvas& c, std::vector<Stop> stops, float bottom);

struct CloudStyle {
    Rgb lit;           // side facing the light
    Rgb shade;         // underside
    Rgb rim{1, 1, 1};  // silver or gold edge where the cloud is thin
    float rimAmount = 0.0f;
    Vec2 light{-0.6f, -0.8f};  // direction towards the light
    float scale = 90;          // noise feature size in pixels
    float stretch = 1.0f;      // > 1 flattens the noise horizontally
    float softness = 0.12f;    // edge width in density units
    float threshold = 0.5f;
    float opacity = 1.0f;
    std::uint64_t seed = 1;
    float baseY = -1;     // > 0: clouds darken towards this flat base
    float baseFade = 60;  // over this many pixels above it
};

// Clouds wherever envelope(x, y) lifts the noise above the threshold. The envelope shapes
// them: domes for cumulus, bands for strata.
void clouds(Canvas& c, paint::Box region, const std::function<float(float, float)>& envelope,
            const CloudStyle& style);

// Envelope of a cumulus tower: a cluster of domes on a flat base.
struct Cumulus {
    float x;      // centre
    float baseY;  // flat bottom
    float width;
    float height;
    std::uint64_t seed;
};
std::function<float(float, float)> cumulusEnvelope(std::vector<Cumulus> towers);

// A horizontal band of cloud between y0 and y1 with ragged edges.
std::function<float(float, float)> bandEnvelope(float y0, float y1, float strength = 1.0f);

void moon(Canvas& c, Vec2 centre, float radius, Rgb color, float phase);

// A forked lightning bolt from `from` downwards, with its glow.
void lightning(Canvas& c, Vec2 from, float length, std::uint64_t seed, float scale);

}  // namespace velko::art
