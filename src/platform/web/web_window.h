#pragma once

// The window in a browser page: the SDL window draws into the page's canvas at the frame's
// own size, and the page scales it by whole factors. What a desktop window does that a page
// cannot (placing itself, changing the display mode) is left to the page or refused, and idle
// waits hand the thread back to the browser.

#include <memory>

#include "platform/native_window.h"
#include "platform/sdl/sdl_window.h"

namespace velko::web {

class WebWindow final : public platform::NativeWindow {
public:
    static Result<std::unique_ptr<WebWindow>> create(const std::string& title);

    bool poll(platform::InputEvent& event) override { return window_->poll(event); }
    WaitResult wait(std::optional<std::uint32_t> timeoutMs) override;
    void present(const gfx::Bitmap& frame, int menuBarHeight) override {
        window_->present(frame, menuBarHeight);
    }
    void setTitle(const std::string& utf8) override { window_->setTitle(utf8); }
    platform::DisplayInfo display() override;
    // The page places and scales the canvas; the frame is drawn at its own size.
    void show(int x, int y, int scale) override;
    void setFullscreen(bool on) override;
    void setCursor(Cursor cursor) override { window_->setCursor(cursor); }
    int setDisplayMode(int width, int height, int bitsPerPixel) override;

private:
    explicit WebWindow(std::unique_ptr<sdl::SdlWindow> window) : window_(std::move(window)) {}

    std::unique_ptr<sdl::SdlWindow> window_;
};

}  // namespace velko::web
