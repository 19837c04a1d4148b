#include "message/message_disp.h"

#include <algorithm>

#include "platform/gfx/raster.h"

namespace velko::message {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

}  // namespace

MessageDisp::MessageDisp(platform::Host& host, platform::Surface& picDisp)
    : host_(host), picDisp_(picDisp) {}

void MessageDisp::SetMessageFont(platform::Surface& picName) {
    mrctText_ = kTextArea;
    picName.foreColor = gfx::kWhite;
    // The picture's own font turns bold as well and stays so for later printing on it.
    picName.fontBold = true;

    // The picture's face at a 19-pixel cell with 11-pixel half-width and 22-pixel full-width
    // characters, weight 600 (synthetic bold). One-bit glyphs: every step redraws the shown
    // prefix over itself, which grey edges would thicken step by step, and at a nearest-
    // neighbour 2x or 3x scale the hinted one-bit shapes stay the crisper ones.
    mhFont_.reset();
    mhFont_ = host_.fonts.open(messageFontSpec(picName.fontFace));
    picName.selectFont(mhFont_);
}

platform::FontSpec MessageDisp::messageFontSpec(platform::FontFace face) {
    platform::FontSpec request;
    request.face = face;
    request.emHeight = 19;
    request.emWidth = 22;
    request.bold = true;
    request.antialias = false;
    return request;
}

void MessageDisp::copyToScreen(const platform::Surface& picName) {
    gfx::bitBlt(picDisp_.image(), 0, 0, kScreenWidth, kScreenHeight, picName.constImage(), 0, 0,
                gfx::Rop::SrcCopy);
}

void MessageDisp::messageDisp(platform::Surface& picName, std::int16_t intMessMode,
                              std::u16string_view strData, std::int32_t lngWait) {
    picName.clear();
    SetMessageFont(picName);
    // Held here as well: events processed during the reveal must not pull it away.
    const std::shared_ptr<const platform::Font> font = mhFont_;
    const std::size_t n = strData.size();
    // Laid out once for the whole text, so that a word never jumps to the next line
    // while it is being revealed, and the last step equals one drawing of the whole text.
    const std::vector<TextLine> lines =
        font ? layoutText(*font, strData, mrctText_.w) : std::vector<TextLine>{};
    const auto draw = [&](std::size_t k) {
        if (font) {
            drawLines(picName.image(), *font, strData, lines, k, mrctText_, picName.foreColor);
        }
    };

    if (intMessMode == 1) {
        draw(n);
    } else {
        // A text longer than the area goes on revealing rows that cannot show, at the same
        // pace; those steps would draw and copy the same picture again, so they only wait.
        const std::size_t visibleEnd =
            font ? visibleLength(lines, font->lineHeight(), mrctText_) : 0;
        std::size_t shown = 0;
        std::size_t k = 0;
        do {
            k += 2;
            if (host_.quitting()) {
                draw(n);
                copyToScreen(picName);
                break;
            }
            const std::uint32_t t0 = host_.clock.tickCount();
            if (shown <= visibleEnd) {
                draw(std::min(k, n));
                copyToScreen(picName);
                shown = std::min(k, n);
            }
            if (lngWait >= 0) {
                host_.pace(t0, static_cast<std::uint32_t>(lngWait));
            } else {
                host_.window.present();  // a deadline already past: no wait
            }
            host_.doEvents();
        } while (k <= n);
        picDisp_.setPicture(picName.constImage());
    }

    picName.deselectFont();
    mhFont_.reset();
}

}  // namespace velko::message
