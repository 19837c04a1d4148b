#include "message/history_view.h"

#include <algorithm>

#include "message/text_layout.h"
#include "platform/gfx/raster.h"
#include "platform/input.h"
#include "platform/ui/classic.h"

namespace velko::message {

namespace {

constexpr gfx::Pixel kWell = 0x000000;
constexpr gfx::Pixel kTextColor = 0xFFFFFF;
constexpr gfx::Rect kWellEdge{5, 24, 630, 451};

// The message window's own font: the gothic at a 19-pixel cell, 22-pixel full-width
// characters, bold, one-bit.
platform::FontSpec messageFont() {
    platform::FontSpec request;
    request.face = platform::FontFace::Gothic;
    request.emHeight = 19;
    request.emWidth = 22;
    request.bold = true;
    request.antialias = false;
    return request;
}

}  // namespace

void TextHistory::add(std::u16string_view displayForm) {
    entries_.emplace_back(displayForm);
    while (entries_.size() > kMaxEntries) {
        entries_.pop_front();
    }
}

HistoryView::HistoryView(platform::FontLibrary& fonts, const TextHistory& history)
    : font_(fonts.open(messageFont())), captionFont_(ui::classic::uiFont(fonts, true)) {
    for (const std::u16string& text : history.entries()) {
        if (!rows_.empty()) {
            rows_.emplace_back();
        }
        if (!font_) {
            continue;
        }
        for (const TextLine& line : layoutText(*font_, text, kTextArea.w)) {
            rows_.push_back(text.substr(line.begin, line.end - line.begin));
        }
    }
    const int lineHeight = font_ ? std::max(1, font_->lineHeight()) : 19;
    visible_ = std::max(1, kTextArea.h / lineHeight);
    maxTop_ = std::max(0, rowCount() - visible_);
    top_ = maxTop_;
}

void HistoryView::scrollTo(int top) {
    const int clamped = std::clamp(top, 0, maxTop_);
    if (clamped != top_) {
        top_ = clamped;
        dirty = true;
    }
}

void HistoryView::close() {
    closed_ = true;
}

void HistoryView::onMouseDown(double, double, int button) {
    if (button == platform::kLeftButton || button == platform::kRightButton) {
        close();
    }
}

void HistoryView::onKeyDown(const std::string& key, int /*shift*/) {
    const int page = std::max(1, visible_ - 1);
    if (key == "Escape" || key == "Return" || key == "Space" || key == "Keypad Enter") {
        close();
    } else if (key == "Up") {
        scrollTo(top_ - 1);
    } else if (key == "Down") {
        scrollTo(top_ + 1);
    } else if (key == "PageUp") {
        scrollTo(top_ - page);
    } else if (key == "PageDown") {
        scrollTo(top_ + page);
    } else if (key == "Home") {
        scrollTo(0);
    } else if (key == "End") {
        scrollTo(maxTop_);
    }
}

void HistoryView::onAnswer(platform::DialogAnswer) {
    close();
}

void HistoryView::onWheel(int notches) {
    if (notches < 0 && top_ == maxTop_) {
        close();
        return;
    }
    scrollTo(top_ - notches * kWheelRows);
}

void HistoryView::draw(gfx::Bitmap& frame, int screenTop) {
    namespace classic = ui::classic;
    const auto at = [screenTop](gfx::Rect r) {
        r.y += screenTop;
        return r;
    };
    classic::dialogFrame(frame, at(kBox), captionFont_.get(), u"履歴", false);
    // A sunken well, as the classic list and edit fields have.
    const gfx::Rect edge = at(kWellEdge);
    classic::bevel(frame, edge, classic::kShadow, classic::kHighlight);
    const gfx::Rect inner{edge.x + 1, edge.y + 1, edge.w - 2, edge.h - 2};
    classic::bevel(frame, inner, classic::kDarkShadow, classic::kLight);
    gfx::fillRect(frame, gfx::Rect{inner.x + 1, inner.y + 1, inner.w - 2, inner.h - 2}, kWell);

    // The scroll bar shows where the rows on view lie; it is not a control of its own.
    const gfx::Rect bar = at(kScrollBar);
    gfx::fillRect(frame, bar, classic::kLight);
    const int total = std::max(rowCount(), visible_);
    const int thumbH = std::max(8, bar.h * visible_ / total);
    const int thumbY = maxTop_ == 0 ? 0 : (bar.h - thumbH) * top_ / maxTop_;
    const gfx::Rect thumb{bar.x, bar.y + thumbY, bar.w, thumbH};
    gfx::fillRect(frame, thumb, classic::kFace);
    classic::bevel(frame, thumb, classic::kLight, classic::kDarkShadow);
    classic::bevel(frame, gfx::Rect{thumb.x + 1, thumb.y + 1, thumb.w - 2, thumb.h - 2},
                   classic::kHighlight, classic::kShadow);

    if (!font_) {
        return;
    }
    const gfx::Rect area = at(kTextArea);
    const int lineHeight = font_->lineHeight();
    // A short history sits at the bottom, where the newest text always is.
    const int first = std::max(0, visible_ - rowCount());
    for (int i = 0; i < visible_ && top_ + i < rowCount(); ++i) {
        font_->draw(frame, area.x, area.y + (first + i) * lineHeight,
                    rows_[static_cast<std::size_t>(top_ + i)], kTextColor, area);
    }
}

namespace {

// Takes the view off the window however the loop ends.
class OverlayGuard {
public:
    OverlayGuard(ui::Window& window, ui::Overlay& overlay) : window_(window), overlay_(overlay) {
        window_.pushOverlay(&overlay_);
    }
    ~OverlayGuard() { window_.removeOverlay(&overlay_); }
    OverlayGuard(const OverlayGuard&) = delete;
    OverlayGuard& operator=(const OverlayGuard&) = delete;

private:
    ui::Window& window_;
    ui::Overlay& overlay_;
};

}  // namespace

bool showHistory(ui::Window& window, platform::EventPump& pump, const TextHistory& history) {
    HistoryView view(window.fonts(), history);
    OverlayGuard guard(window, view);
    while (!view.closed()) {
        if (!pump.waitAndProcess()) {
            return false;
        }
    }
    return true;
}

}  // namespace velko::message
