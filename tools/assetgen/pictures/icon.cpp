#include "pictures/icon.h"

#include <algorithm>
#include <cmath>

namespace velko::art {

namespace {

// The square of BMP/ed04.bmp that holds the whole gate: both pillars, the lintel and the
// lamp, with the shrine between them.
constexpr const char* kSource = "BMP/ed04.bmp";
constexpr int kCutX = 40;
constexpr int kCutY = 0;
constexpr int kCutSide = 480;
constexpr float kLift = 0.6f;  // a gamma below 1 brightens the dark parts most
constexpr float kGain = 1.1f;

}  // namespace

paint::Canvas paintIcon(Studio& studio, int size) {
    const paint::Canvas& source = studio.picture(kSource);
    paint::Canvas icon = source.crop(kCutX, kCutY, kCutSide, kCutSide).resized(size, size);
    // The night scene is dark for a panel or a menu: lift the shadows so the gate reads at
    // 16 pixels, and keep the lamp's highlight from clipping.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            paint::Rgba& p = icon.ref(x, y);
            for (float* c : {&p.r, &p.g, &p.b}) {
                *c = std::min(1.0f, std::pow(std::max(*c, 0.0f), kLift) * kGain);
            }
        }
    }
    return icon;
}

}  // namespace velko::art
