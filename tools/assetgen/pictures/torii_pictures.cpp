// The torii pictures: CG04 (the meeting in the rain) and ed04 (the night, with a space for
// the stamp at its lower right).

#include "pictures/frame.h"
#include "pictures/pictures.h"
#include "pictures/torii_scene.h"

namespace velko::art {

using namespace paint;

Canvas paintToriiRain(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    ToriiMood m;
    m.seed = e.seed;
    m.plaqueFont = &studio.mincho();
    m.plaque = studio.text("shrine.name");
    paintToriiScene(c, m);
    return c;
}

Canvas paintToriiNight(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    ToriiMood m;
    m.night = true;
    m.rain = false;
    m.girl = false;
    m.fireflies = true;
    m.mist = 0.35f;
    m.shiftX = -40;
    m.seed = e.seed;
    m.plaqueFont = &studio.mincho();
    m.plaque = studio.text("shrine.name");
    paintToriiScene(c, m);
    // The stamp's corner stays calm and dark.
    const Frame f(c);
    c.tint(hex(0x04060C), [&](float x, float y) {
        const float dx = (x - f.x(530)) / f.len(90);
        const float dy = (y - f.y(370)) / f.len(80);
        return 0.5f * std::max(0.0f, 1.0f - (dx * dx + dy * dy));
    });
    return c;
}

}  // namespace velko::art
