#pragma once

// Text is held as UTF-16, counted in UTF-16 units, as the scenario's strings always were.
// These convert at the edges: files and the terminal are UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velko {

constexpr bool isHighSurrogate(char16_t u) {
    return u >= 0xD800 && u < 0xDC00;
}
constexpr bool isLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u < 0xE000;
}

// Reads the character at `i` and moves past it: a surrogate pair is one character, and a
// surrogate without its other half stands for U+FFFD.
constexpr char32_t nextCodePoint(std::u16string_view text, std::size_t& i) {
    const char16_t u = text[i++];
    if (isHighSurrogate(u) && i < text.size() && isLowSurrogate(text[i])) {
        const char16_t low = text[i++];
        return 0x10000 + ((char32_t{u} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
    }
    return isHighSurrogate(u) || isLowSurrogate(u) ? U'\uFFFD' : char32_t{u};
}

// Invalid UTF-8 gives nullopt (the caller names the file and line).
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// For literals in code: u8"…" text known to be valid.
inline std::u16string u16(std::string_view utf8) {
    return utf8ToUtf16(utf8).value_or(u"\uFFFD");
}

}  // namespace velko
