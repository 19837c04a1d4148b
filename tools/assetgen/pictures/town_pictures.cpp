// CG11: the town from the top of the steps at sunset; ed03: two on the top step at twilight.

#include "pictures/pictures.h"
#include "pictures/town_view.h"

namespace velko::art {

Canvas paintTownSunset(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintTownView(c, {false, 0, false, e.seed});
    return c;
}

Canvas paintTwoOnTheStep(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintTownView(c, {true, 2, false, e.seed});
    return c;
}

}  // namespace velko::art
