#pragma once

// Our own generator and hashes: the pictures must come out byte for byte the same on every
// machine and library version, which the standard distributions do not promise.

#include <cstdint>

namespace velko::paint {

inline std::uint64_t mix64(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// SplitMix64: small, fast and good enough to scatter stars and raindrops.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        state_ += 0x9E3779B97F4A7C15ull;
        return mix64(state_);
    }
    // Uniform in [0, 1) with 24 bits, exact in a float.
    float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>((next() >> 33) % static_cast<std::uint64_t>(n)); }
    bool chance(float p) { return unit() < p; }
    // Roughly bell-shaped in [-1, 1]: the mean of three uniforms.
    float bell() { return (unit() + unit() + unit()) * (2.0f / 3.0f) - 1.0f; }

private:
    std::uint64_t state_;
};

// A hash of integer coordinates to [0, 1), for lattice noise.
inline float hash01(std::int32_t x, std::int32_t y, std::uint64_t seed) {
    const std::uint64_t h =
        mix64(seed ^ mix64((static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
                           static_cast<std::uint32_t>(y)));
    return static_cast<float>(h >> 40) * (1.0f / 16777216.0f);
}

}  // namespace velko::paint
