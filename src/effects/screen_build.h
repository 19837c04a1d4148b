#pragma once

// Composes one 8 by 8 one-bit mask from eight text rows of "0"/"1" characters and packs it
// into the scan-line layout of a one-bit device-independent bitmap.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velko::effects {

// 32 bytes of mask bits: scan line i (i = 0..7) is byte 4i; bytes 4i+1..4i+3 are the padding
// that rounds a one-bit scan line of 8 pixels up to 4 bytes.
using PatternRecord = std::array<std::uint8_t, 32>;

class ScreenBuild {
public:
    static constexpr int kRows = 8;
    static constexpr std::size_t kRowLength = 8;

    ScreenBuild();

    // Stores `s` into row `index` (1 to 8), left-aligned: padded with spaces or cut to 8
    // characters. Characters are counted in UTF-16 units, as all of the program's text is.
    // Other row numbers are ignored.
    void BitArraySet(std::u16string_view s, int index);
    void BitArraySet(std::string_view s, int index);

    // Writes the value of row r into byte 4(r - 1): character k (from 1) set to "1" adds
    // 2^(k - 1). The padding bytes of `s` are left as they are.
    void BitBuild(PatternRecord& s) const;

    // Row `index` (1 to 8) as stored, always 8 characters.
    const std::u16string& row(int index) const;

private:
    std::array<std::u16string, kRows> mstrRow;
};

}  // namespace velko::effects
