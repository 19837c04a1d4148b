// The ending commands in velko-headless: ES (picture, staff roll, caption), ET (caption
// alone) and EH (picture, roll, empty message band), their lengths in virtual time, what the
// screen shows during and after them, the clicks and menus they keep out, and the way back to
// the title.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "headless_run.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

// Virtual milliseconds: a paced step ends 1 ms after its period.
constexpr std::int64_t kFade = 10 * 41;
constexpr std::int64_t kRoll = 884 * 21;
constexpr std::int64_t kCaption = 128 * 21;

constexpr gfx::Pixel kScene = 0x30406A;

// Counts pixels of one colour in a rectangle.
int countColor(const gfx::Bitmap& b, gfx::Rect r, gfx::Pixel c) {
    int n = 0;
    for (int y = r.y; y < r.bottom(); ++y) {
        for (int x = r.x; x < r.right(); ++x) {
            n += b.at(x, y) == c ? 1 : 0;
        }
    }
    return n;
}

struct EndingGame {
    EndingGame() {
        game.addPicture("BMP/scene.bmp", solid(640, 480, kScene));
        game.addPicture("BMP/title.bmp", solid(640, 480, 0x204080));
        game.addPicture("BMP/button01.bmp", solid(564, 344, 0x808080));
        // The shortest MIDI file: one track that ends at once.
        game.addFile("Music/title.mid", std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60"
                                                    "MTrk\0\0\0\x04\0\xFF\x2F\0",
                                                    26));
    }
    HeadlessGame game;
};

// ES, then ET, then EH and a message, then the title: each command waits for one click,
// which only counts once its presentation is over.
TEST(Ending, TheThreeCommandsRunEndToEndAndTheScriptReturnsToTheTitle) {
    EndingGame g;
    const std::string scenario =
        "1\tES scene.bmp\n"
        "2\tET\n"
        "3\tEH scene.bmp\n"
        "4\tおしまい\n"
        "5\tST\n";
    const std::int64_t es = kFade + kRoll + kCaption;  // ES starts at 0
    const std::int64_t et = es + 1 + kCaption;
    const std::int64_t eh = et + 100 + kFade + kRoll;
    const std::string input =
        // Inside the roll, with the frame of y 238 on the screen.
        "2935 shot rising\n" +
        // Too early by a millisecond, then just in time.
        std::to_string(es - 1) + " click 320 240\n" + std::to_string(es) + " shot caption\n" +
        std::to_string(es + 1) + " click 320 240\n" +
        // After ET: the right button, the end menu and the version menu do nothing.
        std::to_string(et + 10) + " click 320 240 right\n" + std::to_string(et + 20) +
        " menu end\n" + std::to_string(et + 30) + " menu version\n" + std::to_string(et + 40) +
        " shot after-et\n" + std::to_string(et + 100) + " click 320 240\n" +
        std::to_string(eh + 5) + " shot after-eh\n" + std::to_string(eh + 10) + " click 320 240\n" +
        std::to_string(eh + 5000) + " click 320 240\n" + std::to_string(eh + 9000) +
        " menu version\n";
    const auto run = g.game.run(scenario, input);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(run.has("warning", true)) << run.output;

    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 3, 4, 5}));
    EXPECT_EQ(run.timeOf("line 2 ET"), es + 1);
    EXPECT_EQ(run.timeOf("line 3 EH"), et + 100);
    EXPECT_EQ(run.timeOf("line 4 MSG"), eh + 10);
    EXPECT_EQ(run.timeOf("line 5 ST"), eh + 5000);
    EXPECT_TRUE(run.has("title"));
    // The roll's pictures come in with one fade each; nothing else fades.
    const auto e = run.events();
    EXPECT_EQ(std::count(e.begin(), e.end(), "fade 0 0"), 3);  // ES, EH, the title
    // Menus were off after the roll and the caption; the title turns them on again.
    EXPECT_FALSE(run.has("box", true));
    EXPECT_EQ(std::count(e.begin(), e.end(), "dialog about"), 1);
    EXPECT_GT(run.timeOf("dialog about"), run.timeOf("title"));

    // While the first page rises: the bare scene above it, white lettering from its top.
    const gfx::Bitmap rising = run.shot("rising");
    EXPECT_EQ(countColor(rising, {0, 0, 640, 238}, kScene), 640 * 238);
    EXPECT_GT(countColor(rising, {230, 238, 260, 25}, gfx::kWhite), 100);
    // The caption: near-white in the middle of black, and neither button changes it.
    const gfx::Bitmap caption = run.shot("caption");
    const int text = countColor(caption, {240, 224, 160, 32}, 0xFEFEFE);
    EXPECT_GT(text, 300);
    EXPECT_EQ(countColor(caption, {0, 0, 640, 480}, gfx::kBlack) + text, 640 * 480);
    EXPECT_TRUE(run.shot("after-et") == caption);
    // After EH: the scene over an empty dimmed band.
    const gfx::Bitmap band = run.shot("after-eh");
    EXPECT_EQ(countColor(band, {0, 0, 640, 360}, kScene), 640 * 360);
    EXPECT_EQ(countColor(band, {40, 360, 560, 120}, gfx::kBlack), 560 * 60);
}

TEST(Ending, AMissingPictureOrArgumentIsReportedAndTheEndingGoesOn) {
    EndingGame g;
    const auto run = g.game.run(
        "1\tEH nowhere.bmp\n"
        "2\tES\n",
        std::to_string(kFade + kRoll + 1) + " click 10 10\n" + std::to_string(kFade + kRoll + 2) +
            " answer ok\n");
    // The warning alone would leave the status at 0; the script error makes it 1.
    ASSERT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(run.has("warning BMP/nowhere.bmp: not found (shown as black)"));
    EXPECT_EQ(run.timeOf("line 2 ES"), kFade + kRoll + 1);
    EXPECT_TRUE(run.has("error 2", true));
}

}  // namespace
}  // namespace velko::test
