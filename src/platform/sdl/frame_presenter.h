#pragma once

// How the composed frame reaches the window. The frame is finished on the CPU, so the default
// copies it into the window's own surface, scaled by a whole factor on the CPU: no GL driver
// is loaded, which on machines without a GPU driver (Xvfb, VMs, remote desktops) would cost
// more than the whole engine. An SDL renderer stays available on request (VELKO_RENDERER).

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/sdl/viewport.h"

namespace velko::sdl {

class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    // The window's drawable size in pixels, as the presenter will fill it.
    virtual void outputSize(int& w, int& h) const = 0;
    // Draws `frame` (nullptr: black only) at `v` and shows it. False when the window cannot
    // be drawn into right now (the next present or expose tries again).
    virtual bool show(const gfx::Bitmap* frame, const Viewport& v) = 0;
    virtual const char* name() const = 0;
};

// Which presenter VELKO_RENDERER asks for: "" or "surface" (the default), "software" (SDL's
// software renderer), "gl" or "accelerated" (SDL's default accelerated renderer).
// Palette is never asked for: it is the way out on 256-colour X displays.
enum class PresenterKind { Surface, Palette, SoftwareRenderer, AcceleratedRenderer };
PresenterKind presenterKindFromEnvironment(std::string& problem);

// Null with the reason in `error` when the window offers no way to draw.
std::unique_ptr<FramePresenter> makeSurfacePresenter(SDL_Window* window, std::string& error);
std::unique_ptr<FramePresenter> makeRendererPresenter(SDL_Window* window, bool accelerated,
                                                      std::string& error);

// Copies `frame` into `dst` (0x00RRGGBB pixels, `pitch` bytes a row) at `v`, each pixel
// repeated v.scale times in both directions; everything outside it becomes black. Clipped to
// the destination's size.
void scaleInto(const gfx::Bitmap& frame, const Viewport& v, std::uint32_t* dst, int dstW, int dstH,
               int pitch);

}  // namespace velko::sdl
