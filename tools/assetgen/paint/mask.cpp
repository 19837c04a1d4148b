#include "paint/mask.h"

#include <algorithm>
#include <cmath>

namespace velko::paint {

namespace {

constexpr int kSub = 16;

struct Edge {
    float x0, y0, x1, y1;
    int dir;  // +1 downwards, -1 upwards
};

// Adds `w` of coverage over [xa, xb) of one row, with partial end pixels.
void addSpan(std::vector<float>& acc, int width, float xa, float xb, float w) {
    xa = std::max(xa, 0.0f);
    xb = std::min(xb, static_cast<float>(width));
    if (xb <= xa) {
        return;
    }
    const int ia = static_cast<int>(xa);
    const int ib = static_cast<int>(xb);
    if (ia == ib) {
        acc[static_cast<std::size_t>(ia)] += (xb - xa) * w;
        return;
    }
    acc[static_cast<std::size_t>(ia)] += (static_cast<float>(ia + 1) - xa) * w;
    for (int x = ia + 1; x < ib; ++x) {
        acc[static_cast<std::size_t>(x)] += w;
    }
    if (ib < width) {
        acc[static_cast<std::size_t>(ib)] += (xb - static_cast<float>(ib)) * w;
    }
}

void boxPass(const std::vector<float>& in, std::vector<float>& out, int w, int h, int r,
             bool horizontal) {
    const int len = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    const float inv = 1.0f / static_cast<float>(2 * r + 1);
    for (int l = 0; l < lines; ++l) {
        auto idx = [&](int i) {
            return static_cast<std::size_t>(horizontal ? l * w + i : i * w + l);
        };
        auto get = [&](int i) { return (i < 0 || i >= len) ? 0.0f : in[idx(i)]; };
        // A running sum in double keeps rounding identical however long the line is.
        double sum = 0;
        for (int i = -r; i <= r; ++i) {
            sum += get(i);
        }
        for (int i = 0; i < len; ++i) {
            out[idx(i)] = static_cast<float>(sum) * inv;
            sum += get(i + r + 1) - get(i - r);
        }
    }
}

}  // namespace

Mask Mask::padded(int margin) const {
    Mask out(Box{box_.x - margin, box_.y - margin, box_.w + 2 * margin, box_.h + 2 * margin});
    for (int y = 0; y < box_.h; ++y) {
        for (int x = 0; x < box_.w; ++x) {
            out.local(x + margin, y + margin) = local(x, y);
        }
    }
    return out;
}

Mask Mask::blurred(float radius) const {
    if (radius <= 0.0f || empty()) {
        return *this;
    }
    // Three box passes of width 2r+1 approximate a Gaussian of sigma ~ radius / 1.7.
    const int r = std::max(1, static_cast<int>(std::lround(radius * 0.58f)));
    Mask out = padded(3 * r + 1);
    std::vector<float> tmp(out.v_.size());
    const int w = out.box_.w;
    const int h = out.box_.h;
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(out.v_, tmp, w, h, r, true);
        boxPass(tmp, out.v_, w, h, r, false);
    }
    return out;
}

Mask Mask::dilated(float radius) const {
    const int r = static_cast<int>(std::ceil(radius));
    Mask src = padded(r + 1);
    Mask out(src.box_);
    const int w = src.box_.w;
    const int h = src.box_.h;
    // Disc kernel with a soft rim so dilated edges stay anti-aliased.
    struct Tap {
        int dx, dy;
        float weight;
    };
    std::vector<Tap> taps;
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            const float wgt = std::clamp(radius + 0.5f - d, 0.0f, 1.0f);
            if (wgt > 0) {
                taps.push_back({dx, dy, wgt});
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float m = 0;
            for (const Tap& t : taps) {
                const int sx = x + t.dx;
                const int sy = y + t.dy;
                if (sx >= 0 && sy >= 0 && sx < w && sy < h) {
                    m = std::max(m, src.local(sx, sy) * t.weight);
                }
            }
            out.local(x, y) = m;
        }
    }
    return out;
}

void Mask::threshold(float at) {
    for (float& v : v_) {
        v = v >= at ? 1.0f : 0.0f;
    }
}

void Mask::scale(float k) {
    for (float& v : v_) {
        v = std::clamp(v * k, 0.0f, 1.0f);
    }
}

void Mask::unite(const Mask& other) {
    for (int y = 0; y < box_.h; ++y) {
        for (int x = 0; x < box_.w; ++x) {
            float& v = local(x, y);
            v = std::max(v, other.at(x + box_.x, y + box_.y));
        }
    }
}

void Mask::subtract(const Mask& other) {
    for (int y = 0; y < box_.h; ++y) {
        for (int x = 0; x < box_.w; ++x) {
            local(x, y) *= 1.0f - other.at(x + box_.x, y + box_.y);
        }
    }
}

void Mask::intersect(const Mask& other) {
    for (int y = 0; y < box_.h; ++y) {
        for (int x = 0; x < box_.w; ++x) {
            local(x, y) *= other.at(x + box_.x, y + box_.y);
        }
    }
}

Mask rasterize(const Path& input, Box clip, FillRule rule) {
    // A point computed from a bad number (a power of a slightly negative sine) would poison
    // the bounds and every edge it touches; such points are left out.
    bool finite = true;
    for (const auto& contour : input.contours()) {
        for (const Vec2 p : contour) {
            finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
        }
    }
    Path cleaned;
    if (!finite) {
        for (const auto& contour : input.contours()) {
            std::vector<Vec2> pts;
            for (const Vec2 p : contour) {
                if (std::isfinite(p.x) && std::isfinite(p.y)) {
                    pts.push_back(p);
                }
            }
            cleaned.addPolygon(pts);
        }
    }
    const Path& path = finite ? input : cleaned;
    const Bounds b = path.bounds();
    if (b.empty || clip.empty()) {
        return Mask{};
    }
    const int bx0 = std::max(clip.x, static_cast<int>(std::floor(b.x0)));
    const int by0 = std::max(clip.y, static_cast<int>(std::floor(b.y0)));
    const int bx1 = std::min(clip.x + clip.w, static_cast<int>(std::ceil(b.x1)) + 1);
    const int by1 = std::min(clip.y + clip.h, static_cast<int>(std::ceil(b.y1)) + 1);
    if (bx1 <= bx0 || by1 <= by0) {
        return Mask{};
    }
    Mask out(Box{bx0, by0, bx1 - bx0, by1 - by0});

    std::vector<Edge> edges;
    for (const auto& c : path.contours()) {
        if (c.size() < 2) {
            continue;
        }
        for (std::size_t i = 0; i < c.size(); ++i) {
            const Vec2 p = c[i];
            const Vec2 q = c[(i + 1) % c.size()];
            if (p.y == q.y) {
                continue;
            }
            if (p.y < q.y) {
                edges.push_back({p.x, p.y, q.x, q.y, 1});
            } else {
                edges.push_back({q.x, q.y, p.x, p.y, -1});
            }
        }
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& e) {
        return a.y0 < e.y0 || (a.y0 == e.y0 && (a.x0 < e.x0 || (a.x0 == e.x0 && a.x1 < e.x1)));
    });

    const int w = out.box().w;
    std::vector<float> acc(static_cast<std::size_t>(w));
    std::vector<std::size_t> active;
    std::size_t nextEdge = 0;
    struct Crossing {
        float x;
        int dir;
    };
    std::vector<Crossing> xs;
    const float weight = 1.0f / kSub;
    for (int y = by0; y < by1; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (int s = 0; s < kSub; ++s) {
            const float sy = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) / kSub;
            while (nextEdge < edges.size() && edges[nextEdge].y0 <= sy) {
                active.push_back(nextEdge++);
            }
            xs.clear();
            std::size_t keep = 0;
            for (std::size_t k = 0; k < active.size(); ++k) {
                const Edge& e = edges[active[k]];
                if (e.y1 <= sy) {
                    continue;  // finished: dropped from the active list
                }
                active[keep++] = active[k];
                if (e.y0 <= sy) {
                    const float t = (sy - e.y0) / (e.y1 - e.y0);
                    xs.push_back({e.x0 + (e.x1 - e.x0) * t - static_cast<float>(bx0), e.dir});
                }
            }
            active.resize(keep);
            const auto before = [](const Crossing& a, const Crossing& c) {
                return a.x < c.x || (a.x == c.x && a.dir < c.dir);
            };
            if (xs.size() <= 24) {
                // Most scanlines cross a few edges: insertion sort beats the general one.
                for (std::size_t k = 1; k < xs.size(); ++k) {
                    const Crossing v = xs[k];
                    std::size_t j = k;
                    for (; j > 0 && before(v, xs[j - 1]); --j) {
                        xs[j] = xs[j - 1];
                    }
                    xs[j] = v;
                }
            } else {
                std::sort(xs.begin(), xs.end(), before);
            }
            int winding = 0;
            for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
                winding += xs[k].dir;
                const bool inside = rule == FillRule::NonZero ? winding != 0 : (winding & 1) != 0;
                if (inside) {
                    addSpan(acc, w, xs[k].x, xs[k + 1].x, weight);
                }
            }
        }
        for (int x = 0; x < w; ++x) {
            out.local(x, y - by0) = std::min(acc[static_cast<std::size_t>(x)], 1.0f);
        }
    }
    return out;
}

}  // namespace velko::paint
