#include "pictures/pictures.h"

namespace velko::art {

const std::map<std::string, Painter>& painters() {
    static const std::map<std::string, Painter> table = {
        {"bus-stop", paintBusStop},
        {"shop-street", paintShopStreet},
        {"steps-dusk", paintStepsDusk},
        {"torii-rain", paintToriiRain},
        {"grounds-after-rain", paintGroundsAfterRain},
        {"house-night", paintHouseNight},
        {"workshop", paintWorkshop},
        {"embankment", paintEmbankment},
        {"festival-prep", paintFestivalPrep},
        {"office-veranda", paintOfficeVeranda},
        {"town-sunset", paintTownSunset},
        {"storm", paintStorm},
        {"black", paintBlack},
        {"lantern-river", paintLanternRiver},
        {"finished-lantern", paintFinishedLantern},
        {"two-on-the-step", paintTwoOnTheStep},
        {"torii-night", paintToriiNight},
        {"stamp", paintStamp},
        {"preview", paintPreview},
        {"logo", paintLogo},
        {"title", paintTitle},
        {"extras", paintExtras},
        {"gallery", paintGallery},
        {"notice-page", paintNoticePage},
        {"title-buttons", paintTitleButtons},
        {"extras-buttons", paintExtrasButtons},
        {"gallery-buttons", paintGalleryButtons},
        {"wall-shingo-calendar", paintWallShingoCalendar},
        {"wall-seina-calendar", paintWallSeinaCalendar},
        {"wall-shingo", paintWallShingo},
        {"wall-seina", paintWallSeina},
    };
    return table;
}

}  // namespace velko::art
