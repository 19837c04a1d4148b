// velko01 in a private X server: the version dialog opened through the keyboard's menu shows
// in the real window exactly as velko-headless draws it, and Escape takes it away again.

#include <gtest/gtest.h>

#include "program_window.h"

namespace velko {
namespace {

using testing::kPatience;

class AboutWindow : public testing::ProgramWindow {};

TEST_F(AboutWindow, OpenedFromTheKeyboardMenuItLooksAsHeadlessAndEscapeClosesIt) {
    game_.addPicture("BMP/title.bmp", test::solid(640, 480, 0x2A3550));
    const std::string scenario = "1\tST\n";
    const auto headless =
        game_.run(scenario, "1000 shot title\n1100 menu version\n1200 shot about\n");
    ASSERT_EQ(headless.exitCode, 0) << headless.output;
    ASSERT_TRUE(headless.has("dialog about"));
    auto p = start(scenario, "about");
    ASSERT_TRUE(p);
    const unsigned long w = waitForWindow(*p);
    ASSERT_NE(w, 0u);

    // The title screen's menu bar: "ﾍﾙﾌﾟ" and its item enabled, "終了" not.
    const auto frame = [&](const char* shot, std::initializer_list<const char*> keys) {
        return frameWith(headless.shot(shot), keys, {ui::MenuItem::Help, ui::MenuItem::Version});
    };
    const gfx::Bitmap title = frame("title", {});
    ASSERT_TRUE(waitForFrame(*p, w, title, "about_window_title"));
    ASSERT_TRUE(waitUntilWaiting(*p, true));
    // F10 takes the keyboard into the menus, Right goes to "ﾍﾙﾌﾟ", Down opens it on its item.
    for (const char* k : {"F10", "Right", "Down"}) {
        ASSERT_TRUE(x_->sendKey(w, k));
    }
    ASSERT_TRUE(waitForFrame(*p, w, frame("title", {"F10", "Right", "Down"}), "about_window_menu"));
    ASSERT_TRUE(x_->sendKey(w, "Return"));
    EXPECT_TRUE(waitForFrame(*p, w, frame("about", {}), "about_window_open"));
    ASSERT_TRUE(waitUntilWaiting(*p, true));
    ASSERT_TRUE(x_->sendKey(w, "Escape"));
    EXPECT_TRUE(waitForFrame(*p, w, title, "about_window_closed"));

    ASSERT_TRUE(x_->sendDeleteWindow(w));
    EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(0)) << p->standardError();
}

}  // namespace
}  // namespace velko
