#pragma once

// Coverage in 0..1 over a rectangle of the canvas: what a filled shape, a letter or a soft
// blob leaves behind. Only the shape's bounding box is stored, so thousands of raindrops stay
// cheap.

#include <vector>

#include "paint/path.h"

namespace velko::paint {

enum class FillRule { NonZero, EvenOdd };

struct Box {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

class Mask {
public:
    Mask() = default;
    Mask(Box box)
        : box_(box),
          v_(static_cast<std::size_t>(box.w > 0 && box.h > 0 ? box.w * box.h : 0), 0.0f) {}

    const Box& box() const { return box_; }
    bool empty() const { return v_.empty(); }

    // Canvas coordinates; zero outside the box.
    float at(int x, int y) const {
        x -= box_.x;
        y -= box_.y;
        if (x < 0 || y < 0 || x >= box_.w || y >= box_.h) {
            return 0.0f;
        }
        return v_[static_cast<std::size_t>(y * box_.w + x)];
    }
    float& local(int lx, int ly) { return v_[static_cast<std::size_t>(ly * box_.w + lx)]; }
    float local(int lx, int ly) const { return v_[static_cast<std::size_t>(ly * box_.w + lx)]; }

    // A copy grown by `margin` pixels on every side (room for blurs and outlines).
    Mask padded(int margin) const;
    // Gaussian-like blur of the given radius (three box passes); the box grows to hold it.
    Mask blurred(float radius) const;
    // Grows the shape by `radius` pixels (a round pen around it), for outlines.
    Mask dilated(float radius) const;
    // Every value becomes 0 or 1 at the threshold: hard edges where no blend is allowed.
    void threshold(float at);
    void scale(float k);
    // Union with another mask (max), inside this mask's box.
    void unite(const Mask& other);
    // Removes other's coverage from this one (multiply by 1 - other).
    void subtract(const Mask& other);
    // this * other.
    void intersect(const Mask& other);

private:
    Box box_;
    std::vector<float> v_;
};

// Fills the path into a mask with anti-aliased edges: exact horizontal coverage and sixteen
// sub-scanlines vertically. `clip` bounds the result (normally the canvas).
Mask rasterize(const Path& path, Box clip, FillRule rule = FillRule::NonZero);

}  // namespace velko::paint
