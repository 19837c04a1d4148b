// The ways back into the interpreter that the title menu, the button screens and the
// questions use, called as they will call them; and what the menu commands do around them.

#include <gtest/gtest.h>

#include "engine_rig.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

TEST(Reentry, MenuJumpRunsTheButtonsLineNext) {
    EngineRig rig("1\tKS\n40\tKS\n41\tED\n");
    auto& e = rig.engine();
    e.Main();
    e.MenuJump(40);
    EXPECT_EQ(rig.executedLines(), (Lines{1, 40}));
    EXPECT_TRUE(rig.has("jump 40"));
}

TEST(Reentry, BranchSelectAddsThePointsDrawsAnEmptyBackdropAndGoesOn) {
    EngineRig rig("1\tPA red.bmp\n2\tテキスト\n500\tIF 2:600:700:800\n600\tKS\n");
    rig.addPicture("BMP/red.bmp", gfx::Bitmap(640, 480, 0xFF0000));
    auto& e = rig.engine();
    e.Main();
    ASSERT_EQ(rig.executedLines(), (Lines{1, 2}));
    e.SetLineNumber(500);
    e.BranchSelect(2);
    EXPECT_EQ(e.intPoint, 2);
    EXPECT_TRUE(rig.has("points 2"));
    EXPECT_EQ(rig.executedLines(), (Lines{1, 2, 500, 600}));
    EXPECT_FALSE(e.blnBusy);
    // The text is gone: the back buffer is the bare picture with the checker.
    const auto& back = e.frmMain().picBackBuff.constImage();
    EXPECT_EQ(back.at(40, 360), 0u);
    EXPECT_EQ(back.at(41, 360), 0xFF0000u);
    EXPECT_EQ(back.at(61, 380), 0xFF0000u);
}

TEST(Reentry, PointsLeavingSixteenBitsAreAScriptError) {
    EngineRig rig("1\tKS\n500\tKS\n");
    auto& e = rig.engine();
    e.Main();
    e.SetLineNumber(500);
    e.BranchSelect(32767);
    ASSERT_EQ(e.intPoint, 32767);
    e.SetLineNumber(500);
    e.BranchSelect(1);
    EXPECT_EQ(e.intPoint, 32767);
    bool reported = false;
    for (const auto& ev : rig.events()) {
        reported |= ev.rfind("error ", 0) == 0 && ev.find("32767") != std::string::npos;
    }
    EXPECT_TRUE(reported);
}

TEST(Reentry, TitleSelectStartsTheStoryOrTheExtrasOrEnds) {
    {
        EngineRig rig("1\tST\n101\tKS\n1001\tKS\n500\tKS\n");
        rig.addTitleAssets();
        auto& e = rig.engine();
        e.Main();
        e.SetLineNumber(500);
        e.BranchSelect(5);
        e.TitleSelect(1);
        EXPECT_EQ(rig.executedLines().back(), 1001);
        EXPECT_EQ(e.intPoint, 0);  // the story starts with no points
        EXPECT_TRUE(rig.window().menuEnabled(ui::MenuItem::End));
        EXPECT_TRUE(rig.window().menuEnabled(ui::MenuItem::Version));
        EXPECT_TRUE(e.frmMain().MenuClickFlag);
        EXPECT_TRUE(e.frmMain().RightButtonClickFlag);
    }
    {
        EngineRig rig("1\tST\n101\tKS\n500\tKS\n");
        rig.addTitleAssets();
        auto& e = rig.engine();
        e.Main();
        e.SetLineNumber(500);
        e.BranchSelect(5);
        e.TitleSelect(2);
        EXPECT_EQ(rig.executedLines().back(), 101);
        EXPECT_EQ(e.intPoint, 5);  // the extras keep them
        EXPECT_TRUE(rig.window().menuEnabled(ui::MenuItem::Help));
    }
    {
        EngineRig rig("1\tST\n");
        rig.addTitleAssets();
        auto& e = rig.engine();
        e.Main();
        e.TitleSelect(7);
        EXPECT_FALSE(e.ended());
        e.TitleSelect(0);
        EXPECT_TRUE(e.ended());
        EXPECT_EQ(rig.events().back(), "exit");
    }
}

TEST(Reentry, TheTitleMenusStateAndTheEndCommandsQuestion) {
    // On the title "終了" is disabled; in the story it asks, and each answer does its own.
    // The story opens with a picture command, which hands the mouse back from the title.
    const std::string scenario = "1\tST\n1001\tPF\n1002\tKS\n1003\tKS\n";
    {
        EngineRig rig(scenario, "1000 menu end\n");
        rig.addTitleAssets();
        rig.engine().Main();
        EXPECT_FALSE(rig.window().menuEnabled(ui::MenuItem::End));
        rig.idle();
        EXPECT_FALSE(rig.has("box ﾀｲﾄﾙに戻りますか？"));
    }
    {
        EngineRig rig(scenario, "1000 menu end\n1100 answer cancel\n1200 click 5 5\n");
        rig.addTitleAssets();
        rig.engine().Main();
        rig.engine().TitleSelect(1);
        rig.idle();
        EXPECT_TRUE(rig.has("box ﾀｲﾄﾙに戻りますか？"));
        EXPECT_TRUE(rig.has("answer cancel"));
        EXPECT_EQ(rig.executedLines(), (Lines{1, 1001, 1002, 1003}));  // the story went on
    }
    {
        EngineRig rig(scenario, "1000 menu end\n1100 answer yes\n1200 click 5 5\n");
        rig.addTitleAssets();
        rig.engine().Main();
        rig.engine().TitleSelect(1);
        rig.idle();
        EXPECT_EQ(rig.count("title"), 2);
        EXPECT_EQ(rig.executedLines(), (Lines{1, 1001, 1002}));  // the title owns the mouse
    }
    {
        EngineRig rig(scenario, "1000 menu end\n1100 answer no\n");
        rig.addTitleAssets();
        rig.engine().Main();
        rig.engine().TitleSelect(1);
        rig.idle();
        EXPECT_TRUE(rig.engine().ended());
    }
    {
        // KC keeps the end command out.
        EngineRig rig("1\tST\n1001\tPF\n1002\tKC\n1003\tKS\n", "1000 menu end\n");
        rig.addTitleAssets();
        rig.engine().Main();
        rig.engine().TitleSelect(1);
        rig.idle();
        EXPECT_FALSE(rig.has("box ﾀｲﾄﾙに戻りますか？"));
    }
}

TEST(Reentry, AnErrorAfterTheTitleHasBeenShownBuildsItAgain) {
    EngineRig rig("1\tST\n", "2000 answer ok\n");
    rig.addTitleAssets();
    auto& e = rig.engine();
    e.Main();
    e.TitleSelect(1);  // there is no line 1001
    EXPECT_FALSE(e.ended());
    EXPECT_EQ(rig.count("title"), 2);
    EXPECT_TRUE(rig.has("answer ok"));
    bool reported = false;
    for (const auto& ev : rig.events()) {
        reported |= ev.rfind("error 1001 ", 0) == 0;
    }
    EXPECT_TRUE(reported);
}

}  // namespace
}  // namespace velko::test
