#pragma once

// Colours while painting are linear-ish floats in 0..1 (sRGB values, blended as they are:
// painters think in the numbers they see). Pixels on the canvas are premultiplied RGBA.

#include <algorithm>
#include <cstdint>

namespace velko::paint {

struct Rgb {
    float r = 0;
    float g = 0;
    float b = 0;
};

// 0xRRGGBB, as colours are written in the scene sources.
constexpr Rgb hex(std::uint32_t v) {
    return Rgb{static_cast<float>((v >> 16) & 0xFF) / 255.0f,
               static_cast<float>((v >> 8) & 0xFF) / 255.0f, static_cast<float>(v & 0xFF) / 255.0f};
}

constexpr Rgb mix(Rgb a, Rgb b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

constexpr Rgb scale(Rgb c, float k) {
    return Rgb{c.r * k, c.g * k, c.b * k};
}

constexpr Rgb add(Rgb a, Rgb b) {
    return Rgb{a.r + b.r, a.g + b.g, a.b + b.b};
}

constexpr Rgb multiply(Rgb a, Rgb b) {
    return Rgb{a.r * b.r, a.g * b.g, a.b * b.b};
}

inline float luminance(Rgb c) {
    return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}

// Premultiplied colour with coverage: what layers hold.
struct Rgba {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;
};

constexpr Rgba opaque(Rgb c, float alpha = 1.0f) {
    return Rgba{c.r * alpha, c.g * alpha, c.b * alpha, alpha};
}

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// Smooth 0..1 step between edge0 and edge1.
inline float smoothstep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// A colour ramp: stops at increasing positions, linear between them, clamped at the ends.
struct Stop {
    float at;
    Rgb color;
};

template <typename Stops>
Rgb ramp(const Stops& stops, float t) {
    auto it = std::begin(stops);
    const auto end = std::end(stops);
    if (t <= it->at) {
        return it->color;
    }
    for (auto next = std::next(it); next != end; ++it, ++next) {
        if (t <= next->at) {
            const float span = next->at - it->at;
            return mix(it->color, next->color, span > 0 ? (t - it->at) / span : 1.0f);
        }
    }
    return it->color;
}

}  // namespace velko::paint
