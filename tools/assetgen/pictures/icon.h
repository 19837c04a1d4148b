#pragma once

// The program's icon: the night torii of the ending cut square and reduced to each size of the
// desktop's icon theme, so the icon is the episode's own art rather than a separate drawing.

#include <array>

#include "paint/canvas.h"
#include "pictures/studio.h"

namespace velko::art {

// The sizes of the hicolor theme that the desktop entry ships.
inline constexpr std::array<int, 6> kIconSizes{16, 32, 48, 64, 128, 256};

// The icon at `size` by `size` pixels.
paint::Canvas paintIcon(Studio& studio, int size);

}  // namespace velko::art
