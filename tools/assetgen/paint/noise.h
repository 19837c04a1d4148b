#pragma once

// Seeded lattice noise for clouds, hills, bark and paper.

#include <cstdint>

namespace velko::paint {

// Value noise in [0, 1), smooth between lattice points.
float valueNoise(float x, float y, std::uint64_t seed);

// Gradient (Perlin-style) noise, roughly in [-1, 1].
float gradientNoise(float x, float y, std::uint64_t seed);

// Sum of octaves of gradient noise, normalised to about [-1, 1].
float fbm(float x, float y, std::uint64_t seed, int octaves, float lacunarity = 2.0f,
          float gain = 0.5f);

// fbm remapped to [0, 1].
inline float fbm01(float x, float y, std::uint64_t seed, int octaves) {
    return 0.5f + 0.5f * fbm(x, y, seed, octaves);
}

// Ridged octaves: sharp crests, for mountain outlines and cracks.
float ridged(float x, float y, std::uint64_t seed, int octaves);

}  // namespace velko::paint
