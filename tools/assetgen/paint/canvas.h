#pragma once

// The painting surface: premultiplied RGBA floats. A picture is one canvas; a layer is another
// canvas painted separately (transparent where nothing was drawn) and composited, which is how
// haze, glows and depth are built up.

#include <functional>
#include <vector>

#include "paint/color.h"
#include "paint/mask.h"
#include "platform/gfx/bitmap.h"

namespace velko::paint {

enum class Blend {
    Normal,    // paint over
    Add,       // light: lanterns, glows, sun haze
    Multiply,  // shade: shadows, tints
    Screen,    // soft light that never exceeds white
};

// Colour at a point of the canvas, for gradients and textures.
using Shader = std::function<Rgb(float x, float y)>;

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height)
        : w_(width), h_(height), px_(static_cast<std::size_t>(width * height)) {}

    int width() const { return w_; }
    int height() const { return h_; }
    Box box() const { return Box{0, 0, w_, h_}; }

    Rgba at(int x, int y) const { return px_[static_cast<std::size_t>(y * w_ + x)]; }
    Rgba& ref(int x, int y) { return px_[static_cast<std::size_t>(y * w_ + x)]; }

    void clear(Rgba c = {});
    void fillAll(Rgb c) { clear(opaque(c)); }
    // Every pixel from a shader (skies, paper).
    void shade(const Shader& s);

    void fill(const Mask& m, Rgb color, float opacity = 1.0f, Blend mode = Blend::Normal);
    void fill(const Mask& m, const Shader& s, float opacity = 1.0f, Blend mode = Blend::Normal);
    void fill(const Path& p, Rgb color, float opacity = 1.0f, Blend mode = Blend::Normal,
              FillRule rule = FillRule::NonZero);
    void fill(const Path& p, const Shader& s, float opacity = 1.0f, Blend mode = Blend::Normal,
              FillRule rule = FillRule::NonZero);

    // Puts a layer on top: its pixels over ours, scaled by opacity.
    void composite(const Canvas& layer, float opacity = 1.0f, Blend mode = Blend::Normal);
    // Tints every pixel towards a colour by amount(x, y): haze, dusk, night.
    void tint(Rgb color, const std::function<float(float, float)>& amount);

    Canvas blurred(float radius) const;
    // Box-filtered reduction (area average), any ratio.
    Canvas resized(int width, int height) const;
    // A copy of a rectangle (clipped to the canvas).
    Canvas crop(int x, int y, int w, int h) const;
    void place(const Canvas& src, int x, int y);  // plain copy of every pixel

    // Alpha of this canvas as a mask (for layer shapes reused as masks).
    Mask alphaMask() const;

    // Quantised to 8 bits with a small ordered dither that hides banding in skies; the
    // result depends only on the floats, so it is the same on every run.
    gfx::Bitmap toBitmap(bool dither = true) const;
    static Canvas fromBitmap(const gfx::Bitmap& b);

private:
    template <typename ColorAt>
    void fillWith(const Mask& m, float opacity, Blend mode, ColorAt colorAt);

    int w_ = 0;
    int h_ = 0;
    std::vector<Rgba> px_;
};

// Gradients as shaders.
Shader linearGradient(Vec2 from, Vec2 to, std::vector<Stop> stops);
Shader radialGradient(Vec2 centre, float rx, float ry, std::vector<Stop> stops);

}  // namespace velko::paint
