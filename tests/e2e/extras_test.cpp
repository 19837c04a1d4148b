// Button screens in velko-headless: the shipped episode's extras (the extras screen, the
// wallpaper gallery with its question, the six notice pages and the way back to the title),
// drawn exactly as their ZB lines say; and on a small scenario what a waiting screen ignores,
// a screen abandoned for the title, and button lines the engine cannot use.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <regex>
#include <sstream>
#include <utility>

#include "headless_run.h"
#include "platform/gfx/image_io.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;
using Buttons = std::vector<std::array<int, 13>>;

// The thirteen numbers of the ZB lines from `first` to `last` of a scenario.
Buttons buttonsOf(const std::string& scenario, int first, int last) {
    Buttons out;
    for (int n = first; n <= last; ++n) {
        std::smatch m;
        const std::regex line("(^|\n)" + std::to_string(n) + "\tZB ([-0-9,]+)");
        if (!std::regex_search(scenario, m, line)) {
            ADD_FAILURE() << "no ZB line " << n;
            continue;
        }
        std::array<int, 13> v{};
        std::istringstream items(m[2].str());
        std::string item;
        for (int& x : v) {
            std::getline(items, item, ',');
            x = std::stoi(item);
        }
        out.push_back(v);
    }
    return out;
}

// A picture with its buttons drawn from the sheet: the normal images, the one at `hover`
// (an index, or -1) in its hover image. The shipped sheets' images are the buttons' size.
gfx::Bitmap withButtons(gfx::Bitmap picture, const gfx::Bitmap& sheet, const Buttons& buttons,
                        int hover = -1) {
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
        const auto& b = buttons[static_cast<std::size_t>(i)];
        const int sx = i == hover ? b[8] : b[4];
        const int sy = i == hover ? b[9] : b[5];
        for (int y = 0; y < b[3] - b[1]; ++y) {
            for (int x = 0; x < b[2] - b[0]; ++x) {
                picture.set(b[0] + x, b[1] + y, sheet.at(sx + x, sy + y));
            }
        }
    }
    return picture;
}

gfx::Bitmap episodeBmp(const std::string& name) {
    auto b = gfx::loadBmp(std::string(VELKO_GAME_DIR "/BMP/") + name);
    EXPECT_TRUE(b.ok()) << name;
    return b ? std::move(b).value() : gfx::Bitmap();
}

// The centre of a button, where a reader clicks.
std::string at(const std::array<int, 13>& b) {
    return std::to_string((b[0] + b[2]) / 2) + " " + std::to_string((b[1] + b[3]) / 2);
}

TEST(Extras, TheEpisodesExtrasLeadToTheGalleryTheNoticesAndBackToTheTitle) {
    const std::string scenario = readFile(VELKO_SOURCE_DIR "/game/scenario.txt");
    ASSERT_FALSE(scenario.empty());
    const Buttons extras = buttonsOf(scenario, 105, 107);   // wallpaper, notices, back
    const Buttons gallery = buttonsOf(scenario, 205, 209);  // four pictures, back
    const Buttons notice = buttonsOf(scenario, 305, 306);   // next, previous
    ASSERT_EQ(extras.size(), 3u);
    ASSERT_EQ(gallery.size(), 5u);
    ASSERT_EQ(notice.size(), 2u);
    const std::string next = at(notice[0]), previous = at(notice[1]);

    // The title's second entry, the extras, the gallery: a picture, No; the gallery works
    // again; another picture, Yes. Then the notices.
    std::vector<std::pair<int, std::string>> steps = {{10000, "click 500 325"},
                                                      {12000, "shot extras"},
                                                      {12100, "move " + at(extras[0])},
                                                      {12101, "shot extrasHover"},
                                                      {13000, "click " + at(extras[0])},
                                                      {15000, "shot gallery"},
                                                      {15100, "move " + at(gallery[1])},
                                                      {15101, "shot galleryHover"},
                                                      {16000, "click " + at(gallery[0])},
                                                      {16100, "answer no"},
                                                      {16200, "move " + at(gallery[2])},
                                                      {16201, "shot galleryAgain"},
                                                      {16300, "click " + at(gallery[1])},
                                                      {16400, "answer yes"},
                                                      {16500, "click " + at(gallery[4])},
                                                      {18500, "shot extrasFromGallery"},
                                                      {19000, "click " + at(extras[1])},
                                                      {21000, "shot notice1"},
                                                      {21100, "move " + next},
                                                      {21101, "shot notice1Next"},
                                                      {22000, "click " + next},
                                                      {24000, "click " + previous}};
    // Page by page to the last one, and on out of it.
    for (int t = 26000; t <= 36000; t += 2000) {
        steps.push_back({t, "click " + next});
    }
    // Into the notices again and out through the first page's "previous".
    steps.insert(steps.end(), {{38000, "shot extrasFromNotices"},
                               {38500, "click " + at(extras[1])},
                               {40500, "click " + previous},
                               {42500, "click " + at(extras[2])},
                               {45000, "shot title"}});
    std::string input;
    for (const auto& [t, what] : steps) {
        input += std::to_string(t) + " " + what + "\n";
    }

    HeadlessGame game;  // only to host the run's files
    const auto run = game.run(scenario, input, {"--game", VELKO_GAME_DIR});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(run.has("warning", true)) << run.output;
    EXPECT_FALSE(run.has("error", true)) << run.output;

    std::vector<std::string> jumps;
    for (const auto& e : run.events()) {
        if (e.rfind("jump ", 0) == 0) {
            jumps.push_back(e.substr(5));
        }
    }
    EXPECT_EQ(jumps,
              (std::vector<std::string>{"201", "251", "261", "101", "161", "401", "301", "401",
                                        "501", "601", "701", "801", "901", "161", "901", "150"}));
    // One question answered No, one Yes: one wallpaper, the second picture.
    EXPECT_LT(run.timeOf("answer no"), run.timeOf("answer yes"));
    EXPECT_EQ(run.timeOf("wallpaper", true), 16400);
    const auto e = run.events();
    EXPECT_EQ(std::count_if(e.begin(), e.end(),
                            [](const std::string& s) { return s.rfind("wallpaper ", 0) == 0; }),
              1);
    EXPECT_TRUE(
        run.has("wallpaper " + std::filesystem::absolute(VELKO_GAME_DIR "/Wall/sei0011c.bmp")
                                   .lexically_normal()
                                   .string(),
                false))
        << run.output;
    // The notices' own music, then the title music when they are left (twice) and on the
    // title screen again.
    EXPECT_EQ(run.count("sound PlayMidiLoop osirase01.mid"), 2);
    EXPECT_EQ(run.count("sound PlayMidiLoop title.mid"), 4);
    EXPECT_EQ(run.count("title"), 2);
    EXPECT_EQ(run.executedLines().back(), 11);

    const gfx::Bitmap oyasiro = episodeBmp("oyasiro.bmp"), button02 = episodeBmp("button02.bmp");
    const gfx::Bitmap kabeset = episodeBmp("kabeset.bmp"), button03 = episodeBmp("button03.bmp");
    const gfx::Bitmap notices = episodeBmp("osirase01.bmp");
    const gfx::Bitmap extrasScreen = withButtons(oyasiro, button02, extras);
    EXPECT_EQ(run.shot("extras"), extrasScreen);
    EXPECT_EQ(run.shot("extrasHover"), withButtons(oyasiro, button02, extras, 0));
    EXPECT_EQ(run.shot("gallery"), withButtons(kabeset, button03, gallery));
    EXPECT_EQ(run.shot("galleryHover"), withButtons(kabeset, button03, gallery, 1));
    EXPECT_EQ(run.shot("galleryAgain"), withButtons(kabeset, button03, gallery, 2));
    EXPECT_EQ(run.shot("extrasFromGallery"), extrasScreen);
    EXPECT_EQ(run.shot("notice1"), withButtons(notices, button02, notice));
    EXPECT_EQ(run.shot("notice1Next"), withButtons(notices, button02, notice, 0));
    EXPECT_EQ(run.shot("extrasFromNotices"), extrasScreen);
}

// A small episode: a picture, a screen of two buttons from a coded sheet, and what each
// button leads to.
const char* const kScenario =
    "1\tPK pic.bmp\n"
    "2\tZT sheet.bmp\n"
    "3\tZB 100,100,200,150,0,0,100,50,101,0,201,50,10\n"
    "4\tZB 300,100,400,150,0,51,100,101,101,51,201,101,20\n"
    "5\tZS\n"
    "10\tZE\n"
    "11\tひとつめ\n"
    "12\tKS\n"
    "20\tZE\n"
    "21\tST\n";

constexpr gfx::Pixel kPicture = 0x305070;

const Buttons kSmall = {{100, 100, 200, 150, 0, 0, 100, 50, 101, 0, 201, 50, 10},
                        {300, 100, 400, 150, 0, 51, 100, 101, 101, 51, 201, 101, 20}};

struct SmallGame {
    SmallGame() {
        game.addPicture("BMP/pic.bmp", solid(640, 480, kPicture));
        game.addPicture("BMP/sheet.bmp", codedSheet(202, 102));
        game.addPicture("BMP/title.bmp", solid(640, 480, 0x102030));
        game.addPicture("BMP/button01.bmp", solid(564, 344, 0x405060));
    }
    HeadlessRun run(const std::string& input, const std::string& scenario = kScenario) const {
        return game.run(scenario, input);
    }
    HeadlessGame game;
};

TEST(ButtonScreen, WaitsThroughClicksOffItsButtonsRightClicksAndKeys) {
    SmallGame g;
    const auto run = g.run(
        "1000 shot shown\n"
        "1100 click 50 50\n1200 click 150 125 right\n1300 key Return\n1400 click 100 125\n"
        "1500 click 200 125\n1600 click 150 150\n1700 move 350 125\n1701 shot hover\n"
        "2000 click 150 125\n"
        // The message after the jump: the second button's place is just the screen now.
        "3000 click 350 125\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.shot("shown"),
              withButtons(solid(640, 480, kPicture), codedSheet(202, 102), kSmall));
    // The right click did not show the bare picture: the screen owns the mouse.
    EXPECT_EQ(run.shot("hover"),
              withButtons(solid(640, 480, kPicture), codedSheet(202, 102), kSmall, 1));
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 3, 4, 5, 10, 11, 12}));
    EXPECT_EQ(run.timeOf("jump 10"), 2000);
    EXPECT_FALSE(run.has("jump 20"));
    EXPECT_EQ(run.timeOf("line 12 KS"), 3000);
}

// The click that reads on past a message runs the script into a new screen; that screen is
// built while the click is still being delivered and must not take it as its own press.
TEST(ButtonScreen, TheClickThatBuildsAScreenIsNotAPressOnIt) {
    SmallGame g;
    const std::string scenario =
        "1\tPK pic.bmp\n2\tZT sheet.bmp\n"
        "3\tZB 100,100,200,150,0,0,100,50,101,0,201,50,10\n4\tZS\n"
        "10\tafter\n11\tZE\n12\tZT sheet.bmp\n"
        "13\tZB 0,0,640,480,0,0,100,50,101,0,201,50,20\n14\tZS\n"
        "20\tdouble\n21\tKS\n";
    const auto run =
        g.run("1000 click 150 125\n2000 click 150 125\n3000 click 320 240\n", scenario);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.timeOf("line 14 ZS"), 2000);
    // Only the reader's third click, on the second screen, leads to line 20.
    EXPECT_EQ(run.timeOf("jump 20"), 3000);
    EXPECT_EQ(run.timeOf("line 20", true), 3000);
}

TEST(ButtonScreen, TheTitleScreenDiscardsAWaitingScreen) {
    SmallGame g;
    // The title's second entry opens the screen; "終了" and Yes bring the title back.
    const std::string scenario =
        "1\tST\n101\tPK pic.bmp\n102\tZT sheet.bmp\n"
        "103\tZB 100,100,200,150,0,0,100,50,101,0,201,50,110\n104\tZS\n110\tKS\n";
    const auto run = g.run(
        "1000 click 500 325\n2000 menu end\n2100 answer yes\n"
        "4000 move 150 125\n4001 shot title\n4100 click 150 125\n",
        scenario);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.executedLines(), (Lines{1, 101, 102, 103, 104}));
    EXPECT_GT(run.timeOf("box ﾀｲﾄﾙに戻りますか？"), 0);
    EXPECT_FALSE(run.has("jump", true));
    // Nothing of the screen is drawn over the title picture any more.
    const gfx::Bitmap title = run.shot("title");
    ASSERT_EQ(title.width(), 640);
    EXPECT_EQ(title.at(150, 125), 0x102030u);
    EXPECT_EQ(title.at(101, 101), 0x102030u);
}

TEST(ButtonScreen, ButtonLinesWithoutAScreenAreScriptErrorsAndAMissingSheetAWarning) {
    HeadlessGame game;
    for (const char* scenario :
         {"1\tZB 1,2,3,4,5,6,7,8,9,10,11,12,13\n", "1\tZS\n", "1\tZT a.bmp\n2\tZE\n3\tZS\n"}) {
        SCOPED_TRACE(scenario);
        const auto run = game.run(scenario, "");
        EXPECT_TRUE(run.has("error", true)) << run.output;
        EXPECT_NE(run.output.find("a ZT line must come first"), std::string::npos) << run.output;
    }
    // Without its sheet the screen shows nothing but its buttons still answer.
    const auto run = game.run(
        "1\tZT nosheet.bmp\n2\tZB 100,100,200,150,0,0,100,50,101,0,201,50,5\n3\tZS\n5\tKS\n",
        "1000 click 150 125\n");
    EXPECT_TRUE(run.has("warning BMP/nosheet.bmp: not found"));
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 3, 5}));
}

}  // namespace
}  // namespace velko::test
