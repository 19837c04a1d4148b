#pragma once

// The shrine's pieces: torii, stone lanterns, paper lanterns, the hall, the sacred rope and
// the flight of stone steps.

#include <vector>

#include "paint/canvas.h"

namespace velko::art {

using paint::Canvas;
using paint::Rgb;
using paint::Vec2;

struct ToriiLook {
    Rgb vermilion;     // lit face of the lacquer
    Rgb shadow;        // shaded side
    Rgb black;         // top beam and pillar feet
    float light = -1;  // -1: light from the left, +1 from the right
};

// A myōjin torii standing on baseY, centred on x, `height` to the top of the upper beam,
// `span` between the pillar centres.
void torii(Canvas& c, float x, float baseY, float height, float span, const ToriiLook& look);
// The same shape as one silhouette, for far views and reflections.
paint::Path toriiSilhouette(float x, float baseY, float height, float span);

struct LanternLook {
    Rgb stone;
    Rgb stoneDark;
    bool lit = false;
    Rgb flame{1.0f, 0.72f, 0.35f};
    float glow = 1.0f;
    bool tall = false;  // the old lantern at the top of the steps: taller, slimmer
};
// A stone lantern (tōrō) on baseY, `height` tall. Returns the centre of its light box.
Vec2 stoneLantern(Canvas& c, float x, float baseY, float height, const LanternLook& look);

enum class PaperStyle { LitWarm, FestivalWhiteRed, FestivalLit, Torn };
// A round paper lantern (chōchin) hanging with its centre at `centre`.
void paperLantern(Canvas& c, Vec2 centre, float rx, float ry, PaperStyle style, float tilt = 0);

struct HallLook {
    Rgb roof;  // copper green or dark tile
    Rgb roofLight;
    Rgb wood;
    Rgb woodDark;
    Rgb interior;  // behind the lattice: dark, or warm when lit
    Rgb stone;
    bool lanterns = false;  // paper lanterns along the eaves
    bool lit = false;       // lanterns glowing
};
// A small worship hall seen from the front; `width` of the roof.
void shrineHall(Canvas& c, float x, float baseY, float width, const HallLook& look, float sc);

// A sacred straw rope with paper streamers, hanging between two points.
void shimenawa(Canvas& c, Vec2 a, Vec2 b, float sag, float thickness, Rgb straw, float sc);

// A flight of stone steps climbing away from the viewer, in perspective.
struct Stairs {
    float centreX;        // at the bottom of the picture
    float vanishX;        // where the flight's centre line heads
    float horizonY;       // eye level
    float focal;          // pixels per unit at distance 1
    float eyeHeight;      // units above the first step's base
    float halfWidth;      // of the flight, units
    float rise;           // per step, units
    float run;            // per step, units
    float startDistance;  // of the first step
    int count;
};
struct StepPlace {
    float x;      // centre of the step's front edge on screen
    float y;      // screen y of the step's front top edge
    float halfW;  // screen half-width
    float scale;  // pixels per unit at this step
};
std::vector<StepPlace> stairsLayout(const Stairs& s);
void stoneStairs(Canvas& c, const Stairs& s, Rgb tread, Rgb riser, Rgb moss, std::uint64_t seed,
                 float wetness);

}  // namespace velko::art
