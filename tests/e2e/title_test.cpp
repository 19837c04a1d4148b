// The title screen in velko-headless: its menu as the reader sees it, the three entries,
// presses that miss them, the way back to the title from the story, and the shipped
// episode's logo leading to it.

#include <gtest/gtest.h>

#include <algorithm>

#include "headless_run.h"
#include "platform/gfx/image_io.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

constexpr gfx::Pixel kTitle = 0x204080;

// The title picture with the menu on it: buttons at x 400 and y 230, 300, 370 from sheet
// rows 0, 51, 102 (hover images at sheet x 201), the preview at (450, 20) from sheet row 153
// and the column of the button under the pointer.
gfx::Bitmap titleWithMenu(const gfx::Bitmap& title, const gfx::Bitmap& sheet, int hover) {
    gfx::Bitmap b = title;
    const auto copy = [&](int dx, int dy, int w, int h, int sx, int sy) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                b.set(dx + x, dy + y, sheet.at(sx + x, sy + y));
            }
        }
    };
    const int tops[] = {230, 300, 370};
    const int rows[] = {0, 51, 102};
    for (int i = 0; i < 3; ++i) {
        copy(400, tops[i], 200, 50, hover == i + 1 ? 201 : 0, rows[i]);
    }
    const int previewLeft[] = {0, 141, 282, 423};
    copy(450, 20, 140, 190, previewLeft[hover], 153);
    return b;
}

// A title, an extras line, and a story of a picture and two messages that ends on the
// title again.
const char* const kScenario =
    "1\tST\n"
    "101\tKS\n"
    "102\tED\n"
    "1001\tPK story.bmp\n"
    "1002\tはじまり\n"
    "1003\tつづき\n"
    "1004\tST\n";

struct TitleGame {
    TitleGame() {
        game.addPicture("BMP/title.bmp", solid(640, 480, kTitle));
        game.addPicture("BMP/button01.bmp", codedSheet(564, 344));
        game.addPicture("BMP/story.bmp", solid(640, 480, 0x336633));
    }
    HeadlessRun run(const std::string& input) const { return game.run(kScenario, input); }

    HeadlessGame game;
};

TEST(TitleMenu, EachEntryStartsTheStoryOpensTheExtrasOrEnds) {
    TitleGame t;
    // The first entry is the last press of the pointer test below.
    const auto extras = t.run("1000 click 500 325\n");
    EXPECT_TRUE(extras.has("select 2"));
    EXPECT_EQ(extras.executedLines(), (Lines{1, 101}));

    const auto end = t.run("1000 click 500 395\n");
    EXPECT_EQ(end.exitCode, 0) << end.output;
    EXPECT_TRUE(end.has("select 0"));
    EXPECT_EQ(end.executedLines(), (Lines{1}));
    EXPECT_EQ(end.events().back(), "exit");
    EXPECT_EQ(end.timeOf("select 0"), 1000);
}

TEST(TitleMenu, ThePointerMovesTheHighlightAndARepaintRestsIt) {
    TitleGame t;
    // Edges and gaps are the menu's own unit tests; here the moves, clicks and repaints
    // come through the window.
    const auto run = t.run(
        "1000 shot rest\n"
        "1100 move 500 325\n1101 shot second\n"
        "1200 move 500 255\n1201 paint\n1202 shot repaint\n"
        "1300 click 500 290\n1310 click 500 255 right\n1320 key Return\n1330 click 20 20\n"
        "1400 move 599.5 419.5\n1401 shot third\n"
        "2000 click 500 255\n");
    const gfx::Bitmap title = solid(640, 480, kTitle);
    const gfx::Bitmap sheet = codedSheet(564, 344);
    EXPECT_EQ(run.shot("rest"), titleWithMenu(title, sheet, 0));
    EXPECT_EQ(run.shot("second"), titleWithMenu(title, sheet, 2));
    EXPECT_EQ(run.shot("repaint"), titleWithMenu(title, sheet, 0));
    // Presses in a gap, off the menu, with the right button and keys were not taken.
    EXPECT_EQ(run.shot("third"), titleWithMenu(title, sheet, 3));
    EXPECT_EQ(run.count("select 1"), 1);
    EXPECT_EQ(run.timeOf("select", true), 2000);
    // The press that starts the story does not also read past its first message.
    EXPECT_EQ(run.executedLines(), (Lines{1, 1001, 1002}));
    const auto e = run.events();
    EXPECT_LT(std::find(e.begin(), e.end(), "select 1"),
              std::find(e.begin(), e.end(), "line 1001 PK"));
    EXPECT_FALSE(run.has("exit"));
}

TEST(TitleMenu, EndDuringTheStoryWithYesBringsTheTitleBackAndTheStoryStartsAfresh) {
    TitleGame t;
    const auto run = t.run(
        "1000 click 500 255\n"
        // On the story screen the old menu's places are just the screen: a click reads on.
        "2000 click 500 255\n"
        "3000 menu end\n3100 answer yes\n"
        "4000 shot back\n"
        "4100 move 500 395\n4101 shot hover\n"
        "5000 click 500 255\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.has("box ﾀｲﾄﾙに戻りますか？"));
    EXPECT_EQ(run.count("title"), 2);
    EXPECT_EQ(run.count("select 1"), 2);
    EXPECT_EQ(run.timeOf("line 1003 MSG"), 2000);
    EXPECT_EQ(run.executedLines(), (Lines{1, 1001, 1002, 1003, 1001, 1002}));
    EXPECT_EQ(run.count("sound PlayMidiLoop title.mid"), 2);
    const gfx::Bitmap title = solid(640, 480, kTitle);
    EXPECT_EQ(run.shot("back"), titleWithMenu(title, codedSheet(564, 344), 0));
    EXPECT_EQ(run.shot("hover"), titleWithMenu(title, codedSheet(564, 344), 3));
}

TEST(TitleMenu, TheEndOfTheStoryReturnsToAWorkingTitle) {
    TitleGame t;
    const auto run = t.run(
        "1000 click 500 255\n2000 click 10 10\n3000 click 10 10\n"
        "4000 shot title\n5000 click 500 395\n");
    EXPECT_EQ(run.executedLines(), (Lines{1, 1001, 1002, 1003, 1004}));
    EXPECT_EQ(run.shot("title"), titleWithMenu(solid(640, 480, kTitle), codedSheet(564, 344), 0));
    EXPECT_TRUE(run.has("select 0"));
    EXPECT_EQ(run.events().back(), "exit");
}

TEST(TitleMenu, TheEpisodesLogoLeadsToItsTitleAndTheFirstEntryToLine1001) {
    const std::string scenario = readFile(VELKO_SOURCE_DIR "/game/scenario.txt");
    ASSERT_FALSE(scenario.empty());
    auto title = gfx::loadBmp(VELKO_GAME_DIR "/BMP/title.bmp");
    auto sheet = gfx::loadBmp(VELKO_GAME_DIR "/BMP/button01.bmp");
    ASSERT_TRUE(title.ok()) << title.error();
    ASSERT_TRUE(sheet.ok()) << sheet.error();

    HeadlessGame game;  // only to host the run's files
    const auto run = game.run(scenario,
                              "9000 shot title\n"
                              "9100 move 450.5 230.5\n9101 shot hover\n"
                              "10000 click 500 255\n",
                              {"--game", VELKO_GAME_DIR});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(run.has("warning", true)) << run.output;
    EXPECT_FALSE(run.has("error", true)) << run.output;
    const Lines lines = run.executedLines();
    ASSERT_GE(lines.size(), 11u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 11),
              (Lines{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 1001}));
    EXPECT_LT(run.timeOf("title"), 9000);
    EXPECT_EQ(run.timeOf("select 1"), 10000);
    EXPECT_EQ(run.shot("title"), titleWithMenu(*title, *sheet, 0));
    EXPECT_EQ(run.shot("hover"), titleWithMenu(*title, *sheet, 1));
}

}  // namespace
}  // namespace velko::test
