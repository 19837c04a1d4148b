// The version dialog through velko-headless: the menu command, the trace, the address reaching
// the desktop, and what the reader sees before, during and after.

#include <gtest/gtest.h>

#include <string>

#include "about/about_view.h"
#include "engine/product.h"
#include "headless_run.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/raster.h"

namespace velko::test {
namespace {

about::AboutText shippedText() {
    const engine::Product& p = engine::builtinProduct();
    return about::aboutText(p.title, p.rights, p.homepage);
}

TEST(AboutHeadless, MenuVersionShowsTheDialogItsAddressOpensThePageAndOkLeavesNoTrace) {
    auto fonts = platform::FreeTypeFontLibrary::create();
    ASSERT_TRUE(fonts.ok()) << fonts.error();
    about::AboutView view(**fonts, shippedText());
    const gfx::Rect link = view.linkRect();
    const gfx::Rect box = view.bounds();

    HeadlessGame game;
    game.addPicture("BMP/title.bmp", solid(640, 480, 0x2A3550));
    const auto run = game.run("1\tST\n",
                              "900 shot before\n"
                              "1000 menu version\n"
                              "1100 shot about\n" +
                                  ("1200 dialog-click " + std::to_string(link.x + 3) + " " +
                                   std::to_string(link.y + 5) + "\n") +
                                  "1300 answer ok\n"
                                  "1400 shot after\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string url = "url " + engine::builtinProduct().homepage;
    EXPECT_EQ(run.timeOf("dialog about"), 1000);
    EXPECT_EQ(run.timeOf(url), 1200);
    EXPECT_EQ(run.timeOf("answer ok"), 1300);

    // Inside its bounds the shot is the dialog exactly as the view draws it.
    const gfx::Bitmap shot = run.shot("about");
    gfx::Bitmap expected = shot;
    view.draw(expected, 0);
    EXPECT_TRUE(shot == expected) << "the dialog in the shot differs from the view's own";
    EXPECT_NE(shot.at(box.x + 10, box.y + 40), run.shot("before").at(box.x + 10, box.y + 40));
    EXPECT_TRUE(run.shot("after") == run.shot("before"));
}

}  // namespace
}  // namespace velko::test
