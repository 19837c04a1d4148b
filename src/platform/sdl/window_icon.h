#pragma once

// The icon the window manager shows for the window (task bar, Alt+Tab): the same picture as
// the desktop entry's icon, handed over as pixels so that it needs no installed file.

#include <SDL.h>

#include "platform/gfx/bitmap.h"

namespace velko::sdl {

// An empty bitmap leaves the window manager's default.
void setWindowIcon(SDL_Window* window, const gfx::Bitmap& icon);

}  // namespace velko::sdl
