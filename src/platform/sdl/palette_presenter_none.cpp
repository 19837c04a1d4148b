#include "platform/sdl/palette_presenter.h"

namespace velko::sdl {

std::unique_ptr<FramePresenter> makePalettePresenter(SDL_Window*, std::string& error) {
    error = "no 256-colour drawing in a build without Xlib";
    return nullptr;
}

}  // namespace velko::sdl
