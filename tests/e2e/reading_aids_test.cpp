// Skip, auto reading and the volume keys in velko-headless, with what they keep between runs
// in a state folder.

#include <gtest/gtest.h>

#include "headless_run.h"

namespace velko::test {
namespace {

using Lines = std::vector<int>;

constexpr std::int64_t kFade = 10 * 41;

// A dimmed scene, three short lines, a question and a line after each answer.
const char* const kScenario =
    "1\tPA scene.bmp\n"
    "2\tいち\n"
    "3\tにに\n"
    "4\tさんさん\n"
    "5\tQE どっち？:みぎ,0,100:ひだり,0,100\n"
    "100\tおわり\n"
    "101\tKS\n";

struct AidsGame {
    AidsGame() { game.addPicture("BMP/scene.bmp", solid(640, 480, 0x336699)); }
    HeadlessRun run(const std::string& input, bool keep = true) const {
        if (!keep) {
            return game.run(kScenario, input);
        }
        return game.run(kScenario, input, {"--state-dir", (game.dir() / "state").string()});
    }
    HeadlessGame game;
};

// A first reading of lines 2 and 3, kept in the state folder; line 3 is shot complete.
HeadlessRun readTwoLines(const AidsGame& g) {
    return g.run("1000 click 10 10\n1500 shot line3\n");
}

TEST(Skip, PassesLinesReadBeforeAtOnceAndStopsAtTheFirstUnreadOneAndAtTheQuestion) {
    AidsGame g;
    const auto first = readTwoLines(g);
    ASSERT_EQ(first.executedLines(), (Lines{1, 2, 3}));

    // Held from the start: the fade shows its last step only, lines 2 and 3 go by complete,
    // line 4 is revealed as always and waits; Ctrl must be pressed again to skip on.
    const auto held = g.run("0 keydown ctrl\n120 shot skipped3\n3000 keyup ctrl\n");
    EXPECT_EQ(held.executedLines(), (Lines{1, 2, 3, 4}));
    EXPECT_EQ(held.timeOf("skip on"), 0);
    EXPECT_LT(held.timeOf("line 2 MSG"), 100) << "the fade is drawn at once";
    EXPECT_EQ(held.timeOf("line 3 MSG") - held.timeOf("line 2 MSG"), 51);
    const auto events = held.events();
    const auto off = std::find(events.begin(), events.end(), "skip off");
    ASSERT_NE(off, events.end());
    EXPECT_EQ(*(off - 1), "line 4 MSG") << "skip ends as the unread line starts";
    EXPECT_EQ(held.count("skip off"), 1) << "releasing the spent key says nothing more";
    EXPECT_EQ(held.shot("skipped3"), first.shot("line3")) << "a skipped line shows complete";

    // Tab while the first line waits: on at once; line 4 is read by now, so skip goes on
    // to the question and ends there; the answer's line waits for the reader.
    const auto tab = g.run("1000 key tab\n3000 click 100 415\n");
    EXPECT_EQ(tab.timeOf("skip on"), 1000);
    EXPECT_EQ(tab.executedLines(), (Lines{1, 2, 3, 4, 5, 100}));
    const auto e = tab.events();
    const auto offAtQuestion = std::find(e.begin(), e.end(), "skip off");
    ASSERT_NE(offAtQuestion, e.end());
    EXPECT_EQ(*(offAtQuestion - 1), "line 5 QE");
    EXPECT_EQ(tab.timeOf("line 100 MSG"), 3000);

    // Pressed while line 2 is revealed: it completes, then skipping goes on from it.
    const auto during = g.run("430 keydown ctrl\n");
    EXPECT_EQ(during.timeOf("skip on"), 436);
    EXPECT_EQ(during.executedLines(), (Lines{1, 2, 3, 4, 5}));

    // In a run that keeps nothing, no line was read before.
    const auto fresh = g.run("1000 key tab\n", false);
    EXPECT_EQ(fresh.executedLines(), (Lines{1, 2, 3}));
    EXPECT_EQ(fresh.timeOf("skip off"), fresh.timeOf("line 3 MSG"));
}

TEST(Auto, EachLineComesAfterAPauseThatGrowsWithTheOneBeforeAndStopsAtTheQuestion) {
    AidsGame g;
    const auto run = g.run("1000 key a\n20000 paint\n");
    EXPECT_EQ(run.timeOf("auto on"), 1000);
    // "いち" is 2 characters: 1000 + 2 x 60 ms after the key.
    EXPECT_EQ(run.timeOf("line 3 MSG"), 1000 + 1000 + 2 * 60);
    // From line 3 to line 4: its reveal, then 1000 + 2 x 60; from 4 to 5: 1000 + 4 x 60.
    const auto gap3 = run.timeOf("line 4 MSG") - run.timeOf("line 3 MSG");
    const auto gap4 = run.timeOf("line 5 QE") - run.timeOf("line 4 MSG");
    EXPECT_GE(gap3, 1120);
    EXPECT_LT(gap3, 1120 + 100);
    EXPECT_GE(gap4, 1240);
    EXPECT_LT(gap4, 1240 + 150);
    EXPECT_EQ(run.executedLines(), (Lines{1, 2, 3, 4, 5})) << "an answer needs the reader";

    // Off again: the next line waits for a click.
    const auto off = g.run("1000 key a\n1500 key a\n5000 paint\n");
    EXPECT_EQ(off.timeOf("auto off"), 1500);
    EXPECT_EQ(off.executedLines(), (Lines{1, 2}));
}

TEST(Volume, KeysStepMuteWorkDuringFadesAndBoxesAndAreKept) {
    AidsGame g;
    // A key pressed during the first fade is handled at its end, not dropped; the wallpaper
    // box takes the volume keys too and stays open for its own answer.
    const char* const boxScenario = "1\tPA scene.bmp\n2\tKB scene.bmp\n3\tKS\n";
    const auto keep = std::vector<std::string>{"--state-dir", (g.game.dir() / "state").string()};
    const auto run = g.game.run(boxScenario,
                                "100 key -\n"
                                "1000 key -\n"
                                "1100 key m\n"
                                "1200 key m\n"
                                "1300 key =\n"
                                "1400 key =\n"
                                "1500 answer no\n",
                                keep);
    EXPECT_GE(run.timeOf("volume music 90"), 100);
    EXPECT_LE(run.timeOf("volume music 90"), kFade);
    EXPECT_EQ(run.timeOf("volume sound 90"), run.timeOf("volume music 90"));
    EXPECT_EQ(run.timeOf("volume music 80"), 1000);
    EXPECT_EQ(run.timeOf("volume music 0"), 1100);
    EXPECT_EQ(run.timeOf("volume sound 0"), 1100);
    EXPECT_EQ(run.count("volume music 80"), 2) << "unmuted to the level before";
    EXPECT_EQ(run.count("volume sound 100"), 1) << "raised inside the box";
    EXPECT_EQ(run.timeOf("answer no"), 1500);
    EXPECT_EQ(run.executedLines(), (Lines{1, 2}));
    EXPECT_EQ(readFile(g.game.dir() / "state/config/velko01/settings.txt"),
              "velko01 settings 1\nmusic 100\nsound 100\nmute 0\n");

    // The next run starts at the kept level: up stays at 100, down is 90.
    const auto next = g.game.run(boxScenario, "100 key =\n1000 key -\n1100 answer no\n", keep);
    EXPECT_EQ(next.timeOf("volume", true), 1000) << "nothing above the top";
    EXPECT_EQ(next.timeOf("volume music 90"), 1000);

    // A damaged settings file: one line naming it, and the defaults.
    g.game.addFile("state/config/velko01/settings.txt", "velko01 settings 1\nmusic loud\n");
    const auto damaged = g.game.run(boxScenario, "1000 key -\n1100 answer no\n", keep);
    std::vector<std::string> warnings;
    for (const auto& line : damaged.events()) {
        if (line.rfind("warning ", 0) == 0) {
            warnings.push_back(line);
        }
    }
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("settings.txt: \"music\""), std::string::npos) << warnings[0];
    EXPECT_TRUE(damaged.has("volume music 90"));
}

}  // namespace
}  // namespace velko::test
