// The title menu on a bare 640 by 480 surface: the images it copies from the sheet for each
// pointer position, the presses it hands to the title flow, its flags, and a sheet that is
// missing or too small.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "coded_sheet.h"
#include "menus/start_menu.h"
#include "platform/input.h"

namespace velko::menus {
namespace {

using gfx::Bitmap;
using gfx::Pixel;

constexpr Pixel kGround = 0x204060;  // the title picture under the menu

Bitmap codedSheet(int w = 564, int h = 344) {
    return test::codedSheet(w, h);
}
using test::copy;

// The screen as the menu must leave it: the buttons at x 400 and y 230, 300, 370 (normal
// image at sheet x 0, hover at 201, sheet rows 0, 51, 102), the preview 140 by 190 at
// (450, 20) from sheet row 153 and the column of the button under the pointer.
Bitmap expectedScreen(const Bitmap& sheet, int hover) {
    Bitmap b(640, 480, kGround);
    const int tops[] = {230, 300, 370};
    const int rows[] = {0, 51, 102};
    for (int i = 0; i < 3; ++i) {
        copy(b, 400, tops[i], 200, 50, sheet, hover == i + 1 ? 201 : 0, rows[i]);
    }
    const int previewLeft[] = {0, 141, 282, 423};
    copy(b, 450, 20, 140, 190, sheet, previewLeft[hover], 153);
    return b;
}

struct MenuRig {
    MenuRig() { screen.setPicture(Bitmap(640, 480, kGround)); }

    // A menu shown as the title flow shows it, owned through a shared pointer that the
    // callback may drop.
    void show(Result<Bitmap> sheet = codedSheet()) {
        auto loaded = std::make_shared<Result<Bitmap>>(std::move(sheet));
        menu = std::make_shared<StartMenu>(
            [this, loaded](std::u16string_view name) {
                requested = std::u16string(name);
                return *loaded;
            },
            [this](std::int16_t mode) {
                selected.push_back(mode);
                if (onSelect) {
                    onSelect(mode);
                }
            });
        menu->setPictureBox(screen);
        status = menu->setPicButton(u"button01.bmp");
        menu->subMenuDisp();
    }
    void move(double x, double y, int buttons = 0) { screen.mouseMove({buttons, 0, x, y}); }
    void press(double x, double y, int button = platform::kLeftButton) {
        screen.mouseDown({button, 0, x, y});
    }

    platform::Surface screen{"picDisp", 640, 480, nullptr};
    std::shared_ptr<StartMenu> menu;
    Status status = Ok{};
    std::u16string requested;
    std::vector<std::int16_t> selected;
    std::function<void(std::int16_t)> onSelect;
};

TEST(StartMenu, ShowsTheNormalButtonsAndTheRestingPreview) {
    MenuRig rig;
    rig.show();
    EXPECT_TRUE(rig.status.ok());
    EXPECT_EQ(rig.requested, u"button01.bmp");
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(codedSheet(), 0));
}

TEST(StartMenu, MovesHighlightTheButtonUnderThePointerAndPressesOffItDoNothing) {
    const Bitmap sheet = codedSheet();
    struct Case {
        double x, y;
        int hover;
    };
    const Case cases[] = {
        {500, 255, 1}, {401, 231, 1},    {599.5, 279.5, 1}, {400.25, 240, 1}, {500, 325, 2},
        {500, 395, 3}, {599, 419, 3},    {400, 255, 0},     {600, 255, 0},    {500, 230, 0},
        {500, 280, 0}, {500, 290, 0},    {500, 300, 0},     {500, 350, 0},    {500, 360, 0},
        {500, 420, 0}, {399.99, 255, 0}, {300, 255, 0},     {520, 100, 0},    {-5, -30, 0},
        {1e6, 255, 0},
    };
    MenuRig rig;
    rig.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        rig.move(c.x, c.y);
        EXPECT_EQ(rig.screen.constImage(), expectedScreen(sheet, c.hover));
        if (c.hover == 0) {
            rig.press(c.x, c.y);
        }
    }
    rig.press(500, 255, platform::kRightButton);
    rig.press(500, 255, platform::kMiddleButton);
    EXPECT_TRUE(rig.selected.empty());
    EXPECT_TRUE(rig.menu->MouseClickMode());
    // From the first button to the third: the first goes back to normal.
    rig.move(500, 255);
    rig.move(500, 395, platform::kLeftButton);
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(sheet, 3));
    // A repaint shows the resting menu until the next move.
    rig.screen.paint();
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(sheet, 0));
    rig.move(500, 326);
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(sheet, 2));
    // With clicks off a press on a button is ignored too.
    rig.menu->MouseClickMode(false);
    rig.press(500, 255);
    EXPECT_TRUE(rig.selected.empty());
    rig.menu->MouseClickMode(true);
    rig.press(500, 255);
    EXPECT_EQ(rig.selected, (std::vector<std::int16_t>{1}));
}

TEST(StartMenu, WithTheRedrawFlagOffMovesAndRepaintsLeaveTheScreen) {
    MenuRig rig;
    rig.show();
    rig.menu->setRedrawFlag(false);
    rig.screen.setPicture(Bitmap(640, 480, 0x010203));
    rig.move(500, 255);
    rig.screen.paint();
    EXPECT_EQ(rig.screen.constImage(), Bitmap(640, 480, 0x010203));
    // Presses still count.
    rig.press(500, 255);
    EXPECT_EQ(rig.selected, (std::vector<std::int16_t>{1}));
}

TEST(StartMenu, LeftPressesOnTheButtonsHandOnTheirModes) {
    struct Case {
        double x, y;
        std::int16_t mode;
        bool clickModeAfter;
        bool redrawsAfter;
    };
    const Case cases[] = {
        {500, 255, 1, false, false},
        {500, 325, 2, true, true},
        {500, 395, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        MenuRig rig;
        rig.show();
        rig.press(c.x, c.y);
        EXPECT_EQ(rig.selected, (std::vector<std::int16_t>{c.mode}));
        EXPECT_EQ(rig.menu->MouseClickMode(), c.clickModeAfter);
        rig.move(500, 395);
        EXPECT_EQ(rig.screen.constImage() == expectedScreen(codedSheet(), 3), c.redrawsAfter);
    }
}

TEST(StartMenu, ReleasedInsideItsPressItFinishesAndThenLeavesTheScreen) {
    MenuRig rig;
    rig.show();
    std::weak_ptr<StartMenu> watch = rig.menu;
    bool aliveDuringSelect = false;
    // The title flow drops its only reference and runs the story before returning.
    rig.onSelect = [&](std::int16_t) {
        rig.menu->setRedrawFlag(false);
        rig.menu->MouseClickMode(false);
        rig.menu.reset();
        aliveDuringSelect = !watch.expired();
        rig.screen.setPicture(Bitmap(640, 480, 0x112233));  // the story's first picture
    };
    rig.press(500, 325);
    EXPECT_TRUE(aliveDuringSelect);
    EXPECT_TRUE(watch.expired());
    // Gone from the screen's listeners: a move and a press reach nothing.
    rig.move(500, 255);
    rig.press(500, 255);
    EXPECT_EQ(rig.screen.constImage(), Bitmap(640, 480, 0x112233));
    EXPECT_EQ(rig.selected.size(), 1u);
}

TEST(StartMenu, AMissingOrSmallSheetDrawsWhatItHasAndStillTakesPresses) {
    {
        MenuRig rig;
        rig.show(makeError("BMP/button01.bmp: not found"));
        ASSERT_FALSE(rig.status.ok());
        EXPECT_EQ(rig.status.error(), "BMP/button01.bmp: not found");
        rig.move(500, 255);
        EXPECT_EQ(rig.screen.constImage(), Bitmap(640, 480, kGround));
        rig.press(500, 395);
        EXPECT_EQ(rig.selected, (std::vector<std::int16_t>{0}));
    }
    {
        // 250 by 60: only the top of the first button's images and the rest is left alone.
        const Bitmap small = codedSheet(250, 60);
        MenuRig rig;
        rig.show(small);
        Bitmap expected(640, 480, kGround);
        copy(expected, 400, 230, 200, 50, small, 0, 0);
        copy(expected, 400, 300, 200, 9, small, 0, 51);
        EXPECT_EQ(rig.screen.constImage(), expected);
        rig.move(500, 255);
        copy(expected, 400, 230, 49, 50, small, 201, 0);
        // The hover image is cut at the sheet's right edge; the rest of it keeps the normal
        // image drawn before, as a clipped copy leaves pixels it has no source for.
        EXPECT_EQ(rig.screen.constImage(), expected);
    }
}

}  // namespace
}  // namespace velko::menus
