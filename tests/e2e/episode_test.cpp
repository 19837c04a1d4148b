// The shipped episode read through from beginning to end in velko-headless: every story
// line runs once and in order, with the real pictures, until the ending returns to the title.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/script/script.h"
#include "headless_run.h"

namespace velko::test {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Episode, EveryStoryLineRunsOnceInOrder) {
    const std::string source = readFile(VELKO_SOURCE_DIR "/game/scenario.txt");
    ASSERT_FALSE(source.empty());
    auto script = script::loadSource(source, "scenario.txt");
    ASSERT_TRUE(script.ok()) << script.error();

    // Until the title menu can be clicked, the logo leads straight into the story.
    std::string patched = source;
    const auto at = patched.find("\n11\tST\n");
    ASSERT_NE(at, std::string::npos);
    patched.replace(at, 7, "\n11\tJP 1001\n");

    std::vector<int> expected;
    for (const auto& [n, line] : script->lines()) {
        if ((n >= 1 && n <= 11) || n >= 1001) {
            expected.push_back(n);
        }
    }
    std::string input;
    for (int t = 5000; t < 3'500'000; t += 2500) {
        input += std::to_string(t) + " click 320 240\n";
    }

    HeadlessGame game;  // only to host the run's files: the pictures are the built ones
    const auto run = game.run(patched, input, {"--game", VELKO_GAME_DIR});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.executedLines(), expected);
    EXPECT_FALSE(run.has("error", true)) << run.output;
    EXPECT_FALSE(run.has("warning", true)) << run.output;
    EXPECT_TRUE(run.has("title"));
}

}  // namespace
}  // namespace velko::test
