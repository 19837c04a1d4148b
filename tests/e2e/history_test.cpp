// The text history in velko-headless: opened by the wheel, Page Up and Up while a line waits
// for its click, scrolled, closed by the wheel past the end, Escape, a right or a left click,
// each time leaving the screen exactly as it was; and not opened where the reader is not
// waiting on a line.

#include <gtest/gtest.h>

#include <string>

#include "headless_run.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

// Fourteen texts of two rows each, more than the history shows at once, with the right
// click's bare-picture view allowed.
std::string story() {
    std::string s = "1\tKR True\n2\tPA scene.bmp\n";
    for (int i = 0; i < 14; ++i) {
        s +=
            std::to_string(3 + i) + "\t第" + std::to_string(i + 1) + "の文章です。'R二行めです。\n";
    }
    s += "17\tKS\n";
    return s;
}

// Reads on to the last text: one click a second from 2000.
std::string readToTheEnd() {
    std::string in;
    for (int i = 0; i < 13; ++i) {
        in += std::to_string(2000 + 1000 * i) + " click 10 10\n";
    }
    return in;
}

struct HistoryGame {
    HistoryGame() { game.addPicture("BMP/scene.bmp", solid(640, 480, 0x336699)); }
    HeadlessRun run(const std::string& input) const { return game.run(story(), input); }
    HeadlessGame game;
};

TEST(History, OpensScrollsAndClosesLeavingTheScreenAsItWas) {
    HistoryGame h;
    const auto run = h.run(readToTheEnd() +
                           "20000 shot before\n"
                           "20100 wheel up\n20101 shot open\n"
                           "20200 key Up\n20201 shot up\n"
                           "20300 key PageUp\n20301 key Home\n20302 shot home\n"
                           "20400 wheel down\n20401 key End\n20402 shot end\n"
                           "20500 wheel down\n20501 shot closed\n"
                           // Page Up opens it too, Escape closes it.
                           "20600 key PageUp\n20601 shot open2\n20700 key Escape\n"
                           // Up; a right click closes it without showing the bare picture.
                           "20800 key Up\n20900 click 10 10 right\n20901 shot right\n"
                           // A left click only closes it; the next one reads on.
                           "21000 wheel up\n21100 click 10 10\n21101 shot left\n"
                           "21200 click 10 10\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.count("history open"), 4);
    EXPECT_EQ(run.count("history close"), 4);
    EXPECT_EQ(run.timeOf("history close"), 20500);
    const auto before = run.shot("before");
    EXPECT_NE(run.shot("open"), before);
    EXPECT_NE(run.shot("up"), run.shot("open"));
    EXPECT_NE(run.shot("home"), run.shot("up"));
    EXPECT_EQ(run.shot("end"), run.shot("open"));
    EXPECT_EQ(run.shot("open2"), run.shot("open"));
    for (const char* name : {"closed", "right", "left"}) {
        EXPECT_EQ(run.shot(name), before) << name;
    }
    EXPECT_EQ(run.timeOf("line 17 KS"), 21200);
    EXPECT_EQ(run.count("line 17 KS"), 1);

    // Closing the window while it is open closes the history, then the program.
    const auto closed = h.run("2000 wheel up\n2100 close\n");
    EXPECT_EQ(closed.timeOf("history close"), 2100);
    EXPECT_EQ(closed.events().back(), "exit");
}

TEST(History, StaysShutWhileNoLineWaits) {
    HistoryGame h;
    // During the fade, during the reveal of the first text, in the bare-picture view; then
    // the line waits and the wheel opens it.
    const auto run = h.run(
        "10 wheel up\n20 key PageUp\n"
        "500 key Up\n510 wheel up\n"
        "1000 click 10 10 right\n1100 wheel up\n1200 key PageUp\n1300 click 10 10 right\n"
        "1400 wheel up\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    ASSERT_GT(run.timeOf("text", true), 20);
    ASSERT_LT(run.timeOf("text", true), 500);
    EXPECT_EQ(run.timeOf("history", true), 1400);
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 3}));

    // At a question, on the title menu and on a button screen.
    HeadlessGame g;
    g.addPicture("BMP/scene.bmp", solid(640, 480, 0x336699));
    g.addPicture("BMP/title.bmp", solid(640, 480, 0x204080));
    g.addPicture("BMP/button01.bmp", codedSheet(564, 344));
    const auto menus = g.run(
        "1\tST\n"
        "1001\tPA scene.bmp\n1002\tまえ\n"
        "1003\tQE どちら？:うえ,0,1010:した,0,1010\n"
        "1010\tZT button01.bmp\n1011\tZB 100,100,200,150,0,0,100,50,101,0,201,50,1020\n"
        "1012\tZS\n1020\tKS\n",
        "1000 wheel up\n1100 key PageUp\n1200 click 500 255\n"
        "4000 click 10 10\n5000 wheel up\n5100 key Up\n5200 click 100 415\n"
        "7000 wheel up\n7100 key PageUp\n");
    ASSERT_EQ(menus.exitCode, 0) << menus.output;
    EXPECT_FALSE(menus.has("history", true));
    EXPECT_TRUE(menus.has("jump 1010"));
}

}  // namespace
}  // namespace velko::test
