#include "paint/noise.h"

#include <cmath>

#include "paint/random.h"

namespace velko::paint {

namespace {

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

// One of eight unit-ish gradient directions picked by the lattice hash.
int gradIndex(std::int32_t ix, std::int32_t iy, std::uint64_t seed) {
    return static_cast<int>(hash01(ix, iy, seed) * 8.0f) & 7;
}

float gradDot(int h, float dx, float dy) {
    switch (h) {
        case 0:
            return dx + dy;
        case 1:
            return dx - dy;
        case 2:
            return -dx + dy;
        case 3:
            return -dx - dy;
        case 4:
            return 1.4142f * dx;
        case 5:
            return -1.4142f * dx;
        case 6:
            return 1.4142f * dy;
        default:
            return -1.4142f * dy;
    }
}

}  // namespace

float valueNoise(float x, float y, std::uint64_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const float tx = fade(x - fx);
    const float ty = fade(y - fy);
    const float a = lerp(hash01(ix, iy, seed), hash01(ix + 1, iy, seed), tx);
    const float b = lerp(hash01(ix, iy + 1, seed), hash01(ix + 1, iy + 1, seed), tx);
    return lerp(a, b, ty);
}

namespace {

// Neighbouring pixels fall in the same lattice cell, and fbm's octaves interleave: a small
// cache of the last cell seen for each seed saves hashing its corners again. It changes no
// result, only the time.
struct CellCache {
    struct Entry {
        std::int32_t ix = 0;
        std::int32_t iy = 0;
        std::uint64_t seed = 0;
        bool valid = false;
        int g[4] = {};
    };
    Entry entries[64];

    const int* corners(std::int32_t ix, std::int32_t iy, std::uint64_t seed) {
        Entry& e = entries[(seed ^ (seed >> 7) ^ (seed >> 13)) & 63];
        if (!e.valid || e.ix != ix || e.iy != iy || e.seed != seed) {
            e = {ix,
                 iy,
                 seed,
                 true,
                 {gradIndex(ix, iy, seed), gradIndex(ix + 1, iy, seed), gradIndex(ix, iy + 1, seed),
                  gradIndex(ix + 1, iy + 1, seed)}};
        }
        return e.g;
    }
};

}  // namespace

float gradientNoise(float x, float y, std::uint64_t seed) {
    thread_local CellCache cache;
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const float dx = x - fx;
    const float dy = y - fy;
    const float tx = fade(dx);
    const float ty = fade(dy);
    const int* g = cache.corners(ix, iy, seed);
    const float a = lerp(gradDot(g[0], dx, dy), gradDot(g[1], dx - 1, dy), tx);
    const float b = lerp(gradDot(g[2], dx, dy - 1), gradDot(g[3], dx - 1, dy - 1), tx);
    return lerp(a, b, ty);
}

float fbm(float x, float y, std::uint64_t seed, int octaves, float lacunarity, float gain) {
    float sum = 0;
    float amp = 1;
    float norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * gradientNoise(x, y, seed + static_cast<std::uint64_t>(i) * 1013);
        norm += amp;
        amp *= gain;
        x *= lacunarity;
        y *= lacunarity;
    }
    return norm > 0 ? sum / norm * 1.4f : 0.0f;
}

float ridged(float x, float y, std::uint64_t seed, int octaves) {
    float sum = 0;
    float amp = 0.5f;
    float norm = 0;
    for (int i = 0; i < octaves; ++i) {
        const float n =
            1.0f - std::fabs(gradientNoise(x, y, seed + static_cast<std::uint64_t>(i) * 7919));
        sum += amp * n * n;
        norm += amp;
        amp *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
    }
    return sum / norm;
}

}  // namespace velko::paint
