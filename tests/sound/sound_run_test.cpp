// The sound commands through velko-headless: waits take the length of the sound on the
// virtual clock, loops restart when the piece has ended, and sounds that cannot be played
// are warnings in the trace, never a crash or a hang.

#include <gtest/gtest.h>

#include "headless_run.h"
#include "test_sounds.h"

namespace velko::test {
namespace {

std::vector<std::int64_t> timesOf(const HeadlessRun& run, const std::string& event) {
    std::vector<std::int64_t> out;
    for (const auto& line : run.trace) {
        const auto space = line.find(' ');
        if (line.substr(space + 1) == event) {
            out.push_back(std::stoll(line.substr(0, space)));
        }
    }
    return out;
}

TEST(SoundRun, SpokenLineWaitsForItsWaveWithClicksShutOut) {
    HeadlessGame game;
    game.addFile("Music/voice.wav", toneWave(1500));
    const std::string scenario = "1\tWM voice.wav:「ねえ、聞こえる？」\n2\tKS\n3\tED\n";
    // The wave starts at 0 and ends at 1500; the wait asks for its end every 10 ms. A click
    // while it plays is dropped; one just after its end reads on.
    const auto run = game.run(scenario, "1480 click 10 10\n1520 click 10 10\n1600 click 10 10\n");
    EXPECT_EQ(run.timeOf("sound playWaveC voice.wav"), 0);
    EXPECT_EQ(run.timeOf("line 2 KS"), 1520);
    EXPECT_EQ(run.timeOf("line 3 ED"), 1600);
    EXPECT_FALSE(run.has("warning", true));
}

TEST(SoundRun, BlockingWaveHoldsTheScriptForItsLength) {
    HeadlessGame game;
    game.addFile("Music/bell.wav", toneWave(800));
    const auto run = game.run("1\tWS bell.wav\n2\tWT 100\n3\tED\n", "");
    EXPECT_EQ(run.timeOf("sound playWaveA bell.wav"), 0);
    EXPECT_EQ(run.timeOf("line 2 WT"), 800);
    EXPECT_EQ(run.timeOf("line 3 ED"), 900);
}

TEST(SoundRun, LoopedPieceRestartsEachTimeItEndsUntilStopped) {
    HeadlessGame game;
    game.addFile("Music/loop.mid", noteMidi(1200));
    // Polled every 500 ms from its start at 0 while the program idles: over at 1200, seen at
    // 1500, over again at 2700, seen at 3000, and so on; the MC clicked to at 5000 ends it.
    const auto run = game.run("1\tMR loop.mid\n2\tKS\n3\tMC\n4\tKS\n5\tED\n",
                              "5000 click 10 10\n9000 click 10 10\n");
    EXPECT_EQ(timesOf(run, "sound restart loop.mid"),
              (std::vector<std::int64_t>{1500, 3000, 4500}));
    EXPECT_EQ(run.timeOf("sound stopMidi"), 5000);
    EXPECT_EQ(run.timeOf("line 5 ED"), 9000);
}

TEST(SoundRun, PieceOnceThenStopDoesNotRestartAndNamesAreCaseBlind) {
    HeadlessGame game;
    game.addFile("Music/Once.MID", noteMidi(600));
    const auto run = game.run("1\tMS once.mid\n2\tWT 3000\n3\tMC\n4\tED\n", "");
    const std::vector<std::string> sounds = {"sound playMidi once.mid", "sound stopMidi",
                                             "sound stopMidi", "sound stopWave"};
    std::vector<std::string> seen;
    for (const auto& e : run.events()) {
        if (e.rfind("sound", 0) == 0 || e.rfind("warning", 0) == 0) {
            seen.push_back(e);
        }
    }
    // MC, then the end of the program stops the music and the sound once more.
    EXPECT_EQ(seen, sounds);
    EXPECT_EQ(run.timeOf("sound stopMidi"), 3000);
}

TEST(SoundRun, MissingOrBrokenFilesAreWarningsAndTheStoryGoesOn) {
    HeadlessGame game;
    game.addFile("Music/broken.mid", "MThd, but nothing after it");
    const auto run = game.run(
        "1\tMR gone.mid\n2\tMS broken.mid\n3\tWM gone.wav:まだ続く\n4\tKS\n5\tWS gone.wav\n"
        "6\tWR gone.wav\n7\tED\n",
        "300 click 10 10\n400 click 10 10\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.has("warning Music/gone.mid: not found (not played)"));
    EXPECT_TRUE(run.has("warning Music/broken.mid: ", true));
    EXPECT_TRUE(run.has("warning Music/gone.wav: not found (not played)"));
    // The spoken line does not wait for a wave that never started: once its text is out,
    // a click reads on.
    EXPECT_EQ(run.timeOf("line 4 KS"), 300);
    EXPECT_TRUE(run.has("exit"));
    EXPECT_NE(run.output.find("velko-headless: Music/gone.mid: not found"), std::string::npos)
        << run.output;
}

}  // namespace
}  // namespace velko::test
