#pragma once

// The top of the steps: the torii close, from slightly below, framing the shrine grounds.
// Shared by the meeting in the rain, the ending's night, Seina's wallpaper and a preview.

#include <cstdint>
#include <string>

#include "paint/canvas.h"
#include "paint/outline_font.h"

namespace velko::art {

struct ToriiMood {
    bool night = false;  // false: rainy evening
    bool rain = true;
    bool girl = true;  // the silhouette with the umbrella
    bool fireflies = false;
    float mist = 0.2f;
    float shiftX = 0;  // stage units: moves the torii (room for a calendar)
    std::uint64_t seed = 1;
    // The shrine's name on the plaque between the beams; none if no face is given.
    const paint::OutlineFont* plaqueFont = nullptr;
    std::string plaque;
};

void paintToriiScene(paint::Canvas& c, const ToriiMood& mood);

// A mirrored, blurred copy of the picture above mirrorY, shown inside the puddle mask.
void reflect(paint::Canvas& c, float mirrorY, const paint::Mask& puddles, float strength,
             float blur);

}  // namespace velko::art
