// The SDL window on SDL's display-less driver: start-up errors, close requests, waits that
// return, and mouse positions after a resize to twice the size.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/sdl/sdl_window.h"

namespace velko::sdl {
namespace {

using platform::InputEvent;

// Sets or clears an environment variable for one test.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvVar() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SdlWindow, NoDisplayIsAClearError) {
    EnvVar driver("SDL_VIDEODRIVER", nullptr);
    EnvVar display("DISPLAY", nullptr);
    EnvVar wayland("WAYLAND_DISPLAY", nullptr);
    auto w = SdlWindow::create("velko");
    ASSERT_FALSE(w.ok());
    EXPECT_NE(w.error().find("display"), std::string::npos) << w.error();
}

class DummyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto w = SdlWindow::create("velko");
        ASSERT_TRUE(w.ok()) << w.error();
        window = std::move(w.value());
        window->present(gfx::Bitmap(640, 500, 0x336699), 20);
    }
    // The next event that is not a repaint.
    std::optional<InputEvent> next() {
        InputEvent e;
        while (window->poll(e)) {
            if (e.kind != InputEvent::Kind::Paint) {
                return e;
            }
        }
        return std::nullopt;
    }

    EnvVar driver{"SDL_VIDEODRIVER", "dummy"};
    std::unique_ptr<SdlWindow> window;
};

TEST_F(DummyWindowTest, CloseAndWaits) {
    EXPECT_GE(window->preferredScale(), 1);
    EXPECT_GT(window->display().bitsPerPixel, 0);
    next();  // whatever creation queued
    EXPECT_EQ(window->wait(0), platform::NativeWindow::WaitResult::TimedOut);
    SDL_Event q{};
    q.type = SDL_QUIT;
    SDL_PushEvent(&q);
    EXPECT_EQ(window->wait(std::nullopt), platform::NativeWindow::WaitResult::Ready);
    const auto e = next();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind, InputEvent::Kind::Close);
}

TEST_F(DummyWindowTest, MouseAfterResizeToTwiceTheSize) {
    window->show(0, 0, 1);
    SDL_SetWindowSize(window->handle(), 1400, 1100);
    next();
    const Viewport v = window->viewport();
    ASSERT_EQ(v.scale, 2);
    EXPECT_EQ(v.x, 60);
    EXPECT_EQ(v.y, 50);

    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.windowID = SDL_GetWindowID(window->handle());
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 60 + 3;
    e.button.y = 50 + 40 + 7;
    SDL_PushEvent(&e);
    const auto down = next();
    ASSERT_TRUE(down);
    EXPECT_EQ(down->kind, InputEvent::Kind::MouseDown);
    EXPECT_DOUBLE_EQ(down->x, 1.5);
    EXPECT_DOUBLE_EQ(down->y, 3.5);
}

}  // namespace
}  // namespace velko::sdl
