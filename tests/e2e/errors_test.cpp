// Script errors through velko-headless: a message box that names the line, the trace line
// "error N ...", and the end of the program when the title was never shown.

#include <gtest/gtest.h>

#include "headless_run.h"

namespace velko::test {
namespace {

struct Case {
    const char* scenario;
    int line;
    const char* fragment;  // part of the message
};

TEST(ScriptErrors, AreReportedWithTheirLineAndEndTheProgramBeforeTheTitle) {
    const Case cases[] = {
        {"1\tJP 5\n", 5, "there is no such line"},
        {"1\tKC\n2\tKO\n", 3, "line 2 goes on to it"},
        {"1\tJP abc\n", 1, ""},
        {"1\tJP 40000\n", 1, "40000"},
        {"1\tJP 0\n", 1, ""},
        {"1\tWT -5\n", 1, ""},
        {"1\tIF 1:2\n", 1, ""},
        {"1\tIF 0:x:3:4\n", 1, ""},
        {"1\tKR maybe\n", 1, ""},
        {"1\tPA ../secret.bmp\n", 1, ""},
        {"1\tPK BMP/logo.bmp\n", 1, ""},
        {"1\tMR \n", 1, ""},
        {"1\tZB 1,2,3\n", 1, ""},
        {"1\tQE question:a,1,10:b,x,20\n", 1, ""},
        {"32767\tKC\n1\tJP 32767\n", 32767, "after 32767"},
    };
    HeadlessGame game;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        const auto run = game.run(c.scenario, "");
        EXPECT_EQ(run.exitCode, 1) << run.output;
        const std::string prefix = "error " + std::to_string(c.line) + " ";
        const auto at = run.timeOf(prefix, true);
        ASSERT_GE(at, 0) << "no error line for " << c.line;
        EXPECT_TRUE(run.has("box scenario line " + std::to_string(c.line) + ": ", true));
        std::string message;
        for (const auto& e : run.events()) {
            if (e.rfind(prefix, 0) == 0) {
                message = e.substr(prefix.size());
            }
        }
        EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
        // Nobody answers the box in these runs, so the run ends there; answered, the
        // program ends (next test).
        EXPECT_NE(run.output.find("scenario line"), std::string::npos);
    }
}

TEST(ScriptErrors, AnsweredBoxEndsTheProgramWhenTheTitleWasNeverShown) {
    HeadlessGame game;
    const auto run = game.run("1\tJP 5\n", "100 answer ok\n");
    const std::vector<std::string> tail = {"answer ok", "sound stopMidi", "sound stopWave",
                                           "fade 0 1", "exit"};
    const auto e = run.events();
    ASSERT_GE(e.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(e.end() - tail.size(), e.end()), tail);
}

TEST(ScriptErrors, ALoopWithNothingThatLetsTimePassIsReportedWhereItClosesInsteadOfSpinning) {
    const Case cases[] = {
        {"1\tJP 1\n", 1, "reached again from line 1 "},
        {"1\tKC\n2\tMS a.mid\n3\tIF 0:1:9:9\n", 1, "reached again from line 3 "},
        {"1\tWT 0\n2\tBD x.bmp\n3\tWA a.wav\n4\tJP 2\n", 2, "reached again from line 4 "},
        // FR leaves zero points at zero: nothing has changed the way round.
        {"1\tFR\n2\tKR True\n3\tJP 1\n", 1, "never end"},
    };
    HeadlessGame game;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        const auto run = game.run(c.scenario, "");
        EXPECT_EQ(run.exitCode, 1) << run.output;
        const std::string prefix = "error " + std::to_string(c.line) + " ";
        std::string message;
        for (const auto& e : run.events()) {
            if (e.rfind(prefix, 0) == 0) {
                message = e;
            }
        }
        ASSERT_FALSE(message.empty()) << "no error line for " << c.line;
        EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
    }
}

TEST(ScriptErrors, LoopsThatPauseOrFadeRunOnUntilTheRunEnds) {
    HeadlessGame game;
    for (const char* scenario : {"1\tWT 1\n2\tJP 1\n", "1\tKC\n2\tPF\n3\tJP 2\n"}) {
        SCOPED_TRACE(scenario);
        const auto run = game.run(scenario, "", {"--until", "3000"});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_FALSE(run.has("error ", true));
        EXPECT_GT(run.executedLines().size(), 10u);
    }
}

TEST(Title, STBuildsTheTitleScreenWithItsMusicAndWaits) {
    HeadlessGame game;
    game.addPicture("BMP/title.bmp", solid(640, 480, 0x204080));
    const auto run = game.run("1\tST\n2\tED\n", "1000 click 5 5\n1100 shot title\n");
    // The folder has no title.mid: the music is a warning, the title comes all the same.
    const std::vector<std::string> expected = {"line 1 ST", "sound PlayMidiLoop title.mid",
                                               "warning Music/title.mid: not found (not played)",
                                               "fade 0 0", "title"};
    auto e = run.events();
    e.resize(std::min(e.size(), expected.size()));
    EXPECT_EQ(e, expected);
    // The title menu owns the mouse: a click on the screen does not read on.
    EXPECT_FALSE(run.has("line 2 ED"));
    EXPECT_EQ(run.shot("title").at(320, 240), 0x204080u);
}

}  // namespace
}  // namespace velko::test
