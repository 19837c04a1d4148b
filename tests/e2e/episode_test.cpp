// The shipped episode read through from beginning to end in velko-headless: every story
// line runs once and in order, with the real pictures, until the ending returns to the title.

#include <gtest/gtest.h>

#include <algorithm>

#include "script/script.h"
#include "headless_run.h"

namespace velko::test {
namespace {

TEST(Episode, EveryStoryLineRunsOnceInOrder) {
    const std::string source = readFile(VELKO_SOURCE_DIR "/game/scenario.txt");
    ASSERT_FALSE(source.empty());
    auto script = script::loadSource(source, "scenario.txt");
    ASSERT_TRUE(script.ok()) << script.error();

    std::vector<int> expected;
    for (const auto& [n, line] : script->lines()) {
        if ((n >= 1 && n <= 11) || n >= 1001) {
            expected.push_back(n);
        }
    }
    // The title's first entry starts the story; clicks in the middle of the screen read on
    // and do nothing on the title.
    std::string input = "8000 click 500 255\n";
    for (int t = 10000; t < 3'500'000; t += 2500) {
        input += std::to_string(t) + " click 320 240\n";
    }

    HeadlessGame game;  // only to host the run's files: the pictures are the built ones
    const auto run = game.run(source, input, {"--game", VELKO_GAME_DIR});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.executedLines(), expected);
    EXPECT_FALSE(run.has("error", true)) << run.output;
    EXPECT_FALSE(run.has("warning", true)) << run.output;
    EXPECT_EQ(run.timeOf("select 1"), 8000);
    // The ending returns to the title.
    const auto events = run.events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "title"), 2);
}

}  // namespace
}  // namespace velko::test
