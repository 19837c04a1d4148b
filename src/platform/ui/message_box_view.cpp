#include "platform/ui/message_box_view.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string_view>

#include "base/utf.h"
#include "platform/gfx/raster.h"
#include "platform/ui/classic.h"
#include "platform/ui/icons.h"

namespace velko::ui {

using platform::DialogAnswer;

namespace {

constexpr int kFrame = classic::kDialogFrame;
constexpr int kCaptionHeight = classic::kCaptionHeight;
constexpr int kMargin = 12;
constexpr int kIconTextGap = 14;
constexpr int kTextButtonGap = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 440;  // longer lines wrap, as the classic boxes do
constexpr int kLeading = 2;         // between the lines of a message, for legibility
constexpr int kCloseBoxWidth = classic::kCloseBoxWidth;
constexpr int kScreenWidth = Window::kScreenWidth;
constexpr int kScreenHeight = Window::kScreenHeight;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

int measure(const platform::Font* font, std::u16string_view text) {
    return font ? font->measure(text) : static_cast<int>(text.size()) * 12;
}

gfx::Rect offset(gfx::Rect r, int dx, int dy) {
    r.x += dx;
    r.y += dy;
    return r;
}

}  // namespace

MessageBoxView::MessageBoxView(platform::FontLibrary& fonts, const MessageBoxSpec& request)
    : font_(classic::uiFont(fonts)),
      titleFont_(classic::uiFont(fonts, true)),
      title_(request.title),
      icon_(request.icon) {
    switch (request.buttons) {
        case Buttons::Ok:
            buttons_.push_back({DialogAnswer::Ok, u"OK", -1, {}});
            break;
        case Buttons::YesNoCancel:
        case Buttons::YesNo:
            buttons_.push_back({DialogAnswer::Yes, u"はい(Y)", 3, {}});
            buttons_.push_back({DialogAnswer::No, u"いいえ(N)", 4, {}});
            if (request.buttons == Buttons::YesNoCancel) {
                buttons_.push_back({DialogAnswer::Cancel, u"キャンセル", -1, {}});
            }
            break;
    }
    focus_ = std::clamp(request.defaultButton, 0, buttonCount() - 1);
    layout(request);
}

void MessageBoxView::wrapText(std::u16string_view text, int maxWidth) {
    for (std::u16string_view line : classic::splitLines(text)) {
        // Japanese breaks between any two characters; a surrogate pair stays whole.
        std::u16string current;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const std::size_t n = isHighSurrogate(line[i]) && i + 1 < line.size() ? 2 : 1;
            const std::u16string_view unit = line.substr(i, n);
            std::u16string candidate = current + std::u16string(unit);
            if (!current.empty() && measure(font_.get(), candidate) > maxWidth) {
                lines_.push_back(current);
                candidate = std::u16string(unit);
            }
            current = std::move(candidate);
            i += n - 1;
        }
        lines_.push_back(current);
    }
}

void MessageBoxView::layout(const MessageBoxSpec& request) {
    wrapText(request.text, kMaxTextWidth);
    lineHeight_ = (font_ ? font_->lineHeight() : 12) + kLeading;
    int textWidth = 0;
    for (const auto& line : lines_) {
        textWidth = std::max(textWidth, measure(font_.get(), line));
    }
    const int textHeight = lineHeight_ * static_cast<int>(lines_.size()) - kLeading;

    // Client coordinates first: icon and text side by side, buttons centred below.
    const bool hasIcon = icon_ != Icon::None;
    const int textLeft = hasIcon ? kMargin + kIconSize + kIconTextGap : kMargin + 6;
    int contentBottom = kMargin + textHeight;
    int textTop = kMargin;
    if (hasIcon) {
        // A short text sits level with the middle of the icon.
        textTop = textHeight < kIconSize ? kMargin + (kIconSize - textHeight) / 2 : kMargin;
        contentBottom = std::max(kMargin + kIconSize, textTop + textHeight);
    }
    const int count = buttonCount();
    const int buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    const int titleWidth = measure(titleFont_.get(), title_) + kCloseBoxWidth + 24;
    int clientWidth =
        std::max({textLeft + textWidth + kMargin + 6, buttonsWidth + 2 * kMargin, titleWidth});
    clientWidth = std::min(clientWidth, kScreenWidth - 2 * kFrame);
    const int buttonTop = contentBottom + kTextButtonGap;
    const int clientHeight = buttonTop + kButtonHeight + kMargin;

    const int width = clientWidth + 2 * kFrame;
    const int height = clientHeight + 2 * kFrame + kCaptionHeight;
    bounds_ = gfx::Rect{(kScreenWidth - width) / 2, (kScreenHeight - height) / 2, width, height};

    const int clientX = kFrame;
    const int clientY = kFrame + kCaptionHeight;
    iconPos_ = gfx::Point{clientX + kMargin, clientY + kMargin};
    textPos_ = gfx::Point{clientX + textLeft, clientY + textTop};
    int bx = clientX + (clientWidth - buttonsWidth) / 2;
    for (Button& b : buttons_) {
        b.rect = gfx::Rect{bx, clientY + buttonTop, kButtonWidth, kButtonHeight};
        bx += kButtonWidth + kButtonGap;
    }
}

gfx::Rect MessageBoxView::buttonRect(int index) const {
    return offset(buttons_[index].rect, bounds_.x, bounds_.y);
}

gfx::Rect MessageBoxView::closeBoxRect() const {
    return classic::closeBoxRect(bounds_);
}

// ---- input ----

int MessageBoxView::hit(double x, double y) const {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    for (int i = 0; i < buttonCount(); ++i) {
        if (buttonRect(i).contains(ix, iy)) {
            return i;
        }
    }
    return closeBoxRect().contains(ix, iy) ? kCloseBox : -1;
}

void MessageBoxView::press(DialogAnswer answer) {
    if (!result_) {
        result_ = answer;
    }
}

bool MessageBoxView::pressIfPresent(DialogAnswer answer) {
    for (const Button& b : buttons_) {
        if (b.answer == answer) {
            press(answer);
            return true;
        }
    }
    return false;
}

DialogAnswer MessageBoxView::escapeAnswer() const {
    for (DialogAnswer a : {DialogAnswer::Cancel, DialogAnswer::No}) {
        for (const Button& b : buttons_) {
            if (b.answer == a) {
                return a;
            }
        }
    }
    return DialogAnswer::Ok;
}

void MessageBoxView::moveFocus(int step) {
    const int n = buttonCount();
    focus_ = ((focus_ + step) % n + n) % n;
    dirty = true;
}

void MessageBoxView::onMouseDown(double x, double y, int button) {
    if (button != platform::kLeftButton || pressed_ != -1) {
        return;
    }
    const int h = hit(x, y);
    if (h == -1) {
        return;
    }
    pressed_ = h;
    pressedInside_ = true;
    if (h >= 0) {
        focus_ = h;
    }
    dirty = true;
}

void MessageBoxView::onMouseMove(double x, double y, int /*buttons*/) {
    if (pressed_ == -1) {
        return;
    }
    const bool inside = hit(x, y) == pressed_;
    if (inside != pressedInside_) {
        pressedInside_ = inside;
        dirty = true;
    }
}

void MessageBoxView::onMouseUp(double x, double y, int button) {
    if (button != platform::kLeftButton || pressed_ == -1) {
        return;
    }
    const int held = pressed_;
    pressed_ = -1;
    dirty = true;
    // Releasing away from the button takes the press back.
    if (hit(x, y) != held) {
        return;
    }
    press(held == kCloseBox ? escapeAnswer() : buttons_[held].answer);
}

void MessageBoxView::onKeyDown(const std::string& key, int shift) {
    const std::string k = lower(key);
    if (k == "return" || k == "keypad enter" || k == "space") {
        press(buttons_[focus_].answer);
    } else if (k == "escape") {
        press(escapeAnswer());
    } else if (k == "tab") {
        moveFocus((shift & platform::kShift) ? -1 : 1);
    } else if (k == "left" || k == "up") {
        moveFocus(-1);
    } else if (k == "right" || k == "down") {
        moveFocus(1);
    } else if (k == "y") {
        pressIfPresent(DialogAnswer::Yes);
    } else if (k == "n") {
        pressIfPresent(DialogAnswer::No);
    }
}

void MessageBoxView::onAnswer(DialogAnswer answer) {
    pressIfPresent(answer);
}

// ---- drawing ----

void MessageBoxView::drawButton(gfx::Bitmap& dst, int ox, int oy, int index) {
    const Button& b = buttons_[index];
    const gfx::Rect r = offset(b.rect, ox, oy);
    const bool sunken = pressed_ == index && pressedInside_;
    const bool focused = index == focus_;
    classic::pushButton(
        dst, r, sunken ? classic::ButtonState::Pressed : classic::ButtonState::Normal, focused);
    const int shift = sunken ? 1 : 0;
    if (font_) {
        const int tw = font_->measure(b.caption);
        const int tx = r.x + (r.w - tw) / 2 + shift;
        const int ty = r.y + (r.h - font_->lineHeight()) / 2 + shift;
        font_->draw(dst, tx, ty, b.caption, classic::kText, r);
        if (b.mnemonic >= 0) {
            const std::u16string_view caption = b.caption;
            const int ux = tx + font_->measure(caption.substr(0, b.mnemonic));
            const int uw = font_->measure(caption.substr(b.mnemonic, 1));
            classic::hline(dst, ux, ty + font_->ascent() + 1, uw, classic::kText);
        }
    }
    if (focused) {
        classic::focusRect(dst, gfx::Rect{r.x + 4, r.y + 4, r.w - 8, r.h - 8});
    }
}

void MessageBoxView::draw(gfx::Bitmap& frame, int screenTop) {
    const int ox = bounds_.x;
    const int oy = bounds_.y + screenTop;
    const gfx::Rect box{ox, oy, bounds_.w, bounds_.h};
    classic::dialogFrame(frame, box, titleFont_.get(), title_,
                         pressed_ == kCloseBox && pressedInside_);

    drawIcon(frame, ox + iconPos_.x, oy + iconPos_.y, icon_);
    if (font_) {
        const gfx::Rect clip = box.intersected(frame.rect());
        int y = oy + textPos_.y;
        for (const auto& line : lines_) {
            font_->draw(frame, ox + textPos_.x, y, line, classic::kText, clip);
            y += lineHeight_;
        }
    }
    for (int i = 0; i < buttonCount(); ++i) {
        drawButton(frame, ox, oy, i);
    }
}

}  // namespace velko::ui
