// The script's button screen on a bare 640 by 480 surface, with the shipped gallery's five
// buttons on a sheet of unique colours: what it draws for each pointer position, which
// presses send the script on, its two flags, a release from inside a press, and button
// lines it cannot use.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "coded_sheet.h"
#include "menus/menu.h"
#include "platform/input.h"

namespace velko::menus {
namespace {

using gfx::Bitmap;
using gfx::Pixel;
using test::codedSheet;
using test::copy;
using Jumps = std::vector<std::int16_t>;

constexpr Pixel kGround = 0x204060;  // the picture under the buttons
constexpr Pixel kLater = 0x0a0b0c;   // what the script draws after a press

struct ButtonLine {
    int left, top, right, bottom, nl, nt, nr, nb, hl, ht, hr, hb, target;

    std::u16string line() const {
        std::string s;
        for (int v : {left, top, right, bottom, nl, nt, nr, nb, hl, ht, hr, hb, target}) {
            s += (s.empty() ? "" : ",") + std::to_string(v);
        }
        return {s.begin(), s.end()};
    }
};

// The wallpaper gallery of the episode: four pictures and the way back.
const std::vector<ButtonLine> kGallery = {
    {140, 110, 300, 200, 0, 0, 160, 90, 161, 0, 321, 90, 251},
    {340, 110, 500, 200, 0, 91, 160, 181, 161, 91, 321, 181, 261},
    {140, 240, 300, 330, 0, 182, 160, 272, 161, 182, 321, 272, 271},
    {340, 240, 500, 330, 0, 273, 160, 363, 161, 273, 321, 363, 281},
    {260, 410, 380, 440, 322, 31, 442, 61, 443, 31, 563, 61, 101},
};

Bitmap gallerySheet() {
    return codedSheet(564, 364);
}

// The screen with every button of `lines` copied in its normal image, except those in
// `hover` (indices) in their hover images. Equal sizes only.
Bitmap expectedScreen(const std::vector<ButtonLine>& lines, std::vector<int> hover = {}) {
    const Bitmap sheet = gallerySheet();
    Bitmap b(640, 480, kGround);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const ButtonLine& s = lines[static_cast<std::size_t>(i)];
        const bool h = std::find(hover.begin(), hover.end(), i) != hover.end();
        copy(b, s.left, s.top, s.right - s.left, s.bottom - s.top, sheet, h ? s.hl : s.nl,
             h ? s.ht : s.nt);
    }
    return b;
}

struct Rig {
    Rig() { screen.setPicture(Bitmap(640, 480, kGround)); }

    // A screen built as ZT, ZB... and ZS build it, owned through a shared pointer that the
    // jump may drop.
    void build(const std::vector<ButtonLine>& lines, Result<Bitmap> sheet = gallerySheet(),
               bool show = true) {
        auto loaded = std::make_shared<Result<Bitmap>>(std::move(sheet));
        menu = std::make_shared<Menu>(
            [this, loaded](std::u16string_view name) {
                requested = std::u16string(name);
                return *loaded;
            },
            [this](std::int16_t line) {
                jumps.push_back(line);
                if (onJump) {
                    onJump(line);
                }
            });
        menu->setPictureBox(screen);
        status = menu->setPicButton(u"button03.bmp");
        for (const ButtonLine& s : lines) {
            EXPECT_TRUE(menu->ButtonNum(s.line()).ok());
        }
        if (show) {
            menu->subMenuDisp();
        }
    }
    void move(double x, double y, int buttons = 0) { screen.mouseMove({buttons, 0, x, y}); }
    void press(double x, double y, int button = platform::kLeftButton) {
        screen.mouseDown({button, 0, x, y});
    }
    const Bitmap& image() const { return screen.constImage(); }

    platform::Surface screen{"picDisp", 640, 480, nullptr};
    std::shared_ptr<Menu> menu;
    Status status = Ok{};
    std::u16string requested;
    Jumps jumps;
    std::function<void(std::int16_t)> onJump;
};

TEST(Menu, ShowsEveryButtonInItsNormalImageOnlyWhenAskedTo) {
    Rig rig;
    rig.build(kGallery, gallerySheet(), false);
    EXPECT_EQ(rig.requested, u"button03.bmp");
    // Adding buttons draws nothing; the screen shows at ZS.
    EXPECT_EQ(rig.image(), Bitmap(640, 480, kGround));
    rig.menu->subMenuDisp();
    EXPECT_EQ(rig.image(), expectedScreen(kGallery));
}

TEST(Menu, StretchesImagesOfAnotherSizeAndDrawsInTableOrder) {
    Rig rig;
    // An 80 by 40 button from 40 by 20 sheet images; a later button overlaps it; an extra
    // item after the thirteenth is ignored.
    rig.build({});
    ASSERT_TRUE(rig.menu->ButtonNum(u"10,10,90,50,5,7,45,27,50,7,90,27,300,99").ok());
    ASSERT_TRUE(rig.menu->ButtonNum(u"80,40,100,60,200,200,220,220,230,200,250,220,400").ok());
    rig.menu->subMenuDisp();
    const Bitmap sheet = gallerySheet();
    const auto expected = [&](int firstSheetLeft, int secondSheetLeft) {
        Bitmap b(640, 480, kGround);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 80; ++x) {
                b.set(10 + x, 10 + y, sheet.at(firstSheetLeft + x / 2, 7 + y / 2));
            }
        }
        copy(b, 80, 40, 20, 20, sheet, secondSheetLeft, 200);
        return b;
    };
    EXPECT_EQ(rig.image(), expected(5, 200));
    // Over the overlap both buttons hold the pointer: both show their hover images.
    rig.move(85, 45);
    EXPECT_EQ(rig.image(), expected(50, 230));
    rig.move(20, 20);
    EXPECT_EQ(rig.image(), expected(50, 200));
    // A press in the overlap goes to the first button in table order.
    rig.press(85, 45);
    EXPECT_EQ(rig.jumps, (Jumps{300}));
}

TEST(Menu, MovesShowTheHoverImageUnderThePointerAndPressesOffTheButtonsDoNothing) {
    struct Case {
        double x, y;
        int hover;  // index, or -1
    };
    const Case cases[] = {
        {220, 150, 0},      {140.5, 110.5, 0}, {299.5, 199.5, 0}, {420, 150, 1},  {220, 280, 2},
        {420, 280, 3},      {320, 425, 4},     {379.9, 439.9, 4}, {140, 150, -1}, {300, 150, -1},
        {220, 110, -1},     {220, 200, -1},    {320, 300, -1},    {260, 425, -1}, {380, 425, -1},
        {320, 410, -1},     {320, 440, -1},    {10, 10, -1},      {-50, -50, -1}, {1e9, 150, -1},
        {139.999, 150, -1},
    };
    Rig rig;
    rig.build(kGallery);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        rig.move(c.x, c.y);
        EXPECT_EQ(rig.image(),
                  c.hover < 0 ? expectedScreen(kGallery) : expectedScreen(kGallery, {c.hover}));
        if (c.hover < 0) {
            rig.press(c.x, c.y);
        }
    }
    rig.press(220, 150, platform::kRightButton);
    rig.press(220, 150, platform::kMiddleButton);
    EXPECT_TRUE(rig.jumps.empty());
    EXPECT_TRUE(rig.menu->MouseClickMode());
    // Moves with a button held count the same; the previous hover goes back to normal.
    rig.move(420, 280, platform::kLeftButton);
    EXPECT_EQ(rig.image(), expectedScreen(kGallery, {3}));
    // A repaint shows the normal images until the next move.
    rig.screen.paint();
    EXPECT_EQ(rig.image(), expectedScreen(kGallery));
    rig.move(421, 280);
    EXPECT_EQ(rig.image(), expectedScreen(kGallery, {3}));
    // With clicks off even a left press inside is ignored, but moves still draw.
    rig.menu->MouseClickMode(false);
    rig.press(420, 280);
    rig.move(220, 150);
    EXPECT_EQ(rig.image(), expectedScreen(kGallery, {0}));
    EXPECT_TRUE(rig.jumps.empty());
    rig.menu->MouseClickMode(true);
    rig.press(420, 280);
    EXPECT_EQ(rig.jumps, (Jumps{281}));
}

TEST(Menu, ALeftPressJumpsToItsLineAndTheScreenRestsUntilArmedAgain) {
    Rig rig;
    rig.build(kGallery);
    rig.press(220, 150);
    EXPECT_EQ(rig.jumps, (Jumps{251}));
    EXPECT_FALSE(rig.menu->MouseClickMode());
    // Chosen: neither moves nor repaints draw, and presses are ignored.
    rig.screen.setPicture(Bitmap(640, 480, kLater));
    rig.move(420, 150);
    rig.screen.paint();
    rig.press(420, 150);
    EXPECT_EQ(rig.image(), Bitmap(640, 480, kLater));
    EXPECT_EQ(rig.jumps, (Jumps{251}));
    // Armed again (after the wallpaper question): nothing is drawn until the next move.
    rig.menu->MouseClickMode(true);
    rig.menu->setRedrawFlag(true);
    EXPECT_EQ(rig.image(), Bitmap(640, 480, kLater));
    rig.screen.setPicture(Bitmap(640, 480, kGround));
    rig.move(320, 425);
    EXPECT_EQ(rig.image(), expectedScreen(kGallery, {4}));
    rig.press(320, 425);
    EXPECT_EQ(rig.jumps, (Jumps{251, 101}));
}

TEST(Menu, ReleasedAndReplacedInsideItsPressItFinishesAndLeavesTheScreen) {
    Rig rig;
    rig.build(kGallery);
    std::weak_ptr<Menu> first = rig.menu;
    bool aliveDuringJump = false;
    // The script drops the screen (ZE), draws a new picture and builds the next screen with
    // a button where the pressed one was, all before the jump returns.
    bool replaced = false;
    rig.onJump = [&](std::int16_t) {
        if (replaced) {
            return;
        }
        replaced = true;
        rig.menu.reset();
        aliveDuringJump = !first.expired();
        rig.screen.setPicture(Bitmap(640, 480, kGround));
        rig.build({{200, 100, 320, 220, 0, 0, 120, 120, 130, 0, 250, 120, 700}});
    };
    rig.press(220, 150);
    EXPECT_TRUE(aliveDuringJump);
    EXPECT_TRUE(first.expired());
    // The press that built the new screen did not also press it.
    EXPECT_EQ(rig.jumps, (Jumps{251}));
    // Only the new screen answers now.
    rig.move(420, 150);
    Bitmap expected(640, 480, kGround);
    copy(expected, 200, 100, 120, 120, gallerySheet(), 0, 0);
    EXPECT_EQ(rig.image(), expected);
    rig.press(420, 150);
    rig.press(250, 150);
    EXPECT_EQ(rig.jumps, (Jumps{251, 700}));
}

TEST(Menu, WithoutButtonsOrWithoutASheetItDrawsNothing) {
    {
        Rig rig;
        rig.build({});
        rig.move(220, 150);
        rig.screen.paint();
        rig.press(220, 150);
        EXPECT_EQ(rig.image(), Bitmap(640, 480, kGround));
        EXPECT_TRUE(rig.jumps.empty());
    }
    {
        Rig rig;
        rig.build(kGallery, makeError("BMP/button03.bmp: not found"));
        ASSERT_FALSE(rig.status.ok());
        EXPECT_EQ(rig.status.error(), "BMP/button03.bmp: not found");
        rig.move(220, 150);
        EXPECT_EQ(rig.image(), Bitmap(640, 480, kGround));
        // The invisible buttons still take presses.
        rig.press(320, 425);
        EXPECT_EQ(rig.jumps, (Jumps{101}));
    }
}

TEST(Menu, ButtonLinesItCannotUseAddNothing) {
    Rig rig;
    rig.build({});
    // Refused lines (their parsing is the script reader's own test) leave no button behind.
    EXPECT_FALSE(rig.menu->ButtonNum(u"10,10,90,50,0,0,80,40").ok());
    EXPECT_FALSE(rig.menu->ButtonNum(u"50,50,90,90,0,0,40,40,0,0,40,40,0").ok());
    rig.menu->subMenuDisp();
    rig.press(70, 70);
    EXPECT_EQ(rig.image(), Bitmap(640, 480, kGround));
    // Empty and inverted rectangles are never drawn nor pressed; a rectangle wider than
    // any surface is not drawn but holds the pointer.
    ASSERT_TRUE(rig.menu->ButtonNum(u"50,50,50,90,0,0,10,10,0,0,10,10,11").ok());
    ASSERT_TRUE(rig.menu->ButtonNum(u"90,50,50,90,0,0,10,10,0,0,10,10,12").ok());
    ASSERT_TRUE(rig.menu->ButtonNum(u"100,100,200,200,10,10,0,0,10,10,0,0,13").ok());
    rig.menu->subMenuDisp();
    rig.move(70, 70);
    rig.move(150, 150);
    rig.press(50.5, 70);
    rig.press(70, 70);
    EXPECT_EQ(rig.image(), Bitmap(640, 480, kGround));
    EXPECT_TRUE(rig.jumps.empty());
    rig.press(150, 150);
    EXPECT_EQ(rig.jumps, (Jumps{13}));
    rig.menu->MouseClickMode(true);
    ASSERT_TRUE(rig.menu->ButtonNum(u"-2147483648,0,2147483647,480,0,0,10,10,0,0,10,10,14").ok());
    rig.menu->setRedrawFlag(true);
    rig.move(600, 300);
    EXPECT_EQ(rig.image(), Bitmap(640, 480, kGround));
    rig.press(600, 300);
    EXPECT_EQ(rig.jumps, (Jumps{13, 14}));
}

}  // namespace
}  // namespace velko::menus
