// The keyboard in velko-headless: the title menu, a button screen and the question chosen
// with the arrow keys, Tab, Return and space, each focus drawn exactly as the pointer's
// hover draws that entry; and the key list on F1, which like a click does nothing while a
// line is still running.

#include <gtest/gtest.h>

#include <algorithm>

#include "headless_run.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

TEST(Keyboard, TheTitleMenuFocusLooksLikeTheHoverAndReturnChooses) {
    HeadlessGame game;
    game.addPicture("BMP/title.bmp", solid(640, 480, 0x204080));
    game.addPicture("BMP/button01.bmp", codedSheet(564, 344));
    game.addPicture("BMP/story.bmp", solid(640, 480, 0x336633));
    const std::string scenario = "1\tST\n101\tKS\n1001\tPK story.bmp\n1002\tはじまり\n1003\tKS\n";
    const auto run = game.run(scenario,
                              "1000 shot rest\n"
                              "1010 move 500 255\n1011 shot m1\n"
                              "1020 move 500 325\n1021 shot m2\n"
                              "1030 move 500 395\n1031 shot m3\n"
                              "1040 move 10 10\n"
                              // The first key only shows the focus, on the first entry.
                              "1100 key Down\n1101 shot k1\n"
                              "1200 key Down\n1201 shot k2\n"
                              "1300 key Tab\n1301 shot k3\n"
                              "1400 key Right\n1401 shot wrapped\n"
                              "1500 key Left\n1501 shot back\n"
                              // A move hides it; the next key shows it on the first entry.
                              "1600 move 10 10\n1601 shot hidden\n"
                              "1700 key Return\n1701 shot again\n"
                              "1800 paint\n1801 shot repainted\n"
                              "1900 key Return\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.shot("k1"), run.shot("m1"));
    EXPECT_EQ(run.shot("k2"), run.shot("m2"));
    EXPECT_EQ(run.shot("k3"), run.shot("m3"));
    EXPECT_EQ(run.shot("wrapped"), run.shot("m1"));
    EXPECT_EQ(run.shot("back"), run.shot("m3"));
    EXPECT_EQ(run.shot("hidden"), run.shot("rest"));
    EXPECT_EQ(run.shot("again"), run.shot("m1"));
    EXPECT_EQ(run.shot("repainted"), run.shot("m1"));
    EXPECT_EQ(run.timeOf("select 1"), 1900);
    EXPECT_EQ(run.count("select 1"), 1);
    EXPECT_FALSE(run.has("select 0") || run.has("select 2"));
    EXPECT_EQ(run.executedLines(), (Lines{1, 1001, 1002}));

    // Up from the first entry wraps to the last, and space chooses it: the program ends.
    const auto end = game.run(scenario, "1000 key Tab\n1100 key Up\n1200 key space\n");
    EXPECT_EQ(end.timeOf("select 0"), 1200);
    EXPECT_EQ(end.events().back(), "exit");
}

TEST(Keyboard, AButtonScreenFocusesInTableOrderAndReturnJumps) {
    HeadlessGame game;
    game.addPicture("BMP/pic.bmp", solid(640, 480, 0x305070));
    game.addPicture("BMP/sheet.bmp", codedSheet(202, 102));
    const std::string scenario =
        "1\tPK pic.bmp\n"
        "2\tZT sheet.bmp\n"
        "3\tZB 300,100,400,150,0,0,100,50,101,0,201,50,10\n"
        "4\tZB 100,100,200,150,0,51,100,101,101,51,201,101,20\n"
        "5\tZS\n"
        "10\tZE\n11\tひとつめ\n12\tKS\n"
        "20\tZE\n21\tふたつめ\n22\tKS\n";
    const auto run = game.run(scenario,
                              "1000 shot rest\n"
                              "1010 move 350 125\n1011 shot m1\n"
                              "1020 move 150 125\n1021 shot m2\n"
                              "1030 move 10 10\n"
                              "1100 key Right\n1101 shot k1\n"
                              "1200 key Tab\n1201 shot k2\n"
                              "1300 key Return\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.shot("m1"), run.shot("rest"));
    EXPECT_EQ(run.shot("k1"), run.shot("m1"));
    EXPECT_EQ(run.shot("k2"), run.shot("m2"));
    EXPECT_EQ(run.timeOf("jump 20"), 1300);
    EXPECT_FALSE(run.has("jump 10"));
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 3, 4, 5, 20, 21}));
}

TEST(Keyboard, TheQuestionTakesReturnAndTheArrowsAndCarriesThePoints) {
    HeadlessGame game;
    game.addPicture("BMP/scene.bmp", solid(640, 480, 0x336699));
    const std::string scenario =
        "1\tPA scene.bmp\n"
        "2\tQE どちらへ行く？:丘の上の教会,2,500:海辺の灯台,-1,600\n"
        "500\tKS\n600\tKS\n";
    const auto run = game.run(scenario,
                              "1000 shot rest\n"
                              "1010 move 100 415\n1011 shot m1\n"
                              "1020 move 300 440\n1021 shot m2\n"
                              "1030 move 300 300\n"
                              "1100 key Return\n1101 shot k1\n"
                              "1200 key Down\n1201 shot k2\n"
                              "1300 paint\n1301 shot repainted\n"
                              "1400 move 300 300\n1401 shot hidden\n"
                              "1500 key Up\n1600 key Up\n1700 key space\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.shot("k1"), run.shot("m1"));
    EXPECT_EQ(run.shot("k2"), run.shot("m2"));
    EXPECT_EQ(run.shot("repainted"), run.shot("m2"));
    EXPECT_EQ(run.shot("hidden"), run.shot("rest"));
    // Shown on the first answer, moved up to wrap to the second, chosen.
    EXPECT_EQ(run.timeOf("jump 600"), 1700);
    EXPECT_TRUE(run.has("points -1"));
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 600}));
}

TEST(Keyboard, F1ListsTheKeysOnlyWhileNothingRuns) {
    HeadlessGame game;
    game.addPicture("BMP/scene.bmp", solid(640, 480, 0x336699));
    const std::string scenario = "1\tPA scene.bmp\n2\tこんにちは\n3\tKS\n";
    // During the fade and the reveal the key does what a click does there: nothing.
    const auto run = game.run(scenario,
                              "10 key F1\n"
                              "3000 shot before\n"
                              "3100 key F1\n3101 shot box\n"
                              "3200 answer ok\n3201 shot after\n"
                              "3300 click 10 10\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.timeOf("box", true), 3100);
    const auto e = run.events();
    EXPECT_EQ(std::count_if(e.begin(), e.end(),
                            [](const std::string& s) { return s.rfind("box ", 0) == 0; }),
              1);
    const auto box = std::find_if(e.begin(), e.end(),
                                  [](const std::string& s) { return s.rfind("box ", 0) == 0; });
    ASSERT_NE(box, e.end());
    for (const char* key : {"F1", "Tab", "Ctrl", "PageUp", "Enter", "F11"}) {
        EXPECT_NE(box->find(key), std::string::npos) << key;
    }
    EXPECT_EQ(run.timeOf("answer ok"), 3200);
    EXPECT_NE(run.shot("box"), run.shot("before"));
    EXPECT_EQ(run.shot("after"), run.shot("before"));
    EXPECT_EQ(run.timeOf("line 3 KS"), 3300);
}

}  // namespace
}  // namespace velko::test
