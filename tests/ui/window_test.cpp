// Routing through ui::Window: menu enabling rules, keyboard menus, screen input, the disabled
// window, deferred close requests, presenting only what changed.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "fakes.h"
#include "platform/surface.h"
#include "platform/ui/window.h"

namespace velko::ui {
namespace {

using namespace velko::testing;
using platform::InputEvent;
using platform::MenuCommand;

struct Recorder : WindowListener, platform::SurfaceListener {
    std::vector<std::string> log;
    void onCloseRequest() override { log.push_back("close"); }
    void onMenuCommand(MenuCommand c) override {
        log.push_back(c == MenuCommand::End ? "menu end" : "menu version");
    }
    void onKeyDown(const std::string& key, int) override { log.push_back("key " + key); }
    void onWheel(int notches) override { log.push_back("wheel " + std::to_string(notches)); }
    void onMouseDown(const platform::MouseEvent& e) override {
        log.push_back("down " + std::to_string(e.x) + " " + std::to_string(e.y) + " b" +
                      std::to_string(e.button));
    }
    void onMouseMove(const platform::MouseEvent& e) override {
        log.push_back("move " + std::to_string(e.x) + " " + std::to_string(e.y));
    }
    void onPaint() override { log.push_back("paint"); }
};

// A dialog that records what reaches it and shows a hand over its left half.
struct FakeOverlay : Overlay {
    std::vector<std::string> log;
    gfx::Rect bounds() const override { return {100, 100, 200, 100}; }
    void draw(gfx::Bitmap&, int) override {}
    void onMouseDown(double, double, int) override { log.push_back("down"); }
    void onMouseUp(double, double, int) override { log.push_back("up"); }
    void onMouseMove(double, double, int) override { log.push_back("move"); }
    void onKeyDown(const std::string& key, int) override { log.push_back("key " + key); }
    void onAnswer(platform::DialogAnswer) override { log.push_back("answer"); }
    void onWheel(int notches) override { log.push_back("wheel " + std::to_string(notches)); }
    bool yieldsToClose() const override { return yields; }
    bool yields = false;
    platform::NativeWindow::Cursor cursorAt(double x, double) const override {
        return x < 200 ? platform::NativeWindow::Cursor::Hand
                       : platform::NativeWindow::Cursor::Arrow;
    }
};

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : window(native, fonts), screen("picDisp", 640, 480, &fonts) {
        window.setScreen(&screen);
        window.setListener(&rec);
        screen.subscribe(&rec);
    }

    void enableAll() {
        window.setMenuEnabled(MenuItem::End, true);
        window.setMenuEnabled(MenuItem::Help, true);
        window.setMenuEnabled(MenuItem::Version, true);
    }
    // Centre of a menu rectangle in screen coordinates (the bar lies at negative y).
    static InputEvent at(InputEvent::Kind kind, const gfx::Rect& r) {
        return mouse(kind, r.x + r.w / 2.0, r.y + r.h / 2.0 - Window::kMenuBarHeight);
    }
    void click(const gfx::Rect& r) {
        window.dispatch(at(InputEvent::Kind::MouseDown, r));
        window.dispatch(at(InputEvent::Kind::MouseUp, r));
    }
    gfx::Rect endTitle() const { return window.menuBar().titleRect(MenuItem::End); }
    gfx::Rect helpTitle() const { return window.menuBar().titleRect(MenuItem::Help); }
    gfx::Rect versionItem() const { return window.menuBar().versionRect(); }
    void keys(std::initializer_list<const char*> names) {
        for (const char* n : names) {
            window.dispatch(key(n));
        }
    }
    using Log = std::vector<std::string>;

    FakeNativeWindow native;
    BoxFontLibrary fonts;
    Window window;
    platform::Surface screen;
    Recorder rec;
};

TEST_F(WindowTest, MenuClicksHonourEnabling) {
    // Everything starts disabled: no click chooses anything or opens the dropdown.
    click(endTitle());
    click(helpTitle());
    EXPECT_FALSE(window.menuBar().dropdownOpen());
    EXPECT_EQ(rec.log, Log{});
    click(versionItem());  // no dropdown there: the click belongs to the screen below
    ASSERT_EQ(rec.log.size(), 1u);
    EXPECT_EQ(rec.log[0].substr(0, 5), "down ");
    rec.log.clear();

    window.setMenuEnabled(MenuItem::Help, true);
    click(helpTitle());
    ASSERT_TRUE(window.menuBar().dropdownOpen());
    click(versionItem());  // the item itself is still disabled: the menu stays open
    EXPECT_TRUE(window.menuBar().dropdownOpen());
    EXPECT_EQ(rec.log, Log{});

    window.setMenuEnabled(MenuItem::Version, true);
    click(versionItem());
    window.setMenuEnabled(MenuItem::End, true);
    click(endTitle());
    EXPECT_EQ(rec.log, (Log{"menu version", "menu end"}));
    EXPECT_FALSE(window.menuBar().active());
}

TEST_F(WindowTest, DropdownChoiceByDragAndClosingClick) {
    enableAll();
    // Press on the title, drag to the item, release there.
    window.dispatch(at(InputEvent::Kind::MouseDown, helpTitle()));
    window.dispatch(at(InputEvent::Kind::MouseMove, versionItem()));
    window.dispatch(at(InputEvent::Kind::MouseUp, versionItem()));
    EXPECT_EQ(rec.log, Log{"menu version"});

    // A click on the screen beside an open menu only closes it.
    rec.log.clear();
    click(helpTitle());
    window.dispatch(down(320, 240));
    EXPECT_FALSE(window.menuBar().active());
    EXPECT_EQ(rec.log, Log{});
    window.dispatch(down(320, 240));
    EXPECT_EQ(rec.log, Log{"down 320.000000 240.000000 b1"});
}

TEST_F(WindowTest, HeadlessMenuEventsHonourEnabling) {
    window.setMenuEnabled(MenuItem::Version, true);  // its menu is still disabled
    window.dispatch(menu(MenuCommand::Version));
    window.dispatch(menu(MenuCommand::End));
    EXPECT_EQ(rec.log, Log{});

    enableAll();
    window.setEnabled(false);
    window.dispatch(menu(MenuCommand::End));
    window.setEnabled(true);
    FakeOverlay dialog;
    window.pushOverlay(&dialog);
    window.dispatch(menu(MenuCommand::End));
    window.removeOverlay(&dialog);
    EXPECT_EQ(rec.log, Log{});

    window.dispatch(menu(MenuCommand::Version));
    window.dispatch(menu(MenuCommand::End));
    EXPECT_EQ(rec.log, (Log{"menu version", "menu end"}));
}

TEST_F(WindowTest, KeyboardMenus) {
    enableAll();
    keys({"F10", "Right", "Down", "Return"});
    EXPECT_EQ(rec.log, Log{"menu version"});

    rec.log.clear();
    keys({"Left Alt", "Return"});  // a lone Alt, then Enter on the first title
    keys({"F10", "Right", "Right", "Return"});
    EXPECT_EQ(rec.log, (Log{"menu end", "menu end"}));

    // Escape backs out one level at a time; keys reach the program again afterwards.
    rec.log.clear();
    keys({"F10", "Right", "Down"});
    EXPECT_TRUE(window.menuBar().dropdownOpen());
    keys({"Escape"});
    EXPECT_FALSE(window.menuBar().dropdownOpen());
    EXPECT_TRUE(window.menuBar().active());
    keys({"Space", "Escape"});
    EXPECT_FALSE(window.menuBar().active());
    keys({"Return"});
    EXPECT_EQ(rec.log, Log{"key Return"});

    // A disabled menu does not open, and F10 toggles the keyboard mode off again.
    rec.log.clear();
    window.setMenuEnabled(MenuItem::Help, false);
    keys({"F10", "Right", "Down", "Return", "F10", "Space"});
    EXPECT_EQ(rec.log, Log{"key Space"});
}

TEST_F(WindowTest, ScreenInputReachesSurfaceListenersUnrounded) {
    window.dispatch(down(10.5, 20.25, platform::kRightButton));
    window.dispatch(move(639.75, 0));
    window.dispatch(down(5, -3));  // on the menu bar beside the titles
    window.dispatch(up(10, 10));
    window.dispatch(simple(InputEvent::Kind::Paint));
    EXPECT_EQ(rec.log, (Log{"down 10.500000 20.250000 b2", "move 639.750000 0.000000", "paint"}));
}

TEST_F(WindowTest, PositionsFarOffTheFrameOrNoNumberAtAllStayFiniteAndOpenNoMenu) {
    enableAll();
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    window.dispatch(down(1e300, 1e300));
    window.dispatch(down(nan, 5));
    window.dispatch(down(5, -1e300));  // far above the menu bar
    window.dispatch(down(nan, nan));
    window.dispatch(move(inf, -inf));
    window.dispatch(up(-inf, nan));
    EXPECT_EQ(rec.log,
              (Log{"down 1048576.000000 1048576.000000 b1", "down -1048576.000000 5.000000 b1"}));
    EXPECT_FALSE(window.menuBar().active());
}

TEST_F(WindowTest, TheWheelGoesToTheTopDialogOrTheProgramButNotIntoOpenMenus) {
    enableAll();
    InputEvent wheel = simple(InputEvent::Kind::Wheel);
    wheel.wheel = 1;
    window.dispatch(wheel);
    keys({"F10"});
    window.dispatch(wheel);
    keys({"F10"});
    window.setEnabled(false);
    window.dispatch(wheel);
    window.setEnabled(true);
    FakeOverlay dialog;
    window.pushOverlay(&dialog);
    wheel.wheel = -2;
    window.dispatch(wheel);
    EXPECT_EQ(rec.log, Log{"wheel 1"});
    EXPECT_EQ(dialog.log, Log{"wheel -2"});

    // A view that yields to the close request is answered, so that its loop can end; the
    // close then reaches the program once the view is gone.
    dialog.yields = true;
    window.dispatch(simple(InputEvent::Kind::Close));
    EXPECT_EQ(dialog.log, (Log{"wheel -2", "answer"}));
    EXPECT_EQ(rec.log, Log{"wheel 1"});
    window.removeOverlay(&dialog);
    window.present();
    EXPECT_EQ(rec.log, (Log{"wheel 1", "close"}));
}

TEST_F(WindowTest, DisabledWindowDropsInputAndHoldsClose) {
    enableAll();
    FakeOverlay dialog;
    window.setEnabled(false);
    window.dispatch(down(10, 10));
    window.dispatch(move(10, 10));
    window.dispatch(key("Return"));
    window.dispatch(key("F10"));
    window.dispatch(menu(MenuCommand::End));
    window.dispatch(simple(InputEvent::Kind::Close));
    window.dispatch(simple(InputEvent::Kind::Paint));
    window.present();
    EXPECT_EQ(rec.log, Log{"paint"});
    EXPECT_FALSE(window.menuBar().active());

    window.setEnabled(true);
    window.present();
    EXPECT_EQ(rec.log, (Log{"paint", "close"}));
    window.present();
    EXPECT_EQ(rec.log.size(), 2u) << "a held close is delivered once";
}

TEST_F(WindowTest, DialogTakesAllInputAndHoldsClose) {
    enableAll();
    FakeOverlay dialog;
    window.pushOverlay(&dialog);
    window.dispatch(down(150, 150));
    window.dispatch(up(150, 150));
    window.dispatch(move(150, -10));
    window.dispatch(key("F10"));
    window.dispatch(answer(platform::DialogAnswer::Yes));
    window.dispatch(simple(InputEvent::Kind::Close));
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"down", "up", "move", "key F10", "answer"}));
    EXPECT_EQ(rec.log, Log{});
    EXPECT_FALSE(window.menuBar().active());

    window.removeOverlay(&dialog);
    window.present();
    EXPECT_EQ(rec.log, Log{"close"});

    // Without a dialog, answers have nowhere to go.
    window.dispatch(answer(platform::DialogAnswer::Yes));
    EXPECT_EQ(dialog.log.size(), 5u);
}

TEST_F(WindowTest, PresentsOnlyWhatChanged) {
    window.present();
    window.present();
    EXPECT_EQ(native.presents, 1);
    EXPECT_EQ(native.lastFrame.width(), 640);
    EXPECT_EQ(native.lastFrame.height(), 500);

    screen.image().set(3, 4, 0x123456);
    window.present();
    EXPECT_EQ(native.presents, 2);
    EXPECT_EQ(native.lastFrame.at(3, 4 + Window::kMenuBarHeight), 0x123456u);

    window.setMenuEnabled(MenuItem::End, true);
    window.present();
    window.setMenuEnabled(MenuItem::End, true);  // no change
    window.present();
    EXPECT_EQ(native.presents, 3);

    FakeOverlay dialog;
    window.pushOverlay(&dialog);
    window.present();
    window.present();
    dialog.dirty = true;
    window.present();
    EXPECT_EQ(native.presents, 5);
    EXPECT_FALSE(dialog.dirty);
    window.removeOverlay(&dialog);
}

// The frame is reused: where a smaller screen does not reach, black replaces the last frame.
TEST_F(WindowTest, BlackBeyondASmallerScreen) {
    screen.image().fill(gfx::kWhite);
    window.present();
    screen.setSize(320, 200);
    window.present();
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const gfx::Pixel want = x < 320 && y < 200 ? gfx::kWhite : gfx::kBlack;
            ASSERT_EQ(native.lastFrame.at(x, y + Window::kMenuBarHeight), want) << x << "," << y;
        }
    }
}

TEST_F(WindowTest, CursorFollowsTheDialogAndFullscreenToggles) {
    FakeOverlay dialog;
    window.pushOverlay(&dialog);
    window.dispatch(move(150, 150));
    EXPECT_EQ(native.cursor, platform::NativeWindow::Cursor::Hand);
    window.dispatch(move(250, 150));
    EXPECT_EQ(native.cursor, platform::NativeWindow::Cursor::Arrow);
    window.dispatch(move(150, 150));
    window.removeOverlay(&dialog);
    EXPECT_EQ(native.cursor, platform::NativeWindow::Cursor::Arrow);

    window.dispatch(simple(InputEvent::Kind::ToggleFullscreen));
    EXPECT_TRUE(native.fullscreen);
    window.dispatch(simple(InputEvent::Kind::ToggleFullscreen));
    EXPECT_FALSE(native.fullscreen);

    window.setCaption(u"ベルコ");
    EXPECT_EQ(native.title, "ベルコ");
}

}  // namespace
}  // namespace velko::ui
