#pragma once

// Every painter of the episode. Each takes its manifest entry (size and seed) and returns the
// finished picture; scenes scale with the height, so wallpapers reuse them at 1920 by 1080.

#include "pictures/studio.h"

namespace velko::art {

using paint::Canvas;

// Story scenes.
Canvas paintBusStop(Studio&, const PictureEntry&);           // CG01
Canvas paintShopStreet(Studio&, const PictureEntry&);        // CG02
Canvas paintStepsDusk(Studio&, const PictureEntry&);         // CG03
Canvas paintToriiRain(Studio&, const PictureEntry&);         // CG04
Canvas paintGroundsAfterRain(Studio&, const PictureEntry&);  // CG05
Canvas paintHouseNight(Studio&, const PictureEntry&);        // CG06
Canvas paintWorkshop(Studio&, const PictureEntry&);          // CG07
Canvas paintEmbankment(Studio&, const PictureEntry&);        // CG08
Canvas paintFestivalPrep(Studio&, const PictureEntry&);      // CG09
Canvas paintOfficeVeranda(Studio&, const PictureEntry&);     // CG10
Canvas paintTownSunset(Studio&, const PictureEntry&);        // CG11
Canvas paintStorm(Studio&, const PictureEntry&);             // CG12
Canvas paintBlack(Studio&, const PictureEntry&);             // BKB

// Ending.
Canvas paintLanternRiver(Studio&, const PictureEntry&);     // ed01
Canvas paintFinishedLantern(Studio&, const PictureEntry&);  // ed02
Canvas paintTwoOnTheStep(Studio&, const PictureEntry&);     // ed03
Canvas paintToriiNight(Studio&, const PictureEntry&);       // ed04
Canvas paintStamp(Studio&, const PictureEntry&);            // tuduku
Canvas paintPreview(Studio&, const PictureEntry&);          // yokoku

// Title and extras.
Canvas paintLogo(Studio&, const PictureEntry&);
Canvas paintTitle(Studio&, const PictureEntry&);
Canvas paintExtras(Studio&, const PictureEntry&);          // oyasiro
Canvas paintGallery(Studio&, const PictureEntry&);         // kabeset
Canvas paintNoticePage(Studio&, const PictureEntry&);      // osirase01..06
Canvas paintTitleButtons(Studio&, const PictureEntry&);    // button01
Canvas paintExtrasButtons(Studio&, const PictureEntry&);   // button02
Canvas paintGalleryButtons(Studio&, const PictureEntry&);  // button03

// Wallpapers.
Canvas paintWallShingoCalendar(Studio&, const PictureEntry&);
Canvas paintWallSeinaCalendar(Studio&, const PictureEntry&);
Canvas paintWallShingo(Studio&, const PictureEntry&);
Canvas paintWallSeina(Studio&, const PictureEntry&);

}  // namespace velko::art
