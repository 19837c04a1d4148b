// The pictures built on the flight of steps: CG03 at dusk and ed01, every lantern lit.

#include <cmath>

#include "paint/effects.h"
#include "pictures/frame.h"
#include "pictures/pictures.h"
#include "pictures/stairs_scene.h"
#include "scenery/sky.h"

namespace velko::art {

using namespace paint;

Canvas paintStepsDusk(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    StairsMood m;
    m.sky = [&](Canvas& k) {
        const Frame f(k);
        skyGradient(k,
                    {{0.0f, hex(0x3A4350)},
                     {0.45f, hex(0x5C6170)},
                     {0.75f, hex(0x8E7E96)},
                     {1.0f, hex(0x9C8CA0)}},
                    f.y(200));
        CloudStyle low;
        low.lit = hex(0x7A7C8C);
        low.shade = hex(0x3A3E4A);
        low.scale = f.len(70);
        low.stretch = 2.5f;
        low.threshold = 0.35f;
        low.softness = 0.3f;
        low.seed = e.seed + 1;
        low.light = {0, 1};
        clouds(k, k.box(), bandEnvelope(-f.len(40), f.y(150), 1.0f), low);
    };
    m.stoneLight = hex(0x5A625E);
    m.stoneTread = hex(0x68706C);
    m.moss = hex(0x4F6A3A);
    m.bark = hex(0x4A3A30);
    m.barkLight = hex(0x7A6A5C);
    m.forest = hex(0x1E2E28);
    m.fog = hex(0x7E8494);
    m.fogAmount = 0.3f;
    m.mist = 0.32f;
    m.litShare = 0.35f;
    m.wetness = 0.7f;
    m.torii = hex(0xB8442E);
    m.seed = e.seed;
    paintStairs(c, m);
    // Cold blue-green cast with the flames as the only warm spots; the near steps sink into
    // the dusk, so the light and the mist lie up the slope.
    c.tint(hex(0x2E4A4E), [](float, float) { return 0.12f; });
    const Frame f(c);
    c.tint(hex(0x121A1C), [&](float, float y) { return 0.4f * smoothstep(f.y(250), f.h, y); });
    return c;
}

Canvas paintLanternRiver(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    StairsMood m;
    m.sky = [&](Canvas& k) {
        const Frame f(k);
        skyGradient(k, {{0.0f, hex(0x060B1E)}, {0.6f, hex(0x10214A)}, {1.0f, hex(0x27356A)}},
                    f.y(220));
        Rng rng(e.seed + 5);
        stars(k, static_cast<int>(700 * f.s * f.s), k.box(), rng, 0.9f,
              [&](float, float y) { return 1.0f - smoothstep(f.y(60), f.y(200), y); });
    };
    m.stoneLight = hex(0x4A4A52);
    m.stoneTread = hex(0x5A5860);
    m.moss = hex(0x2A3A2A);
    m.bark = hex(0x1E1814);
    m.barkLight = hex(0x5A3C28);
    m.forest = hex(0x060A0C);
    m.fog = hex(0x1A2038);
    m.fogAmount = 0.35f;
    m.mist = 0.12f;
    m.litShare = 1.0f;
    m.lanternGlow = 1.6f;
    m.torii = hex(0xA03A24);
    m.seed = e.seed;
    paintStairs(c, m);
    return c;
}

}  // namespace velko::art
