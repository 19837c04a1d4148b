// Resume in velko-headless with a state folder: leaving mid-story keeps the place, the
// title's first entry offers it, Yes shows the same scene with its looping music and reads
// on there, No starts again, the end forgets it; places that cannot be shown are refused
// with one line.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../sound/test_sounds.h"
#include "headless_run.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;
namespace fs = std::filesystem;

// The title, then a story: a dimmed scene with its music, three lines, the end.
const char* const kScenario =
    "1\tST\n"
    "101\tKS\n"
    "1001\tPB scene.bmp\n"
    "1002\tMR theme.mid\n"
    "1003\tFR\n"
    "1004\tいち\n"
    "1005\tにのぎょう\n"
    "1006\tさん\n"
    "1007\tST\n";

constexpr const char* kAsk = "box 前回の続きから読みますか？";
// The title's first entry.
constexpr const char* kStart = "click 500 255\n";

struct ResumeGame {
    ResumeGame() {
        game.addPicture("BMP/title.bmp", solid(640, 480, 0x204080));
        game.addPicture("BMP/button01.bmp", codedSheet(564, 344));
        game.addPicture("BMP/scene.bmp", codedSheet(640, 480));
        game.addFile("Music/title.mid", noteMidi(3000));
        game.addFile("Music/theme.mid", noteMidi(3000));
    }
    HeadlessRun run(const std::string& input, const char* scenario = kScenario) const {
        return game.run(scenario, input, {"--state-dir", state().string()});
    }
    fs::path state() const { return game.dir() / "state"; }
    // The one place file in the state folder, or an empty path.
    fs::path placeFile() const {
        const auto dir = state() / "state/velko01";
        if (fs::exists(dir)) {
            for (const auto& e : fs::directory_iterator(dir)) {
                if (e.path().extension() == ".place") {
                    return e.path();
                }
            }
        }
        return {};
    }
    // Reads to line 1005, shoots it complete and closes the window.
    HeadlessRun readAndClose() const {
        return run(std::string("1000 ") + kStart +
                   "3000 click 10 10\n3900 shot before\n4000 close\n");
    }
    HeadlessGame game;
};

TEST(Resume, AfterACloseYesShowsTheSameSceneWithItsMusicAndReadsOn) {
    ResumeGame g;
    const auto first = g.readAndClose();
    ASSERT_EQ(first.executedLines(), (Lines{1, 1001, 1002, 1003, 1004, 1005}));
    EXPECT_FALSE(first.has(kAsk));
    ASSERT_FALSE(g.placeFile().empty());

    const auto again = g.run(std::string("1000 ") + kStart +
                             "1100 answer yes\n4000 shot after\n4100 click 10 10\n");
    EXPECT_EQ(again.timeOf(kAsk), 1000);
    const auto e = again.events();
    const auto resume = std::find(e.begin(), e.end(), "resume 1005");
    ASSERT_NE(resume, e.end());
    EXPECT_NE(std::find(e.begin(), resume, "sound PlayMidiLoop theme.mid"), resume)
        << "the scene's music loops again";
    EXPECT_EQ(*(resume + 1), "line 1005 MSG");
    EXPECT_EQ(again.executedLines(), (Lines{1, 1005, 1006}));
    EXPECT_EQ(again.shot("after"), first.shot("before"));

    // That run left at 1006 without a close: the kept place is still 1005. No starts over
    // and the end of the story forgets the place.
    const auto no = g.run(std::string("1000 ") + kStart +
                          "1100 answer no\n3000 click 10 10\n3500 click 10 10\n4000 click 10 10\n");
    EXPECT_TRUE(no.has("answer no"));
    EXPECT_EQ(no.executedLines(), (Lines{1, 1001, 1002, 1003, 1004, 1005, 1006, 1007}));
    EXPECT_TRUE(g.placeFile().empty());
    const auto after = g.run(std::string("1000 ") + kStart);
    EXPECT_FALSE(after.has(kAsk));
}

TEST(Resume, TheMenusWayBackToTheTitleKeepsThePlaceOnlyWithAStateFolder) {
    ResumeGame g;
    const std::string input = std::string("1000 ") + kStart +
                              "3000 menu end\n3100 answer yes\n4000 " + kStart +
                              "4100 answer yes\n";
    const auto kept = g.run(input);
    EXPECT_EQ(kept.timeOf(kAsk), 4000);
    EXPECT_TRUE(kept.has("resume 1004"));

    fs::remove_all(g.state());
    const auto none = g.game.run(kScenario, input);
    EXPECT_FALSE(none.has(kAsk));
    EXPECT_FALSE(fs::exists(g.state()));
}

TEST(Resume, AnOpenQuestionComesBackWithThePointsAndClickFlagsOfItsScene) {
    ResumeGame g;
    const char* const scenario =
        "1\tST\n"
        "101\tKS\n"
        "1001\tPA scene.bmp\n"
        "1002\tQE どっち？:みぎ,2,1010:ひだり,1,1010\n"
        "1010\tKR False\n"
        "1011\tつぎのといは？\n"
        "1012\tQE さいご？:はい,3,1020:いいえ,0,1020\n"
        "1020\tIF 5:1030:1040:1040\n"
        "1030\tED\n"
        "1040\tKS\n";
    const auto first = g.run(std::string("1000 ") + kStart +
                                 "3000 click 100 415\n4000 click 10 10\n5000 shot before\n"
                                 "5500 close\n",
                             scenario);
    ASSERT_EQ(first.executedLines(), (Lines{1, 1001, 1002, 1010, 1011, 1012}));
    EXPECT_NE(readFile(g.placeFile()).find("right-click 0"), std::string::npos);
    const auto again = g.run(
        std::string("1000 ") + kStart + "1100 answer yes\n4000 shot after\n4500 click 100 415\n",
        scenario);
    const auto e = again.events();
    const auto resume = std::find(e.begin(), e.end(), "resume 1012");
    ASSERT_NE(resume, e.end());
    EXPECT_NE(std::find(e.begin(), resume, "points 2"), resume);
    EXPECT_EQ(again.shot("after"), first.shot("before"));
    // The answer's 3 points on top of the 2 kept reach the ending: IF 5 takes line 1030.
    EXPECT_EQ(again.executedLines(), (Lines{1, 1012, 1020, 1030}));
    EXPECT_TRUE(g.placeFile().empty()) << "the end forgets the place";
}

TEST(Resume, PlacesThatCannotBeShownAgainAreRefusedWithOneLine) {
    ResumeGame g;
    g.readAndClose();
    const fs::path place = g.placeFile();
    ASSERT_FALSE(place.empty());
    const std::string kept = readFile(place);
    // A damaged or foreign file is left to be replaced at the next leaving; a place that
    // cannot be shown is forgotten.
    const auto startOver = [&](const std::string& why, bool forgotten) {
        const auto run = g.run(std::string("1000 ") + kStart);
        EXPECT_FALSE(run.has(kAsk)) << why;
        EXPECT_EQ(run.executedLines(), (Lines{1, 1001, 1002, 1003, 1004})) << why;
        int warnings = 0;
        for (const auto& e : run.events()) {
            if (e.rfind("warning ", 0) == 0 && e.find("title.mid") == std::string::npos) {
                ++warnings;
                EXPECT_NE(e.find(why), std::string::npos) << e;
            }
        }
        EXPECT_EQ(warnings, 1) << why;
        EXPECT_EQ(g.placeFile().empty(), forgotten) << why;
    };
    const auto put = [&](const std::string& text) {
        std::ofstream(place, std::ios::binary) << text;
    };

    put("velko01 pla");  // cut short by something other than us
    startOver(place.filename().string(), false);

    // Another scenario's place under this name.
    std::string foreign = kept;
    foreign.replace(foreign.find("script ") + 7, 16, "0123456789abcdef");
    put(foreign);
    startOver("another scenario", false);

    std::string moved = kept;
    moved.replace(moved.find("line 1005"), 9, "line 1500");
    put(moved);
    startOver("line 1500 is no longer in the scenario", true);

    std::string gone = kept;
    gone.replace(gone.find("theme.mid"), 9, "other.mid");
    put(gone);
    startOver("Music/other.mid is gone", true);
}

}  // namespace
}  // namespace velko::test
