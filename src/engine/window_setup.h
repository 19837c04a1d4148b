#pragma once

// Start-up's dealings with the desktop, through short-lived SetWindow objects.

#include "platform/host/host.h"

namespace velko::engine {

// True when the desktop has enough colours (16 bits per pixel or more).
bool checkColorDepth(platform::Host& host);

// Sizes, centres and shows the main window.
void placeMainWindow(platform::Host& host);

}  // namespace velko::engine
