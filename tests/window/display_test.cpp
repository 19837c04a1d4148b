// velko01 on unusual desktops: a 256-colour screen, full screen switched on and off with and
// without a window manager. Each case runs in an X server of its own shape (see
// CMakeLists.txt); the test reads which case it is from VELKO_DISPLAY_CASE.

#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <string>

#include "program_window.h"

namespace velko {
namespace {

using testing::ChildProcess;
using testing::kBarRows;
using testing::ProgramWindow;

std::string displayCase() {
    const char* c = std::getenv("VELKO_DISPLAY_CASE");
    return c ? c : "";
}

// Every pixel different from its neighbours, so a shifted, cropped or wrongly scaled copy
// cannot pass.
gfx::Bitmap busyPicture() {
    gfx::Bitmap b(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            b.set(x, y,
                  gfx::rgb(static_cast<std::uint8_t>(x * 3 + y), static_cast<std::uint8_t>(x ^ y),
                           static_cast<std::uint8_t>(y * 5 - x)));
        }
    }
    return b;
}

// `frame` scaled by `scale` and centred on black in an output of w by h.
gfx::Bitmap scaledInto(const gfx::Bitmap& frame, int scale, int w, int h) {
    gfx::Bitmap out(w, h, gfx::kBlack);
    const int ox = (w - frame.width() * scale) / 2;
    const int oy = (h - frame.height() * scale) / 2;
    for (int y = 0; y < frame.height() * scale; ++y) {
        for (int x = 0; x < frame.width() * scale; ++x) {
            out.set(ox + x, oy + y, frame.at(x / scale, y / scale));
        }
    }
    return out;
}

class DisplayWindow : public ProgramWindow {
protected:
    void TearDown() override {
        if (wm_) {
            wm_->signal(SIGTERM);
            (void)wm_->waitForExit(testing::kPatience);
        }
    }

    // A real window manager in the test's X server; ready once it names itself on the root.
    void startWindowManager() {
        testing::ChildLaunch s;
        s.argv = {VELKO_OPENBOX, "--sm-disable"};
        s.stdoutFile = game_.dir() / "wm.out";
        s.stderrFile = game_.dir() / "wm.err";
        auto wm = ChildProcess::start(s);
        ASSERT_TRUE(wm.ok()) << wm.error();
        wm_ = std::move(wm.value());
        const auto deadline = std::chrono::steady_clock::now() + testing::kPatience;
        while (!x_->windowManagerRunning()) {
            ASSERT_TRUE(wm_->running()) << "openbox ended: " << wm_->standardError();
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "openbox did not start";
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::unique_ptr<ChildProcess> wm_;
};

// A 256-colour display holds each colour as the nearest of its own (3 bits of red and green
// and 2 of blue where SDL finds a direct-colour visual): a pixel is right when every channel
// lies within half a step of the smallest such channel.
constexpr int kEightBitTolerance = 43;

bool near(gfx::Pixel a, gfx::Pixel b) {
    return std::abs(gfx::red(a) - gfx::red(b)) <= kEightBitTolerance &&
           std::abs(gfx::green(a) - gfx::green(b)) <= kEightBitTolerance &&
           std::abs(gfx::blue(a) - gfx::blue(b)) <= kEightBitTolerance;
}

// Pixels of `shot` not near `expected`; -1 for a different size.
int farPixels(const gfx::Bitmap& shot, const gfx::Bitmap& expected) {
    if (shot.width() != expected.width() || shot.height() != expected.height()) {
        return -1;
    }
    int far = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            far += near(shot.at(x, y), expected.at(x, y)) ? 0 : 1;
        }
    }
    return far;
}

// The advice comes before anything else, in the window itself; once it is answered the
// story plays, and the advice does not come back.
TEST_F(DisplayWindow, EightBitScreenShowsTheColourAdviceOnceAndPlaysOn) {
    if (displayCase() != "8bit") {
        GTEST_SKIP() << "runs in the 8-bit X server";
    }
    game_.addPicture("BMP/red.bmp", gfx::Bitmap(640, 480, 0xFF0000));
    auto p = start("1\tPK red.bmp\n2\tKS\n", "eightbit");
    ASSERT_TRUE(p);
    const unsigned long w = waitForWindow(*p);
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(waitUntilWaiting(*p));
    auto withBox = x_->capture(w);
    ASSERT_TRUE(withBox.ok()) << withBox.error();
    // The menu bar over a black screen, a grey box across its middle.
    EXPECT_TRUE(near(withBox->at(630, 5), 0xC0C0C0)) << std::hex << withBox->at(630, 5);
    EXPECT_EQ(withBox->at(5, kBarRows + 5), gfx::kBlack);
    int grey = 0;
    for (int x = 0; x < 640; ++x) {
        grey += near(withBox->at(x, kBarRows + 240), 0xC0C0C0) ? 1 : 0;
    }
    EXPECT_GT(grey, 100) << "no advice box across the middle of the screen";

    ASSERT_TRUE(x_->sendKey(w, "Return"));
    const gfx::Bitmap red = frameWith(0xFF0000);
    const auto deadline = std::chrono::steady_clock::now() + testing::kPatience;
    int far = -1;
    gfx::Bitmap last;
    while (std::chrono::steady_clock::now() < deadline) {
        auto shot = x_->capture(w);
        if (shot.ok() && (far = farPixels(*shot, red)) == 0) {
            break;
        }
        if (shot.ok()) {
            last = std::move(shot.value());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    if (far != 0 && !last.empty()) {
        (void)gfx::savePng(testing::outDir() / "eightbit-actual.png", last);
    }
    if (withBox->width() > 0) {
        (void)gfx::savePng(testing::outDir() / "eightbit-advice.png", *withBox);
    }
    EXPECT_EQ(far, 0) << "the picture did not follow the advice (last shot: eightbit-actual.png)";
    ASSERT_TRUE(waitUntilWaiting(*p));
    auto after = x_->capture(w);
    ASSERT_TRUE(after.ok());
    EXPECT_EQ(farPixels(*after, red), 0) << "the advice came back";
    EXPECT_EQ(p->standardError(), "");
}

// F11 and Alt+Enter, on and off: after each switch the window shows the frame scaled by the
// whole factor that fits its real size, and a click on the menu bar's "ﾍﾙﾌﾟ" opens its menu
// (the pointer is mapped through the same size).
class FullScreenWindow : public DisplayWindow {
protected:
    // The X server of these cases: the window fits at 1x, full screen at 2x.
    static constexpr int kScreenW = 1300;
    static constexpr int kScreenH = 1000;

    void run(bool withWindowManager) {
        if (displayCase() != (withWindowManager ? "wm" : "nowm")) {
            GTEST_SKIP() << "runs in its own X server";
        }
        if (withWindowManager) {
            startWindowManager();
            if (HasFatalFailure()) {
                return;
            }
        }
        const gfx::Bitmap picture = busyPicture();
        game_.addPicture("BMP/busy.bmp", picture);
        auto p = start("1\tPK busy.bmp\n2\tKS\n", withWindowManager ? "fs_wm" : "fs_nowm");
        ASSERT_TRUE(p);
        w_ = waitForWindow(*p);
        ASSERT_NE(w_, 0u);
        const gfx::Bitmap frame = frameWith(picture);
        ASSERT_TRUE(waitForFrame(*p, w_, frame, "fs_start"));
        // The same frame with the help menu opened by a click on its title.
        ui::MenuBar bar(*fonts_);
        const gfx::Rect help = bar.titleRect(ui::MenuItem::Help);
        const double cx = help.x + help.w / 2.0;
        const double cy = help.y + help.h / 2.0;
        (void)bar.mouseDown(cx, cy, 1);
        (void)bar.mouseUp(cx, cy, 1);
        gfx::Bitmap open(640, kBarRows + 480);
        bar.drawBar(open);
        for (int y = 0; y < 480; ++y) {
            std::copy(picture.row(y).begin(), picture.row(y).end(), open.row(kBarRows + y).begin());
        }
        bar.drawDropdown(open, 0);

        const std::string tag = withWindowManager ? "wm" : "nowm";
        for (const auto& [keys, name] :
             std::vector<std::pair<std::vector<std::string>, std::string>>{
                 {{"F11"}, "f11"}, {{"Alt_L", "Return"}, "altenter"}}) {
            for (const bool on : {true, false}) {
                const std::string phase = on ? "_on" : "_off";
                SCOPED_TRACE(name + phase);
                ASSERT_TRUE(waitUntilWaiting(*p));
                ASSERT_TRUE(x_->sendKeys(w_, keys));
                checkSwitched(*p, on, frame, open, help, tag + "_" + name + phase);
                if (HasFatalFailure()) {
                    return;
                }
            }
        }
    }

    void checkSwitched(ChildProcess& p, bool on, const gfx::Bitmap& frame,
                       const gfx::Bitmap& open, const gfx::Rect& help, const std::string& name) {
        // The window's real size decides the factor; wait until the window has taken the
        // whole screen (the X server's, see CMakeLists.txt) or its own size again.
        const auto deadline = std::chrono::steady_clock::now() + testing::kPatience;
        std::optional<testing::XWindowPlace> place;
        gfx::Bitmap expected;
        for (;;) {
            place = x_->place(w_);
            ASSERT_TRUE(place.has_value());
            const bool sized = on ? place->width == kScreenW && place->height == kScreenH
                                  : place->width == 640 && place->height == 500;
            if (!sized) {
                ASSERT_LT(std::chrono::steady_clock::now(), deadline)
                    << "the window stayed " << place->width << "x" << place->height;
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                continue;
            }
            const int scale = std::max(1, std::min(place->width / 640, place->height / 500));
            expected = scaledInto(frame, scale, place->width, place->height);
            auto shot = x_->capture(w_);
            if (shot.ok() && *shot == expected) {
                break;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                ASSERT_TRUE(waitForFrame(p, w_, expected, name));  // reports and saves
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        const int scale = std::max(1, std::min(place->width / 640, place->height / 500));
        const int ox = (place->width - 640 * scale) / 2;
        const int oy = (place->height - 500 * scale) / 2;
        ASSERT_TRUE(waitUntilWaiting(p));
        ASSERT_TRUE(x_->sendClick(w_, ox + (help.x + help.w / 2) * scale,
                                  oy + (help.y + help.h / 2) * scale));
        EXPECT_TRUE(waitForFrame(p, w_, scaledInto(open, scale, place->width, place->height),
                                 name + "_menu"))
            << "the click on the menu bar missed";
        ASSERT_TRUE(x_->sendKey(w_, "Escape"));
        ASSERT_TRUE(waitForFrame(p, w_, expected, name + "_closed"));
    }

    unsigned long w_ = 0;
};

TEST_F(FullScreenWindow, SwitchesWithoutAWindowManager) {
    run(false);
}

TEST_F(FullScreenWindow, SwitchesUnderAWindowManager) {
    run(true);
}

}  // namespace
}  // namespace velko
