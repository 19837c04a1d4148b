// velko-check's findings: every planted fault with its line and nothing else, and nothing at
// all for a sound episode.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <unistd.h>

#include "checker.h"

namespace velko::check {
namespace {

namespace fs = std::filesystem;

std::string readData(const std::string& name) {
    std::ifstream in(std::string(VELKO_SCRIPT_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A throw-away program folder holding empty files with the given names.
class GameDir {
public:
    GameDir(std::initializer_list<std::string> files) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                ("velko-check-" + std::string(test->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(root_);
        for (const auto& file : files) {
            fs::create_directories((root_ / file).parent_path());
            std::ofstream(root_ / file).put('x');
        }
    }
    ~GameDir() { fs::remove_all(root_); }
    const fs::path& path() const { return root_; }

private:
    fs::path root_;
};

std::vector<std::string> render(const CheckResult& result) {
    std::vector<std::string> out;
    for (const auto& f : result.findings) {
        out.push_back(formatFinding("s", f));
    }
    return out;
}

std::vector<std::string> check(std::string_view source) {
    return render(checkScenario(source, std::nullopt));
}

TEST(Checker, ASoundEpisodeHasNoFindings) {
    GameDir game({"BMP/logo.bmp", "BMP/oyasiro.bmp", "BMP/button02.bmp", "BMP/button03.bmp",
                  "BMP/kabeset.bmp", "BMP/osirase01.bmp", "BMP/BKB.BMP", "BMP/CG01.BMP",
                  "BMP/ed01.bmp", "BMP/tuduku.bmp", "BMP/yokoku.bmp", "Music/logo.wav",
                  "Music/osirase01.mid", "Music/title.mid", "Music/velko01.mid",
                  "Music/velko_ed.mid", "Music/velko_e2.wav", "Wall/sin0011c.bmp"});
    const CheckResult result = checkScenario(readData("clean.txt"), game.path());
    EXPECT_EQ(render(result), std::vector<std::string>{});
    EXPECT_TRUE(result.notes.empty());
    EXPECT_FALSE(result.hasErrors());
}

TEST(Checker, FindsEveryPlantedFaultAtItsLine) {
    GameDir game({"BMP/logo.bmp", "BMP/button02.bmp", "BMP/bg.bmp", "BMP/cg01.bmp",
                  "Music/logo.wav", "Music/theme.mid", "Music/voice.wav", "Wall/wall.bmp",
                  "BMP/missing.bmp/inside-a-folder"});
    const CheckResult result = checkScenario(readData("faulty.txt"), game.path());
    const std::vector<std::string> expected = {
        "s:3: error: WT time \"80O\" is not a number",
        "s:5: error: PK file \"missing.bmp\" is not in BMP/",
        "s:6: warning: waits for a click while KC has switched clicks off; nothing can go on "
        "from here",
        "s:8: error: KR takes True or False, not \"maybe\"",
        "s:10: warning: no path reaches this line",
        "s:39: error: line number 3 is already used on line 4",
        "s:41: error: expected NUMBER TAB text, TAB text, a # comment or an empty line",
        "s:103: error: ZB needs 13 numbers separated by \",\", found 3",
        "s:104: error: ZB target line 999 does not exist",
        "s:105: warning: ZB uses 13 numbers; the 1 after them are ignored",
        "s:151: warning: KB returns to a button screen, but none is up on some path",
        "s:160: error: MR file \"osirase.mid\" is not in Music/",
        "s:160: error: the script goes on to line 161, which does not exist",
        "s:1003: warning: \"PX\" is not a command; the line is shown as text",
        "s:1004: error: IF less target line 1030 does not exist",
        "s:1010: error: QE second choice target line 1040 does not exist",
        "s:1021: error: WM needs wave:text, not \"nothing\"",
        "s:1022: error: MS MIDI file name \"a/b.mid\" may not contain \"/\" or \"\\\"",
        "s:1023: error: JP target 40000 is outside 1 to 32767",
        "s:1100: warning: ZS shows a button screen, but no ZT starts one before it on some path",
        "s:3000: warning: no path reaches this line nor the 2 after it (to line 3002)",
    };
    EXPECT_EQ(render(result), expected);
    EXPECT_TRUE(result.hasErrors());
    EXPECT_TRUE(result.notes.empty());
}

TEST(Checker, AssetsAreSkippedWithANoteWhenTheirFolderIsMissing) {
    GameDir game({"BMP/a.bmp"});
    const CheckResult result =
        checkScenario("1\tPK a.bmp\n2\tMR b.mid\n3\tPK c.bmp\n4\tED\n", game.path());
    EXPECT_EQ(render(result),
              std::vector<std::string>{"s:3: error: PK file \"c.bmp\" is not in BMP/"});
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_NE(result.notes[0].find("Music"), std::string::npos);
    // Without a program folder nothing is looked up and nothing is said about it.
    EXPECT_TRUE(checkScenario("1\tPK c.bmp\n2\tED\n", std::nullopt).notes.empty());
}

TEST(Checker, EveryCommandThatRunsOnNeedsANextLine) {
    EXPECT_EQ(check("1\tKC\n2\tED\n"), std::vector<std::string>{});
    EXPECT_EQ(
        check("1\tWT 5\n3\tED\n"),
        (std::vector<std::string>{"s:1: error: the script goes on to line 2, which does not exist",
                                  "s:3: warning: no path reaches this line"}));
    EXPECT_EQ(check("1\tJP 32767\n32767\ttext\n"),
              std::vector<std::string>{
                  "s:32767: error: the script goes on past line 32767, the last line number"});
    // Lines that never run on are fine before a gap; what follows a command without an
    // argument is ignored.
    EXPECT_EQ(check("1\tIF 0:3:3:3\n3\tQE q:a,1,5:b,-1,6\n5\tKS now\n6\tED please\n"),
              std::vector<std::string>{});
}

TEST(Checker, LoopsThatNeverLetTimePassAndPausesThatLastMinutes) {
    EXPECT_EQ(check("1\tKC\n2\tMS a.mid\n3\tJP 2\n"),
              std::vector<std::string>{"s:2: error: lines 2 to 3 go round in a loop with no "
                                       "pause, fade or wait for the reader; it would never end"});
    EXPECT_EQ(check("1\tWT 0\n2\tJP 1\n"),
              std::vector<std::string>{"s:1: error: lines 1 to 2 go round in a loop with no "
                                       "pause, fade or wait for the reader; it would never end"});
    EXPECT_EQ(check("1\tJP 1\n"),
              std::vector<std::string>{"s:1: error: this line comes back to itself with no "
                                       "pause, fade or wait for the reader; it would never end"});
    // An IF with a way out decides by the points: a warning. One whose every way leads
    // back in cannot get out.
    EXPECT_EQ(check("1\tIF 0:1:2:2\n2\tED\n"),
              std::vector<std::string>{"s:1: warning: this line comes back to itself with no "
                                       "pause, fade or wait for the reader whenever the IF on "
                                       "line 1 leads into it; it would never end"});
    EXPECT_EQ(check("1\tFR\n2\tIF 0:1:1:3\n3\tJP 1\n"),
              std::vector<std::string>{"s:1: error: lines 1 to 3 go round in a loop with no "
                                       "pause, fade or wait for the reader; it would never end"});
    // A pause, a fade or a stop anywhere in the loop lets it be; a pause of minutes is a
    // program that answers nothing for minutes.
    EXPECT_EQ(check("1\tWT 60000\n2\tWT 60001\n3\tED\n"),
              std::vector<std::string>{"s:2: warning: WT pauses 60001 ms; for all that time "
                                       "the window answers nothing, not even its close button"});
    EXPECT_EQ(check("1\tWT 1\n2\tJP 1\n"), std::vector<std::string>{});
    EXPECT_EQ(check("1\tPF\n2\tJP 1\n"), std::vector<std::string>{});
    EXPECT_EQ(check("1\ttext\n2\tJP 1\n"), std::vector<std::string>{});
}

TEST(Checker, TheTitleNeedsItsEntriesAndTheProgramItsFirstLine) {
    EXPECT_EQ(check("1\tST\n"),
              (std::vector<std::string>{
                  "s:101: error: line 101 does not exist; the title menu opens the extras there",
                  "s:1001: error: line 1001 does not exist; the title menu starts the story "
                  "there"}));
    EXPECT_EQ(check("2\tED\n"),
              (std::vector<std::string>{"s:1: error: line 1 does not exist; the program starts "
                                        "there",
                                        "s:2: warning: no path reaches this line"}));
}

TEST(Checker, ButtonScreensAndClickStopsAlongEveryPath) {
    const std::string button = "ZB 1,1,9,9,0,0,8,8,0,0,8,8,";
    // A button with no screen, then a screen with no buttons.
    EXPECT_EQ(check("1\t" + button + "3\n2\tZS\n3\tZT b.bmp\n4\tZS\n"),
              (std::vector<std::string>{
                  "s:1: warning: ZB adds a button, but no ZT starts a button screen before it "
                  "on some path",
                  "s:2: warning: ZS shows a button screen, but no ZT starts one before it on "
                  "some path",
                  "s:4: warning: ZS shows a button screen without buttons on some path; "
                  "nothing can go on from it"}));
    // A button's target is reached only through a reachable ZB; KB there has its screen.
    EXPECT_EQ(check("1\tZT b.bmp\n2\t" + button + "5\n3\tZS\n5\tKB w.bmp\n"),
              std::vector<std::string>{});
    // KC stays on through the title, so the story's first text can never be clicked away.
    EXPECT_EQ(check("1\tKC\n2\tST\n101\tED\n1001\ttext\n1002\tED\n"),
              std::vector<std::string>{"s:1001: warning: waits for a click while KC has "
                                       "switched clicks off; nothing can go on from here"});
}

}  // namespace
}  // namespace velko::check
