#pragma once

// The text rows of the program's masks: the dissolve set (scattered pixels), the stripe set
// (bands at the right edge of each 8-pixel cell, as the rows appear mirrored on screen) and
// the checker of the message backdrop. Row 1 comes first.

#include <array>
#include <cstdint>
#include <string_view>

namespace velko::effects {

using HatchRows = std::array<std::string_view, 8>;

constexpr int kHatchPatterns = 10;

// Pattern `n` (1 to 10) of a set: set 1 is the dissolve set, any other value the stripe set.
const HatchRows& hatchRows(std::int16_t set, int n);

// Half the pixels, none next to another horizontally or vertically.
constexpr HatchRows kCheckerRows = {"01010101", "10101010", "01010101", "10101010",
                                    "01010101", "10101010", "01010101", "10101010"};

}  // namespace velko::effects
