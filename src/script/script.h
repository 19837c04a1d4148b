#pragma once

// The scenario: numbered lines of UTF-16 text, fetched by number, as the string table held
// them. It is written as a UTF-8 source file:
//
//   # a comment            (ignored, as are empty lines)
//   1001<TAB>PK CG01.BMP   (starts line 1001; the text after the TAB may be empty)
//   <TAB>more text         (continues the line before with a CR LF and this text)
//
// Lines may come in any order and gaps are allowed. Every fault of the source is reported
// as "FILE:PHYSICAL_LINE: message", and parsing goes on so that all of them are found.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace velko::script {

inline constexpr int kFirstLineNumber = 1;
inline constexpr int kLastLineNumber = 32767;

struct ScriptLine {
    std::u16string text;  // CR LF between the physical rows of a continued line
    int sourceLine = 0;   // physical line of the source where it starts, for messages
};

class Script {
public:
    // Line n, or nothing when the script has no line with that number.
    std::optional<std::u16string_view> line(int n) const;
    bool contains(int n) const { return lines_.count(n) != 0; }
    // The physical source line where line n starts; 0 when there is no such line.
    int sourceLine(int n) const;

    const std::map<int, ScriptLine>& lines() const { return lines_; }
    bool empty() const { return lines_.empty(); }

    // Adds line n (1 to 32767); false when the number is taken or out of range.
    bool add(int n, std::u16string text, int sourceLine = 0);

private:
    std::map<int, ScriptLine> lines_;
};

struct SourceError {
    int physicalLine = 0;
    std::string message;
};

struct ParsedSource {
    Script script;  // every line that could be read, even when there are errors
    std::vector<SourceError> errors;
};

// "FILE:PHYSICAL_LINE: message".
std::string describe(std::string_view fileName, const SourceError& error);

// Reads everything it can and collects every fault; for the checker.
ParsedSource parseSource(std::string_view utf8);

// For the player: the script, or the first fault (with a count of the others).
Result<Script> loadSource(std::string_view utf8, std::string_view fileName);
Result<Script> loadSourceFile(const std::string& path);

// The whole file as bytes; the error names the file. Folders and files of more than
// kMaxSourceBytes are refused.
inline constexpr std::size_t kMaxSourceBytes = std::size_t{64} << 20;
Result<std::string> readSourceFile(const std::string& path);

}  // namespace velko::script
