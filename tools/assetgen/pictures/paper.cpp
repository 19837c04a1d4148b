#include "pictures/paper.h"

#include <cmath>

#include "paint/noise.h"
#include "paint/random.h"

namespace velko::art {

using namespace paint;

void washi(Canvas& c, Rgb ground, std::uint64_t seed) {
    const float s = static_cast<float>(c.height()) / 480.0f;
    c.shade([&](float x, float y) {
        const float mottle = fbm01(x / (60 * s), y / (60 * s), seed, 4);
        const float fine = valueNoise(x / (1.5f * s), y / (1.5f * s), seed + 1);
        return scale(ground, 0.95f + 0.06f * mottle + 0.025f * fine);
    });
    // Fibres: short pale and dark curls laid in every direction.
    Rng rng(seed + 2);
    const int count = static_cast<int>(static_cast<float>(c.width() * c.height()) / 900.0f);
    for (int i = 0; i < count; ++i) {
        const float x = rng.unit() * static_cast<float>(c.width());
        const float y = rng.unit() * static_cast<float>(c.height());
        const float a = rng.range(0.0f, 6.2832f);
        const float len = rng.range(4.0f, 16.0f) * s;
        const auto pts = sampleQuad(
            {x, y},
            {x + std::cos(a) * len * 0.5f + rng.range(-3, 3) * s, y + std::sin(a) * len * 0.5f},
            {x + std::cos(a) * len, y + std::sin(a) * len}, 6);
        const bool light = rng.chance(0.6f);
        c.fill(strokePolyline(pts, 0.6f * s), light ? hex(0xFFFFFF) : scale(ground, 0.75f),
               light ? 0.5f : 0.25f);
    }
}

}  // namespace velko::art
