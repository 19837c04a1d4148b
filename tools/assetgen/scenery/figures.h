#pragma once

// People only ever as silhouettes: dark shapes seen from behind or far away, no faces.
// Also the shrine cat and a bicycle.

#include "paint/canvas.h"

namespace velko::art {

using paint::Path;
using paint::Vec2;

enum class Pose {
    Standing,
    Walking,
    Working,  // arms raised, reaching for a rope or a lantern
    Sitting,  // on a step, seen from behind
    Leaning,  // against something at the right
};

struct Figure {
    Vec2 feet;     // between the feet, on the ground
    float height;  // top of the head to the ground
    Pose pose = Pose::Standing;
    bool skirt = false;  // a summer dress or yukata: a girl's outline
    bool longHair = false;
    bool bag = false;  // a sports bag on the shoulder
    float facing = 0;  // -1 turned a little left, +1 right
};
Path person(const Figure& f);

// A paper umbrella (janome-gasa) held over a person's head; returns canopy and ribs.
Path umbrellaCanopy(Vec2 handTop, float radius, float tilt);
Path umbrellaRibs(Vec2 handTop, float radius, float tilt, float sc);

Path bicycle(Vec2 ground, float wheelRadius, bool facingRight);
Path cat(Vec2 ground, float size, bool sitting);

}  // namespace velko::art
