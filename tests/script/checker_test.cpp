// velko-check's findings: every planted fault at its line of the file and nothing else, and
// nothing at all for a sound episode; asset contents read by the player's own readers; text
// laid out as the message window lays it out.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <unistd.h>

#include "checker.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/image_io.h"

namespace velko::check {
namespace {

namespace fs = std::filesystem;

std::string readData(const std::string& name) {
    std::ifstream in(std::string(VELKO_SCRIPT_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string wave(int format);

// Small files that the player's readers take, by the name's ending.
std::string playableContents(const std::string& name) {
    if (name.ends_with(".bmp") || name.ends_with(".BMP")) {
        const auto bytes = gfx::encodeBmp24(gfx::Bitmap(2, 2));
        return std::string(bytes.begin(), bytes.end());
    }
    if (name.ends_with(".mid")) {
        return std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xff\x2f\0", 26);
    }
    if (name.ends_with(".wav")) {
        return wave(1);
    }
    return "x";
}

// A one-channel 8 kHz wave of four bytes; format 1 is PCM, 3 floating point.
std::string wave(int format) {
    std::string fmt("fmt \x10\0\0\0", 8);
    const auto le = [](std::string& s, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) {
            s.push_back(static_cast<char>(v >> (8 * i)));
        }
    };
    const int bits = format == 3 ? 32 : 16;
    le(fmt, format, 2);
    le(fmt, 1, 2);
    le(fmt, 8000, 4);
    le(fmt, 8000 * bits / 8, 4);
    le(fmt, bits / 8, 2);
    le(fmt, bits, 2);
    std::string body = "WAVE" + fmt + "data";
    le(body, 4, 4);
    body.append(4, '\0');
    std::string out = "RIFF";
    le(out, static_cast<std::uint32_t>(body.size()), 4);
    return out + body;
}

// A throw-away program folder holding playable files with the given names.
class GameDir {
public:
    GameDir(std::initializer_list<std::string> files, std::string_view suffix = "") {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() / ("velko-check-" + std::string(test->name()) +
                                             std::string(suffix) + "-" + std::to_string(getpid()));
        fs::remove_all(root_);
        for (const auto& file : files) {
            fs::create_directories((root_ / file).parent_path());
            std::ofstream(root_ / file, std::ios::binary) << playableContents(file);
        }
    }
    ~GameDir() { fs::remove_all(root_); }
    void write(const std::string& file, const std::string& bytes) {
        std::ofstream(root_ / file, std::ios::binary) << bytes;
    }
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
    // The file's own line (and the argument's column), the scenario's line in the message.
    const std::vector<std::string> expected = {
        "s:4:6: error: line 3: WT time \"80O\" is not a number",
        "s:6:6: error: line 5: PK file \"missing.bmp\" is not in BMP/",
        "s:7: warning: line 6: waits for a click while KC has switched clicks off; nothing can "
        "go on from here",
        "s:9:6: error: line 8: KR takes True or False, not \"maybe\"",
        "s:11: warning: line 10: no path reaches this line",
        "s:16:8: error: line 103: ZB needs 13 numbers separated by \",\", found 3",
        "s:17:8: error: line 104: ZB target line 999 does not exist",
        "s:18: warning: line 105: ZB uses 13 numbers; the 1 after them are ignored",
        "s:22: warning: line 151: KB returns to a button screen, but none is up on some path",
        "s:23: error: line 160: the script goes on to line 161, which does not exist",
        "s:23:8: error: line 160: MR file \"osirase.mid\" is not in Music/",
        "s:27: warning: line 1003: \"PX\" is not a command; the line is shown as text",
        "s:28:9: error: line 1004: IF less target line 1030 does not exist",
        "s:29:9: error: line 1010: QE second choice target line 1040 does not exist",
        "s:31:9: error: line 1021: WM needs wave:text, not \"nothing\"",
        "s:32:9: error: line 1022: MS MIDI file name \"a/b.mid\" may not contain \"/\" or \"\\\"",
        "s:33:9: error: line 1023: JP target 40000 is outside 1 to 32767",
        "s:34: warning: line 1100: ZS shows a button screen, but no ZT starts one before it on "
        "some path",
        "s:36: warning: line 3000: no path reaches this line nor the 2 after it (to line 3002)",
        "s:39: error: line number 3 is already used on line 4",
        "s:41: error: expected NUMBER TAB text, TAB text, a # comment or an empty line",
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
              std::vector<std::string>{"s:3:6: error: line 3: PK file \"c.bmp\" is not in BMP/"});
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_NE(result.notes[0].find("Music"), std::string::npos);
    // Without a program folder nothing is looked up and nothing is said about it.
    EXPECT_TRUE(checkScenario("1\tPK c.bmp\n2\tED\n", std::nullopt).notes.empty());
}

TEST(Checker, EveryCommandThatRunsOnNeedsANextLine) {
    EXPECT_EQ(check("1\tKC\n2\tED\n"), std::vector<std::string>{});
    EXPECT_EQ(check("1\tWT 5\n3\tED\n"),
              (std::vector<std::string>{
                  "s:1: error: line 1: the script goes on to line 2, which does not exist",
                  "s:2: warning: line 3: no path reaches this line"}));
    EXPECT_EQ(
        check("1\tJP 32767\n32767\ttext\n"),
        std::vector<std::string>{
            "s:2: error: line 32767: the script goes on past line 32767, the last line number"});
    // Lines that never run on are fine before a gap; what follows a command without an
    // argument is ignored.
    EXPECT_EQ(check("1\tIF 0:3:3:3\n3\tQE q:a,1,5:b,-1,6\n5\tKS now\n6\tED please\n"),
              std::vector<std::string>{});
}

TEST(Checker, LoopsThatNeverLetTimePassAndPausesThatLastMinutes) {
    EXPECT_EQ(
        check("1\tKC\n2\tMS a.mid\n3\tJP 2\n"),
        std::vector<std::string>{"s:2: error: line 2: lines 2 to 3 go round in a loop with no "
                                 "pause, fade or wait for the reader; it would never end"});
    EXPECT_EQ(
        check("1\tWT 0\n2\tJP 1\n"),
        std::vector<std::string>{"s:1: error: line 1: lines 1 to 2 go round in a loop with no "
                                 "pause, fade or wait for the reader; it would never end"});
    EXPECT_EQ(check("1\tJP 1\n"),
              std::vector<std::string>{"s:1: error: line 1: this line comes back to itself with no "
                                       "pause, fade or wait for the reader; it would never end"});
    // An IF with a way out decides by the points: a warning. One whose every way leads
    // back in cannot get out.
    EXPECT_EQ(
        check("1\tIF 0:1:2:2\n2\tED\n"),
        std::vector<std::string>{"s:1: warning: line 1: this line comes back to itself with no "
                                 "pause, fade or wait for the reader whenever the IF on "
                                 "line 1 leads into it; it would never end"});
    EXPECT_EQ(
        check("1\tFR\n2\tIF 0:1:1:3\n3\tJP 1\n"),
        std::vector<std::string>{"s:1: error: line 1: lines 1 to 3 go round in a loop with no "
                                 "pause, fade or wait for the reader; it would never end"});
    // A pause, a fade or a stop anywhere in the loop lets it be; a pause of minutes is a
    // program that answers nothing for minutes.
    EXPECT_EQ(
        check("1\tWT 60000\n2\tWT 60001\n3\tED\n"),
        std::vector<std::string>{"s:2: warning: line 2: WT pauses 60001 ms; for all that time "
                                 "the window answers nothing, not even its close button"});
    EXPECT_EQ(check("1\tWT 1\n2\tJP 1\n"), std::vector<std::string>{});
    EXPECT_EQ(check("1\tPF\n2\tJP 1\n"), std::vector<std::string>{});
    EXPECT_EQ(check("1\ttext\n2\tJP 1\n"), std::vector<std::string>{});
}

TEST(Checker, TheTitleNeedsItsEntriesAndTheProgramItsFirstLine) {
    EXPECT_EQ(check("1\tST\n"),
              (std::vector<std::string>{
                  "s:1: error: line 1001 does not exist; the title menu (line 1) starts the "
                  "story there",
                  "s:1: error: line 101 does not exist; the title menu (line 1) opens the "
                  "extras there"}));
    EXPECT_EQ(check("2\tED\n"),
              (std::vector<std::string>{"s:1: error: line 1 does not exist; the program starts "
                                        "there",
                                        "s:1: warning: line 2: no path reaches this line"}));
}

TEST(Checker, ButtonScreensAndClickStopsAlongEveryPath) {
    const std::string button = "ZB 1,1,9,9,0,0,8,8,0,0,8,8,";
    // A button with no screen, then a screen with no buttons.
    EXPECT_EQ(
        check("1\t" + button + "3\n2\tZS\n3\tZT b.bmp\n4\tZS\n"),
        (std::vector<std::string>{
            "s:1: warning: line 1: ZB adds a button, but no ZT starts a button screen before it "
            "on some path",
            "s:2: warning: line 2: ZS shows a button screen, but no ZT starts one before it on "
            "some path",
            "s:4: warning: line 4: ZS shows a button screen without buttons on some path; "
            "nothing can go on from it"}));
    // A button's target is reached only through a reachable ZB; KB there has its screen.
    EXPECT_EQ(check("1\tZT b.bmp\n2\t" + button + "5\n3\tZS\n5\tKB w.bmp\n"),
              std::vector<std::string>{});
    // KC stays on through the title, so the story's first text can never be clicked away.
    EXPECT_EQ(check("1\tKC\n2\tST\n101\tED\n1001\ttext\n1002\tED\n"),
              std::vector<std::string>{"s:4: warning: line 1001: waits for a click while KC has "
                                       "switched clicks off; nothing can go on from here"});
}

TEST(Checker, PointsAtTheLineOfTheFileInOneLineOfOutput) {
    // Comments, blank rows and continuations come before the faults; the byte order mark
    // is not a column.
    const std::string source =
        "\xEF\xBB\xBF# opening\n"
        "\n"
        "1\tfirst text\n"
        "\tsecond row of it\n"
        "# a note\n"
        "2\tWT 5\n"
        "\tx\n"
        "10\tJP 99\n"
        "3\tED\n";
    EXPECT_EQ(check(source), (std::vector<std::string>{
                                 "s:6:6: error: line 2: WT time \"5\\r\\nx\" is not a number",
                                 "s:8: warning: line 10: no path reaches this line",
                                 "s:8:7: error: line 10: JP target line 99 does not exist"}));
    // Columns count characters, not bytes: the separator after the opcode may be wide.
    EXPECT_EQ(check("0001\tWT\u3000zz\n2\tED\n"),
              std::vector<std::string>{"s:1:9: error: line 1: WT time \"zz\" is not a number"});
}

TEST(Checker, TextLaidOutAsTheMessageWindowDoesMustFitItsRows) {
    auto fonts = platform::FreeTypeFontLibrary::create();
    ASSERT_TRUE(fonts) << fonts.error();
    const auto checkText = [&](const std::string& source) {
        return render(checkScenario(source, CheckOptions{std::nullopt, fonts->get()}));
    };
    const auto wide = [](int n) {
        std::string out;
        for (int i = 0; i < n; ++i) {
            out += "\xE3\x81\x82";  // あ
        }
        return out;
    };
    // 156 full-width characters: cut at 27, each piece one character too wide for a row.
    EXPECT_EQ(checkText("1\t" + wide(156) + "\n2\tED\n"),
              std::vector<std::string>{
                  "s:1: warning: line 1: the text needs 11 rows; the message area shows 5 (26 "
                  "full-width characters a row), so the rest is cut off"});
    // Five rows of 26 marked by 'R fit exactly; a sixth row does not, nor does a WM text.
    std::string five = wide(26);
    for (int i = 0; i < 4; ++i) {
        five += "'R" + wide(26);
    }
    EXPECT_EQ(checkText("1\t" + five + "\n2\tED\n"), std::vector<std::string>{});
    const auto six = checkText("1\t" + five + "\n\tmore\n2\tWM v.wav:" + wide(140) + "\n3\tED\n");
    ASSERT_EQ(six.size(), 2u);
    EXPECT_NE(six[0].find("s:1: warning: line 1: the text needs 6 rows"), std::string::npos);
    EXPECT_NE(six[1].find("s:3: warning: line 2: the text needs 11 rows"), std::string::npos)
        << six[1];
}

TEST(Checker, AssetsThePlayerCannotReadAreErrorsNamingTheFileAndTheFault) {
    GameDir game({"BMP/good.bmp", "Music/good.wav", "Music/good.mid"});
    game.write("BMP/Noise.bmp", "BM this is not a bitmap at all");
    game.write("Music/float.wav", wave(3));
    game.write("Music/bad.mid", "MThd");
    const CheckResult result = checkScenario(
        "1\tPK good.bmp\n2\tPK noise.BMP\n3\tWS good.wav\n4\tWA float.wav\n5\tMS good.mid\n"
        "6\tMR bad.mid\n7\tPB noise.bmp\n8\tED\n",
        game.path());
    const auto found = render(result);
    ASSERT_EQ(found.size(), 4u) << ::testing::PrintToString(found);
    EXPECT_TRUE(
        found[0].starts_with("s:2:6: error: line 2: BMP/Noise.bmp: not a picture the "
                             "player can show: "));
    EXPECT_EQ(found[1],
              "s:4:6: error: line 4: Music/float.wav: not a wave the player can play: not PCM "
              "(format 3)");
    EXPECT_TRUE(found[2].starts_with(
        "s:6:6: error: line 6: Music/bad.mid: not a MIDI file the player can play: "));
    EXPECT_TRUE(found[3].starts_with("s:7:6: error: line 7: BMP/Noise.bmp: "));
}

}  // namespace
}  // namespace velko::check
