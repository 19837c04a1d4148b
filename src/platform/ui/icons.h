#pragma once

// The 32 by 32 message box icons, drawn from shapes and small pixel patterns: no image files.

#include "platform/gfx/bitmap.h"
#include "platform/ui/message_box.h"

namespace velko::ui {

constexpr int kIconSize = 32;

// Draws the icon with its top-left corner at (x, y); Icon::None draws nothing.
void drawIcon(gfx::Bitmap& dst, int x, int y, Icon icon);

}  // namespace velko::ui
