#include "script/script.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/utf.h"

namespace velko::script {

std::optional<std::u16string_view> Script::line(int n) const {
    const auto it = lines_.find(n);
    if (it == lines_.end()) {
        return std::nullopt;
    }
    return std::u16string_view(it->second.text);
}

int Script::sourceLine(int n) const {
    const auto it = lines_.find(n);
    return it == lines_.end() ? 0 : it->second.sourceLine;
}

bool Script::add(int n, std::u16string text, int sourceLine) {
    if (n < kFirstLineNumber || n > kLastLineNumber) {
        return false;
    }
    return lines_.try_emplace(n, ScriptLine{std::move(text), sourceLine}).second;
}

std::string describe(std::string_view fileName, const SourceError& error) {
    return std::string(fileName) + ":" + std::to_string(error.physicalLine) + ": " + error.message;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the physical lines one by one, remembering which script line a TAB row continues.
class SourceParser {
public:
    ParsedSource run(std::string_view text) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") {
            text.remove_prefix(3);
        }
        int physical = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view row = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (!row.empty() && row.back() == '\r') {
                row.remove_suffix(1);
            }
            readRow(++physical, row);
        }
        ParsedSource result;
        for (auto& [n, line] : lines_) {
            result.script.add(n, std::move(line.text), line.sourceLine);
        }
        result.errors = std::move(errors_);
        return result;
    }

private:
    void fail(int physical, std::string message) {
        errors_.push_back({physical, std::move(message)});
    }

    // Text of a row after its number or TAB; nullopt (and an error) when unusable.
    std::optional<std::u16string> decode(int physical, std::string_view bytes) {
        if (bytes.find('\r') != std::string_view::npos) {
            fail(physical, "a CR inside the line (line ends are LF or CR LF)");
            return std::nullopt;
        }
        auto text = utf8ToUtf16(bytes);
        if (!text) {
            fail(physical, "invalid UTF-8");
        }
        return text;
    }

    void readRow(int physical, std::string_view row) {
        if (row.empty() || row.front() == '#') {
            return;
        }
        if (row.front() == '\t') {
            continueLine(physical, row.substr(1));
        } else if (isDigit(row.front())) {
            startLine(physical, row);
        } else {
            current_ = kDropped;
            fail(physical, row.front() == ' '
                               ? "the line starts with a blank; a continuation starts with a TAB"
                               : "expected NUMBER TAB text, TAB text, a # comment or an empty "
                                 "line");
        }
    }

    void continueLine(int physical, std::string_view rest) {
        if (current_ == kNone) {
            fail(physical, "a continuation (TAB) with no script line before it");
            return;
        }
        if (current_ == kDropped) {
            return;  // The line it belongs to was refused; one message is enough.
        }
        auto text = decode(physical, rest);
        if (!text) {
            return;
        }
        auto& line = lines_.at(current_).text;
        line.append(u"\r\n");
        line.append(*text);
    }

    void startLine(int physical, std::string_view row) {
        std::size_t digits = 0;
        while (digits < row.size() && isDigit(row[digits])) {
            ++digits;
        }
        const std::string_view number = row.substr(0, digits);
        current_ = kDropped;
        if (digits == row.size() || row[digits] != '\t') {
            fail(physical, "expected a TAB after the line number " + std::string(number));
            return;
        }
        // Leading zeros are harmless; more than five significant digits is out of range.
        const std::size_t firstNonZero = number.find_first_not_of('0');
        int n = 0;
        if (firstNonZero != std::string_view::npos) {
            n = number.size() - firstNonZero <= 5 ? std::stoi(std::string(number))
                                                  : kLastLineNumber + 1;
        }
        if (n < kFirstLineNumber || n > kLastLineNumber) {
            fail(physical, "line number " + std::string(number) + " is outside 1 to 32767");
            return;
        }
        if (const auto it = lines_.find(n); it != lines_.end()) {
            fail(physical, "line number " + std::to_string(n) + " is already used on line " +
                               std::to_string(it->second.sourceLine));
            return;
        }
        auto text = decode(physical, row.substr(digits + 1));
        if (!text) {
            return;
        }
        lines_[n] = ScriptLine{std::move(*text), physical};
        current_ = n;
    }

    static constexpr int kNone = 0;      // no line yet
    static constexpr int kDropped = -1;  // after a refused row
    int current_ = kNone;
    std::map<int, ScriptLine> lines_;
    std::vector<SourceError> errors_;
};

}  // namespace

ParsedSource parseSource(std::string_view utf8) {
    return SourceParser().run(utf8);
}

Result<Script> loadSource(std::string_view utf8, std::string_view fileName) {
    ParsedSource parsed = parseSource(utf8);
    if (parsed.errors.empty()) {
        return std::move(parsed.script);
    }
    std::string message = describe(fileName, parsed.errors.front());
    if (parsed.errors.size() > 1) {
        message += " (and " + std::to_string(parsed.errors.size() - 1) + " more)";
    }
    return makeError(std::move(message));
}

Result<std::string> readSourceFile(const std::string& path) {
    // A folder opens like a file and reads as nothing, which would pass for an empty file.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return makeError(path + ": is a folder, not a file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return makeError(path + ": cannot open: " + std::strerror(errno));
    }
    // Read in pieces, so that a device or pipe that never ends is refused instead of
    // filling the memory.
    std::string bytes;
    std::vector<char> piece(1 << 16);
    while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
        bytes.append(piece.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxSourceBytes) {
            return makeError(path + ": larger than " + std::to_string(kMaxSourceBytes >> 20) +
                             " MiB; not a text this program reads");
        }
    }
    if (in.bad()) {
        return makeError(path + ": cannot read");
    }
    return bytes;
}

Result<Script> loadSourceFile(const std::string& path) {
    auto bytes = readSourceFile(path);
    if (!bytes) {
        return makeError(bytes.error());
    }
    return loadSource(*bytes, path);
}

}  // namespace velko::script
