#pragma once

// A window's _NET_WM_ICON property, read through a connection of its own; the X headers stay
// in the .cpp (their macros clash with the project's names).

#include <vector>

namespace velko::testing {

// width, height, then width * height 0xAARRGGBB pixels of each image; empty when unset.
std::vector<unsigned long> netWmIcon(unsigned long window);

}  // namespace velko::testing
