// The version dialog on its own: where its parts sit, what it looks like with the real fonts
// (images that were looked at and approved), and how it answers the mouse and the keyboard
// through the window that routes input to it.

#include <gtest/gtest.h>

#include "about/about_text.h"
#include "about/about_view.h"
#include "fakes.h"
#include "platform/surface.h"
#include "platform/ui/window.h"
#include "support/golden.h"
#include "support/shared_fonts.h"

namespace velko::about {
namespace {

using namespace velko::testing;
using platform::DialogAnswer;
using Cursor = platform::NativeWindow::Cursor;

constexpr int kBar = ui::Window::kMenuBarHeight;

AboutText productText(std::string homepage = "https://www.example.org/yuzutsu/") {
    return aboutText(u"灯守坂　第１話", u"Copyright (C) 2000 工房ゆうづつ", homepage);
}

// Evening over a dark field, so that the dialog's edges show against it.
gfx::Bitmap scene() {
    gfx::Bitmap b(640, 480);
    for (int y = 0; y < 480; ++y) {
        const auto t = static_cast<std::uint8_t>(y * 120 / 479);
        for (int x = 0; x < 640; ++x) {
            b.set(x, y, y > 330 ? gfx::rgb(28, 38, 30) : gfx::rgb(30 + t, 40 + t / 2, 110));
        }
    }
    return b;
}

gfx::Point centre(const gfx::Rect& r) {
    return {r.x + r.w / 2, r.y + r.h / 2};
}

class AboutDialog : public ::testing::Test {
protected:
    AboutDialog() : window(native, fonts()), screen("picDisp", 640, 480, &fonts()) {
        screen.setPicture(scene());
        window.setScreen(&screen);
    }
    void TearDown() override {
        if (view) {
            window.removeOverlay(view.get());
        }
    }

    AboutView& open(AboutText text = productText()) {
        view = std::make_unique<AboutView>(fonts(), std::move(text));
        view->onLinkClicked = [this] { ++linkClicks; };
        window.pushOverlay(view.get());
        return *view;
    }
    gfx::Bitmap frame() {
        window.present();
        return native.lastFrame;
    }
    void press(gfx::Point p) { window.dispatch(down(p.x, p.y)); }
    void release(gfx::Point p) { window.dispatch(up(p.x, p.y)); }
    void click(gfx::Point p) {
        press(p);
        release(p);
    }

    FakeNativeWindow native;
    ui::Window window;
    platform::Surface screen;
    std::unique_ptr<AboutView> view;
    int linkClicks = 0;
};

TEST(AboutText, CaptionNamesTheEpisodeOnce) {
    EXPECT_EQ(productText().caption, u"灯守坂 第１話　のバージョン情報");
    EXPECT_EQ(aboutText(u"velko01", u"", "").caption, u"velko01 第１話　のバージョン情報");
    EXPECT_EQ(aboutText(u"灯守坂 第１話 ", u"", "").caption, u"灯守坂 第１話　のバージョン情報");
    EXPECT_EQ(productText().versionLine, u"velko01 Version 1.0");
}

TEST_F(AboutDialog, ClassicFormCentredOverTheScreen) {
    AboutView& v = open();
    // A 382 by 117 client area under an 18-pixel caption, inside a 3-pixel frame.
    EXPECT_EQ(v.bounds(), (gfx::Rect{126, 169, 388, 141}));
    EXPECT_EQ(v.clientRect(), (gfx::Rect{129, 190, 382, 117}));
    EXPECT_EQ(v.okRect(), (gfx::Rect{129 + 148, 190 + 84, 92, 23}));
    // The address sits on the heading's row, after it, wholly inside the client area.
    const gfx::Rect link = v.linkRect();
    EXPECT_EQ(link.y, 190 + 54);
    EXPECT_GT(link.x, 129 + 4 + 60);
    EXPECT_LE(link.right(), v.clientRect().right() - 4);

    const gfx::Bitmap f = frame();
    EXPECT_EQ(f.at(126 + 3, 169 + kBar + 3), 0x000080u);               // the caption's dark end
    EXPECT_EQ(f.at(126 + 200, 169 + kBar + 130), 0xC0C0C0u);           // the grey face
    EXPECT_EQ(f.at(125, 169 + kBar + 50), scene().at(125, 169 + 50));  // the screen around it
    // The address is blue and underlined from end to end.
    int underlineRows = 0;
    for (int y = link.y; y < link.bottom() + 3; ++y) {
        bool full = true;
        for (int x = link.x; x < link.right(); ++x) {
            full = full && f.at(x, y + kBar) == 0x0000FFu;
        }
        underlineRows += full ? 1 : 0;
    }
    EXPECT_EQ(underlineRows, 1);
    expectMatchesGolden(f, "about_dialog");
}

TEST_F(AboutDialog, ToolTipOfTheAddressAndThePressedButton) {
    AboutView& v = open();
    const gfx::Point onLink = centre(v.linkRect());
    window.dispatch(move(onLink.x, onLink.y));
    EXPECT_EQ(native.cursor, Cursor::Hand);
    v.showTip();
    ASSERT_TRUE(v.tipRect().has_value());
    const gfx::Rect tip = *v.tipRect();
    EXPECT_GT(tip.y, onLink.y);  // below the pointer
    const gfx::Bitmap withTip = frame();
    EXPECT_EQ(withTip.at(tip.x, tip.y + kBar), 0x000000u);
    EXPECT_EQ(withTip.at(tip.x + 1, tip.y + kBar + 1), 0xFFFFE1u);

    // Leaving the address takes the tip away; holding OK down sinks it.
    press(centre(v.okRect()));
    EXPECT_FALSE(v.tipShown());
    EXPECT_EQ(native.cursor, Cursor::Arrow);
    const gfx::Bitmap pressed = frame();
    EXPECT_EQ(pressed.at(v.okRect().x + 1, v.okRect().y + kBar + 1), 0x808080u);
    expectMatchesGolden(withTip, "about_tip");
}

TEST_F(AboutDialog, LongAddressWidensTheDialogInsteadOfBeingCut) {
    AboutView& v = open(productText("https://www.example.org/yuzutsu/episodes/first/index.html"));
    const gfx::Rect link = v.linkRect();
    EXPECT_GT(v.bounds().w, 388);
    EXPECT_LE(link.right(), v.clientRect().right() - 4);
    EXPECT_EQ(v.bounds().x, (640 - v.bounds().w) / 2);
    const gfx::Rect ok = v.okRect();
    EXPECT_LE(std::abs((ok.x + ok.w / 2) - (v.clientRect().x + v.clientRect().w / 2)), 3);
}

TEST_F(AboutDialog, AddressOpensOnEveryClickAndTheDialogStays) {
    AboutView& v = open();
    const gfx::Point onLink = centre(v.linkRect());
    click(onLink);
    click(onLink);
    EXPECT_EQ(linkClicks, 2);
    EXPECT_FALSE(v.closed());
    // A press taken off the address before release opens nothing.
    press(onLink);
    window.dispatch(move(onLink.x, onLink.y + 40));
    release(gfx::Point{onLink.x, onLink.y + 40});
    EXPECT_EQ(linkClicks, 2);
    // The hand shows over the address only, not over its heading or the empty face.
    window.dispatch(move(onLink.x, onLink.y));
    EXPECT_EQ(native.cursor, Cursor::Hand);
    window.dispatch(move(v.clientRect().x + 20, onLink.y));
    EXPECT_EQ(native.cursor, Cursor::Arrow);
    window.dispatch(move(v.linkRect().right() + 2, onLink.y));
    EXPECT_EQ(native.cursor, Cursor::Arrow);
    EXPECT_EQ(linkClicks, 2);
}

TEST_F(AboutDialog, OkEnterSpaceEscapeAndTheCloseBoxCloseIt) {
    const auto closesWith = [this](const std::function<void(AboutView&)>& act) {
        TearDown();
        AboutView& v = open();
        act(v);
        return v.closed();
    };
    EXPECT_TRUE(closesWith([this](AboutView& v) { click(centre(v.okRect())); }));
    EXPECT_TRUE(closesWith([this](AboutView& v) { click(centre(v.closeBoxRect())); }));
    for (const char* k : {"Return", "Keypad Enter", "Space", "Escape"}) {
        EXPECT_TRUE(closesWith([this, k](AboutView&) { window.dispatch(key(k)); })) << k;
    }
    EXPECT_TRUE(closesWith([this](AboutView&) { window.dispatch(answer(DialogAnswer::Ok)); }));

    // No other answer fits a dialog with OK alone; other keys and clicks on the face do nothing;
    // OK let go away from it is taken back.
    EXPECT_FALSE(closesWith([this](AboutView& v) {
        window.dispatch(answer(DialogAnswer::Cancel));
        window.dispatch(answer(DialogAnswer::Yes));
        window.dispatch(key("Tab"));
        window.dispatch(key("a"));
        click(gfx::Point{v.clientRect().x + 10, v.clientRect().bottom() - 5});
        press(centre(v.okRect()));
        window.dispatch(move(10, 10));
        release(gfx::Point{10, 10});
        click(centre(v.linkRect()));
    }));
    EXPECT_EQ(linkClicks, 1);
}

}  // namespace
}  // namespace velko::about
