#include "paint/path.h"

#include <algorithm>
#include <cmath>

namespace velko::paint {

namespace {

constexpr float kPi = 3.14159265358979f;

float signedArea(const std::vector<Vec2>& c) {
    float a = 0;
    for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
        a += (c[j].x * c[i].y - c[i].x * c[j].y);
    }
    return a * 0.5f;
}

// Round pieces need enough sides to look round at their size.
int circleSegments(float r) {
    return std::clamp(static_cast<int>(r * 2.2f) + 8, 8, 96);
}

void addOriented(Path& path, std::vector<Vec2> pts) {
    if (pts.size() < 3) {
        return;
    }
    if (signedArea(pts) < 0) {
        std::reverse(pts.begin(), pts.end());
    }
    path.addPolygon(pts);
}

}  // namespace

Affine Affine::rotate(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return {c, -s, 0, s, c, 0};
}

Affine Affine::then(const Affine& n) const {
    return {n.a * a + n.b * d, n.a * b + n.b * e, n.a * c + n.b * f + n.c,
            n.d * a + n.e * d, n.d * b + n.e * e, n.d * c + n.e * f + n.f};
}

std::vector<Vec2>& Path::current() {
    if (!open_ || contours_.empty()) {
        contours_.emplace_back();
        open_ = true;
    }
    return contours_.back();
}

Path& Path::moveTo(Vec2 p) {
    contours_.emplace_back();
    contours_.back().push_back(p);
    open_ = true;
    return *this;
}

Path& Path::lineTo(Vec2 p) {
    current().push_back(p);
    return *this;
}

Path& Path::quadTo(Vec2 c, Vec2 p) {
    auto& cur = current();
    const Vec2 p0 = cur.empty() ? c : cur.back();
    const float len = std::hypot(c.x - p0.x, c.y - p0.y) + std::hypot(p.x - c.x, p.y - c.y);
    const int n = std::clamp(static_cast<int>(len / 3.0f), 4, 64);
    const auto pts = sampleQuad(p0, c, p, n);
    cur.insert(cur.end(), pts.begin() + 1, pts.end());
    return *this;
}

Path& Path::cubicTo(Vec2 c1, Vec2 c2, Vec2 p) {
    auto& cur = current();
    const Vec2 p0 = cur.empty() ? c1 : cur.back();
    const float len = std::hypot(c1.x - p0.x, c1.y - p0.y) + std::hypot(c2.x - c1.x, c2.y - c1.y) +
                      std::hypot(p.x - c2.x, p.y - c2.y);
    const int n = std::clamp(static_cast<int>(len / 3.0f), 4, 96);
    const auto pts = sampleCubic(p0, c1, c2, p, n);
    cur.insert(cur.end(), pts.begin() + 1, pts.end());
    return *this;
}

Path& Path::close() {
    open_ = false;
    return *this;
}

Path& Path::addPolygon(std::span<const Vec2> points) {
    contours_.emplace_back(points.begin(), points.end());
    open_ = false;
    return *this;
}

Path& Path::addRect(float x, float y, float w, float h) {
    const Vec2 pts[] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    return addPolygon(pts);
}

Path& Path::addRoundRect(float x, float y, float w, float h, float r) {
    r = std::min({r, w * 0.5f, h * 0.5f});
    std::vector<Vec2> pts;
    const int n = std::max(3, circleSegments(r) / 4);
    const Vec2 centres[] = {
        {x + w - r, y + r}, {x + w - r, y + h - r}, {x + r, y + h - r}, {x + r, y + r}};
    for (int corner = 0; corner < 4; ++corner) {
        for (int i = 0; i <= n; ++i) {
            const float ang = (static_cast<float>(corner) - 1.0f +
                               static_cast<float>(i) / static_cast<float>(n)) *
                              kPi * 0.5f;
            pts.push_back(
                {centres[corner].x + r * std::cos(ang), centres[corner].y + r * std::sin(ang)});
        }
    }
    return addPolygon(pts);
}

Path& Path::addEllipse(float cx, float cy, float rx, float ry, float rotation) {
    const int n = circleSegments(std::max(rx, ry));
    std::vector<Vec2> pts;
    pts.reserve(static_cast<std::size_t>(n));
    const float c = std::cos(rotation);
    const float s = std::sin(rotation);
    for (int i = 0; i < n; ++i) {
        const float ang = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(n);
        const float x = rx * std::cos(ang);
        const float y = ry * std::sin(ang);
        pts.push_back({cx + x * c - y * s, cy + x * s + y * c});
    }
    return addPolygon(pts);
}

Path& Path::append(const Path& other) {
    contours_.insert(contours_.end(), other.contours_.begin(), other.contours_.end());
    open_ = false;
    return *this;
}

Path Path::transformed(const Affine& t) const {
    Path out;
    for (const auto& c : contours_) {
        std::vector<Vec2> pts;
        pts.reserve(c.size());
        for (const Vec2 p : c) {
            pts.push_back(t.apply(p));
        }
        out.contours_.push_back(std::move(pts));
    }
    return out;
}

Bounds Path::bounds() const {
    Bounds b;
    for (const auto& c : contours_) {
        for (const Vec2 p : c) {
            if (b.empty) {
                b = {p.x, p.y, p.x, p.y, false};
            } else {
                b.x0 = std::min(b.x0, p.x);
                b.y0 = std::min(b.y0, p.y);
                b.x1 = std::max(b.x1, p.x);
                b.y1 = std::max(b.y1, p.y);
            }
        }
    }
    return b;
}

bool Path::empty() const {
    return std::all_of(contours_.begin(), contours_.end(),
                       [](const auto& c) { return c.size() < 3; });
}

Path strokePolyline(std::span<const Vec2> points, float width) {
    std::vector<float> widths(points.size(), width);
    return strokeTapered(points, widths);
}

Path strokeTapered(std::span<const Vec2> points, std::span<const float> widths) {
    Path out;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const float r = widths[i] * 0.5f;
        if (r > 0.35f) {
            std::vector<Vec2> circle;
            const int n = circleSegments(r);
            for (int k = 0; k < n; ++k) {
                const float ang = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(n);
                circle.push_back(
                    {points[i].x + r * std::cos(ang), points[i].y + r * std::sin(ang)});
            }
            addOriented(out, std::move(circle));
        }
        if (i + 1 == points.size()) {
            break;
        }
        const Vec2 a = points[i];
        const Vec2 b = points[i + 1];
        const float len = std::hypot(b.x - a.x, b.y - a.y);
        if (len <= 1e-6f) {
            continue;
        }
        const Vec2 n{-(b.y - a.y) / len, (b.x - a.x) / len};
        const float ra = widths[i] * 0.5f;
        const float rb = widths[i + 1] * 0.5f;
        addOriented(out, {a + n * ra, b + n * rb, b - n * rb, a - n * ra});
    }
    return out;
}

std::vector<Vec2> sampleQuad(Vec2 p0, Vec2 c, Vec2 p1, int segments) {
    std::vector<Vec2> pts;
    for (int i = 0; i <= segments; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(segments);
        pts.push_back(lerp(lerp(p0, c, t), lerp(c, p1, t), t));
    }
    return pts;
}

std::vector<Vec2> sampleCubic(Vec2 p0, Vec2 c1, Vec2 c2, Vec2 p1, int segments) {
    std::vector<Vec2> pts;
    for (int i = 0; i <= segments; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(segments);
        const Vec2 a = lerp(p0, c1, t);
        const Vec2 b = lerp(c1, c2, t);
        const Vec2 c = lerp(c2, p1, t);
        pts.push_back(lerp(lerp(a, b, t), lerp(b, c, t), t));
    }
    return pts;
}

namespace {

Vec2 catmullRom(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, float t) {
    const float t2 = t * t;
    const float t3 = t2 * t;
    auto axis = [&](float a, float b, float c, float d) {
        return 0.5f * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                       (3 * b - a - 3 * c + d) * t3);
    };
    return {axis(p0.x, p1.x, p2.x, p3.x), axis(p0.y, p1.y, p2.y, p3.y)};
}

}  // namespace

std::vector<Vec2> smoothClosed(std::span<const Vec2> pts, int perSegment) {
    std::vector<Vec2> out;
    const std::size_t n = pts.size();
    if (n < 3) {
        return {pts.begin(), pts.end()};
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 p0 = pts[(i + n - 1) % n];
        const Vec2 p1 = pts[i];
        const Vec2 p2 = pts[(i + 1) % n];
        const Vec2 p3 = pts[(i + 2) % n];
        for (int k = 0; k < perSegment; ++k) {
            out.push_back(catmullRom(p0, p1, p2, p3, static_cast<float>(k) / perSegment));
        }
    }
    return out;
}

std::vector<Vec2> smoothOpen(std::span<const Vec2> pts, int perSegment) {
    std::vector<Vec2> out;
    const std::size_t n = pts.size();
    if (n < 3) {
        return {pts.begin(), pts.end()};
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        // The ends are mirrored so the curve leaves them along the first and last segments.
        const Vec2 p0 = i == 0 ? pts[0] * 2.0f - pts[1] : pts[i - 1];
        const Vec2 p3 = i + 2 < n ? pts[i + 2] : pts[n - 1] * 2.0f - pts[n - 2];
        for (int k = 0; k < perSegment; ++k) {
            out.push_back(
                catmullRom(p0, pts[i], pts[i + 1], p3, static_cast<float>(k) / perSegment));
        }
    }
    out.push_back(pts[n - 1]);
    return out;
}

std::vector<Vec2> catenary(Vec2 a, Vec2 b, float sag, int segments) {
    // cosh-shaped dip normalised so that the dip is exactly `sag` at mid-span.
    constexpr float k = 2.0f;
    const float mid = std::cosh(k) - 1.0f;
    std::vector<Vec2> pts;
    for (int i = 0; i <= segments; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(segments);
        const float u = (t - 0.5f) * 2.0f;
        const float dip = (mid - (std::cosh(k * u) - 1.0f)) / mid;
        pts.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t + sag * dip});
    }
    return pts;
}

}  // namespace velko::paint
