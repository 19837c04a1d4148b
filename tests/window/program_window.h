#pragma once

// velko01 started in the test's X server on a scenario and a game folder of its own, and the
// checks on its window: polled with a generous limit, so no check depends on how fast the
// machine is; input is sent only once the program sits in its event wait.

#include <gtest/gtest.h>
#include <sys/syscall.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <thread>

#include "child_process.h"
#include "headless_run.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/image_io.h"
#include "platform/ui/menu_bar.h"
#include "x11_client.h"

namespace velko::testing {

using namespace std::chrono_literals;

constexpr auto kPatience = 20s;
constexpr int kBarRows = ui::MenuBar::kHeight;

inline std::filesystem::path outDir() {
    auto dir = std::filesystem::path(VELKO_BINARY_DIR) / "tests" / "window" / "program";
    std::filesystem::create_directories(dir);
    return dir;
}

// True while the main thread of `pid` blocks in poll, with or without a time limit.
inline bool inTimedWait(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/syscall");
    long nr = -1;
    return (in >> nr) && (nr == SYS_poll || nr == SYS_ppoll);
}

inline std::string describeDifference(const gfx::Bitmap& actual, const gfx::Bitmap& expected) {
    if (actual.width() != expected.width() || actual.height() != expected.height()) {
        return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
               ", expected " + std::to_string(expected.width()) + "x" +
               std::to_string(expected.height());
    }
    int count = 0;
    int barCount = 0;
    std::string first;
    char buf[96];
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.at(x, y) == expected.at(x, y)) {
                continue;
            }
            if (count++ == 0) {
                std::snprintf(buf, sizeof buf, "; first at (%d, %d): %06X, expected %06X", x, y,
                              actual.at(x, y), expected.at(x, y));
                first = buf;
            }
            barCount += y < kBarRows ? 1 : 0;
        }
    }
    return std::to_string(count) + " pixels differ (" + std::to_string(barCount) +
           " in the menu bar)" + first;
}

class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run me through xvfb-run.sh";
        auto x = testing::X11Client::open();
        ASSERT_TRUE(x.ok()) << x.error();
        x_ = std::move(x.value());
        auto f = platform::FreeTypeFontLibrary::create();
        ASSERT_TRUE(f.ok()) << f.error();
        fonts_ = std::move(f.value());
        // A lock folder of its own: instances of other tests never meet this test's.
        runtimeDir_ = game_.dir() / "runtime";
        std::filesystem::create_directories(runtimeDir_);
        std::filesystem::permissions(runtimeDir_, std::filesystem::perms::owner_all);
    }

    testing::ChildLaunch launchOf(const std::string& name, std::vector<std::string> args) {
        testing::ChildLaunch s;
        s.argv = {VELKO01_PATH};
        s.argv.insert(s.argv.end(), args.begin(), args.end());
        s.env["XDG_RUNTIME_DIR"] = runtimeDir_.string();
        s.env["SDL_AUDIODRIVER"] = "dummy";  // quiet, and the same on every machine
        // What the program keeps goes to the test's folder, never the real XDG ones.
        s.env["XDG_CONFIG_HOME"] = (game_.dir() / "xdg-config").string();
        s.env["XDG_STATE_HOME"] = (game_.dir() / "xdg-state").string();
        s.env["SDL_VIDEODRIVER"] = std::nullopt;
        s.env["WAYLAND_DISPLAY"] = std::nullopt;
        s.stdoutFile = game_.dir() / (name + ".out");
        s.stderrFile = game_.dir() / (name + ".err");
        return s;
    }

    // velko01 on `scenario` and the test's game folder.
    std::unique_ptr<ChildProcess> start(const std::string& scenario, const std::string& name) {
        game_.addFile("scenario.txt", scenario);
        const auto script = (game_.dir() / "scenario.txt").string();
        return start(launchOf(name, {"--script", script, "--game", game_.dir().string()}));
    }

    std::unique_ptr<ChildProcess> start(const testing::ChildLaunch& s) {
        auto child = ChildProcess::start(s);
        if (!child) {
            ADD_FAILURE() << "cannot start " << VELKO01_PATH << ": " << child.error();
            return nullptr;
        }
        return std::move(child.value());
    }

    static std::string ended(ChildProcess& p) {
        return "velko01 ended with status " + std::to_string(*p.status()) +
               "; it said: " + p.standardError();
    }

    // The program's shown window, or 0 after a failure.
    unsigned long waitForWindow(ChildProcess& p) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const unsigned long w = x_->shownWindowOf(p.pid())) {
                return w;
            }
            if (!p.running()) {
                ADD_FAILURE() << "no window: " << ended(p);
                return 0;
            }
            std::this_thread::sleep_for(20ms);
        }
        ADD_FAILURE() << "velko01 showed no window within " << kPatience.count() << " s";
        return 0;
    }

    // Polls the window until it shows `expected`; on failure writes the last shot and the
    // expectation as NAME-actual.png and NAME-expected.png.
    ::testing::AssertionResult waitForFrame(ChildProcess& p, unsigned long window,
                                            const gfx::Bitmap& expected, const std::string& name) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        gfx::Bitmap last;
        std::string problem = "no shot taken";
        for (;;) {
            auto shot = x_->capture(window);
            if (shot.ok()) {
                if (*shot == expected) {
                    return ::testing::AssertionSuccess();
                }
                last = std::move(shot.value());
                problem = describeDifference(last, expected);
            } else {
                problem = shot.error();
            }
            if (!p.running()) {
                return ::testing::AssertionFailure()
                       << "before showing " << name << ": " << ended(p);
            }
            if (std::chrono::steady_clock::now() > deadline) {
                break;
            }
            std::this_thread::sleep_for(30ms);
        }
        const auto actualPng = outDir() / (name + "-actual.png");
        const auto expectedPng = outDir() / (name + "-expected.png");
        if (!last.empty()) {
            (void)gfx::savePng(actualPng, last);
        }
        (void)gfx::savePng(expectedPng, expected);
        return ::testing::AssertionFailure()
               << "the window did not show " << name << " within " << kPatience.count()
               << " s: " << problem << "\n  last shot: " << actualPng.string()
               << "\n  expected:  " << expectedPng.string();
    }

    // Input sent while a command is still finishing would be dropped or ignored, as the
    // program means to; so the tests wait for it to block in its event wait. A few samples
    // in a row rule out a passing round trip to the X server. On the title screen the
    // music's loop timer gives that wait a time limit: `timed` lets such a wait count.
    ::testing::AssertionResult waitUntilWaiting(ChildProcess& p, bool timed = false) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        int inARow = 0;
        while (inARow < 5) {
            if (!p.running()) {
                return ::testing::AssertionFailure() << ended(p);
            }
            if (std::chrono::steady_clock::now() > deadline) {
                return ::testing::AssertionFailure()
                       << "velko01 did not settle into waiting for input";
            }
            inARow = (timed ? inTimedWait(p.pid()) : p.waitingForInput()) ? inARow + 1 : 0;
            std::this_thread::sleep_for(20ms);
        }
        return ::testing::AssertionSuccess();
    }

    // The window as it should look: the menu bar with the `enabled` items on, after
    // `menuKeys` when given, over `screen`.
    gfx::Bitmap frameWith(const gfx::Bitmap& screen, std::initializer_list<const char*> menuKeys,
                          std::initializer_list<ui::MenuItem> enabled = {}) {
        ui::MenuBar bar(*fonts_);
        for (const auto item : enabled) {
            bar.setEnabled(item, true);
        }
        for (const char* key : menuKeys) {
            (void)bar.keyDown(key);
        }
        gfx::Bitmap frame(640, kBarRows + 480);
        bar.drawBar(frame);
        for (int y = 0; y < screen.height(); ++y) {
            std::copy(screen.row(y).begin(), screen.row(y).end(), frame.row(kBarRows + y).begin());
        }
        bar.drawDropdown(frame, 0);
        return frame;
    }
    gfx::Bitmap frameWith(const gfx::Bitmap& screen) { return frameWith(screen, {}); }
    gfx::Bitmap frameWith(gfx::Pixel colour, std::initializer_list<const char*> menuKeys = {}) {
        return frameWith(gfx::Bitmap(640, 480, colour), menuKeys);
    }

    test::HeadlessGame game_;
    std::filesystem::path runtimeDir_;
    std::unique_ptr<testing::X11Client> x_;
    std::unique_ptr<platform::FreeTypeFontLibrary> fonts_;
};

}  // namespace velko::testing
