// The closing caption: "The End" fading in from black in the middle of the screen.

#include <cmath>

#include "credits/saved_text.h"
#include "credits/staff_role.h"
#include "platform/gfx/raster.h"

namespace velko::credits {

namespace {

constexpr std::u16string_view kCaption = u"The End";

}  // namespace

void StaffRole::playLogo() {
    if (!picDisp_ || !picMaster_) {
        return;
    }
    auto& master = *picMaster_;
    host_.window.setEnabled(false);
    const SavedText savedMaster(master);

    // The whole master turns black; each step prints the caption on a black cell of its own,
    // so a grey level replaces the one before it entirely.
    master.backColor = gfx::kBlack;
    master.setPictureEmpty();
    master.fontBold = true;
    master.fontSize = kCaptionPoints;
    master.fontTransparent = false;
    // One-bit glyphs like every other text of the screen: at the window's whole-number
    // scaling they stay sharp.
    platform::FontSpec request;
    request.face = master.fontFace;
    request.emHeight = platform::pointsToPixels(kCaptionPoints);
    request.bold = true;
    request.antialias = false;
    master.selectFont(host_.fonts.open(request));

    const double width = master.width();
    const double height = master.height();
    for (int g = 0; g <= 255 && !host_.quitting(); g += 2) {
        const std::uint32_t t0 = host_.clock.tickCount();
        const auto level = static_cast<std::uint8_t>(g);
        master.foreColor = gfx::rgb(level, level, level);
        master.currentX = static_cast<int>(std::lround(width - master.textWidth(kCaption))) / 2;
        master.currentY = static_cast<int>(std::lround(height - master.textHeight(kCaption))) / 2;
        master.print(kCaption, true);
        gfx::bitBlt(picDisp_->image(), 0, 0, picDisp_->width(), picDisp_->height(),
                    master.constImage(), 0, 0, gfx::Rop::SrcCopy);
        // No events in between: the caption is one uninterrupted fade.
        host_.pace(t0, kFrameMs);
    }
    // Repaints bring the caption back.
    picDisp_->setPicture(master.constImage());

    master.deselectFont();
    savedMaster.restore(false, false);
    host_.doEvents();
    host_.window.setEnabled(true);
}

}  // namespace velko::credits
