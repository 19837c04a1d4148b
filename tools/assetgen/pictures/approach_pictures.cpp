// CG09 (preparations at midday) and CG12 (the storm) on the approach.

#include "pictures/approach_scene.h"
#include "pictures/pictures.h"

namespace velko::art {

Canvas paintFestivalPrep(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintApproach(c, ApproachTime::Midday, e.seed);
    return c;
}

Canvas paintStorm(Studio&, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    paintApproach(c, ApproachTime::Storm, e.seed);
    return c;
}

}  // namespace velko::art
