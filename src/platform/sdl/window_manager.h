#pragma once

// What SDL cannot tell about the desktop: whether a window manager will honour a request for
// full screen. Without one (a bare X server, a kiosk) SDL's request goes unanswered while
// SDL already reports the screen's size as the window's, so the program makes the window
// cover the screen itself instead.

#include <SDL.h>

#include <optional>

namespace velko::sdl {

// True when a window manager that takes full-screen requests runs, false when none does,
// nullopt when this cannot be known (not an X display, or a build without Xlib).
std::optional<bool> fullscreenByWindowManager(SDL_Window* window);

}  // namespace velko::sdl
