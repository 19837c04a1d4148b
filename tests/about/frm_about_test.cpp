// The modal run of the version dialog on the headless platform: what it traces, what it asks
// of the desktop, its tool tip's delay on the virtual clock, and that it never stacks.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "about/about_view.h"
#include "about/frm_about.h"
#include "platform/event_pump.h"
#include "platform/gfx/image_io.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/input_script.h"
#include "platform/headless/recording_desktop.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"
#include "support/shared_fonts.h"

namespace velko::about {
namespace {

using Lines = std::vector<std::string>;
using velko::testing::fonts;

const std::string kHome = "https://www.example.org/yuzutsu/";

AboutText productText() {
    return aboutText(u"灯守坂　第１話", u"Copyright (C) 2000 工房ゆうづつ", kHome);
}

// Where the dialog's parts are, taken from a view laid out the same way.
struct Places {
    gfx::Rect link;
    gfx::Rect ok;
    std::optional<gfx::Rect> tip;
};

class Rig {
public:
    explicit Rig(const std::string& input)
        : dir_(makeDir()),
          native_(clock_, headless::parseInputScript(input, "input").value(), dir_),
          pump_(native_, clock_),
          window_(native_, fonts()),
          trace_(clock_),
          host{clock_, pump_, window_, fonts(), desktop, trace_} {
        pump_.setRouter(&window_);
        window_.setScreen(&screen_);
        native_.setOnRunEnd([this] { pump_.requestQuit(); });
    }
    ~Rig() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    Places places() {
        AboutView v(fonts(), productText());
        const gfx::Rect link = v.linkRect();
        v.onMouseMove(link.x + 4, link.y + 4, 0);
        v.showTip();
        return {link, v.okRect(), v.tipRect()};
    }
    gfx::Bitmap shot(const std::string& name) const {
        return gfx::loadPng(dir_ / (name + ".png")).value();
    }
    Lines trace() const { return trace_.lines(); }

    headless::RecordingDesktop desktop;

private:
    static std::filesystem::path makeDir() {
        char pattern[] = "/tmp/velko-about-XXXXXX";
        return mkdtemp(pattern);
    }

    std::filesystem::path dir_;
    headless::VirtualClock clock_;
    headless::HeadlessWindow native_;
    platform::EventPump pump_;
    ui::Window window_;
    platform::Surface screen_{"picDisp", 640, 480, nullptr};
    headless::MemoryTrace trace_;

public:
    platform::Host host;
};

std::string at(const gfx::Rect& r) {
    return std::to_string(r.x + 4) + " " + std::to_string(r.y + 4);
}

Places placesOnce() {
    static const Places p = Rig("").places();
    return p;
}

TEST(FrmAbout, EveryClickOnTheAddressAsksTheDesktopAndOkEndsTheRun) {
    const Places p = placesOnce();
    Rig rig("10 dialog-click " + at(p.link) + "\n20 dialog-click " + at(p.link) +
            "\n30 dialog-click " + at(p.ok) + "\n");
    FrmAbout(rig.host, productText()).Show();
    EXPECT_EQ(rig.desktop.urls, (Lines{kHome, kHome}));
    EXPECT_EQ(rig.trace(),
              (Lines{"0 dialog about", "10 url " + kHome, "20 url " + kHome, "30 answer ok"}));
    EXPECT_FALSE(rig.host.window.hasOverlay());
}

TEST(FrmAbout, EndOfTheRunWhileOpenLeavesNoDialogBehind) {
    Rig rig("10 paint\n");
    FrmAbout(rig.host, productText()).Show();
    EXPECT_EQ(rig.trace(), Lines{"0 dialog about"});  // closed by no one: no answer
    EXPECT_FALSE(rig.host.window.hasOverlay());
    EXPECT_TRUE(rig.desktop.urls.empty());
}

TEST(FrmAbout, TheTipWaitsHalfASecondOnTheAddress) {
    const Places p = placesOnce();
    ASSERT_TRUE(p.tip.has_value());
    const gfx::Point inTip{p.tip->x + 2, p.tip->y + 2};
    Rig rig("100 move " + at(p.link) + "\n550 shot early\n650 shot shown\n700 move " + at(p.ok) +
            "\n750 shot gone\n800 answer ok\n");
    FrmAbout(rig.host, productText()).Show();
    EXPECT_NE(rig.shot("early").at(inTip.x, inTip.y), 0xFFFFE1u);
    EXPECT_EQ(rig.shot("shown").at(inTip.x, inTip.y), 0xFFFFE1u);
    EXPECT_NE(rig.shot("gone").at(inTip.x, inTip.y), 0xFFFFE1u);
}

TEST(FrmAbout, OpeningAgainWhileOpenDoesNotStackASecondDialog) {
    Rig rig("100 paint\n200 answer ok\n300 paint\n400 answer ok\n");
    FrmAbout first(rig.host, productText());
    FrmAbout other(rig.host, productText());
    platform::TimerId timer = 0;
    timer = rig.host.pump.setTimer(50, [&] {
        rig.host.pump.killTimer(timer);
        first.Show();  // the same dialog again
        other.Show();  // or another one
    });
    first.Show();
    EXPECT_EQ(rig.trace(), (Lines{"0 dialog about", "200 answer ok"}));
    // Once closed it opens again, built anew.
    first.Show();
    EXPECT_EQ(rig.trace(),
              (Lines{"0 dialog about", "200 answer ok", "200 dialog about", "400 answer ok"}));
}

}  // namespace
}  // namespace velko::about
