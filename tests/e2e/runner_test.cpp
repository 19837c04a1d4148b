// The headless runner's own contract: --until, quit, shots at any moment, usage errors.

#include <gtest/gtest.h>

#include "headless_run.h"

namespace velko::test {
namespace {

TEST(Runner, UntilEndsTheRunWhenTheClockPassesIt) {
    HeadlessGame game;
    const auto run =
        game.run("1\tWT 1000\n2\tWT 1000\n3\tWT 1000\n4\tED\n", "", {"--until", "1500"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.has("line 2 WT"));
    EXPECT_FALSE(run.has("line 3 WT"));
    EXPECT_FALSE(run.has("exit"));
}

TEST(Runner, QuitEndsTheRunAtOnceAndLaterShotsAreNotTaken) {
    HeadlessGame game;
    game.addPicture("BMP/a.bmp", solid(640, 480, 0x123456));
    const auto run = game.run("1\tPK a.bmp\n2\tKS\n3\tED\n",
                              "1000 shot before\n2000 quit\n3000 click 1 1\n4000 shot after\n");
    EXPECT_EQ(run.shot("before").at(0, 0), 0x123456u);
    EXPECT_TRUE(run.shot("after").empty());
    EXPECT_FALSE(run.has("line 3 ED"));
}

TEST(Runner, ShotsDuringAPauseShowTheLastFrameDrawn) {
    HeadlessGame game;
    game.addPicture("BMP/a.bmp", solid(640, 480, 0x00FF00));
    // The picture is fully in at 410; the pause runs from 410 to 5410.
    const auto run =
        game.run("1\tPK a.bmp\n2\tWT 5000\n3\tPF\n4\tKS\n", "2000 shot pause\n9000 shot end\n");
    EXPECT_EQ(run.shot("pause").at(320, 240), 0x00FF00u);
    EXPECT_EQ(run.shot("end").at(320, 240), 0u);
}

TEST(Runner, BadInputAndArgumentsAreUsageErrors) {
    HeadlessGame game;
    EXPECT_EQ(game.run("1\tED\n", "100 click\n").exitCode, 2);
    EXPECT_EQ(game.run("1\tED\n", "200 paint\n100 paint\n").exitCode, 2);
    EXPECT_EQ(game.run("1\tED\n", "100 jump 5\n").exitCode, 2);
    EXPECT_EQ(game.run("1\tED\n", "", {"--until", "soon"}).exitCode, 2);
    EXPECT_EQ(game.run("1\tED\n", "", {"--frobnicate"}).exitCode, 2);
    const auto bad = game.run("1\tED\n", "# fine\n100 click 5 5 middle\n");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("input.txt:2:"), std::string::npos) << bad.output;
    // A folder given as a file is refused, not read as an empty one.
    for (const char* option : {"--input", "--script"}) {
        const auto run = game.run("1\tED\n", "", {option, game.dir().string()});
        EXPECT_EQ(run.exitCode, 2) << option;
        EXPECT_NE(run.output.find("is a folder, not a file"), std::string::npos) << run.output;
    }
    // "nan" and "inf" read as numbers but are no place to click; a wheel turns up or down.
    for (const char* input : {"100 click nan 5\n", "100 move 5 inf\n", "100 dialog-click -inf 1\n",
                              "100 wheel left\n", "100 wheel\n"}) {
        const auto run = game.run("1\tED\n", input);
        EXPECT_EQ(run.exitCode, 2) << input;
        EXPECT_NE(run.output.find("input.txt:1:"), std::string::npos) << run.output;
    }
}

TEST(Runner, AScriptErrorFailsTheRunUnlessExitZeroAndFromStartsAtAScene) {
    HeadlessGame game;
    const std::string scenario = "1\tJP 9\n5\tscene five\n6\tED\n";
    const auto failed = game.run(scenario, "100 answer ok\n");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.output.find("velko-headless: scenario line 9: "), std::string::npos)
        << failed.output;
    EXPECT_EQ(game.run(scenario, "100 answer ok\n", {"--exit-zero"}).exitCode, 0);

    // From line 5: neither line 1 nor anything before it runs, and nothing fails.
    const auto scene = game.run(scenario, "5000 click 10 10\n", {"--from", "5"});
    EXPECT_EQ(scene.exitCode, 0) << scene.output;
    EXPECT_EQ(scene.executedLines(), (std::vector<int>{5, 6}));
    const auto missing = game.run(scenario, "", {"--from", "7"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find("has no line 7"), std::string::npos) << missing.output;
    EXPECT_EQ(game.run(scenario, "", {"--from", "0"}).exitCode, 2);
}

}  // namespace
}  // namespace velko::test
