#pragma once

// The hundred steps of the 灯守坂 seen from below: the shared composition of the dusk scene,
// the title screen, the night of lanterns and the title menu's preview.

#include <cstdint>
#include <functional>

#include "paint/canvas.h"

namespace velko::art {

struct StairsMood {
    std::function<void(paint::Canvas&)> sky;  // paints the whole canvas; the rest covers it
    paint::Rgb stoneLight;                    // step faces
    paint::Rgb stoneTread;
    paint::Rgb moss;
    paint::Rgb bark;
    paint::Rgb barkLight;
    paint::Rgb forest;  // the wooded slopes behind
    paint::Rgb fog;     // colour of the air with distance
    float fogAmount = 0.5f;
    float mist = 0.3f;      // low mist among the lanterns
    float litShare = 0.3f;  // lanterns with a flame
    float lanternGlow = 1.0f;
    float wetness = 0.0f;
    paint::Rgb torii;       // vermilion as the light allows
    bool toriiLit = false;  // the top lantern glowing under the torii
    float shiftX = 0;       // moves the flight sideways (stage units)
    std::uint64_t seed = 1;
};

void paintStairs(paint::Canvas& c, const StairsMood& mood);

}  // namespace velko::art
