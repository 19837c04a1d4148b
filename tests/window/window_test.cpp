// The real window in a private X server: shown where the placement says, at 640 by 500,
// menu bar above the screen pixel for pixel as composed; full screen centres the frame on
// black and the pointer maps back to logical pixels; an idle wait costs no processor time.
// Screenshots come from the X server itself (XGetImage), not from our own buffers.

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "display/set_window.h"
#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/image_io.h"
#include "platform/sdl/real_clock.h"
#include "platform/sdl/sdl_window.h"
#include "platform/surface.h"
#include "platform/ui/window.h"
#include "x11_client.h"
#include "x11_window_id.h"

namespace velko {
namespace {

using platform::InputEvent;

// Every pixel different from its neighbours, so a shifted or scaled copy cannot pass.
gfx::Bitmap testScreen() {
    gfx::Bitmap b(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            b.set(x, y,
                  gfx::rgb(static_cast<std::uint8_t>(x * 255 / 639),
                           static_cast<std::uint8_t>(y * 255 / 479),
                           static_cast<std::uint8_t>((x ^ y) * 7)));
        }
    }
    return b;
}

std::filesystem::path outDir() {
    auto dir = std::filesystem::path(VELKO_BINARY_DIR) / "tests" / "window";
    std::filesystem::create_directories(dir);
    return dir;
}

class RealWindowTest : public ::testing::Test {
protected:
    // One connection for the whole program: Xvfb resets when its last client leaves, and a
    // connection made during the reset fails.
    static void SetUpTestSuite() {
        if (auto x = testing::X11Client::open(); x.ok()) {
            x11 = std::move(x.value());
        }
    }
    static void TearDownTestSuite() { x11.reset(); }

    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run me through xvfb-run.sh";
        ASSERT_TRUE(x11) << "cannot connect to the X server";
        auto n = sdl::SdlWindow::create("velko window test");
        ASSERT_TRUE(n.ok()) << n.error();
        native = std::move(n.value());
        auto f = platform::FreeTypeFontLibrary::create();
        ASSERT_TRUE(f.ok()) << f.error();
        fonts = std::move(f.value());
        window = std::make_unique<ui::Window>(*native, *fonts);
        pump = std::make_unique<platform::EventPump>(*native, clock);
        pump->setRouter(window.get());
        screen = std::make_unique<platform::Surface>("picDisp", 640, 480, fonts.get());
        screen->setPicture(testScreen());
        window->setScreen(screen.get());
        window->setCaption(u"ベルコ");
        window->setMenuEnabled(ui::MenuItem::Help, true);
        window->setMenuEnabled(ui::MenuItem::Version, true);
    }

    // Lets the server map, expose and resize the window and us answer with frames.
    void settle() {
        for (int i = 0; i < 30; ++i) {
            pump->processEvents();
            SDL_Delay(10);
        }
    }

    // The window's contents as the X server holds them, and where it placed the window.
    struct Shot {
        gfx::Bitmap pixels;
        testing::XWindowPlace place;
    };
    Shot shot(const std::string& name) {
        const unsigned long id = testing::x11WindowId(native->handle());
        EXPECT_NE(id, 0u) << "not an X11 window: " << SDL_GetError();
        auto pixels = x11->capture(id);
        const auto place = x11->place(id);
        EXPECT_TRUE(pixels.ok() && place) << (pixels.ok() ? "no place" : pixels.error());
        if (!pixels.ok() || !place) {
            return {};
        }
        (void)gfx::savePng(outDir() / (name + ".png"), *pixels);
        return {std::move(pixels.value()), *place};
    }

    static inline std::unique_ptr<testing::X11Client> x11;
    sdl::RealClock clock;
    std::unique_ptr<sdl::SdlWindow> native;
    std::unique_ptr<platform::FreeTypeFontLibrary> fonts;
    std::unique_ptr<ui::Window> window;
    std::unique_ptr<platform::EventPump> pump;
    std::unique_ptr<platform::Surface> screen;
};

TEST_F(RealWindowTest, ShownCentredWithMenuBarAboveTheScreen) {
    display::SetWindow setWindow(*native);
    EXPECT_EQ(setWindow.chkDevColor(), -1);
    const platform::DisplayInfo d = native->display();
    EXPECT_EQ(d.width, 1024);
    EXPECT_EQ(d.height, 768);
    EXPECT_EQ(native->preferredScale(), 1) << "1024x768 leaves no room for twice the size";

    setWindow.SetTopWindow(0);
    settle();
    const auto img = shot("window_shown");
    ASSERT_EQ(img.pixels.width(), 640);
    ASSERT_EQ(img.pixels.height(), 500);
    EXPECT_EQ(img.place.x, display::centredX(1024));
    EXPECT_EQ(img.place.y, display::centredY(768));

    const gfx::Bitmap screenImage = testScreen();
    EXPECT_EQ(img.pixels.at(630, 5), 0xC0C0C0u) << "menu bar face";
    EXPECT_EQ(img.pixels.at(630, 19), 0x808080u) << "menu bar's lower edge";
    EXPECT_EQ(img.pixels.at(0, 20), screenImage.at(0, 0));
    EXPECT_EQ(img.pixels.at(639, 499), screenImage.at(639, 479));
    EXPECT_TRUE(img.pixels == window->frame()) << "the X server shows the frame as composed";
}

TEST_F(RealWindowTest, LargerWindowCentresTheFrameOnBlackAndMapsThePointer) {
    display::SetWindow(*native).SetTopWindow(0);
    settle();
    // Kept inside the X screen: a dump shows only the part of a window that is on it.
    SDL_SetWindowPosition(native->handle(), 0, 0);
    SDL_SetWindowSize(native->handle(), 1000, 700);
    settle();
    const auto img = shot("window_resized");
    ASSERT_EQ(img.pixels.width(), 1000);
    ASSERT_EQ(img.pixels.height(), 700);
    const int ox = (1000 - 640) / 2;
    const int oy = (700 - 500) / 2;
    EXPECT_EQ(img.pixels.at(0, 0), 0u);
    EXPECT_EQ(img.pixels.at(999, 699), 0u);
    EXPECT_EQ(img.pixels.at(ox - 1, oy), 0u);
    EXPECT_EQ(img.pixels.at(ox, oy), window->frame().at(0, 0));
    EXPECT_EQ(img.pixels.at(ox + 639, oy + 499), window->frame().at(639, 499));

    // The pointer over screen pixel (100, 50) arrives as that logical position.
    struct Probe : platform::SurfaceListener {
        std::optional<platform::MouseEvent> last;
        void onMouseMove(const platform::MouseEvent& e) override { last = e; }
    } probe;
    screen->subscribe(&probe);
    SDL_WarpMouseInWindow(native->handle(), ox + 100, oy + 20 + 50);
    settle();
    screen->unsubscribe(&probe);
    ASSERT_TRUE(probe.last.has_value()) << "no motion reached the screen";
    EXPECT_DOUBLE_EQ(probe.last->x, 100.0);
    EXPECT_DOUBLE_EQ(probe.last->y, 50.0);
}

TEST_F(RealWindowTest, IdleWaitUsesNoProcessorTime) {
    display::SetWindow(*native).SetTopWindow(0);
    settle();
    bool fired = false;
    pump->setTimer(800, [&] { fired = true; });
    const auto cpuMs = [] {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
               (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
    };
    const double before = cpuMs();
    while (!fired) {
        ASSERT_TRUE(pump->waitAndProcess());
    }
    const double used = cpuMs() - before;
    // Processor time, not elapsed time: a busy wait would burn the whole 800 ms.
    RecordProperty("idle_cpu_ms", std::to_string(used));
    std::printf("idle wait of 800 ms used %.1f ms of processor time\n", used);
    EXPECT_LT(used, 400.0);
}

}  // namespace
}  // namespace velko
