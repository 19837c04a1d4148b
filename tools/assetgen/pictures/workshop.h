#pragma once

#include <cstdint>

#include "paint/canvas.h"

namespace velko::art {

enum class WorkshopShot { Night, StillLife, WithShingo };

void paintWorkshopScene(paint::Canvas& c, WorkshopShot shot, std::uint64_t seed);

}  // namespace velko::art
