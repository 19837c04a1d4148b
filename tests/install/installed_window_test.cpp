// An installed velko01 (from `cmake --install` or the Debian package) in a private X server:
// it finds the episode from its own place, reaches the title screen that the installed
// velko-headless shows, and gives the window the installed 64-pixel icon.
//   VELKO_INSTALLED_ROOT  the prefix (holds bin/velko01 and share/)
//   VELKO_TITLE_PNG       the headless run's shot of the title screen

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "child_process.h"
#include "platform/gfx/image_io.h"
#include "x11_client.h"
#include "x11_icon.h"

namespace velko {
namespace {

using namespace std::chrono_literals;
constexpr auto kPatience = 30s;

std::filesystem::path fromEnv(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The first image of the window's icon as 0xRRGGBB pixels (not quite opaque ones as magenta).
gfx::Bitmap windowIcon(unsigned long window) {
    const std::vector<unsigned long> v = testing::netWmIcon(window);
    if (v.size() < 2 || v[0] == 0 || v[1] == 0 || v.size() < 2 + v[0] * v[1]) {
        return {};
    }
    const int w = static_cast<int>(v[0]);
    gfx::Bitmap icon(w, static_cast<int>(v[1]));
    for (std::size_t i = 0; i < v[0] * v[1]; ++i) {
        const unsigned long argb = v[2 + i] & 0xFFFFFFFFul;  // longs, sign-extended
        icon.set(static_cast<int>(i % v[0]), static_cast<int>(i / v[0]),
                 (argb >> 24) == 0xFF ? static_cast<gfx::Pixel>(argb & 0xFFFFFF) : 0xFF00FF);
    }
    return icon;
}

TEST(InstalledProgram, ShowsTheTitleScreenWithItsIcon) {
    const auto root = fromEnv("VELKO_INSTALLED_ROOT");
    ASSERT_FALSE(root.empty()) << "VELKO_INSTALLED_ROOT is not set";
    auto title = gfx::loadPng(fromEnv("VELKO_TITLE_PNG"));
    ASSERT_TRUE(title.ok()) << title.error();
    auto x = testing::X11Client::open();
    ASSERT_TRUE(x.ok()) << x.error();

    const auto work =
        std::filesystem::temp_directory_path() / ("velko-installed-" + std::to_string(::getpid()));
    std::filesystem::create_directories(work / "runtime");
    std::filesystem::permissions(work / "runtime", std::filesystem::perms::owner_all);
    testing::ChildLaunch launch;
    launch.argv = {(root / "bin" / "velko01").string()};
    launch.env["XDG_RUNTIME_DIR"] = (work / "runtime").string();
    launch.env["SDL_AUDIODRIVER"] = "dummy";
    launch.stdoutFile = work / "out.txt";
    launch.stderrFile = work / "err.txt";
    auto child = testing::ChildProcess::start(launch);
    ASSERT_TRUE(child.ok()) << child.error();
    auto& p = **child;

    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    unsigned long window = 0;
    gfx::Bitmap screen;
    bool titleShown = false;
    while (!titleShown && std::chrono::steady_clock::now() < deadline && p.running()) {
        window = window ? window : (*x)->shownWindowOf(p.pid());
        if (window) {
            // The screen lies below the menu bar: the window's last 480 rows.
            if (auto shot = (*x)->capture(window); shot.ok() && shot->height() >= 480) {
                screen = gfx::Bitmap(640, 480);
                const int top = shot->height() - 480;
                for (int y = 0; y < 480; ++y) {
                    for (int col = 0; col < 640 && col < shot->width(); ++col) {
                        screen.set(col, y, shot->at(col, top + y));
                    }
                }
                titleShown = screen == *title;
            }
        }
        std::this_thread::sleep_for(50ms);
    }
    ASSERT_NE(window, 0u) << "no window; velko01 said: " << p.standardError();
    if (!titleShown) {
        (void)gfx::savePng(work / "screen-actual.png", screen);
    }
    EXPECT_TRUE(titleShown) << "the title screen did not appear; last shot in "
                            << (work / "screen-actual.png").string()
                            << "; velko01 said: " << p.standardError();

    auto installedIcon =
        gfx::loadPng(root / "share" / "icons" / "hicolor" / "64x64" / "apps" / "velko01.png");
    ASSERT_TRUE(installedIcon.ok()) << installedIcon.error();
    const gfx::Bitmap shown = windowIcon(window);
    ASSERT_EQ(shown.width(), 64) << "the window's icon is not the 64px one";
    ASSERT_EQ(shown.height(), 64);
    int differ = 0;
    for (int y = 0; y < 64; ++y) {
        for (int col = 0; col < 64; ++col) {
            if (shown.at(col, y) != installedIcon->at(col, y) && differ++ == 0) {
                ADD_FAILURE() << "the window's icon differs from the installed one first at ("
                              << col << ", " << y << "): " << std::hex << shown.at(col, y)
                              << " instead of " << installedIcon->at(col, y);
            }
        }
    }
    EXPECT_EQ(differ, 0);

    p.signal(SIGTERM);
    (void)p.waitForExit(10s);
    std::filesystem::remove_all(work);
}

}  // namespace
}  // namespace velko
