#pragma once

// One page showing every generated picture, scaled down and labelled, for review at a glance.

#include <string>
#include <utility>
#include <vector>

#include "pictures/studio.h"
#include "platform/gfx/bitmap.h"

namespace velko::art {

gfx::Bitmap contactSheet(Studio& studio,
                         const std::vector<std::pair<std::string, const paint::Canvas*>>& pictures);

}  // namespace velko::art
