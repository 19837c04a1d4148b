// The text question in velko-headless: the answers on the screen and their highlight, a
// press on each answer carrying its points to IF, presses that miss, and the return to the
// title while a question is open.

#include <gtest/gtest.h>

#include <algorithm>

#include "headless_run.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

constexpr gfx::Pixel kSilver = 0xC0C0C0;
constexpr gfx::Pixel kWhite = 0xFFFFFF;

// A picture, a question, and IF lines that send each total of points to its own KS.
const char* const kScenario =
    "1\tPA scene.bmp\n"
    "2\tQE どちらへ行く？:丘の上の教会,2,500:海辺の灯台,-1,600\n"
    "500\tIF 2:510:520:530\n"
    "510\tKS\n"
    "600\tIF -1:610:620:630\n"
    "610\tKS\n";

struct QuestionGame {
    QuestionGame() { game.addPicture("BMP/scene.bmp", solid(640, 480, 0x336699)); }
    HeadlessRun run(const std::string& input, const char* scenario = kScenario) const {
        return game.run(scenario, input);
    }
    HeadlessGame game;
};

// Pixels where `a` and `b` differ; each must be silver in `a` and white in `b`, inside the
// rows [top, bottom) from x 50 on.
int highlighted(const gfx::Bitmap& a, const gfx::Bitmap& b, int top, int bottom) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.at(x, y) == b.at(x, y)) {
                continue;
            }
            ++n;
            EXPECT_EQ(a.at(x, y), kSilver) << x << "," << y;
            EXPECT_EQ(b.at(x, y), kWhite) << x << "," << y;
            EXPECT_TRUE(y >= top && y < bottom && x >= 50) << x << "," << y;
        }
    }
    return n;
}

TEST(Question, EachAnswerAddsItsPointsAndIfBranchesOnThem) {
    QuestionGame q;
    const auto first = q.run("1000 click 100 415\n");
    EXPECT_EQ(first.exitCode, 0) << first.output;
    EXPECT_TRUE(first.has("text どちらへ行く？\\r\\n"));
    EXPECT_EQ(first.executedLines(), (Lines{1, 2, 500, 510}));
    EXPECT_EQ(first.timeOf("jump 500"), 1000);
    EXPECT_TRUE(first.has("points 2"));

    const auto second = q.run("1000 click 300 440\n");
    EXPECT_EQ(second.executedLines(), (Lines{1, 2, 600, 610}));
    EXPECT_TRUE(second.has("jump 600"));
    EXPECT_TRUE(second.has("points -1"));
}

TEST(Question, PointsOfTwoQuestionsAddUpForIf) {
    QuestionGame q;
    const char* const twice =
        "1\tPA scene.bmp\n"
        "2\tFR\n"
        "3\tQE 一つめ:はい,2,10:いいえ,0,10\n"
        "10\tQE 二つめ:はい,0,20:いいえ,-1,20\n"
        "20\tIF 1:30:40:50\n"
        "30\tKS\n"
        "40\tKS\n"
        "50\tKS\n";
    const auto run = q.run("1000 click 100 415\n2000 click 300 440\n", twice);
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 3, 10, 20, 30}));
    const auto e = run.events();
    EXPECT_EQ(std::count(e.begin(), e.end(), "points 2"), 1);
    EXPECT_TRUE(run.has("points 1"));
}

TEST(Question, OnlyALeftPressOnAnAnswerCountsAndThePointerHighlightsIt) {
    QuestionGame q;
    // First presses off the answers and a right click: none of them answers, and the right
    // click does not show the bare picture. (The keys have their own tests.)
    const auto run = q.run(
        "1000 click 300 300\n1010 click 40 415\n1020 click 600 440\n1030 click 300 427\n"
        "1040 click 300 446\n1050 click 300 408\n1060 click 100 415 right\n"
        "1090 move 300 300\n1095 shot rest\n"
        "1100 move 100 415\n1101 shot first\n"
        "1200 move 300 440\n1201 shot second\n"
        "1300 move 300 300\n1301 shot out\n"
        "1400 move 100 415\n1401 paint\n1402 shot repaint\n"
        "2000 click 100 415\n2100 shot answered\n");
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 500, 510}));
    EXPECT_EQ(run.timeOf("jump 500"), 2000);
    EXPECT_EQ(run.count("jump 500"), 1);
    const auto rest = run.shot("rest");
    EXPECT_GT(highlighted(rest, run.shot("first"), 408, 427), 50);
    EXPECT_GT(highlighted(rest, run.shot("second"), 427, 446), 50);
    EXPECT_EQ(run.shot("out"), rest);
    EXPECT_EQ(run.shot("repaint"), rest);

    // The band over the picture, as a picture command leaves it before any text.
    const auto band = q.run("1000 shot end\n", "1\tPA scene.bmp\n2\tKS\n");
    EXPECT_EQ(run.shot("answered"), band.shot("end"));
}

TEST(Question, EndWithYesDuringAQuestionReturnsToTheTitleAndReleasesIt) {
    QuestionGame q;
    q.game.addPicture("BMP/title.bmp", solid(640, 480, 0x204080));
    q.game.addPicture("BMP/button01.bmp", solid(564, 344, 0x808080));
    const char* const story =
        "1\tST\n"
        "1001\tPA scene.bmp\n"
        "1002\tQE どちらへ行く？:丘の上の教会,2,1100:海辺の灯台,-1,1100\n"
        "1100\tKS\n";
    const auto run = q.run(
        "1000 click 500 255\n"
        "3000 menu end\n3100 answer yes\n"
        "4000 shot title\n"
        "4100 move 100 415\n4110 click 100 415\n4120 paint\n4130 move 300 440\n"
        "4200 shot after\n"
        "5000 click 500 255\n6000 click 300 440\n",
        story);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.count("title"), 2);
    EXPECT_EQ(run.shot("after"), run.shot("title"));
    // The story starts afresh and its new question takes the press.
    EXPECT_EQ(run.executedLines(), (Lines{1, 1001, 1002, 1001, 1002, 1100}));
    EXPECT_EQ(run.count("jump 1100"), 1);
    EXPECT_EQ(run.timeOf("jump 1100"), 6000);
}

}  // namespace
}  // namespace velko::test
