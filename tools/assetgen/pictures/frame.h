#pragma once

// Scenes are composed on a 640 by 480 stage and painted at any size: `s` is pixels per stage
// unit (the height over 480), and wide pictures get extra room at both sides, centred.

#include "paint/canvas.h"

namespace velko::art {

struct Frame {
    float w;  // canvas size in pixels
    float h;
    float s;   // pixels per stage unit
    float ox;  // canvas x of stage x 0

    explicit Frame(const paint::Canvas& c)
        : w(static_cast<float>(c.width())),
          h(static_cast<float>(c.height())),
          s(static_cast<float>(c.height()) / 480.0f),
          ox((static_cast<float>(c.width()) - 640.0f * static_cast<float>(c.height()) / 480.0f) *
             0.5f) {}

    float x(float stageX) const { return ox + stageX * s; }
    float y(float stageY) const { return stageY * s; }
    paint::Vec2 at(float sx, float sy) const { return {x(sx), y(sy)}; }
    float len(float units) const { return units * s; }
    // Stage x of the canvas's left and right edges (beyond 0..640 on wide canvases).
    float left() const { return -ox / s; }
    float right() const { return (w - ox) / s; }
};

}  // namespace velko::art
