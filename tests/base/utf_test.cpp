#include "base/utf.h"

#include <gtest/gtest.h>

#include <string>

namespace velko {
namespace {

TEST(Utf8ToUtf16, DecodesEveryLength) {
    // a (1 byte), é (2), あ (3), 𝄞 U+1D11E (4, a surrogate pair).
    const auto out = utf8ToUtf16("a\xC3\xA9\xE3\x81\x82\xF0\x9D\x84\x9E");
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out,
              (std::u16string{u'a', u'\u00E9', u'\u3042', char16_t{0xD834}, char16_t{0xDD1E}}));
    EXPECT_EQ(utf8ToUtf16("")->size(), 0u);
    // The script counts characters in UTF-16 units: one kana is one unit, one astral two.
    EXPECT_EQ(utf8ToUtf16("\xE3\x81\x82\xE3\x81\x84")->size(), 2u);
}

TEST(Utf8ToUtf16, RejectsInvalidInput) {
    const char* const bad[] = {
        "\x80",                  // lone continuation byte
        "\xC3",                  // sequence cut at the end
        "\xE3\x81",              // three-byte sequence cut short
        "\xC3\x28",              // second byte not a continuation
        "\xC0\xAF",              // overlong '/'
        "\xE0\x80\xAF",          // overlong, three bytes
        "\xF0\x82\x82\xAC",      // overlong, four bytes
        "\xED\xA0\x80",          // encoded surrogate U+D800
        "\xED\xBF\xBF",          // encoded surrogate U+DFFF
        "\xF4\x90\x80\x80",      // U+110000, past the last code point
        "\xF8\x88\x80\x80\x80",  // five-byte form
        "\xFF",
        "ok\xFE",
    };
    for (const char* s : bad) {
        EXPECT_FALSE(utf8ToUtf16(s).has_value()) << testing::PrintToString(std::string(s));
    }
    // The edges of the valid ranges are accepted.
    EXPECT_EQ(*utf8ToUtf16("\xEF\xBF\xBF"), std::u16string(1, char16_t{0xFFFF}));
    EXPECT_EQ(*utf8ToUtf16("\xF4\x8F\xBF\xBF"),
              (std::u16string{char16_t{0xDBFF}, char16_t{0xDFFF}}));
    EXPECT_EQ(*utf8ToUtf16(std::string_view("a\0b", 3)), (std::u16string{u'a', u'\0', u'b'}));
}

TEST(Utf16ToUtf8, PairsCombineAndLoneSurrogatesBecomeReplacement) {
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t{0xD834}, char16_t{0xDD1E}}), "\xF0\x9D\x84\x9E");
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t{0xD834}}), replacement);  // high at the end
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t{0xDD1E}, u'x'}), replacement + "x");  // lone low
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t{0xD834}, u'x'}),
              replacement + "x");  // high + BMP
    // Two highs in a row: each is unpaired.
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t{0xD800}, char16_t{0xD800}, char16_t{0xDC00}}),
              replacement + "\xF0\x90\x80\x80");
}

TEST(Utf, RoundTripOfEveryScalarValueBoundary) {
    const char32_t samples[] = {0x0,    0x7F,   0x80,    0x7FF,   0x800,    0xD7FF, 0xE000,
                                0xFFFD, 0xFFFF, 0x10000, 0x1F600, 0x10FFFF, 0x3042, 0x30A2};
    for (const char32_t cp : samples) {
        std::u16string units;
        if (cp >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
        const std::string utf8 = utf16ToUtf8(units);
        const auto back = utf8ToUtf16(utf8);
        ASSERT_TRUE(back.has_value()) << std::hex << static_cast<std::uint32_t>(cp);
        EXPECT_EQ(*back, units) << std::hex << static_cast<std::uint32_t>(cp);
    }
    const std::string text = "\xE7\xA5\x9E\xE7\xA4\xBE 'R \xEF\xBC\x81 \xF0\x9F\x8C\xB8";
    EXPECT_EQ(utf16ToUtf8(u16(text)), text);
}

}  // namespace
}  // namespace velko
