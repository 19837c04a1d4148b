#include "about/about_view.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string_view>

#include "base/utf.h"
#include "platform/gfx/raster.h"
#include "platform/ui/classic.h"

namespace velko::about {

namespace {

constexpr int kFrame = ui::classic::kDialogFrame;
constexpr int kCaptionHeight = ui::classic::kCaptionHeight;
constexpr int kCloseBoxWidth = ui::classic::kCloseBoxWidth;
constexpr int kScreenWidth = ui::Window::kScreenWidth;
constexpr int kScreenHeight = ui::Window::kScreenHeight;

// Client-area places of the classic form (twips / 15).
constexpr gfx::Rect kTitleBlock{4, 12, 376, 36};
constexpr gfx::Rect kAddressLabel{4, 54, 157, 13};
constexpr int kLinkLeft = 168;
constexpr int kRowHeight = 13;
constexpr int kDescentRoom = 3;
constexpr gfx::Rect kOkButton{148, 84, 92, 23};
constexpr int kMargin = 4;
// The address follows its heading at this distance when the heading is narrower than its
// label (the gothic fonts here are narrower than the classic ones).
constexpr int kAddressGap = 6;

// 11.25 and 9.75 points at 96 dots per inch.
constexpr int kTitlePixels = 15;
constexpr int kLabelPixels = 13;

constexpr gfx::Pixel kLinkBlue = 0x0000FF;
constexpr gfx::Pixel kTipBack = 0xFFFFE1;
constexpr int kTipPadX = 4;
constexpr int kTipPadY = 2;
constexpr int kTipBelowPointer = 20;  // clears the hand pointer

std::shared_ptr<const platform::Font> labelFont(platform::FontLibrary& fonts, int pixels,
                                                bool underline = false) {
    platform::FontSpec request;
    request.face = platform::FontFace::PGothic;
    request.emHeight = pixels;
    request.underline = underline;
    // One-bit glyphs: small Japanese on the grey face stays sharp, as bitmap fonts did.
    request.antialias = false;
    return fonts.open(request);
}

int measure(const std::shared_ptr<const platform::Font>& font, std::u16string_view text) {
    return font ? font->measure(text) : static_cast<int>(text.size()) * 8;
}

gfx::Rect offset(gfx::Rect r, int dx, int dy) {
    r.x += dx;
    r.y += dy;
    return r;
}

gfx::Rect withDescent(gfx::Rect r) {
    r.h += kDescentRoom;
    return r;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

AboutView::AboutView(platform::FontLibrary& fonts, AboutText text)
    : text_(std::move(text)),
      homepage16_(u16(text_.homepage)),
      uiFont_(ui::classic::uiFont(fonts)),
      captionFont_(ui::classic::uiFont(fonts, true)),
      titleFont_(labelFont(fonts, kTitlePixels)),
      labelFont_(labelFont(fonts, kLabelPixels)),
      linkFont_(labelFont(fonts, kLabelPixels, true)) {
    layout();
}

void AboutView::layout() {
    const int headingWidth = measure(labelFont_, text_.addressLabel);
    const int linkLeft = std::min(kLinkLeft, kAddressLabel.x + headingWidth + kAddressGap);
    const int linkWidth = measure(linkFont_, homepage16_);
    // A long address widens the dialog rather than being cut off.
    const int clientWidth = std::max(kClientWidth, linkLeft + linkWidth + kMargin);
    const int width = std::min(clientWidth + 2 * kFrame, kScreenWidth);
    const int height = kClientHeight + 2 * kFrame + kCaptionHeight;
    bounds_ = gfx::Rect{(kScreenWidth - width) / 2, (kScreenHeight - height) / 2, width, height};

    const int cx = kFrame;
    const int cy = kFrame + kCaptionHeight;
    const int widened = (width - 2 * kFrame - kClientWidth) / 2;
    title_ = offset(kTitleBlock, cx, cy);
    title_.w += width - 2 * kFrame - kClientWidth;
    label_ = offset(kAddressLabel, cx, cy);
    link_ = gfx::Rect{cx + linkLeft, cy + kAddressLabel.y, linkWidth, kRowHeight};
    ok_ = offset(kOkButton, cx + widened, cy);
}

gfx::Rect AboutView::clientRect() const {
    return gfx::Rect{bounds_.x + kFrame, bounds_.y + kFrame + kCaptionHeight,
                     bounds_.w - 2 * kFrame, kClientHeight};
}

gfx::Rect AboutView::linkRect() const {
    return offset(link_, bounds_.x, bounds_.y);
}

gfx::Rect AboutView::okRect() const {
    return offset(ok_, bounds_.x, bounds_.y);
}

gfx::Rect AboutView::closeBoxRect() const {
    return ui::classic::closeBoxRect(bounds_);
}

std::optional<gfx::Rect> AboutView::tipRect() const {
    if (!tip_) {
        return std::nullopt;
    }
    const int w = measure(uiFont_, text_.linkTip) + 2 * kTipPadX;
    const int h = (uiFont_ ? uiFont_->lineHeight() : 12) + 2 * kTipPadY;
    int x = std::clamp(tip_->x, 0, kScreenWidth - w);
    int y = tip_->y + kTipBelowPointer;
    if (y + h > kScreenHeight) {
        y = tip_->y - h - 2;
    }
    return gfx::Rect{x, y, w, h};
}

// ---- input ----

AboutView::Part AboutView::hit(double x, double y) const {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    if (okRect().contains(ix, iy)) {
        return Part::Ok;
    }
    if (closeBoxRect().contains(ix, iy)) {
        return Part::CloseBox;
    }
    if (linkRect().contains(ix, iy)) {
        return Part::Link;
    }
    return Part::None;
}

void AboutView::hideTip() {
    if (tip_) {
        tip_.reset();
        dirty = true;
    }
}

void AboutView::showTip() {
    if (overLink_ && !closed_ && !tip_) {
        tip_ = pointer_;
        dirty = true;
    }
}

void AboutView::setHover(bool onLink, double x, double y) {
    pointer_ = gfx::Point{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
    if (onLink == overLink_) {
        return;
    }
    overLink_ = onLink;
    if (!onLink) {
        hideTip();
    }
    if (onLinkHover) {
        onLinkHover(onLink);
    }
}

void AboutView::onMouseDown(double x, double y, int button) {
    const Part part = hit(x, y);
    setHover(part == Part::Link, x, y);
    hideTip();
    if (button != platform::kLeftButton || pressed_ != Part::None || part == Part::None) {
        return;
    }
    pressed_ = part;
    pressedInside_ = true;
    dirty = true;
}

void AboutView::onMouseMove(double x, double y, int /*buttons*/) {
    const Part part = hit(x, y);
    setHover(part == Part::Link, x, y);
    if (pressed_ == Part::None) {
        return;
    }
    const bool inside = part == pressed_;
    if (inside != pressedInside_) {
        pressedInside_ = inside;
        dirty = true;
    }
}

void AboutView::onMouseUp(double x, double y, int button) {
    const Part part = hit(x, y);
    setHover(part == Part::Link, x, y);
    if (button != platform::kLeftButton || pressed_ == Part::None) {
        return;
    }
    const Part held = pressed_;
    pressed_ = Part::None;
    dirty = true;
    // Releasing away from where the press began takes it back.
    if (part != held) {
        return;
    }
    if (held == Part::Link) {
        if (onLinkClicked) {
            onLinkClicked();
        }
    } else {
        closed_ = true;
    }
}

void AboutView::onKeyDown(const std::string& key, int /*shift*/) {
    const std::string k = lower(key);
    // OK is the only button, the default one and the one that cancels.
    if (k == "return" || k == "keypad enter" || k == "space" || k == "escape") {
        closed_ = true;
        dirty = true;
    }
}

void AboutView::onAnswer(platform::DialogAnswer answer) {
    if (answer == platform::DialogAnswer::Ok) {
        closed_ = true;
        dirty = true;
    }
}

platform::NativeWindow::Cursor AboutView::cursorAt(double x, double y) const {
    return hit(x, y) == Part::Link ? platform::NativeWindow::Cursor::Hand
                                   : platform::NativeWindow::Cursor::Arrow;
}

// ---- drawing ----

void AboutView::drawTip(gfx::Bitmap& dst, int screenTop) const {
    const auto rect = tipRect();
    if (!rect || !uiFont_) {
        return;
    }
    const gfx::Rect r = offset(*rect, 0, screenTop);
    gfx::fillRect(dst, r, kTipBack);
    ui::classic::bevel(dst, r, ui::classic::kText, ui::classic::kText);
    uiFont_->draw(dst, r.x + kTipPadX, r.y + kTipPadY, text_.linkTip, ui::classic::kText, r);
}

void AboutView::draw(gfx::Bitmap& frame, int screenTop) {
    namespace classic = ui::classic;
    const int ox = bounds_.x;
    const int oy = bounds_.y + screenTop;
    const gfx::Rect box{ox, oy, bounds_.w, bounds_.h};
    classic::dialogFrame(frame, box, captionFont_.get(), text_.caption,
                         pressed_ == Part::CloseBox && pressedInside_);

    // Labels clip to their own boxes, as the form's labels did, except that descenders may
    // hang below a row: the gothic's cells here are a pixel or two shorter than its glyphs.
    if (titleFont_) {
        const gfx::Rect t = offset(title_, ox, oy);
        const int line = t.h / 2;
        const int inset = (line - titleFont_->lineHeight()) / 2;
        titleFont_->draw(frame, t.x, t.y + inset, text_.versionLine, classic::kText, t);
        titleFont_->draw(frame, t.x, t.y + line + inset, text_.rightsLine, classic::kText, t);
    }
    if (labelFont_) {
        const gfx::Rect l = offset(label_, ox, oy);
        labelFont_->draw(frame, l.x, l.y, text_.addressLabel, classic::kText, withDescent(l));
    }
    if (linkFont_) {
        const gfx::Rect l = offset(link_, ox, oy);
        linkFont_->draw(frame, l.x, l.y, homepage16_, kLinkBlue, withDescent(l));
    }

    const gfx::Rect ok = offset(ok_, ox, oy);
    const bool sunken = pressed_ == Part::Ok && pressedInside_;
    classic::pushButton(
        frame, ok, sunken ? classic::ButtonState::Pressed : classic::ButtonState::Normal, true);
    if (uiFont_) {
        const int shift = sunken ? 1 : 0;
        const std::u16string_view label = u"OK";
        const int tx = ok.x + (ok.w - uiFont_->measure(label)) / 2 + shift;
        const int ty = ok.y + (ok.h - uiFont_->lineHeight()) / 2 + shift;
        uiFont_->draw(frame, tx, ty, label, classic::kText, ok);
    }
    classic::focusRect(frame, gfx::Rect{ok.x + 4, ok.y + 4, ok.w - 8, ok.h - 8});

    drawTip(frame, screenTop);
}

}  // namespace velko::about
