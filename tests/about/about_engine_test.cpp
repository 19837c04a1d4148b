// The version command in the running engine: let through or refused as the menus' state
// says, the script standing still while the dialog is open and going on where it was after.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_rig.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

// The time of the first trace line that starts with `prefix`, or -1.
long long timeOf(EngineRig& rig, const std::string& prefix) {
    for (const auto& line : rig.trace().lines()) {
        const auto space = line.find(' ');
        if (line.compare(space + 1, prefix.size(), prefix) == 0) {
            return std::stoll(line.substr(0, space));
        }
    }
    return -1;
}

constexpr const char* kLongText =
    "長い一行です。夕暮れの坂道を上ると、古い鳥居の向こうに灯がともっていました。まだ続きます。";

TEST(AboutInEngine, RefusedBeforeTheTitleAndWhileAMessageIsRevealed) {
    {
        // The logo's lines leave the menus disabled.
        EngineRig rig("1\tKS\n", "1000 menu version\n1100 answer ok\n");
        rig.engine().Main();
        rig.idle();
        EXPECT_FALSE(rig.has("dialog about"));
    }
    {
        EngineRig rig("1\tST\n", "1000 menu version\n1100 answer ok\n");
        rig.addTitleAssets();
        rig.engine().Main();
        rig.idle();
        EXPECT_TRUE(rig.has("dialog about"));
        EXPECT_TRUE(rig.has("answer ok"));
    }
    // In the story, a text being revealed keeps the command out.
    const std::string story =
        std::string("1\tST\n1001\tPK pic.bmp\n1002\t") + kLongText + "\n1003\tKS\n";
    long long textAt = -1;
    {
        EngineRig rig(story);
        rig.addTitleAssets();
        rig.addPicture("BMP/pic.bmp", gfx::Bitmap(640, 480, 0x336699));
        rig.engine().Main();
        rig.engine().TitleSelect(1);
        textAt = timeOf(rig, "text ");
    }
    ASSERT_GT(textAt, 0);
    EngineRig rig(story, std::to_string(textAt + 100) + " menu version\n" +
                             std::to_string(textAt + 3000) + " answer ok\n");
    rig.addTitleAssets();
    rig.addPicture("BMP/pic.bmp", gfx::Bitmap(640, 480, 0x336699));
    rig.engine().Main();
    rig.engine().TitleSelect(1);
    rig.idle();
    EXPECT_FALSE(rig.has("dialog about"));
}

TEST(AboutInEngine, TheStoryStandsStillWhileItIsOpenAndGoesOnAfter) {
    EngineRig rig("1\tST\n1001\tPK pic.bmp\n1002\tはじめの一行。\n1003\tKS\n",
                  "5000 menu version\n"
                  "5100 click 20 20\n"           // outside the dialog: no reading on
                  "5150 menu version\n"          // no second dialog over the first
                  "5200 dialog-click 300 250\n"  // on the dialog
                  "5300 key Return\n"
                  "5400 menu version\n"  // opens again, built anew
                  "5500 answer ok\n"
                  "6000 click 20 20\n");
    rig.addTitleAssets();
    rig.addPicture("BMP/pic.bmp", gfx::Bitmap(640, 480, 0x336699));
    auto& e = rig.engine();
    e.Main();
    e.TitleSelect(1);
    ASSERT_EQ(rig.executedLines(), (Lines{1, 1001, 1002}));
    const gfx::Bitmap before = e.frmMain().picDisp.constImage();

    // Just before the last click: what the reader sees is the story as it was.
    gfx::Bitmap beforeClick;
    bool overlayBeforeClick = true;
    const auto probe = e.host().pump.setTimer(5900 - e.host().clock.tickCount(), [&] {
        beforeClick = rig.window().composedScreen();
        overlayBeforeClick = rig.window().hasOverlay();
    });
    rig.idle();
    e.host().pump.killTimer(probe);

    EXPECT_EQ(rig.count("dialog about"), 2);
    EXPECT_EQ(rig.count("answer ok"), 2);
    EXPECT_EQ(rig.executedLines(), (Lines{1, 1001, 1002, 1003}));
    EXPECT_GE(timeOf(rig, "line 1003"), 6000);
    EXPECT_FALSE(overlayBeforeClick);
    EXPECT_TRUE(beforeClick == before) << "the dialog left something on the screen";
    EXPECT_FALSE(e.ended());
}

TEST(AboutInEngine, OpenedBetweenTwoLinesTheScriptWaitsForIt) {
    // The command comes during a pause; the dialog opens before the next line and that line
    // runs only once the dialog is closed.
    EngineRig rig("1\tST\n1001\tPK pic.bmp\n1002\tWT 1000\n1003\tWT 1000\n1004\tKS\n",
                  "1500 menu version\n8000 answer ok\n");
    rig.addTitleAssets();
    rig.addPicture("BMP/pic.bmp", gfx::Bitmap(640, 480, 0x336699));
    rig.engine().Main();
    rig.engine().TitleSelect(1);
    rig.idle();
    const long long opened = timeOf(rig, "dialog about");
    ASSERT_GE(opened, 0);
    EXPECT_GT(opened, timeOf(rig, "line 1002"));
    EXPECT_EQ(timeOf(rig, "answer ok"), 8000);
    EXPECT_EQ(timeOf(rig, "line 1003"), 8000);
    EXPECT_EQ(rig.executedLines(), (Lines{1, 1001, 1002, 1003, 1004}));
}

}  // namespace
}  // namespace velko::test
