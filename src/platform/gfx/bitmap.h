#pragma once

// Pixel buffers owned by the program: a 32-bit colour bitmap and a one-bit monochrome bitmap.
// Every surface, work bitmap and loaded picture is one of these.

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

namespace velko::gfx {

// One colour pixel, 0x00RRGGBB. The top byte is always zero, so pixels compare with ==.
using Pixel = std::uint32_t;

constexpr Pixel kPixelMask = 0x00FFFFFFu;

constexpr Pixel rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}
constexpr std::uint8_t red(Pixel p) {
    return static_cast<std::uint8_t>(p >> 16);
}
constexpr std::uint8_t green(Pixel p) {
    return static_cast<std::uint8_t>(p >> 8);
}
constexpr std::uint8_t blue(Pixel p) {
    return static_cast<std::uint8_t>(p);
}

// Scripts and the classic drawing calls speak in colour references: red in the low byte.
constexpr Pixel fromColorRef(std::uint32_t colorRef) {
    return rgb(static_cast<std::uint8_t>(colorRef), static_cast<std::uint8_t>(colorRef >> 8),
               static_cast<std::uint8_t>(colorRef >> 16));
}
constexpr std::uint32_t toColorRef(Pixel p) {
    return std::uint32_t{red(p)} | (std::uint32_t{green(p)} << 8) | (std::uint32_t{blue(p)} << 16);
}

constexpr Pixel kBlack = 0x000000;
constexpr Pixel kWhite = 0xFFFFFF;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Left/top inclusive, width/height in pixels. Empty when either size is zero or negative.
struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool empty() const { return w <= 0 || h <= 0; }
    int right() const { return x + w; }   // exclusive
    int bottom() const { return y + h; }  // exclusive
    bool contains(int px, int py) const {
        return px >= x && py >= y && px < right() && py < bottom();
    }
    Rect intersected(const Rect& o) const;
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect Rect::intersected(const Rect& o) const {
    const int l = x > o.x ? x : o.x;
    const int t = y > o.y ? y : o.y;
    const int r = right() < o.right() ? right() : o.right();
    const int b = bottom() < o.bottom() ? bottom() : o.bottom();
    if (r <= l || b <= t) {
        return Rect{l, t, 0, 0};
    }
    return Rect{l, t, r - l, b - t};
}

// A 32-bit colour bitmap that owns its pixels, stored top-down, row by row without padding.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Pixel fill = kBlack)
        : width_(width > 0 ? width : 0),
          height_(height > 0 ? height : 0),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    Rect rect() const { return Rect{0, 0, width_, height_}; }

    Pixel at(int x, int y) const {
        assert(x >= 0 && y >= 0 && x < width_ && y < height_);
        return pixels_[index(x, y)];
    }
    void set(int x, int y, Pixel p) {
        assert(x >= 0 && y >= 0 && x < width_ && y < height_);
        pixels_[index(x, y)] = p & kPixelMask;
    }

    std::span<Pixel> row(int y) {
        assert(y >= 0 && y < height_);
        return {pixels_.data() + index(0, y), static_cast<std::size_t>(width_)};
    }
    std::span<const Pixel> row(int y) const {
        assert(y >= 0 && y < height_);
        return {pixels_.data() + index(0, y), static_cast<std::size_t>(width_)};
    }

    std::span<Pixel> pixels() { return pixels_; }
    std::span<const Pixel> pixels() const { return pixels_; }

    void fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p & kPixelMask); }

    // Keeps the top-left part that still fits; new pixels take `fill`.
    void resize(int width, int height, Pixel fill = kBlack);

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

inline void Bitmap::resize(int width, int height, Pixel fill) {
    Bitmap grown(width, height, fill);
    const int w = width_ < grown.width_ ? width_ : grown.width_;
    const int h = height_ < grown.height_ ? height_ : grown.height_;
    for (int y = 0; y < h; ++y) {
        std::copy_n(row(y).begin(), w, grown.row(y).begin());
    }
    *this = std::move(grown);
}

// A one-bit bitmap, one byte a pixel holding 0 or 1. Monochrome work bitmaps are small
// (the transparent copy's mask), so clarity wins over packing.
class MonoBitmap {
public:
    MonoBitmap() = default;
    MonoBitmap(int width, int height, std::uint8_t fill = 0)
        : width_(width > 0 ? width : 0),
          height_(height > 0 ? height : 0),
          bits_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill & 1u) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rect rect() const { return Rect{0, 0, width_, height_}; }

    std::uint8_t at(int x, int y) const {
        assert(x >= 0 && y >= 0 && x < width_ && y < height_);
        return bits_[index(x, y)];
    }
    void set(int x, int y, std::uint8_t bit) {
        assert(x >= 0 && y >= 0 && x < width_ && y < height_);
        bits_[index(x, y)] = bit & 1u;
    }
    std::span<std::uint8_t> row(int y) {
        return {bits_.data() + index(0, y), static_cast<std::size_t>(width_)};
    }
    std::span<const std::uint8_t> row(int y) const {
        return {bits_.data() + index(0, y), static_cast<std::size_t>(width_)};
    }

    friend bool operator==(const MonoBitmap&, const MonoBitmap&) = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bits_;
};

}  // namespace velko::gfx
