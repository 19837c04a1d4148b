#include "platform/sdl/window_manager.h"

namespace velko::sdl {

// Built without Xlib: SDL's own full screen is all there is.
std::optional<bool> fullscreenByWindowManager(SDL_Window*) {
    return std::nullopt;
}

}  // namespace velko::sdl
