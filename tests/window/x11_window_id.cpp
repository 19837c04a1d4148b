#include "x11_window_id.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace velko::testing {

unsigned long x11WindowId(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return 0;
    }
    return static_cast<unsigned long>(info.info.x11.window);
}

}  // namespace velko::testing
