#pragma once

// The checks of velko-check, as a library so that tests need not start the tool: source
// format, each command's argument, targets and fall-through into missing lines, asset files,
// and what no path reaches.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velko::check {

enum class Severity { Error, Warning };

struct Finding {
    int line = 0;  // the script line number; the physical line for format faults
    Severity severity = Severity::Error;
    std::string message;
};

struct CheckResult {
    std::vector<Finding> findings;   // sorted by line
    std::vector<std::string> notes;  // checks that could not be made, and why
    bool hasErrors() const;
};

// `gameDir` holds BMP/, Music/ and Wall/; without it no asset is looked up.
CheckResult checkScenario(std::string_view sourceUtf8,
                          const std::optional<std::filesystem::path>& gameDir);

// "SCRIPT:LINE: error: message".
std::string formatFinding(std::string_view scriptName, const Finding& finding);

}  // namespace velko::check
