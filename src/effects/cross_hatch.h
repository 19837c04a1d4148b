#pragma once

// The screen effects of the main window: masked fades of the scene picture into and out of
// black in ten paced steps, and the checker-dimmed backdrop of the message band.
//
// It works on four surfaces handed over at start-up: the screen (what the reader sees), the
// source (the bare scene picture), a scratch surface for the tiled mask, and the back buffer
// where frames are composed. Sizes are read from the surfaces whenever something is drawn.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "effects/dib_mask.h"
#include "effects/hatch_patterns.h"
#include "effects/screen_build.h"
#include "platform/gfx/raster.h"
#include "platform/host/host.h"
#include "platform/surface.h"

namespace velko::effects {

class CrossHatch {
public:
    // Milliseconds a fade step lasts at least.
    static constexpr std::uint32_t kStepMs = 40;

    explicit CrossHatch(platform::Host& host);

    // Fills in the mask bitmap description. Until it has run no mask can be made and the
    // effects leave the mask surface as it is.
    void buildbitmap();

    // The four surfaces: screen, source, mask scratch, back buffer.
    void Pict1(platform::Surface& aControl) { screen_ = &aControl; }
    void pict2(platform::Surface& aControl) { source_ = &aControl; }
    void pict3(platform::Surface& aControl) { mask_ = &aControl; }
    void pict4(platform::Surface& aControl) { back_ = &aControl; }

    // Blacks out every other pixel of the rectangle in the back buffer (the checker aligned to
    // its top-left corner; parts outside the surfaces are clipped), shows the back buffer and
    // makes it the base picture of the back buffer and the screen.
    void MessageHatch(std::int16_t intLeft, std::int16_t intTop, std::int16_t intWidth,
                      std::int16_t intHeight);

    // intHatchMode 0: dissolve set, 1: stripe set, else the set built last.
    // intFadeMode 0: fade in from black, 1: fade out to black, else nothing is drawn.
    // The main window takes no input until the fade has ended.
    void PlayFade(std::int16_t intHatchMode, std::int16_t intFadeMode);

    // While it answers true (the reader skips), a fade shows only its last step.
    std::function<bool()> hurry;

    // Pattern record n (1 to 10) of the set built last.
    const PatternRecord& pattern(int n) const;
    const BitmapInfoHeader& maskHeader() const { return mbihMask; }
    const BitmapInfo& maskInfo() const { return mbmiMask; }

private:
    void BuildHatchPatterns(std::int16_t set);
    void FadeInSteps();
    void FadeOutSteps();
    void DrawFadeStep(std::int16_t step);
    void runStep(std::int16_t step);
    void finishRun();
    void showBackBufferAsBase();
    bool surfacesAssigned() const;

    // Turns a record into the brush the mask surface is painted with.
    std::optional<gfx::PatternBrush> maskBrush(const PatternRecord& record);

    platform::Host& host_;
    BitmapInfoHeader mbihMask;
    BitmapInfo mbmiMask;
    ScreenBuild mobjBuild;
    std::array<PatternRecord, kHatchPatterns> mudtPattern{};
    platform::Surface* screen_ = nullptr;
    platform::Surface* source_ = nullptr;
    platform::Surface* mask_ = nullptr;
    platform::Surface* back_ = nullptr;
};

}  // namespace velko::effects
