#pragma once

// The real platform window: one SDL window showing the composed frame through a streaming
// texture, scaled by a whole factor and centred on black; input translated to logical
// coordinates. Idle waits block in SDL, so an idle program uses no processor time.

#include <SDL.h>

#include <deque>
#include <memory>
#include <string>

#include "base/result.h"
#include "platform/native_window.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/signal_watch.h"
#include "platform/sdl/viewport.h"

namespace velko::sdl {

class SdlWindow final : public platform::NativeWindow {
public:
    // Opens the video subsystem and a hidden window for a frame of the given logical size.
    // Fails with a one-line reason when there is no display.
    static Result<std::unique_ptr<SdlWindow>> create(const std::string& title, int logicalW = 640,
                                                     int logicalH = 500);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool poll(platform::InputEvent& event) override;
    WaitResult wait(std::optional<std::uint32_t> timeoutMs) override;
    void present(const gfx::Bitmap& frame, int menuBarHeight) override;
    void setTitle(const std::string& utf8) override;
    platform::DisplayInfo display() override;
    void show(int x, int y, int scale) override;
    int preferredScale() override { return preferredScale_; }
    void setFullscreen(bool on) override;
    void setCursor(Cursor cursor) override;
    int setDisplayMode(int width, int height, int bitsPerPixel) override;

    // Event processing and waits run the watch's ending once a signal has arrived.
    void setSignalWatch(SignalWatch* signals) { signals_ = signals; }

    SDL_Window* handle() const { return window_; }
    // Where the frame lies in the window's output now.
    Viewport viewport() const;

private:
    SdlWindow() = default;
    void render();
    void recreateTexture(int w, int h);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Cursor* arrow_ = nullptr;
    SDL_Cursor* hand_ = nullptr;
    int logicalW_ = 640;
    int logicalH_ = 500;
    int menuBarHeight_ = 20;
    int preferredScale_ = 1;
    bool hasFrame_ = false;
    EventTranslator translator_;
    SignalWatch* signals_ = nullptr;
};

}  // namespace velko::sdl
