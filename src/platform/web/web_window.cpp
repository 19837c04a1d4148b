#include "platform/web/web_window.h"

#include <SDL.h>

#include <cstdlib>

#include "platform/web/page_bridge.h"

namespace velko::web {

Result<std::unique_ptr<WebWindow>> WebWindow::create(const std::string& title) {
    // The desktop window looks for an X or Wayland display unless a driver is named.
    setenv("SDL_VIDEODRIVER", "emscripten", 0);
    // Only SDL's WebGL renderer draws in every browser tried; its software one left a blank
    // canvas in headless Chromium.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengles2");
    auto window = sdl::SdlWindow::create(title);
    if (!window) {
        return makeError(window.error());
    }
    return std::unique_ptr<WebWindow>(new WebWindow(std::move(window).value()));
}

platform::NativeWindow::WaitResult WebWindow::wait(std::optional<std::uint32_t> timeoutMs) {
    // SDL's own wait polls every millisecond, which keeps a page busy; the page instead wakes
    // the program when input arrives.
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
        return WaitResult::Ready;
    }
    velko_wait_input(timeoutMs ? static_cast<int>(*timeoutMs) : -1);
    SDL_PumpEvents();
    return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) ? WaitResult::Ready
                                                        : WaitResult::TimedOut;
}

platform::DisplayInfo WebWindow::display() {
    // The page is the whole desktop the program can see: the frame, centred.
    return platform::DisplayInfo{640, 500, 32};
}

void WebWindow::show(int /*x*/, int /*y*/, int /*scale*/) {
    window_->show(0, 0, 1);
}

void WebWindow::setFullscreen(bool on) {
    velko_set_fullscreen(on ? 1 : 0);
}

int WebWindow::setDisplayMode(int /*width*/, int /*height*/, int /*bitsPerPixel*/) {
    // A page cannot change the screen's mode: the answer of a display that lacks the mode.
    constexpr int kBadMode = -2;
    return kBadMode;
}

}  // namespace velko::web
