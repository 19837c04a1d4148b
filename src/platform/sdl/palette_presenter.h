#pragma once

// A 256-colour X display: SDL draws into neither a window surface nor a renderer there, so
// each pixel is mapped to the nearest colour the window's colour map holds (with a
// pseudo-colour map, a palette of the twenty colours every classic desktop kept and a 6 by 6
// by 6 cube) and the frame is put into the window through Xlib.

#include <memory>
#include <string>

#include "platform/sdl/frame_presenter.h"

namespace velko::sdl {

// Null, with the reason in `error`, unless the window is on an X display of at most 8 bits
// with a colour map (or the build has no Xlib).
std::unique_ptr<FramePresenter> makePalettePresenter(SDL_Window* window, std::string& error);

}  // namespace velko::sdl
