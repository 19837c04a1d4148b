#pragma once

// The drawing properties the credits change on a lent surface, taken before and given back
// after, so that the effects and the message window find their surfaces as they left them.

#include "platform/surface.h"

namespace velko::credits {

struct SavedText {
    explicit SavedText(platform::Surface& s)
        : surface(s),
          bold(s.fontBold),
          backColor(s.backColor),
          foreColor(s.foreColor),
          size(s.fontSize),
          transparent(s.fontTransparent),
          height(s.height()) {}

    // The height comes back when it was changed. A font the caller selected is its own to
    // deselect.
    void restore(bool withForeColor, bool withHeight) const {
        surface.fontBold = bold;
        surface.backColor = backColor;
        if (withForeColor) {
            surface.foreColor = foreColor;
        }
        surface.fontSize = size;
        surface.fontTransparent = transparent;
        if (withHeight) {
            surface.setHeight(height);
        }
    }

    platform::Surface& surface;
    bool bold;
    gfx::Pixel backColor;
    gfx::Pixel foreColor;
    double size;
    bool transparent;
    int height;
};

}  // namespace velko::credits
