#pragma once

// Text is held as UTF-16, counted in UTF-16 units, as the scenario's strings always were.
// These convert at the edges: files and the terminal are UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace velko {

// Invalid UTF-8 gives nullopt (the caller names the file and line).
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// For literals in code: u8"…" text known to be valid.
inline std::u16string u16(std::string_view utf8) {
    return utf8ToUtf16(utf8).value_or(u"\uFFFD");
}

}  // namespace velko
