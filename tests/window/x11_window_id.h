#pragma once

// The X window behind an SDL window. Kept apart: the X headers define macros (None, Status,
// Bool...) that clash with everything else.

struct SDL_Window;

namespace velko::testing {

// 0 when the window is not an X11 window.
unsigned long x11WindowId(SDL_Window* window);

}  // namespace velko::testing
