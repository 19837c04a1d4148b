#include "platform/sdl/sdl_window.h"

#include <algorithm>
#include <cstdlib>

namespace velko::sdl {

namespace {

// Room left for a title bar and borders when choosing the first scale; the real sizes are
// known only once the window is mapped.
constexpr int kDecorationW = 16;
constexpr int kDecorationH = 48;

bool envSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

Error sdlError(const std::string& what) {
    return makeError(what + ": " + SDL_GetError());
}

}  // namespace

Result<std::unique_ptr<SdlWindow>> SdlWindow::create(const std::string& title, int logicalW,
                                                     int logicalH) {
    if (!envSet("SDL_VIDEODRIVER")) {
        if (envSet("DISPLAY")) {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        } else if (!envSet("WAYLAND_DISPLAY")) {
            return makeError("no display to open a window on (DISPLAY is not set)");
        }
    }
    // Closing the window is a close request for the program to handle, not a quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return sdlError("cannot open the display");
    }
    std::unique_ptr<SdlWindow> w(new SdlWindow());
    if (SDL_GetNumVideoDisplays() < 1) {
        return makeError("cannot open the display: no screen found");
    }
    w->logicalW_ = logicalW;
    w->logicalH_ = logicalH;
    SDL_Rect usable{0, 0, logicalW, logicalH};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        SDL_GetDisplayBounds(0, &usable);
    }
    w->preferredScale_ =
        fittingScale(usable.w, usable.h, logicalW, logicalH, kDecorationW, kDecorationH);
    const int s = w->preferredScale_;
    w->window_ =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         logicalW * s, logicalH * s, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!w->window_) {
        return sdlError("cannot create the window");
    }
    SDL_SetWindowMinimumSize(w->window_, logicalW, logicalH);
    w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_ACCELERATED);
    if (!w->renderer_) {
        w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!w->renderer_) {
        return sdlError("cannot draw into the window");
    }
    w->recreateTexture(logicalW, logicalH);
    if (!w->texture_) {
        return sdlError("cannot create the frame texture");
    }
    w->arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    w->hand_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    // Text input would only bring input-method events that nothing here reads.
    SDL_StopTextInput();
    return w;
}

SdlWindow::~SdlWindow() {
    if (hand_) {
        SDL_FreeCursor(hand_);
    }
    if (arrow_) {
        SDL_FreeCursor(arrow_);
    }
    if (texture_) {
        SDL_DestroyTexture(texture_);
    }
    if (renderer_) {
        SDL_DestroyRenderer(renderer_);
    }
    if (window_) {
        SDL_DestroyWindow(window_);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::recreateTexture(int w, int h) {
    if (texture_) {
        SDL_DestroyTexture(texture_);
    }
    // 0x00RRGGBB pixels are exactly SDL's RGB888 (XRGB) layout.
    texture_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (texture_) {
        SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
        logicalW_ = w;
        logicalH_ = h;
    }
}

Viewport SdlWindow::viewport() const {
    int ow = 0;
    int oh = 0;
    SDL_GetRendererOutputSize(renderer_, &ow, &oh);
    return fitViewport(ow, oh, logicalW_, logicalH_);
}

void SdlWindow::render() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (hasFrame_) {
        const Viewport v = viewport();
        const SDL_Rect dst{v.x, v.y, v.w, v.h};
        SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    }
    SDL_RenderPresent(renderer_);
}

bool SdlWindow::poll(platform::InputEvent& event) {
    if (signals_) {
        signals_->check();
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_WINDOWEVENT) {
            switch (e.window.event) {
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SHOWN:
                    render();
                    event = platform::InputEvent{};
                    event.kind = platform::InputEvent::Kind::Paint;
                    return true;
                default:
                    break;
            }
        }
        int ww = 0;
        int wh = 0;
        int ow = 0;
        int oh = 0;
        SDL_GetWindowSize(window_, &ww, &wh);
        SDL_GetRendererOutputSize(renderer_, &ow, &oh);
        const double rx = ww > 0 ? static_cast<double>(ow) / ww : 1.0;
        const double ry = wh > 0 ? static_cast<double>(oh) / wh : 1.0;
        if (auto translated = translator_.translate(e, fitViewport(ow, oh, logicalW_, logicalH_),
                                                    menuBarHeight_, rx, ry)) {
            event = *translated;
            return true;
        }
    }
    return false;
}

platform::NativeWindow::WaitResult SdlWindow::wait(std::optional<std::uint32_t> timeoutMs) {
    if (signals_) {
        signals_->check();
    }
    const int got = timeoutMs ? SDL_WaitEventTimeout(nullptr, static_cast<int>(*timeoutMs))
                              : SDL_WaitEvent(nullptr);
    return got ? WaitResult::Ready : WaitResult::TimedOut;
}

void SdlWindow::present(const gfx::Bitmap& frame, int menuBarHeight) {
    if (frame.empty()) {
        return;
    }
    if (frame.width() != logicalW_ || frame.height() != logicalH_) {
        recreateTexture(frame.width(), frame.height());
        if (!texture_) {
            return;
        }
    }
    menuBarHeight_ = menuBarHeight;
    SDL_UpdateTexture(texture_, nullptr, frame.pixels().data(),
                      frame.width() * static_cast<int>(sizeof(gfx::Pixel)));
    hasFrame_ = true;
    render();
}

void SdlWindow::setTitle(const std::string& utf8) {
    SDL_SetWindowTitle(window_, utf8.c_str());
}

platform::DisplayInfo SdlWindow::display() {
    const int index = std::max(0, SDL_GetWindowDisplayIndex(window_));
    SDL_DisplayMode mode{};
    platform::DisplayInfo info;
    if (SDL_GetDesktopDisplayMode(index, &mode) == 0) {
        info.width = mode.w;
        info.height = mode.h;
        info.bitsPerPixel = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    }
    return info;
}

void SdlWindow::show(int x, int y, int scale) {
    scale = std::max(1, scale);
    SDL_SetWindowSize(window_, logicalW_ * scale, logicalH_ * scale);
    SDL_SetWindowPosition(window_, x, y);
    SDL_ShowWindow(window_);
    // SDL places the client area; move it by the decorations so the outer corner lands on
    // (x, y). Window managers that do not report them leave the client there.
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0 && (top || left)) {
        SDL_SetWindowPosition(window_, x + left, y + top);
    }
    SDL_RaiseWindow(window_);
    render();
}

void SdlWindow::setFullscreen(bool on) {
    SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    render();
}

void SdlWindow::setCursor(Cursor cursor) {
    SDL_Cursor* c = cursor == Cursor::Hand ? hand_ : arrow_;
    if (c) {
        SDL_SetCursor(c);
    }
}

int SdlWindow::setDisplayMode(int width, int height, int bitsPerPixel) {
    // The classic codes: DISP_CHANGE_BADMODE and DISP_CHANGE_FAILED.
    constexpr int kBadMode = -2;
    constexpr int kFailed = -1;
    const int index = std::max(0, SDL_GetWindowDisplayIndex(window_));
    SDL_DisplayMode chosen{};
    bool found = false;
    const int count = SDL_GetNumDisplayModes(index);
    for (int i = 0; i < count && !found; ++i) {
        SDL_DisplayMode m{};
        if (SDL_GetDisplayMode(index, i, &m) == 0 && m.w == width && m.h == height &&
            (bitsPerPixel == -1 || static_cast<int>(SDL_BITSPERPIXEL(m.format)) == bitsPerPixel)) {
            chosen = m;
            found = true;
        }
    }
    if (!found) {
        return kBadMode;
    }
    if (SDL_SetWindowDisplayMode(window_, &chosen) != 0 ||
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) {
        return kFailed;
    }
    render();
    return 0;
}

}  // namespace velko::sdl
