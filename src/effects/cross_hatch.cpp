#include "effects/cross_hatch.h"

#include <cassert>
#include <string>

#include "effects/fade_frame.h"

namespace velko::effects {

CrossHatch::CrossHatch(platform::Host& host) : host_(host) {}

void CrossHatch::buildbitmap() {
    mbihMask = BitmapInfoHeader{};
    mbihMask.size = sizeof(BitmapInfoHeader);
    mbihMask.width = 8;
    mbihMask.height = 8;  // positive: stored bottom-up
    mbihMask.planes = 1;
    mbihMask.bitCount = 1;
    mbihMask.compression = kBiRgb;
    mbihMask.clrUsed = 2;
    // A 1-bit is white (all bits set) and a 0-bit black, so ANDing keeps or clears a pixel.
    mbmiMask.colors[0] = RgbQuad{0, 0, 0, 0};
    mbmiMask.colors[1] = RgbQuad{255, 255, 255, 0};
}

const PatternRecord& CrossHatch::pattern(int n) const {
    assert(n >= 1 && n <= kHatchPatterns);
    return mudtPattern[static_cast<std::size_t>(n - 1)];
}

std::optional<gfx::PatternBrush> CrossHatch::maskBrush(const PatternRecord& record) {
    mbmiMask.header = mbihMask;
    return createMaskBrush(mbihMask, record, mbmiMask);
}

bool CrossHatch::surfacesAssigned() const {
    return screen_ && source_ && mask_ && back_;
}

void CrossHatch::BuildHatchPatterns(std::int16_t set) {
    for (int n = 1; n <= kHatchPatterns; ++n) {
        const HatchRows& rows = hatchRows(set, n);
        for (int r = 1; r <= ScreenBuild::kRows; ++r) {
            mobjBuild.BitArraySet(rows[static_cast<std::size_t>(r - 1)], r);
        }
        mobjBuild.BitBuild(mudtPattern[static_cast<std::size_t>(n - 1)]);
    }
}

void CrossHatch::DrawFadeStep(std::int16_t step) {
    if (!surfacesAssigned() || step < 1 || step > kHatchPatterns) {
        return;
    }
    const auto brush = maskBrush(mudtPattern[static_cast<std::size_t>(step - 1)]);
    composeFadeFrame(FadeSurfaces{*screen_, *source_, *mask_, *back_}, brush);
}

// The deadline is taken before drawing, so a step lasts 40 ms including its drawing; the frame
// is shown before the wait.
void CrossHatch::runStep(std::int16_t step) {
    const std::uint32_t t0 = host_.clock.tickCount();
    DrawFadeStep(step);
    host_.pace(t0, kStepMs);
}

void CrossHatch::FadeInSteps() {
    if (hurry && hurry()) {
        runStep(1);
        finishRun();
        return;
    }
    for (std::int16_t step = kHatchPatterns; step >= 1; --step) {
        runStep(step);
    }
    finishRun();
}

void CrossHatch::FadeOutSteps() {
    if (hurry && hurry()) {
        runStep(kHatchPatterns);
        finishRun();
        return;
    }
    for (std::int16_t step = 1; step <= kHatchPatterns; ++step) {
        runStep(step);
    }
    finishRun();
}

// The last frame becomes the base picture, so repaints and later clears of the back buffer
// bring it back.
void CrossHatch::finishRun() {
    showBackBufferAsBase();
    host_.doEvents();
}

void CrossHatch::showBackBufferAsBase() {
    if (!screen_ || !back_) {
        return;
    }
    back_->setPicture(back_->constImage());
    screen_->setPicture(back_->constImage());
}

void CrossHatch::PlayFade(std::int16_t intHatchMode, std::int16_t intFadeMode) {
    host_.trace.event("fade", std::to_string(intHatchMode) + " " + std::to_string(intFadeMode));
    // Clicks and keys made during the fade are handled by the event processing at its end;
    // the window must still be disabled then, so that they are dropped.
    host_.window.setEnabled(false);
    if (intHatchMode == 0) {
        BuildHatchPatterns(1);
    } else if (intHatchMode == 1) {
        BuildHatchPatterns(2);
    }
    if (intFadeMode == 0) {
        FadeInSteps();
    } else if (intFadeMode == 1) {
        FadeOutSteps();
    }
    host_.doEvents();
    host_.window.setEnabled(true);
}

void CrossHatch::MessageHatch(std::int16_t intLeft, std::int16_t intTop, std::int16_t intWidth,
                              std::int16_t intHeight) {
    for (int r = 1; r <= ScreenBuild::kRows; ++r) {
        mobjBuild.BitArraySet(kCheckerRows[static_cast<std::size_t>(r - 1)], r);
    }
    PatternRecord record{};
    mobjBuild.BitBuild(record);
    if (!surfacesAssigned()) {
        return;
    }
    // The mask is filled from the mask surface's origin and applied at the rectangle's corner,
    // which aligns the checker to the rectangle rather than to the screen.
    if (const auto brush = maskBrush(record)) {
        gfx::patBlt(mask_->image(), 0, 0, intWidth, intHeight, *brush, gfx::Rop::PatCopy);
    }
    gfx::bitBlt(back_->image(), intLeft, intTop, intWidth, intHeight, mask_->constImage(), 0, 0,
                gfx::Rop::SrcAnd);
    gfx::bitBlt(screen_->image(), 0, 0, screen_->width(), screen_->height(), back_->constImage(), 0,
                0, gfx::Rop::SrcCopy);
    showBackBufferAsBase();
}

}  // namespace velko::effects
