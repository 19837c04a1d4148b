#pragma once

// Outlines to fill: contours of straight segments (curves are flattened as they are added).
// Every shape in the pictures, down to the letters, becomes one of these.

#include <functional>
#include <span>
#include <vector>

namespace velko::paint {

struct Vec2 {
    float x = 0;
    float y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float k) {
    return {a.x * k, a.y * k};
}
inline Vec2 lerp(Vec2 a, Vec2 b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// x' = a*x + b*y + c, y' = d*x + e*y + f.
struct Affine {
    float a = 1, b = 0, c = 0, d = 0, e = 1, f = 0;

    Vec2 apply(Vec2 p) const { return {a * p.x + b * p.y + c, d * p.x + e * p.y + f}; }
    static Affine translate(float x, float y) { return {1, 0, x, 0, 1, y}; }
    static Affine scale(float sx, float sy) { return {sx, 0, 0, 0, sy, 0}; }
    static Affine rotate(float radians);  // about the origin
    static Affine shearX(float k) { return {1, k, 0, 0, 1, 0}; }
    // this after other: apply other first.
    Affine then(const Affine& next) const;
};

struct Bounds {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty = true;
};

class Path {
public:
    Path& moveTo(Vec2 p);
    Path& lineTo(Vec2 p);
    Path& quadTo(Vec2 c, Vec2 p);
    Path& cubicTo(Vec2 c1, Vec2 c2, Vec2 p);
    Path& close();  // contours are closed anyway when filled; this starts a fresh one

    Path& moveTo(float x, float y) { return moveTo(Vec2{x, y}); }
    Path& lineTo(float x, float y) { return lineTo(Vec2{x, y}); }

    Path& addPolygon(std::span<const Vec2> points);
    Path& addRect(float x, float y, float w, float h);
    Path& addRoundRect(float x, float y, float w, float h, float radius);
    Path& addEllipse(float cx, float cy, float rx, float ry, float rotation = 0);
    Path& addCircle(float cx, float cy, float r) { return addEllipse(cx, cy, r, r); }
    Path& append(const Path& other);

    Path transformed(const Affine& t) const;
    Bounds bounds() const;
    bool empty() const;

    const std::vector<std::vector<Vec2>>& contours() const { return contours_; }

private:
    std::vector<Vec2>& current();
    std::vector<std::vector<Vec2>> contours_;
    bool open_ = false;
};

// The area covered by a pen of the given width drawn along the points, with round joins and
// caps. Contours are all wound the same way so the pieces unite under the non-zero rule.
Path strokePolyline(std::span<const Vec2> points, float width);

// As strokePolyline with the width changing along the line: widths[i] at points[i].
Path strokeTapered(std::span<const Vec2> points, std::span<const float> widths);

// Points along a quadratic or cubic curve, both ends included.
std::vector<Vec2> sampleQuad(Vec2 p0, Vec2 c, Vec2 p1, int segments);
std::vector<Vec2> sampleCubic(Vec2 p0, Vec2 c1, Vec2 c2, Vec2 p1, int segments);

// A smooth curve through every point (Catmull-Rom), `perSegment` points between each pair:
// organic outlines (people, hair, leaves) are given as a few key points.
std::vector<Vec2> smoothClosed(std::span<const Vec2> points, int perSegment);
std::vector<Vec2> smoothOpen(std::span<const Vec2> points, int perSegment);

// A hanging cable between two points: a catenary whose lowest point sags `sag` below the
// straight line at mid-span.
std::vector<Vec2> catenary(Vec2 a, Vec2 b, float sag, int segments);

}  // namespace velko::paint
