#include "paint/canvas.h"

#include <algorithm>
#include <cmath>

namespace velko::paint {

namespace {

Rgba blendPixel(Rgba d, Rgb c, float a, Blend mode) {
    switch (mode) {
        case Blend::Normal:
            return Rgba{c.r * a + d.r * (1 - a), c.g * a + d.g * (1 - a), c.b * a + d.b * (1 - a),
                        a + d.a * (1 - a)};
        case Blend::Add:
            return Rgba{d.r + c.r * a, d.g + c.g * a, d.b + c.b * a,
                        std::min(1.0f, d.a + a * luminance(c))};
        case Blend::Multiply:
            return Rgba{d.r * (1 - a + a * c.r), d.g * (1 - a + a * c.g), d.b * (1 - a + a * c.b),
                        d.a};
        case Blend::Screen:
            return Rgba{d.r + (c.r * a) * (1 - d.r), d.g + (c.g * a) * (1 - d.g),
                        d.b + (c.b * a) * (1 - d.b), d.a + a * (1 - d.a)};
    }
    return d;
}

void boxLine(const Rgba* in, Rgba* out, int len, int stride, int r) {
    double sr = 0, sg = 0, sb = 0, sa = 0;
    auto get = [&](int i) {
        return (i < 0 || i >= len) ? Rgba{} : in[static_cast<std::ptrdiff_t>(i) * stride];
    };
    for (int i = -r; i <= r; ++i) {
        const Rgba p = get(i);
        sr += p.r;
        sg += p.g;
        sb += p.b;
        sa += p.a;
    }
    const double inv = 1.0 / (2 * r + 1);
    for (int i = 0; i < len; ++i) {
        out[static_cast<std::ptrdiff_t>(i) * stride] =
            Rgba{static_cast<float>(sr * inv), static_cast<float>(sg * inv),
                 static_cast<float>(sb * inv), static_cast<float>(sa * inv)};
        const Rgba add = get(i + r + 1);
        const Rgba sub = get(i - r);
        sr += add.r - sub.r;
        sg += add.g - sub.g;
        sb += add.b - sub.b;
        sa += add.a - sub.a;
    }
}

// 4x4 Bayer matrix, centred: offsets in -0.5..0.5 of one 8-bit step.
constexpr float kBayer[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};

std::uint8_t quantise(float v, float offset) {
    const float s = std::clamp(v, 0.0f, 1.0f) * 255.0f + offset;
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::floor(s + 0.5f)), 0, 255));
}

}  // namespace

void Canvas::clear(Rgba c) {
    std::fill(px_.begin(), px_.end(), c);
}

void Canvas::shade(const Shader& s) {
    for (int y = 0; y < h_; ++y) {
        for (int x = 0; x < w_; ++x) {
            ref(x, y) = opaque(s(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
        }
    }
}

template <typename ColorAt>
void Canvas::fillWith(const Mask& m, float opacity, Blend mode, ColorAt colorAt) {
    const Box b = m.box();
    const int x0 = std::max(0, b.x);
    const int y0 = std::max(0, b.y);
    const int x1 = std::min(w_, b.x + b.w);
    const int y1 = std::min(h_, b.y + b.h);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float a = m.local(x - b.x, y - b.y) * opacity;
            if (a <= 0.0f) {
                continue;
            }
            Rgba& d = ref(x, y);
            d = blendPixel(d, colorAt(x, y), std::min(a, 1.0f), mode);
        }
    }
}

void Canvas::fill(const Mask& m, Rgb color, float opacity, Blend mode) {
    fillWith(m, opacity, mode, [&](int, int) { return color; });
}

void Canvas::fill(const Mask& m, const Shader& s, float opacity, Blend mode) {
    fillWith(m, opacity, mode, [&](int x, int y) {
        return s(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
    });
}

void Canvas::fill(const Path& p, Rgb color, float opacity, Blend mode, FillRule rule) {
    fill(rasterize(p, box(), rule), color, opacity, mode);
}

void Canvas::fill(const Path& p, const Shader& s, float opacity, Blend mode, FillRule rule) {
    fill(rasterize(p, box(), rule), s, opacity, mode);
}

void Canvas::composite(const Canvas& layer, float opacity, Blend mode) {
    const int w = std::min(w_, layer.w_);
    const int h = std::min(h_, layer.h_);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgba s = layer.at(x, y);
            if (s.a <= 0.0f && mode != Blend::Add) {
                continue;
            }
            Rgba& d = ref(x, y);
            if (mode == Blend::Normal) {
                const float k = 1.0f - s.a * opacity;
                d = Rgba{s.r * opacity + d.r * k, s.g * opacity + d.g * k, s.b * opacity + d.b * k,
                         s.a * opacity + d.a * k};
            } else if (mode == Blend::Add) {
                d = Rgba{d.r + s.r * opacity, d.g + s.g * opacity, d.b + s.b * opacity, d.a};
            } else {
                // Multiply and screen use the layer's unpremultiplied colour.
                const Rgb c{s.r / s.a, s.g / s.a, s.b / s.a};
                d = blendPixel(d, c, s.a * opacity, mode);
            }
        }
    }
}

void Canvas::tint(Rgb color, const std::function<float(float, float)>& amount) {
    for (int y = 0; y < h_; ++y) {
        for (int x = 0; x < w_; ++x) {
            const float t =
                clamp01(amount(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
            if (t <= 0.0f) {
                continue;
            }
            Rgba& d = ref(x, y);
            d = Rgba{d.r + (color.r * d.a - d.r) * t, d.g + (color.g * d.a - d.g) * t,
                     d.b + (color.b * d.a - d.b) * t, d.a};
        }
    }
}

Canvas Canvas::blurred(float radius) const {
    Canvas out = *this;
    if (radius <= 0.0f) {
        return out;
    }
    const int r = std::max(1, static_cast<int>(std::lround(radius * 0.58f)));
    Canvas tmp(w_, h_);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h_; ++y) {
            boxLine(&out.px_[static_cast<std::size_t>(y * w_)],
                    &tmp.px_[static_cast<std::size_t>(y * w_)], w_, 1, r);
        }
        for (int x = 0; x < w_; ++x) {
            boxLine(&tmp.px_[static_cast<std::size_t>(x)], &out.px_[static_cast<std::size_t>(x)],
                    h_, w_, r);
        }
    }
    return out;
}

Canvas Canvas::resized(int width, int height) const {
    Canvas out(width, height);
    const double sx = static_cast<double>(w_) / width;
    const double sy = static_cast<double>(h_) / height;
    for (int y = 0; y < height; ++y) {
        const double fy0 = y * sy;
        const double fy1 = (y + 1) * sy;
        for (int x = 0; x < width; ++x) {
            const double fx0 = x * sx;
            const double fx1 = (x + 1) * sx;
            double r = 0, g = 0, b = 0, a = 0, wsum = 0;
            for (int yy = static_cast<int>(fy0);
                 yy < std::min(h_, static_cast<int>(std::ceil(fy1))); ++yy) {
                const double wy = std::min<double>(yy + 1, fy1) - std::max<double>(yy, fy0);
                for (int xx = static_cast<int>(fx0);
                     xx < std::min(w_, static_cast<int>(std::ceil(fx1))); ++xx) {
                    const double wx = std::min<double>(xx + 1, fx1) - std::max<double>(xx, fx0);
                    const double wgt = wx * wy;
                    const Rgba p = at(xx, yy);
                    r += p.r * wgt;
                    g += p.g * wgt;
                    b += p.b * wgt;
                    a += p.a * wgt;
                    wsum += wgt;
                }
            }
            out.ref(x, y) = Rgba{static_cast<float>(r / wsum), static_cast<float>(g / wsum),
                                 static_cast<float>(b / wsum), static_cast<float>(a / wsum)};
        }
    }
    return out;
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            const int sx = x + xx;
            const int sy = y + yy;
            if (sx >= 0 && sy >= 0 && sx < w_ && sy < h_) {
                out.ref(xx, yy) = at(sx, sy);
            }
        }
    }
    return out;
}

void Canvas::place(const Canvas& src, int x, int y) {
    for (int yy = 0; yy < src.h_; ++yy) {
        for (int xx = 0; xx < src.w_; ++xx) {
            const int dx = x + xx;
            const int dy = y + yy;
            if (dx >= 0 && dy >= 0 && dx < w_ && dy < h_) {
                ref(dx, dy) = src.at(xx, yy);
            }
        }
    }
}

Mask Canvas::alphaMask() const {
    Mask m(box());
    for (int y = 0; y < h_; ++y) {
        for (int x = 0; x < w_; ++x) {
            m.local(x, y) = clamp01(at(x, y).a);
        }
    }
    return m;
}

gfx::Bitmap Canvas::toBitmap(bool dither) const {
    gfx::Bitmap out(w_, h_);
    for (int y = 0; y < h_; ++y) {
        auto row = out.row(y);
        for (int x = 0; x < w_; ++x) {
            const Rgba p = at(x, y);
            // Unpainted (transparent) pixels come out black, as on a fresh surface.
            const float off = dither ? (kBayer[(y & 3) * 4 + (x & 3)] + 0.5f) / 16.0f - 0.5f : 0.0f;
            row[static_cast<std::size_t>(x)] =
                gfx::rgb(quantise(p.r, off), quantise(p.g, off), quantise(p.b, off));
        }
    }
    return out;
}

Canvas Canvas::fromBitmap(const gfx::Bitmap& b) {
    Canvas out(b.width(), b.height());
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            const gfx::Pixel p = b.at(x, y);
            out.ref(x, y) =
                Rgba{gfx::red(p) / 255.0f, gfx::green(p) / 255.0f, gfx::blue(p) / 255.0f, 1.0f};
        }
    }
    return out;
}

Shader linearGradient(Vec2 from, Vec2 to, std::vector<Stop> stops) {
    const Vec2 d = to - from;
    const float len2 = d.x * d.x + d.y * d.y;
    return [from, d, len2, stops = std::move(stops)](float x, float y) {
        const float t = len2 > 0 ? ((x - from.x) * d.x + (y - from.y) * d.y) / len2 : 0.0f;
        return ramp(stops, t);
    };
}

Shader radialGradient(Vec2 centre, float rx, float ry, std::vector<Stop> stops) {
    return [centre, rx, ry, stops = std::move(stops)](float x, float y) {
        const float dx = (x - centre.x) / rx;
        const float dy = (y - centre.y) / ry;
        return ramp(stops, std::sqrt(dx * dx + dy * dy));
    };
}

}  // namespace velko::paint
