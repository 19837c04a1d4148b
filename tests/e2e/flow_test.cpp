// The interpreter's flow through velko-headless: line order, jumps, pauses, clicks and the
// guards around them, the end of the program.

#include <gtest/gtest.h>

#include "headless_run.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

TEST(Flow, StartsAtLineOneAndFollowsJumpsOverGaps) {
    HeadlessGame game;
    const auto run = game.run("1\tFR\n2\tJP 9\n9\tJP 11\n11\tED\n", "");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 9, 11}));
    EXPECT_EQ(run.events().back(), "exit");
}

TEST(Flow, IfTakesTheEqualGreaterAndLessBranches) {
    HeadlessGame game;
    // With 0 points: equal to 0, greater than -1, less than 1.
    const auto run = game.run(
        "1\tFR\n2\tIF 0:10:20:30\n"
        "10\tIF -1:40:50:60\n"
        "50\tIF 1:70:80:90\n"
        "90\tED\n",
        "");
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 10, 50, 90}));
}

TEST(Flow, WaitAdvancesTheClockAndHandlesNoClickMeanwhile) {
    HeadlessGame game;
    // The click during the pause waits in the queue and finds the interpreter still running:
    // it does not resume the KS that follows.
    const auto run = game.run("1\tWT 3000\n2\tKS\n3\tED\n", "100 click 10 10\n");
    EXPECT_EQ(run.timeOf("line 2 KS"), 3000);
    EXPECT_FALSE(run.has("line 3 ED"));

    const auto later = game.run("1\tWT 3000\n2\tKS\n3\tED\n", "3500 click 10 10\n");
    EXPECT_EQ(later.timeOf("line 3 ED"), 3500);
    EXPECT_TRUE(later.has("exit"));
}

TEST(Flow, KeyStopBlocksClicksUntilKeyOn) {
    HeadlessGame game;
    const auto blocked = game.run("1\tKC\n2\tKS\n3\tKO\n4\tED\n",
                                  "100 click 10 10\n200 key Return\n300 click 10 10 right\n");
    EXPECT_EQ(blocked.executedLines(), (Lines{1, 2}));

    const auto open = game.run("1\tKC\n2\tKO\n3\tKS\n4\tED\n", "100 click 10 10\n");
    EXPECT_EQ(open.executedLines(), (Lines{1, 2, 3, 4}));
}

TEST(Flow, ReturnAndSpaceReadOnLikeALeftClick) {
    HeadlessGame game;
    const auto run = game.run("1\tKS\n2\tKS\n3\tED\n", "100 key Return\n200 key space\n");
    EXPECT_EQ(run.timeOf("line 2 KS"), 100);
    EXPECT_EQ(run.timeOf("line 3 ED"), 200);
}

TEST(Flow, RightClickViewFollowsKR) {
    HeadlessGame game;
    game.addPicture("BMP/red.bmp", solid(640, 480, 0xFF0000));
    const auto run = game.run("1\tKR True\n2\tPA red.bmp\n3\tKS\n4\tKR False\n5\tKS\n6\tED\n",
                              "1000 click 5 5 right\n1100 shot bare\n"
                              "1200 click 5 5 right\n1300 shot composed\n"
                              "1400 click 5 5\n"  // resumes: line 4, KR False, KS
                              "1500 click 5 5 right\n1600 shot refused\n"
                              "1700 click 5 5\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto bare = run.shot("bare");
    const auto composed = run.shot("composed");
    const auto refused = run.shot("refused");
    ASSERT_FALSE(bare.empty());
    // The bare picture has no backdrop; the composed screen has the checker at (40, 360).
    EXPECT_EQ(bare.at(40, 360), 0xFF0000u);
    EXPECT_EQ(composed.at(40, 360), 0x000000u);
    EXPECT_EQ(composed.at(41, 360), 0xFF0000u);
    EXPECT_EQ(refused, composed);
    EXPECT_TRUE(run.has("line 6 ED"));
}

TEST(Flow, LeftClickWhileTheBarePictureIsShownDoesNothing) {
    HeadlessGame game;
    game.addPicture("BMP/red.bmp", solid(640, 480, 0xFF0000));
    const auto run = game.run("1\tKR True\n2\tPA red.bmp\n3\tKS\n4\tED\n",
                              "1000 click 5 5 right\n1100 click 5 5\n");
    EXPECT_FALSE(run.has("line 4 ED"));
}

TEST(Flow, EndStopsMusicFadesOutAndExits) {
    HeadlessGame game;
    const auto run = game.run("1\tED\n2\tKS\n", "");
    const auto e = run.events();
    const std::vector<std::string> expected = {"line 1 ED", "sound stopMidi", "sound stopWave",
                                               "fade 0 1", "exit"};
    EXPECT_EQ(e, expected);
    EXPECT_EQ(run.timeOf("exit"), 410);
}

TEST(Flow, CloseRequestEndsTheProgram) {
    HeadlessGame game;
    const auto run = game.run("1\tKS\n2\tED\n", "500 close\n");
    EXPECT_EQ(run.timeOf("exit"), 500 + 410);
    EXPECT_FALSE(run.has("line 2 ED"));
}

TEST(Flow, MessageLineIsShownWholeAndWaitsForAClick) {
    HeadlessGame game;
    const auto run = game.run("1\tpa x.bmp\n2\tA\n3\t「こんにちは\n\t二行目\n4\tED\n",
                              "1000 click 1 1\n2000 click 1 1\n3000 click 1 1\n");
    const auto e = run.events();
    EXPECT_TRUE(run.has("line 1 MSG"));
    EXPECT_TRUE(run.has("text pa x.bmp\\r\\n"));
    EXPECT_TRUE(run.has("text A\\r\\n"));
    EXPECT_TRUE(run.has("text 「こんにちは\\r\\n二行目\\r\\n"));
    EXPECT_EQ(run.timeOf("line 2 MSG"), 1000);
    EXPECT_EQ(run.timeOf("line 4 ED"), 3000);
}

TEST(Flow, ClicksDuringTheRevealDoNothing) {
    HeadlessGame game;
    // 20 characters and a CR LF: 12 steps of 26 ms; clicks inside them are not taken.
    const auto run = game.run("1\tあいうえおかきくけこさしすせそたちつてと\n2\tKS\n3\tED\n",
                              "50 click 1 1\n100 click 1 1\n1000 click 1 1\n");
    EXPECT_EQ(run.timeOf("line 2 KS"), 1000);
    EXPECT_FALSE(run.has("line 3 ED"));
}

}  // namespace
}  // namespace velko::test
