#pragma once

// A small script with every kind of choice for the storyboard tests, its pictures and the
// storyboard made of it.

#include <string>

#include "headless_run.h"

namespace velko::test {

constexpr gfx::Pixel kRed = 0xFF0000;
constexpr gfx::Pixel kBlue = 0x0000FF;
constexpr gfx::Pixel kGrey = 0x808080;

inline const char* const kStoryboardScenario =
    "1\tST\n"
    // The extras: two buttons, the first coming back to the screen.
    "101\tZE\n"
    "102\tPK grey.bmp\n"
    "103\tZT sheet.bmp\n"
    "104\tZB 100,100,200,150,0,0,100,50,0,0,100,50,110\n"
    "105\tZB 100,200,200,250,0,0,100,50,0,0,100,50,120\n"
    "106\tZS\n"
    "110\tおまけの一\n"
    "111\tJP 101\n"
    "120\tおまけの二\n"
    "121\tST\n"
    // The story: a question whose answers meet again at an IF.
    "1001\tPK red.bmp\n"
    "1002\t　分かれ道に来た。\n"
    "1003\tQE どうする？:行く,1,1010:戻る,0,1020\n"
    "1010\tPK red.bmp\n"
    "1011\t　先へ進んだ。\n"
    "1012\tJP 1030\n"
    "1020\tPK blue.bmp\n"
    "1021\t　引き返した。\n"
    "1022\tJP 1030\n"
    "1030\tIF 1:1040:1040:1050\n"
    "1040\t　一点の結末。\n"
    "1041\tED\n"
    "1050\t　零点の結末。\n"
    "1051\tED\n"
    "5000\t　どこからも届かない。\n"
    "5001\tED\n";

class StoryboardGame {
public:
    StoryboardGame() {
        game_.addPicture("BMP/red.bmp", solid(640, 480, kRed));
        game_.addPicture("BMP/blue.bmp", solid(640, 480, kBlue));
        game_.addPicture("BMP/grey.bmp", solid(640, 480, kGrey));
        game_.addPicture("BMP/sheet.bmp", solid(100, 50, 0x00FF00));
        game_.addFile("scenario.txt", kStoryboardScenario);
    }
    std::filesystem::path out() const { return game_.dir() / "board"; }
    HeadlessRun play() const {
        return game_.runWith(
            {"--game", game_.dir().string(), "--script", (game_.dir() / "scenario.txt").string(),
             "--storyboard", out().string()},
            out());
    }

private:
    HeadlessGame game_;
};

}  // namespace velko::test
