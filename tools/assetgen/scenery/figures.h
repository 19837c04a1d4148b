#pragma once

// People only ever as silhouettes: dark shapes seen from behind or far away, no faces.
// Also the shrine cat and a bicycle.

#include "paint/canvas.h"

namespace velko::art {

using paint::Path;
using paint::Rgb;
using paint::Vec2;

enum class Pose {
    Standing,
    Walking,
    Working,   // arms raised, reaching for a rope or a lantern
    Sitting,   // on a step, seen from behind
    Leaning,   // against something at the right
    Umbrella,  // right hand holding an umbrella's shaft in front of the chest
    Hauling,   // both hands on a rope pulled towards the left, leaning back
};

struct Figure {
    Vec2 feet;     // between the feet, on the ground
    float height;  // top of the head to the ground (standing height, also when sitting)
    Pose pose = Pose::Standing;
    bool skirt = false;  // a summer dress or skirt: a girl's outline
    bool longHair = false;
    bool bag = false;  // a sports bag on the shoulder
    float facing = 0;  // -1 turned a little left, +1 right (sitting: the head leans that way)
};
Path person(const Figure& f);
// Where the right hand is (the umbrella's shaft, the rope), in picture coordinates.
Vec2 personHand(const Figure& f);

// How a silhouette is lit: a dark body, a thin rim where the light grazes the outline and a
// faint lift on the lit side, so the shape reads as a body rather than a cut-out.
struct FigureLight {
    Rgb body;
    Rgb rim{1, 1, 1};
    Vec2 towards{0, -1};  // direction to the light, on screen
    float rimWidth = 0;   // pixels; 0: no rim
    float rimStrength = 0.8f;
    float lift = 0.12f;  // how far the lit side moves towards the rim colour
};
void paintFigure(paint::Canvas& c, const Figure& f, const FigureLight& light);
// The same light on any outline (umbrellas, bicycles, the cat).
void paintLitShape(paint::Canvas& c, const Path& shape, const FigureLight& light);
// Only the rim: the edge of `shape` facing `towards`, `width` pixels deep.
void paintRim(paint::Canvas& c, const paint::Mask& shape, Vec2 towards, float width, Rgb color,
              float strength);

// A paper umbrella (janome-gasa) held over a person's head; returns canopy and ribs.
Path umbrellaCanopy(Vec2 handTop, float radius, float tilt);
Path umbrellaRibs(Vec2 handTop, float radius, float tilt, float sc);

Path bicycle(Vec2 ground, float wheelRadius, bool facingRight);
Path cat(Vec2 ground, float size, bool sitting);

}  // namespace velko::art
