// velko01 itself in a private X server: where its window appears and what it shows, checked
// from the server's own copy of the window; one instance at a time; the ways it ends; the
// keyboard. Every wait polls with a generous limit and no check depends on how fast the
// machine is: input is sent only once the program sits in its event wait.

#include <gtest/gtest.h>
#include <signal.h>

#include "program_window.h"

namespace velko {
namespace {

using testing::ChildProcess;
using testing::kBarRows;
using testing::kPatience;
using testing::ProgramWindow;

// Every pixel different from its neighbours, so a shifted or scaled copy cannot pass.
gfx::Bitmap logoPicture() {
    gfx::Bitmap b(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            b.set(x, y,
                  gfx::rgb(static_cast<std::uint8_t>(x * 255 / 639),
                           static_cast<std::uint8_t>((x ^ y) * 7),
                           static_cast<std::uint8_t>(y * 255 / 479)));
        }
    }
    return b;
}

TEST_F(ProgramWindow, LogoAppearsCentredBelowTheMenuBarThenFadesToBlack) {
    const gfx::Bitmap logo = logoPicture();
    game_.addPicture("BMP/logo.bmp", logo);
    auto p = start("1\tKC\n2\tPK logo.bmp\n3\tWT 3000\n4\tPF\n5\tKO\n6\tKS\n", "logo");
    ASSERT_TRUE(p);
    const unsigned long w = waitForWindow(*p);
    ASSERT_NE(w, 0u);

    const gfx::Bitmap logoFrame = frameWith(logo);
    ASSERT_TRUE(waitForFrame(*p, w, logoFrame, "logo")) << "the logo during WT";
    // Measured once start-up is surely over.
    const auto place = x_->place(w);
    ASSERT_TRUE(place.has_value());
    // The outer corner at ((1024 - 640) / 2, (768 - 480) / 2); with no window manager in the
    // test server there is no frame, so the client area starts there.
    EXPECT_EQ(place->x, 192);
    EXPECT_EQ(place->y, 144);
    EXPECT_EQ(place->width, 640);
    EXPECT_EQ(place->height, 500);

    // The bar the program showed: light grey over a darker lower edge, both captions drawn.
    ui::MenuBar bar(*fonts_);
    EXPECT_EQ(logoFrame.at(630, 5), 0xC0C0C0u);
    EXPECT_EQ(logoFrame.at(630, kBarRows - 1), 0x808080u);
    for (const auto item : {ui::MenuItem::End, ui::MenuItem::Help}) {
        const gfx::Rect r = bar.titleRect(item);
        int ink = 0;
        for (int y = r.y; y < r.bottom(); ++y) {
            for (int x = r.x; x < r.right(); ++x) {
                ink += logoFrame.at(x, y) != 0xC0C0C0u ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 20) << "caption " << static_cast<int>(item) << " missing";
    }

    EXPECT_TRUE(waitForFrame(*p, w, frameWith(gfx::kBlack), "after_fade")) << "black after PF";
}

TEST_F(ProgramWindow, MessageLineLooksAsInTheHeadlessRun) {
    game_.addPicture("BMP/pic.bmp", logoPicture());
    // Three rows: a forced break, then a continuation line of the source.
    const std::string scenario =
        "1\tPA pic.bmp\n"
        "2\t「テスト」の一行目です。'R二行目は少し長めの文にしてあります。\n"
        "\t三行目で終わり。\n";
    const auto headless = game_.run(scenario, "10000 shot message\n");
    ASSERT_EQ(headless.exitCode, 0) << headless.output;
    ASSERT_TRUE(headless.has("text", true)) << "the headless run printed no message";
    const gfx::Bitmap expected = headless.shot("message");
    ASSERT_EQ(expected.width(), 640);
    ASSERT_EQ(expected.height(), 480);

    auto p = start(scenario, "message");
    ASSERT_TRUE(p);
    const unsigned long w = waitForWindow(*p);
    ASSERT_NE(w, 0u);
    EXPECT_TRUE(waitForFrame(*p, w, frameWith(expected), "message"));
}

TEST_F(ProgramWindow, SecondInstanceNamesTheRunningOneAndAKilledOneLeavesNoLock) {
    const std::string scenario = "1\tKS\n";
    auto first = start(scenario, "first");
    ASSERT_TRUE(first);
    const unsigned long w = waitForWindow(*first);
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(waitUntilWaiting(*first));

    x_->watchMaps();
    auto second = start(scenario, "second");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->waitForExit(kPatience), std::optional<int>(0));
    EXPECT_EQ(x_->mapsSeen(), 0) << "the second instance showed a window";
    EXPECT_EQ(second->standardError(),
              "velko01 is already running (pid " + std::to_string(first->pid()) + ")\n");
    EXPECT_EQ(second->standardOutput(), "");
    EXPECT_TRUE(first->running());
    EXPECT_TRUE(x_->shown(w)) << "the first instance's window went away";

    first->signal(SIGKILL);
    ASSERT_EQ(first->waitForExit(kPatience), std::optional<int>(128 + SIGKILL));
    auto third = start(scenario, "third");
    ASSERT_TRUE(third);
    EXPECT_NE(waitForWindow(*third), 0u) << "the killed instance's lock stayed behind";
}

TEST_F(ProgramWindow, ClosingTheWindowOrTerminatingEndsTheProgramCleanly) {
    game_.addPicture("BMP/red.bmp", gfx::Bitmap(640, 480, 0xFF0000));
    const std::string scenario = "1\tPK red.bmp\n2\tKS\n";
    {
        auto p = start(scenario, "closed");
        ASSERT_TRUE(p);
        const unsigned long w = waitForWindow(*p);
        ASSERT_NE(w, 0u);
        ASSERT_TRUE(waitForFrame(*p, w, frameWith(0xFF0000), "before_close"));
        ASSERT_TRUE(waitUntilWaiting(*p));
        ASSERT_TRUE(x_->sendDeleteWindow(w));
        EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(0))
            << "after the window manager's close request; it said: " << p->standardError();
        EXPECT_EQ(p->standardError(), "");
    }
    {
        auto p = start(scenario, "terminated");
        ASSERT_TRUE(p);
        const unsigned long w = waitForWindow(*p);
        ASSERT_NE(w, 0u);
        ASSERT_TRUE(waitForFrame(*p, w, frameWith(0xFF0000), "before_term"));
        ASSERT_TRUE(waitUntilWaiting(*p));
        p->signal(SIGTERM);
        EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(0))
            << "after SIGTERM; it said: " << p->standardError();
        EXPECT_EQ(p->standardError(), "");
    }
}

TEST_F(ProgramWindow, WithoutADisplayItSaysSoOnOneLineAndFails) {
    auto s = launchOf("nodisplay", {});
    s.env["DISPLAY"] = std::nullopt;
    auto p = start(s);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(1));
    const std::string err = p->standardError();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_TRUE(err.ends_with("\n")) << err;
    EXPECT_NE(err.find("display"), std::string::npos) << err;
    EXPECT_EQ(p->standardOutput(), "");
}

TEST_F(ProgramWindow, KeysReadOnAndWorkTheMenuBar) {
    game_.addPicture("BMP/red.bmp", gfx::Bitmap(640, 480, 0xFF0000));
    game_.addPicture("BMP/blue.bmp", gfx::Bitmap(640, 480, 0x0000FF));
    auto p = start("1\tKS\n2\tPK red.bmp\n3\tKS\n4\tPK blue.bmp\n5\tKS\n", "keys");
    ASSERT_TRUE(p);
    const unsigned long w = waitForWindow(*p);
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(waitForFrame(*p, w, frameWith(gfx::kBlack), "keys_start"));
    ASSERT_TRUE(waitUntilWaiting(*p));

    ASSERT_TRUE(x_->sendKey(w, "Return"));
    ASSERT_TRUE(waitForFrame(*p, w, frameWith(0xFF0000), "keys_red")) << "Return reads on";
    ASSERT_TRUE(waitUntilWaiting(*p));

    // F10 puts the keyboard in the menu bar, "終了" raised; Right moves to "ﾍﾙﾌﾟ". While the
    // menus hold the keyboard, Down and Return stay there (the item is disabled here).
    ASSERT_TRUE(x_->sendKey(w, "F10"));
    EXPECT_TRUE(waitForFrame(*p, w, frameWith(0xFF0000, {"F10"}), "keys_f10"));
    ASSERT_TRUE(x_->sendKey(w, "Right"));
    ASSERT_TRUE(x_->sendKey(w, "Down"));
    ASSERT_TRUE(x_->sendKey(w, "Return"));
    EXPECT_TRUE(
        waitForFrame(*p, w, frameWith(0xFF0000, {"F10", "Right", "Down", "Return"}), "keys_help"));
    // Escape gives the keyboard back; the screen is still red, so that Return did not read on.
    ASSERT_TRUE(x_->sendKey(w, "Escape"));
    EXPECT_TRUE(waitForFrame(*p, w, frameWith(0xFF0000), "keys_menu_left"));

    ASSERT_TRUE(waitUntilWaiting(*p));
    ASSERT_TRUE(x_->sendKey(w, "Return"));
    EXPECT_TRUE(waitForFrame(*p, w, frameWith(0x0000FF), "keys_blue"));
}

TEST_F(ProgramWindow, AnAuthorsRunFailsOnAScriptErrorAndStartsWhereAsked) {
    game_.addPicture("BMP/red.bmp", gfx::Bitmap(640, 480, 0xFF0000));
    game_.addPicture("BMP/blue.bmp", gfx::Bitmap(640, 480, 0x0000FF));
    const std::string scenario = "1\tPK red.bmp\n2\tKS\n3\tJP 9\n5\tPK blue.bmp\n6\tKS\n";
    {
        // The error's box, answered, ends the program (no title was shown) with status 1.
        auto p = start(scenario, "script_error");
        ASSERT_TRUE(p);
        const unsigned long w = waitForWindow(*p);
        ASSERT_NE(w, 0u);
        ASSERT_TRUE(waitForFrame(*p, w, frameWith(0xFF0000), "error_before"));
        ASSERT_TRUE(waitUntilWaiting(*p));
        ASSERT_TRUE(x_->sendKey(w, "Return"));
        ASSERT_TRUE(waitUntilWaiting(*p));
        ASSERT_TRUE(x_->sendKey(w, "Return"));
        EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(1)) << p->standardError();
        EXPECT_NE(p->standardError().find("velko01: scenario line 9: "), std::string::npos)
            << p->standardError();
    }
    {
        // From line 5 the red picture is never shown: blue comes first.
        const auto script = (game_.dir() / "scenario.txt").string();
        auto p = start(
            launchOf("from", {"--script", script, "--game", game_.dir().string(), "--from", "5"}));
        ASSERT_TRUE(p);
        const unsigned long w = waitForWindow(*p);
        ASSERT_NE(w, 0u);
        EXPECT_TRUE(waitForFrame(*p, w, frameWith(0x0000FF), "from_blue"));
        p->signal(SIGTERM);
        EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(0)) << p->standardError();
    }
}

TEST_F(ProgramWindow, AFolderThatHoldsNoGameOrAMissingValueIsRefusedInOneLine) {
    const auto empty = game_.dir() / "empty";
    std::filesystem::create_directories(empty);
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"--game", (game_.dir() / "nowhere").string()}, "does not exist"},
        {{"--game", empty.string()}, "holds none of BMP/, Music/ and Wall/"},
        {{"--script"}, "--script needs a scenario file"},
        {{"--from", "x"}, "--from takes a line number"},
    };
    x_->watchMaps();
    for (const auto& c : cases) {
        auto p = start(launchOf("refused", c.args));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(2));
        const std::string err = p->standardError();
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        EXPECT_TRUE(err.starts_with("velko01: ")) << err;
    }
    EXPECT_EQ(x_->mapsSeen(), 0);
}

}  // namespace
}  // namespace velko
