#pragma once

// The town: wooden houses with tiled roofs, utility poles and their sagging wires, street
// lamps.

#include <vector>

#include "paint/canvas.h"
#include "paint/random.h"

namespace velko::art {

using paint::Canvas;
using paint::Rgb;
using paint::Vec2;

// A gabled or hipped tile roof seen from the side: the slope from the eave line up to the
// ridge, with rows of tiles. Covers x0..x1.
void tiledRoof(Canvas& c, float x0, float x1, float eaveY, float ridgeY, Rgb tile, Rgb light,
               float sc, bool hipped = false);

struct HouseLook {
    Rgb wall;
    Rgb roof;
    Rgb roofLight;
    Rgb window;            // lit or dark panes
    float windowsLit = 0;  // share of windows with light
};
// A far house: a box and a roof, a window or two. For the town seen from above.
void distantHouse(Canvas& c, float x, float baseY, float w, float h, const HouseLook& look,
                  paint::Rng& rng, float sc);

// A wooden utility pole with a cross-arm; returns the points where the wires attach.
std::vector<Vec2> utilityPole(Canvas& c, float x, float baseY, float height, Rgb wood, Rgb dark,
                              float sc);
// Wires between matching attachment points of two poles.
void wires(Canvas& c, const std::vector<Vec2>& a, const std::vector<Vec2>& b, float sag, Rgb color,
           float width, float opacity = 1.0f);

// A street lamp on a curved arm; lit or not.
void streetLamp(Canvas& c, float x, float baseY, float height, bool lit, Rgb post, float sc);

}  // namespace velko::art
