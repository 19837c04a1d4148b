// velko-check [--game DIR] [--werror] [--json] [SCRIPT]: checks a scenario source the way a
// careful author would. Exit status 0 without errors, 1 with errors, 2 on a usage error.

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "base/episode_folder.h"
#include "checker.h"
#include "platform/fonts/freetype_fonts.h"
#include "script/builtin.h"
#include "script/script.h"

namespace {

constexpr std::string_view kUsage =
    "usage: velko-check [--game DIR] [--werror] [--json] [SCRIPT]\n"
    "Checks a scenario source: its format, every command's argument, jump and button\n"
    "targets, lines that run on into missing lines, asset files in DIR/BMP, DIR/Music and\n"
    "DIR/Wall (that they are there and that the player can read them), text that needs more\n"
    "rows than the message area shows, and lines that nothing reaches.\n"
    "Prints one finding a line: SCRIPT:LINE[:COLUMN]: error|warning: [line N: ]message,\n"
    "where LINE is the line of the file and N the scenario's line number.\n"
    "  SCRIPT      default: the episode built into the program\n"
    "  --game DIR  default: the episode's folder, found beside this program, in\n"
    "              ../share/velko01 relative to it, or in a build tree's game/\n"
    "  --werror    warnings fail the check as errors do (exit status 1)\n"
    "  --json      one JSON object a line instead: {\"file\", \"line\", \"column\",\n"
    "              \"scriptLine\", \"severity\", \"message\"}\n"
    "  --help      print this and exit\n"
    "Exit status: 0 without errors, 1 with errors, 2 on a usage error.\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "velko-check: %s\n%s", message.c_str(), kUsage.data());
    return 2;
}

// Why a folder named on the command line cannot serve, with the system's reason.
std::optional<std::string> folderProblem(const std::string& dir) {
    std::error_code ec;
    const auto status = std::filesystem::status(dir, ec);
    if (ec || !std::filesystem::exists(status)) {
        return dir + ": " + (ec ? ec.message() : "No such file or directory");
    }
    if (!std::filesystem::is_directory(status)) {
        return dir + " is not a folder";
    }
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) {
        return dir + ": cannot read the folder: " + ec.message();
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> script;
    std::optional<std::string> gameDir;
    bool werror = false;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage.data(), stdout);
            return 0;
        }
        if (arg == "--werror") {
            werror = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--game" || arg.starts_with("--game=")) {
            if (gameDir) {
                return usageError("--game is given twice");
            }
            if (arg == "--game") {
                if (++i == argc) {
                    return usageError("--game needs a folder");
                }
                gameDir = argv[i];
            } else {
                gameDir = std::string(arg.substr(7));
            }
        } else if (arg.starts_with("-") && arg != "-") {
            return usageError("unknown option " + std::string(arg));
        } else if (script) {
            return usageError("only one SCRIPT can be checked at a time");
        } else {
            script = std::string(arg);
        }
    }
    // A folder named on the command line must be usable; the built one may simply not be
    // built.
    if (gameDir) {
        if (auto problem = folderProblem(*gameDir)) {
            return usageError("--game " + *problem);
        }
    }
    if (!gameDir) {
        auto found = velko::findEpisodeFolder(velko::episodeFolderCandidates(
            velko::executableFolder(), std::array{velko::executableFolder() / "game"}));
        if (!found) {
            std::fprintf(stderr, "velko-check: %s\n", found.error().c_str());
            return 1;
        }
        gameDir = found->string();
    }
    const std::string gamePath = *gameDir;
    const std::string scriptPath =
        script.value_or(std::string(velko::script::builtinScenarioFileName()));

    auto source =
        script ? velko::script::readSourceFile(*script)
               : velko::Result<std::string>(std::string(velko::script::builtinScenarioSource()));
    if (!source) {
        std::fprintf(stderr, "velko-check: %s\n", source.error().c_str());
        return 1;
    }
    velko::check::CheckOptions options;
    options.gameDir = std::filesystem::path(gamePath);
    auto fonts = velko::platform::FreeTypeFontLibrary::create();
    if (fonts) {
        options.fonts = fonts->get();
    }
    const auto result = velko::check::checkScenario(*source, options);
    int errors = 0;
    for (const auto& finding : result.findings) {
        std::printf("%s\n", json ? velko::check::formatFindingJson(scriptPath, finding).c_str()
                                 : velko::check::formatFinding(scriptPath, finding).c_str());
        errors += finding.severity == velko::check::Severity::Error ? 1 : 0;
    }
    std::fflush(stdout);
    if (!fonts) {
        std::fprintf(stderr, "velko-check: note: text was not laid out: %s\n",
                     fonts.error().c_str());
    }
    for (const auto& note : result.notes) {
        std::fprintf(stderr, "velko-check: note: %s\n", note.c_str());
    }
    const int warnings = static_cast<int>(result.findings.size()) - errors;
    if (errors > 0 || warnings > 0) {
        std::fprintf(stderr, "velko-check: %s: %d error%s, %d warning%s\n", scriptPath.c_str(),
                     errors, errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s");
    }
    return errors > 0 || (werror && warnings > 0) ? 1 : 0;
}
