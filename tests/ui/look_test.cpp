// What the window looks like with the real fonts: menu bar, dropdown and message boxes,
// checked against images that were looked at and approved.

#include <gtest/gtest.h>

#include "fakes.h"
#include "platform/event_pump.h"
#include "platform/surface.h"
#include "platform/ui/message_box_view.h"
#include "platform/ui/window.h"
#include "support/golden.h"
#include "support/shared_fonts.h"

namespace velko::ui {
namespace {

using namespace velko::testing;
using platform::InputEvent;

constexpr std::u16string_view kTitle = u"ベルコの夏休み";

// A dusk sky with a dark ground: enough colour to see the menu's and dialogs' edges against.
gfx::Bitmap scene() {
    gfx::Bitmap b(640, 480);
    for (int y = 0; y < 480; ++y) {
        const int t = y * 255 / 479;
        const gfx::Pixel sky =
            gfx::rgb(static_cast<std::uint8_t>(40 + t / 2), static_cast<std::uint8_t>(60 + t / 4),
                     static_cast<std::uint8_t>(140 - t / 3));
        for (int x = 0; x < 640; ++x) {
            b.set(x, y, y > 360 ? gfx::rgb(30, 40, 30) : sky);
        }
    }
    return b;
}

class LookTest : public ::testing::Test {
protected:
    LookTest() : window(native, fonts()), screen("picDisp", 640, 480, &fonts()) {
        screen.setPicture(scene());
        window.setScreen(&screen);
    }

    gfx::Bitmap frameWith(Overlay* overlay) {
        if (overlay) {
            window.pushOverlay(overlay);
        }
        window.present();
        gfx::Bitmap f = native.lastFrame;
        if (overlay) {
            window.removeOverlay(overlay);
        }
        return f;
    }

    FakeNativeWindow native;
    Window window;
    platform::Surface screen;
};

TEST_F(LookTest, MenuBarShowsEnabledAndDisabledTitles) {
    window.setMenuEnabled(MenuItem::Help, true);
    window.setMenuEnabled(MenuItem::Version, true);
    const gfx::Bitmap f = frameWith(nullptr);
    // The grey bar ends in a shadow line right above the first screen row.
    EXPECT_EQ(f.at(600, 5), 0xC0C0C0u);
    EXPECT_EQ(f.at(600, 19), 0x808080u);
    EXPECT_EQ(f.at(600, 20), screen.constImage().at(600, 0));
    expectMatchesGolden(f, "menu_bar");
}

TEST_F(LookTest, TheReadingMarkSitsAtTheBarsRightEndAndGoesAgain) {
    const gfx::Bitmap plain = frameWith(nullptr);
    window.setMark(u"スキップ・オート");
    const gfx::Bitmap marked = frameWith(nullptr);
    // Ink only in the bar's face, right of its middle, clear of the bottom shadow.
    int ink = 0;
    for (int y = 0; y < marked.height(); ++y) {
        for (int x = 0; x < marked.width(); ++x) {
            if (marked.at(x, y) != plain.at(x, y)) {
                ++ink;
                EXPECT_TRUE(x >= 320 && x < 636 && y >= 1 && y < 19) << x << "," << y;
            }
        }
    }
    EXPECT_GT(ink, 50);
    expectMatchesGolden(marked, "menu_mark");
    window.setMark({});
    EXPECT_EQ(frameWith(nullptr), plain);
}

TEST_F(LookTest, HelpDropdownHangsBelowItsTitle) {
    window.setMenuEnabled(MenuItem::Help, true);
    window.setMenuEnabled(MenuItem::Version, true);
    const gfx::Rect help = window.menuBar().titleRect(MenuItem::Help);
    window.dispatch(down(help.x + 5, help.y + 5 - Window::kMenuBarHeight));
    window.dispatch(
        move(help.x + 20, window.menuBar().versionRect().y + 5 - Window::kMenuBarHeight));
    ASSERT_TRUE(window.menuBar().dropdownOpen());
    expectMatchesGolden(frameWith(nullptr), "menu_dropdown");
}

TEST_F(LookTest, KeyboardMenuRaisesTheChosenTitle) {
    window.setMenuEnabled(MenuItem::End, true);
    window.dispatch(key("F10"));
    const gfx::Bitmap f = frameWith(nullptr);
    const gfx::Rect end = window.menuBar().titleRect(MenuItem::End);
    EXPECT_EQ(f.at(end.x, end.y), 0xFFFFFFu);
    EXPECT_EQ(f.at(end.right() - 1, end.bottom() - 1), 0x808080u);
    expectMatchesGolden(f, "menu_keyboard");
}

TEST_F(LookTest, QuestionBoxWithThreeButtons) {
    MessageBoxSpec request;
    request.text = u"ﾀｲﾄﾙに戻りますか？";
    request.title = std::u16string(kTitle);
    request.buttons = Buttons::YesNoCancel;
    request.icon = Icon::Question;
    request.defaultButton = 1;
    MessageBoxView view(fonts(), request);
    const gfx::Bitmap f = frameWith(&view);
    const gfx::Rect b = view.bounds();
    // Centred over the screen, caption gradient from dark blue, grey face.
    EXPECT_EQ(b.x, (640 - b.w) / 2);
    EXPECT_EQ(b.y, (480 - b.h) / 2);
    EXPECT_EQ(f.at(b.x + 3, b.y + Window::kMenuBarHeight + 3), 0x000080u);
    EXPECT_EQ(f.at(b.x + 6, b.bottom() + Window::kMenuBarHeight - 6), 0xC0C0C0u);
    expectMatchesGolden(f, "question_box");
}

TEST_F(LookTest, AdviceBoxWithOkOnly) {
    MessageBoxSpec request;
    request.text = u"このｹﾞｰﾑは16Bitｶﾗｰ以上でﾌﾟﾚｲすることをお勧めします。";
    request.title = std::u16string(kTitle);
    MessageBoxView view(fonts(), request);
    expectMatchesGolden(frameWith(&view), "advice_box");
}

TEST_F(LookTest, PressedButtonAndMultiLineText) {
    MessageBoxSpec request;
    request.text = u"壁紙を変更しますか？\r\n変更した壁紙は元に戻せません。";
    request.title = std::u16string(kTitle);
    request.buttons = Buttons::YesNo;
    request.icon = Icon::Question;
    MessageBoxView view(fonts(), request);
    const gfx::Rect yes = view.buttonRect(0);
    view.onMouseDown(yes.x + 10, yes.y + 10, platform::kLeftButton);
    expectMatchesGolden(frameWith(&view), "pressed_button");
}

}  // namespace
}  // namespace velko::ui
