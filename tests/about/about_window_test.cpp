// velko01 in a private X server: the version dialog opened through the keyboard's menu shows
// in the real window exactly as velko-headless draws it, and Escape takes it away again.
// Every wait polls with a generous limit; nothing depends on how fast the machine is.

#include <gtest/gtest.h>
#include <sys/syscall.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "child_process.h"
#include "headless_run.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/image_io.h"
#include "platform/ui/menu_bar.h"
#include "x11_client.h"

namespace velko {
namespace {

using namespace std::chrono_literals;

constexpr auto kPatience = 20s;
constexpr int kBarRows = ui::MenuBar::kHeight;

// True while the program's main thread blocks in its event wait. On the title screen the
// music's loop timer gives that wait a time limit, so any limit counts here.
bool inEventWait(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/syscall");
    long nr = -1;
    return (in >> nr) && (nr == SYS_poll || nr == SYS_ppoll);
}

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run me through xvfb-run.sh";
        auto x = testing::X11Client::open();
        ASSERT_TRUE(x.ok()) << x.error();
        x_ = std::move(x.value());
        auto f = platform::FreeTypeFontLibrary::create();
        ASSERT_TRUE(f.ok()) << f.error();
        fonts_ = std::move(f.value());
    }

    // The title screen's menu bar ("ﾍﾙﾌﾟ" and its item enabled, "終了" not) over `screen`,
    // after `keys` when given.
    gfx::Bitmap frameWith(const gfx::Bitmap& screen, std::initializer_list<const char*> keys) {
        ui::MenuBar bar(*fonts_);
        bar.setEnabled(ui::MenuItem::Help, true);
        bar.setEnabled(ui::MenuItem::Version, true);
        for (const char* key : keys) {
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

    ::testing::AssertionResult waitForFrame(testing::ChildProcess& p, unsigned long window,
                                            const gfx::Bitmap& expected, const std::string& name) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        gfx::Bitmap last;
        while (std::chrono::steady_clock::now() < deadline) {
            auto shot = x_->capture(window);
            if (shot.ok()) {
                if (*shot == expected) {
                    return ::testing::AssertionSuccess();
                }
                last = std::move(shot.value());
            }
            if (!p.running()) {
                return ::testing::AssertionFailure()
                       << "velko01 ended before showing " << name << ": " << p.standardError();
            }
            std::this_thread::sleep_for(30ms);
        }
        const auto dir = std::filesystem::path(VELKO_BINARY_DIR) / "tests" / "about";
        std::filesystem::create_directories(dir);
        if (!last.empty()) {
            (void)gfx::savePng(dir / (name + "-actual.png"), last);
        }
        (void)gfx::savePng(dir / (name + "-expected.png"), expected);
        return ::testing::AssertionFailure() << "the window did not show " << name << "; see "
                                             << (dir / (name + "-actual.png")).string();
    }

    // Keys sent while a fade still holds the window disabled would be dropped, as the
    // program means to; so input waits until it sits in its event wait a few samples running.
    ::testing::AssertionResult settle(testing::ChildProcess& p) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        for (int inARow = 0; inARow < 5;) {
            if (!p.running() || std::chrono::steady_clock::now() > deadline) {
                return ::testing::AssertionFailure() << "velko01 never settled into its wait";
            }
            inARow = inEventWait(p.pid()) ? inARow + 1 : 0;
            std::this_thread::sleep_for(20ms);
        }
        return ::testing::AssertionSuccess();
    }

    test::HeadlessGame game_;
    std::unique_ptr<testing::X11Client> x_;
    std::unique_ptr<platform::FreeTypeFontLibrary> fonts_;
};

TEST_F(AboutWindow, OpenedFromTheKeyboardMenuItLooksAsHeadlessAndEscapeClosesIt) {
    game_.addPicture("BMP/title.bmp", test::solid(640, 480, 0x2A3550));
    const std::string scenario = "1\tST\n";
    const auto headless =
        game_.run(scenario, "1000 shot title\n1100 menu version\n1200 shot about\n");
    ASSERT_EQ(headless.exitCode, 0) << headless.output;
    ASSERT_TRUE(headless.has("dialog about"));
    game_.addFile("scenario.txt", scenario);

    const auto runtime = game_.dir() / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    testing::ChildLaunch launch;
    launch.argv = {VELKO01_PATH, "--script", (game_.dir() / "scenario.txt").string(), "--game",
                   game_.dir().string()};
    launch.env["XDG_RUNTIME_DIR"] = runtime.string();
    launch.env["SDL_AUDIODRIVER"] = "dummy";
    launch.env["SDL_VIDEODRIVER"] = std::nullopt;
    launch.env["WAYLAND_DISPLAY"] = std::nullopt;
    launch.stdoutFile = game_.dir() / "velko01.out";
    launch.stderrFile = game_.dir() / "velko01.err";
    auto started = testing::ChildProcess::start(launch);
    ASSERT_TRUE(started.ok()) << started.error();
    auto& p = *started.value();

    unsigned long w = 0;
    for (auto deadline = std::chrono::steady_clock::now() + kPatience;
         w == 0 && p.running() && std::chrono::steady_clock::now() < deadline;) {
        w = x_->shownWindowOf(p.pid());
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_NE(w, 0u) << "no window; velko01 said: " << p.standardError();

    const gfx::Bitmap title = frameWith(headless.shot("title"), {});
    ASSERT_TRUE(waitForFrame(p, w, title, "about_window_title"));
    ASSERT_TRUE(settle(p));
    // F10 takes the keyboard into the menus, Right goes to "ﾍﾙﾌﾟ", Down opens it on its item.
    for (const char* k : {"F10", "Right", "Down"}) {
        ASSERT_TRUE(x_->sendKey(w, k));
    }
    ASSERT_TRUE(waitForFrame(p, w, frameWith(headless.shot("title"), {"F10", "Right", "Down"}),
                             "about_window_menu"));
    ASSERT_TRUE(x_->sendKey(w, "Return"));
    EXPECT_TRUE(waitForFrame(p, w, frameWith(headless.shot("about"), {}), "about_window_open"));
    ASSERT_TRUE(settle(p));
    ASSERT_TRUE(x_->sendKey(w, "Escape"));
    EXPECT_TRUE(waitForFrame(p, w, title, "about_window_closed"));

    ASSERT_TRUE(x_->sendDeleteWindow(w));
    EXPECT_EQ(p.waitForExit(kPatience), std::optional<int>(0)) << p.standardError();
}

}  // namespace
}  // namespace velko
