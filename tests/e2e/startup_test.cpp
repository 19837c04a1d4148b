// Start-up through velko-headless: the colour advice on a 256-colour desktop.

#include <gtest/gtest.h>

#include "headless_run.h"

namespace velko::test {
namespace {

TEST(Startup, FewColoursShowTheAdviceOnceThenTheScriptStarts) {
    HeadlessGame game;
    const auto run =
        game.run("1\tKS\n2\tED\n", "100 key Return\n200 click 1 1\n", {"--display", "800x600x8"});
    const std::vector<std::string> expected = {
        "box このｹﾞｰﾑは16Bitｶﾗｰ以上でﾌﾟﾚｲすることをお勧めします。", "answer ok", "line 1 KS",
        "line 2 ED"};
    auto e = run.events();
    e.resize(std::min(e.size(), expected.size()));
    EXPECT_EQ(e, expected);
    EXPECT_EQ(run.timeOf("line 1 KS"), 100);
}

TEST(Startup, EnoughColoursStartTheScriptAtOnce) {
    HeadlessGame game;
    for (const char* display : {"640x480x16", "1024x768x24", "1920x1080x32"}) {
        const auto run = game.run("1\tED\n", "", {"--display", display});
        ASSERT_FALSE(run.events().empty());
        EXPECT_EQ(run.events().front(), "line 1 ED") << display;
    }
}

}  // namespace
}  // namespace velko::test
