#include "platform/sdl/window_icon.h"

#include <vector>

namespace velko::sdl {

void setWindowIcon(SDL_Window* window, const gfx::Bitmap& icon) {
    if (!window || icon.empty()) {
        return;
    }
    // Our pixels leave the top byte 0, which SDL hands on as the alpha of an invisible icon:
    // every pixel is made opaque first.
    std::vector<std::uint32_t> argb(icon.pixels().begin(), icon.pixels().end());
    for (auto& p : argb) {
        p |= 0xFF000000u;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        argb.data(), icon.width(), icon.height(), 32,
        icon.width() * static_cast<int>(sizeof(std::uint32_t)), SDL_PIXELFORMAT_ARGB8888);
    if (!surface) {
        return;  // a window without its icon still plays
    }
    // SDL copies the pixels.
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

}  // namespace velko::sdl
