#include "effects/hatch_patterns.h"

#include <cassert>

namespace velko::effects {

namespace {

// Each pattern keeps a subset of the 1-pixels of the one before it, so a run through the set
// only ever darkens (or, backwards, only ever lightens) a pixel once.
constexpr std::array<HatchRows, kHatchPatterns> kDissolve = {{
    {"11111111", "11111111", "11111111", "11111111", "11111111", "11111111", "11111111",
     "11111111"},
    {"11101111", "10111111", "11111011", "11111111", "11111111", "11111111", "11111110",
     "11111111"},
    {"11101011", "10111111", "11111010", "11111011", "11011111", "11101111", "11111110",
     "11110111"},
    {"10101011", "10111101", "11101010", "10111011", "11011011", "11101101", "01111110",
     "11110111"},
    {"10101010", "10101101", "10101010", "10111010", "01011011", "10101101", "01111010",
     "11110101"},
    {"10101010", "10100101", "10101010", "00111010", "01001011", "10100101", "01011010",
     "10110101"},
    {"10001010", "00100101", "10100010", "00101010", "01001001", "00100101", "01001010",
     "10110100"},
    {"10001000", "00100001", "00100010", "00100010", "01001000", "00100100", "00001010",
     "10010100"},
    {"10000000", "00000001", "00100000", "00000010", "00001000", "00000100", "00000010",
     "10000000"},
    {"00000000", "00000000", "00000000", "00000000", "00000000", "00000000", "00000000",
     "00000000"},
}};

// Pattern n: max(0, 9 - n) ones, then zeros, in every row.
constexpr std::array<std::string_view, kHatchPatterns> kStripeRow = {
    "11111111", "11111110", "11111100", "11111000", "11110000",
    "11100000", "11000000", "10000000", "00000000", "00000000",
};

constexpr std::array<HatchRows, kHatchPatterns> makeStripes() {
    std::array<HatchRows, kHatchPatterns> set{};
    for (std::size_t n = 0; n < set.size(); ++n) {
        set[n].fill(kStripeRow[n]);
    }
    return set;
}

constexpr std::array<HatchRows, kHatchPatterns> kStripes = makeStripes();

}  // namespace

const HatchRows& hatchRows(std::int16_t set, int n) {
    assert(n >= 1 && n <= kHatchPatterns);
    const auto& patterns = set == 1 ? kDissolve : kStripes;
    return patterns[static_cast<std::size_t>(n - 1)];
}

}  // namespace velko::effects
