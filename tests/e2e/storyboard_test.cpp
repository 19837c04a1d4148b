// The storyboard through velko-headless: every path of a small script with a title menu, a
// button screen, a question and an IF, a frame of each text with its picture, the lines no
// path reached; and the episode read whole. The page itself is opened in a real browser in
// storyboard_browser_test.cpp.

#include <gtest/gtest.h>

#include <regex>

#include "headless_run.h"
#include "platform/gfx/image_io.h"
#include "storyboard_scenario.h"

namespace velko::test {
namespace {

struct PageFrame {
    int line = 0;
    std::string image;
};

// The paths of the page, each the frames it holds in order.
std::vector<std::vector<PageFrame>> pathsOf(const std::string& page) {
    std::vector<std::vector<PageFrame>> paths;
    const std::regex item(
        R"re(<section class="path"|<figure class="frame" data-line="(\d+)"><a href="([^"]+)")re");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), item);
         it != std::sregex_iterator(); ++it) {
        if (!(*it)[1].matched) {
            paths.emplace_back();
        } else if (!paths.empty()) {
            paths.back().push_back({std::stoi((*it)[1]), (*it)[2]});
        }
    }
    return paths;
}

std::vector<int> linesOf(const std::vector<PageFrame>& frames) {
    std::vector<int> out;
    for (const auto& f : frames) {
        out.push_back(f.line);
    }
    return out;
}

TEST(Storyboard, EveryTitleEntryButtonAndAnswerIsPlayedOnceAndEachTextFramed) {
    StoryboardGame g;
    const auto run = g.play();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string page = readFile(g.out() / "index.html");
    const auto paths = pathsOf(page);
    ASSERT_EQ(paths.size(), 4u) << page;
    // The story with the first answer, then what the second answer adds: the IF sends it
    // elsewhere with other points; the extras' two buttons; the title's end entry.
    EXPECT_EQ(linesOf(paths[0]), (std::vector<int>{1002, 1003, 1011, 1040}));
    EXPECT_EQ(linesOf(paths[1]), (std::vector<int>{1021, 1050}));
    EXPECT_EQ(linesOf(paths[2]), (std::vector<int>{110, 120}));
    EXPECT_TRUE(paths[3].empty());
    EXPECT_NE(page.find("question at line 1003: 「戻る」 (line 1020)"), std::string::npos);
    EXPECT_NE(page.find("button screen at line 106: button 2 (line 120)"), std::string::npos);
    EXPECT_NE(page.find("title menu: end"), std::string::npos);
    EXPECT_NE(page.find("<li>lines 5000 to 5001</li>"), std::string::npos) << page;

    // Each frame is the screen at its text: the picture of its branch.
    const auto pixel = [&](const PageFrame& f) {
        const auto shot = gfx::loadPng(g.out() / f.image);
        return shot ? shot->at(320, 100) : 0x123456u;
    };
    EXPECT_EQ(pixel(paths[0][2]), kRed);
    EXPECT_EQ(pixel(paths[1][0]), kBlue);
    EXPECT_EQ(pixel(paths[2][0]), kGrey);
}

TEST(Storyboard, APathThatEndsInAScriptErrorFailsTheRunAndSaysWhere) {
    HeadlessGame game;
    game.addFile("faulty.txt",
                 "1\tST\n101\tED\n1001\tQE どっち？:右,0,1010:左,0,1020\n1010\t右へ\n"
                 "1011\tED\n1020\tJP 9999\n");
    const auto out = game.dir() / "board";
    const auto args = std::vector<std::string>{"--game",       game.dir().string(),
                                               "--script",     (game.dir() / "faulty.txt").string(),
                                               "--storyboard", out.string()};
    const auto run = game.runWith(args, out);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    const std::string page = readFile(out / "index.html");
    EXPECT_NE(page.find("The path ends: a script error at line 9999: there is no such line"),
              std::string::npos)
        << page;
    // Every other path is still played and framed.
    EXPECT_EQ(pathsOf(page).size(), 4u);
    auto zero = args;
    zero.push_back("--exit-zero");
    EXPECT_EQ(game.runWith(zero, out).exitCode, 0);
}

TEST(Storyboard, TheEpisodeIsReadWholeWithNoLineLeftOver) {
    HeadlessGame game;
    const auto out = game.dir() / "board";
    const auto run = game.runWith({"--game", VELKO_GAME_DIR, "--storyboard", out.string()}, out);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string page = readFile(out / "index.html");
    EXPECT_NE(page.find("<h2>Lines no path reached</h2>\n<p>None.</p>"), std::string::npos);
    // One frame for each text line of the episode, every one of them in the first path.
    const std::string source = readFile(std::string(VELKO_SOURCE_DIR) + "/game/scenario.txt");
    const std::regex text(R"(\n\d+\t(?![A-Z]{2}( |\n)))");
    const auto texts = std::distance(std::sregex_iterator(source.begin(), source.end(), text),
                                     std::sregex_iterator());
    const auto paths = pathsOf(page);
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(static_cast<long>(paths[0].size()), texts);
}

}  // namespace
}  // namespace velko::test
