// velko-headless: runs the real engine with the headless platform and the virtual clock,
// driven by a timed input file, writing trace.log and shots; or plays every path of the
// script and writes a storyboard page.

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "base/episode_folder.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/headless/input_script.h"
#include "script/builtin.h"
#include "script/script.h"
#include "session.h"
#include "store/store.h"

namespace {

constexpr const char* kUsage =
    "usage: velko-headless [--game DIR] [--script FILE] [--input FILE] [--out DIR] [--until MS]\n"
    "                      [--display WxHxBPP] [--from LINE] [--exit-zero]\n"
    "                      [--state-dir DIR]\n"
    "Runs the player without a display on a virtual clock; writes OUT/trace.log and the shots\n"
    "the input asks for.\n"
    "  --game DIR        BMP/, Music/ and Wall/ (default: the episode beside this program,\n"
    "                    in ../share/velko01 from it, or in a build tree's game/)\n"
    "  --script FILE     a scenario source to run instead of the episode\n"
    "  --input FILE      timed input, one event a line (below)\n"
    "  --out DIR         where trace.log and the shots go (default: .)\n"
    "  --until MS        end the run when the virtual clock passes MS\n"
    "  --display WxHxBPP the desktop the window is placed on (default: 1024x768x32)\n"
    "  --from LINE       start the script at LINE instead of line 1\n"
    "  --exit-zero       exit 0 even when the run recorded a script error\n"
    "  --state-dir DIR   keep settings, read lines and the resume place in DIR/config and\n"
    "                    DIR/state (standing for the XDG folders); without it nothing is kept\n"
    "  --help            print this and exit\n"
    "Input events, \"T EVENT\", T in virtual milliseconds, non-decreasing; # starts a comment:\n"
    "  T click X Y [left|right]   a mouse button pressed at logical (X, Y), default left\n"
    "  T move X Y                 the mouse moved\n"
    "  T paint                    the window must be repainted\n"
    "  T key NAME                 a key press (Return, space, Escape, F10...)\n"
    "  T keydown NAME             a key pressed and held (e.g. ctrl)\n"
    "  T keyup NAME               a held key released\n"
    "  T wheel up|down            one notch of the mouse wheel\n"
    "  T menu end|version         the menu items 終了 / バージョン情報\n"
    "  T answer yes|no|cancel|ok  presses that button of the open dialog\n"
    "  T dialog-click X Y         a click inside the open dialog\n"
    "  T close                    the window's close request\n"
    "  T shot NAME                write OUT/NAME.png: the screen as it stands at T\n"
    "  T quit                     end the run at once\n"
    "Exit status: 0; 1 when the run recorded a script error (unless --exit-zero) or could\n"
    "not run; 2 on a usage error or an unreadable script or input file.\n";

int usageError(const std::string& message) {
    std::cerr << "velko-headless: " << message << "\n" << kUsage;
    return 2;
}

bool parseNumber(std::string_view s, std::uint64_t& out) {
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc{} && p == s.data() + s.size();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velko;
    headless::SessionOptions options;
    options.out = ".";
    bool gameGiven = false;
    std::optional<std::string> scriptFile;
    std::optional<std::string> inputFile;
    std::optional<std::uint64_t> from;
    bool exitZero = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--exit-zero") {
            exitZero = true;
            continue;
        }
        if (!(arg == "--game" || arg == "--script" || arg == "--input" || arg == "--out" ||
              arg == "--until" || arg == "--display" || arg == "--from" ||
              arg == "--state-dir")) {
            return usageError("unknown argument \"" + std::string(arg) + "\"");
        }
        if (i + 1 >= argc) {
            return usageError(std::string(arg) + " needs a value");
        }
        const std::string v = argv[++i];
        if (arg == "--game") {
            options.game = v;
            gameGiven = true;
        } else if (arg == "--script") {
            scriptFile = v;
        } else if (arg == "--input") {
            inputFile = v;
        } else if (arg == "--out") {
            options.out = v;
        } else if (arg == "--state-dir") {
            options.stateDir = v;
        } else if (arg == "--until") {
            std::uint64_t ms = 0;
            if (!parseNumber(v, ms)) {
                return usageError("--until takes milliseconds");
            }
            options.until = ms;
        } else if (arg == "--from") {
            std::uint64_t line = 0;
            if (!parseNumber(v, line) || line < 1 || line > script::kLastLineNumber) {
                return usageError("--from takes a line number from 1 to 32767");
            }
            from = line;
        } else if (arg == "--display") {
            int w = 0;
            int h = 0;
            int bpp = 0;
            char x1 = 0;
            char x2 = 0;
            std::istringstream in(v);
            if (!(in >> w >> x1 >> h >> x2 >> bpp) || x1 != 'x' || x2 != 'x' || w <= 0 || h <= 0) {
                return usageError("--display takes WIDTHxHEIGHTxBITS, e.g. 1024x768x32");
            }
            options.display = {w, h, bpp};
        }
    }

    if (!gameGiven) {
        // The build tree's program folder lies below this tool; an installed one beside it.
        const auto here = executableFolder();
        auto found = findEpisodeFolder(episodeFolderCandidates(here, std::array{here / "game"}));
        if (!found) {
            std::cerr << "velko-headless: " << found.error() << "\n";
            return 1;
        }
        options.game = *found;
    }

    // The scenario: the built-in episode or the given file.
    const std::string scriptName =
        scriptFile ? *scriptFile : std::string(script::builtinScenarioFileName());
    Result<script::Script> loaded =
        scriptFile ? script::loadSourceFile(*scriptFile)
                   : script::loadSource(script::builtinScenarioSource(), scriptName);
    if (!loaded) {
        std::cerr << "velko-headless: " << loaded.error() << "\n";
        return 2;
    }
    if (from) {
        if (!loaded->contains(static_cast<int>(*from))) {
            return usageError("--from " + std::to_string(*from) + ": " + scriptName +
                              " has no line " + std::to_string(*from));
        }
        options.firstLine = static_cast<int>(*from);
    }

    if (inputFile) {
        const auto text = script::readSourceFile(*inputFile);
        if (!text) {
            std::cerr << "velko-headless: " << text.error() << "\n";
            return 2;
        }
        auto parsed = headless::parseInputScript(*text, *inputFile);
        if (!parsed) {
            std::cerr << "velko-headless: " << parsed.error() << "\n";
            return 2;
        }
        options.input = std::move(parsed).value();
    }

    auto fonts = platform::FreeTypeFontLibrary::create();
    if (!fonts) {
        std::cerr << "velko-headless: " << fonts.error() << "\n";
        return 1;
    }

    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    if (ec) {
        std::cerr << "velko-headless: " << options.out.string()
                  << ": cannot make the folder: " << ec.message() << "\n";
        return 2;
    }
    options.traceFile = options.out / "trace.log";
    auto result = headless::runSession(*loaded, **fonts, std::move(options));
    if (!result) {
        std::cerr << "velko-headless: " << result.error() << "\n";
        return 2;
    }
    for (const auto& e : result->shotErrors) {
        std::cerr << "velko-headless: cannot write shot " << e << "\n";
    }
    return result->scriptErrors > 0 && !exitZero ? 1 : 0;
}
