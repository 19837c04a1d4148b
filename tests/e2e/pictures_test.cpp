// Picture commands through velko-headless: the fades seen in shots, the backdrop, the
// stamp, and broken or missing pictures.

#include <gtest/gtest.h>

#include <array>

#include "headless_run.h"

namespace velko::test {
namespace {

// Source pixels visible in one 8 by 8 cell of a shot over a white picture.
int whiteInCell(const gfx::Bitmap& shot, int cx, int cy) {
    int n = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            n += shot.at(cx * 8 + x, cy * 8 + y) == 0xFFFFFFu;
        }
    }
    return n;
}

TEST(Pictures, ShotsInTheMiddleOfAFadeShowThatStepsMask) {
    HeadlessGame game;
    game.addPicture("BMP/white.bmp", solid(640, 480, 0xFFFFFF));
    std::string input;
    // The fade-in starts at 0: step k lasts from 41 (k - 1) to 41 k.
    for (int k = 1; k <= 10; ++k) {
        input += std::to_string(41 * (k - 1) + 20) + " shot in" + std::to_string(k) + "\n";
    }
    // Then the fade-out of PF, which starts at 410 + 1000.
    for (int k = 1; k <= 10; ++k) {
        input += std::to_string(1410 + 41 * (k - 1) + 20) + " shot out" + std::to_string(k) + "\n";
    }
    const auto run = game.run("1\tPK white.bmp\n2\tWT 1000\n3\tPF\n4\tKS\n", input);
    ASSERT_EQ(run.timeOf("fade 0 0"), 0);
    ASSERT_EQ(run.timeOf("fade 0 1"), 1410);
    const std::array<int, 10> in = {0, 8, 17, 25, 33, 39, 47, 54, 60, 64};
    for (int k = 1; k <= 10; ++k) {
        const auto fadeIn = run.shot("in" + std::to_string(k));
        const auto fadeOut = run.shot("out" + std::to_string(k));
        ASSERT_FALSE(fadeIn.empty());
        for (const auto& [cx, cy] : {std::pair{0, 0}, std::pair{79, 59}, std::pair{13, 37}}) {
            EXPECT_EQ(whiteInCell(fadeIn, cx, cy), in[k - 1]) << "fade-in step " << k;
            EXPECT_EQ(whiteInCell(fadeOut, cx, cy), in[10 - k]) << "fade-out step " << k;
        }
    }
}

TEST(Pictures, PADrawsTheBackdropAndPKDoesNot) {
    HeadlessGame game;
    game.addPicture("BMP/a.bmp", solid(640, 480, 0x00FF00));
    const auto run = game.run("1\tPA a.bmp\n2\tKS\n3\tPK a.bmp\n4\tKS\n",
                              "1000 shot pa\n1100 click 1 1\n2000 shot pk\n");
    const auto pa = run.shot("pa");
    const auto pk = run.shot("pk");
    EXPECT_EQ(pa.at(40, 360), 0u);
    EXPECT_EQ(pa.at(41, 360), 0x00FF00u);
    EXPECT_EQ(pa.at(39, 360), 0x00FF00u);
    EXPECT_EQ(pa.at(40, 359), 0x00FF00u);
    EXPECT_EQ(pk.at(40, 360), 0x00FF00u);
}

TEST(Pictures, PBFadesOutBeforeBringingThePictureIn) {
    HeadlessGame game;
    game.addPicture("BMP/a.bmp", solid(640, 480, 0x00FF00));
    const auto run = game.run("1\tPB a.bmp\n2\tKS\n", "");
    const std::vector<std::string> expected = {"line 1 PB", "fade 0 1", "fade 0 0", "line 2 KS"};
    EXPECT_EQ(run.events(), expected);
    EXPECT_EQ(run.timeOf("line 2 KS"), 820);
}

TEST(Pictures, StampKeysOutItsBackgroundAndTheBareViewHasNoStamp) {
    HeadlessGame game;
    game.addPicture("BMP/blue.bmp", solid(640, 480, 0x0000FF));
    gfx::Bitmap stamp(100, 100, 0xFF00FF);
    for (int y = 40; y < 60; ++y) {
        for (int x = 40; x < 60; ++x) {
            stamp.set(x, y, 0xFFFFFF);
        }
    }
    game.addPicture("BMP/tuduku.bmp", stamp);
    const auto run = game.run("1\tKR True\n2\tPL blue.bmp\n3\tBD tuduku.bmp\n4\tKS\n",
                              "1000 shot stamped\n1100 click 1 1 right\n1200 shot bare\n");
    const auto stamped = run.shot("stamped");
    EXPECT_EQ(stamped.at(480, 320), 0x0000FFu);  // key colour: the picture shows
    EXPECT_EQ(stamped.at(579, 419), 0x0000FFu);
    EXPECT_EQ(stamped.at(520, 360), 0xFFFFFFu);  // the lettering
    EXPECT_EQ(stamped.at(479, 320), 0x0000FFu);
    EXPECT_EQ(run.shot("bare").at(520, 360), 0x0000FFu);
}

TEST(Pictures, MissingAndBrokenPicturesWarnAndShowBlack) {
    HeadlessGame game;
    game.addFile("BMP/broken.bmp", "BM this is not a bitmap");
    game.addFile("BMP/empty.bmp", "");
    std::string truncated = "BM";
    truncated.resize(60, '\0');
    game.addFile("BMP/short.bmp", truncated);
    const auto run =
        game.run("1\tPK missing.bmp\n2\tPK broken.bmp\n3\tPK empty.bmp\n4\tPK short.bmp\n5\tKS\n",
                 "5000 shot black\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.has("line 5 KS"));
    int warnings = 0;
    for (const auto& e : run.events()) {
        warnings += e.rfind("warning ", 0) == 0;
    }
    EXPECT_EQ(warnings, 4);
    EXPECT_TRUE(run.has("warning BMP/missing.bmp: not found (shown as black)"));
    EXPECT_EQ(run.shot("black").at(100, 100), 0u);
}

TEST(Pictures, NamesMatchWithoutRegardToCaseAndSmallPicturesSitTopLeft) {
    HeadlessGame game;
    game.addPicture("BMP/CG11.BMP", solid(320, 240, 0xFFFF00));
    const auto run = game.run("1\tPK cg11.bmp\n2\tKS\n", "1000 shot small\n");
    EXPECT_FALSE(run.has("warning", true));
    const auto shot = run.shot("small");
    EXPECT_EQ(shot.at(0, 0), 0xFFFF00u);
    EXPECT_EQ(shot.at(319, 239), 0xFFFF00u);
    EXPECT_EQ(shot.at(320, 240), 0u);
}

}  // namespace
}  // namespace velko::test
