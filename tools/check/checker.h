#pragma once

// The checks of velko-check, as a library so that tests need not start the tool: source
// format, each command's argument, targets and fall-through into missing lines, asset files
// and their contents, text that overflows the message area, and what no path reaches.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts.h"

namespace velko::check {

enum class Severity { Error, Warning };

struct Finding {
    int line = 0;  // the scenario line number; 0 for a fault of the source format
    Severity severity = Severity::Error;
    std::string message;   // one line: control characters are written as \r, \n, \t, \xNN
    int physicalLine = 0;  // the line of the file an editor should jump to
    int column = 0;        // 1-based, in characters of that line; 0 when none helps
};

struct CheckResult {
    std::vector<Finding> findings;   // in the order of the file
    std::vector<std::string> notes;  // checks that could not be made, and why
    bool hasErrors() const;
};

struct CheckOptions {
    // Holds BMP/, Music/ and Wall/; without it no asset is looked up.
    std::optional<std::filesystem::path> gameDir;
    // The font library the message window opens its font from; without it text is not
    // laid out.
    platform::FontLibrary* fonts = nullptr;
};

CheckResult checkScenario(std::string_view sourceUtf8, const CheckOptions& options);
inline CheckResult checkScenario(std::string_view sourceUtf8,
                                 const std::optional<std::filesystem::path>& gameDir) {
    return checkScenario(sourceUtf8, CheckOptions{gameDir, nullptr});
}

// "SCRIPT:LINE[:COL]: error|warning: [line N: ]message".
std::string formatFinding(std::string_view scriptName, const Finding& finding);
// One JSON object on one line: file, line, column, scriptLine, severity, message.
std::string formatFindingJson(std::string_view scriptName, const Finding& finding);

}  // namespace velko::check
