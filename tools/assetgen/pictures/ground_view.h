#pragma once

// One-point perspective on a level ground: u across, z away from the eye, h up (all in
// metres, more or less). Street, veranda and approach scenes are laid out in it.

#include "paint/path.h"

namespace velko::art {

struct Perspective {
    float vpx;  // vanishing point on screen
    float horizon;
    float camH;   // eye height
    float focal;  // pixels per unit at distance 1

    paint::Vec2 at(float u, float z, float h = 0) const {
        const float k = focal / z;
        return {vpx + u * k, horizon + (camH - h) * k};
    }
    float px(float units, float z) const { return units * focal / z; }
    // A rectangle on a wall that runs away from us (the plane u = const).
    paint::Path side(float u, float z0, float z1, float h0, float h1) const {
        paint::Path p;
        const paint::Vec2 q[] = {at(u, z0, h0), at(u, z1, h0), at(u, z1, h1), at(u, z0, h1)};
        p.addPolygon(q);
        return p;
    }
    // A rectangle facing us (the plane z = const).
    paint::Path front(float u0, float u1, float z, float h0, float h1) const {
        paint::Path p;
        const paint::Vec2 q[] = {at(u0, z, h0), at(u1, z, h0), at(u1, z, h1), at(u0, z, h1)};
        p.addPolygon(q);
        return p;
    }
    // A level rectangle (the plane h = const).
    paint::Path floor(float u0, float u1, float z0, float z1, float h = 0) const {
        paint::Path p;
        const paint::Vec2 q[] = {at(u0, z0, h), at(u1, z0, h), at(u1, z1, h), at(u0, z1, h)};
        p.addPolygon(q);
        return p;
    }
};

}  // namespace velko::art
