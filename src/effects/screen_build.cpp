#include "effects/screen_build.h"

#include <cassert>

#include "base/utf.h"

namespace velko::effects {

ScreenBuild::ScreenBuild() {
    mstrRow.fill(std::u16string(kRowLength, u' '));
}

void ScreenBuild::BitArraySet(std::u16string_view s, int index) {
    if (index < 1 || index > kRows) {
        return;
    }
    std::u16string& row = mstrRow[static_cast<std::size_t>(index - 1)];
    row.assign(s.substr(0, kRowLength));
    row.resize(kRowLength, u' ');
}

void ScreenBuild::BitArraySet(std::string_view s, int index) {
    // Text that is not UTF-8 is taken byte by byte; only ASCII "1" can count anyway.
    if (auto wide = utf8ToUtf16(s)) {
        BitArraySet(std::u16string_view(*wide), index);
        return;
    }
    std::u16string bytes;
    for (const char c : s.substr(0, kRowLength)) {
        bytes.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    BitArraySet(std::u16string_view(bytes), index);
}

void ScreenBuild::BitBuild(PatternRecord& s) const {
    for (std::size_t r = 0; r < kRows; ++r) {
        unsigned value = 0;
        for (std::size_t k = 0; k < kRowLength; ++k) {
            if (mstrRow[r][k] == u'1') {
                value |= 1u << k;
            }
        }
        s[4 * r] = static_cast<std::uint8_t>(value);
    }
}

const std::u16string& ScreenBuild::row(int index) const {
    assert(index >= 1 && index <= kRows);
    return mstrRow[static_cast<std::size_t>(index - 1)];
}

}  // namespace velko::effects
