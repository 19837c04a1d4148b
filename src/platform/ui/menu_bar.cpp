#include "platform/ui/menu_bar.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "platform/gfx/raster.h"
#include "platform/ui/classic.h"

namespace velko::ui {

namespace {

constexpr std::u16string_view kEndCaption = u"終了";
constexpr std::u16string_view kHelpCaption = u"ﾍﾙﾌﾟ";
constexpr std::u16string_view kVersionCaption = u"バージョン情報";

constexpr int kTitlePad = 6;  // text inset inside a title of the bar
constexpr int kTitleTop = 1;
constexpr int kTitleHeight = MenuBar::kHeight - 3;
constexpr int kPopupInset = 3;  // two-pixel raised edge and one pixel of face
constexpr int kPopupItemHeight = 17;
constexpr int kCheckColumn = 18;  // the room a check mark would take, left of the text
constexpr int kRightColumn = 18;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// A lone Alt press and release arrives as one key-down of an Alt key.
bool isAlt(const std::string& k) {
    return k == "left alt" || k == "right alt" || k == "alt";
}
bool isEnter(const std::string& k) {
    return k == "return" || k == "keypad enter" || k == "enter";
}

int textWidth(const platform::Font* font, std::u16string_view text) {
    return font ? font->measure(text) : static_cast<int>(text.size()) * 12;
}

gfx::Rect moved(gfx::Rect r, int dy) {
    r.y += dy;
    return r;
}

}  // namespace

MenuBar::MenuBar(platform::FontLibrary& fonts) : fonts_(fonts) {
    layout();
}

void MenuBar::layout() {
    font_ = classic::uiFont(fonts_);
    int x = 0;
    const std::u16string_view captions[2] = {kEndCaption, kHelpCaption};
    for (int i = 0; i < 2; ++i) {
        const int w = textWidth(font_.get(), captions[i]) + 2 * kTitlePad;
        titles_[i] = gfx::Rect{x, kTitleTop, w, kTitleHeight};
        x += w;
    }
    const int w = kPopupInset + kCheckColumn + textWidth(font_.get(), kVersionCaption) +
                  kRightColumn + kPopupInset;
    dropdown_ = gfx::Rect{titles_[kHelp].x, titles_[kHelp].bottom() + 1, w,
                          2 * kPopupInset + kPopupItemHeight};
}

gfx::Rect MenuBar::titleRect(MenuItem top) const {
    return titles_[top == MenuItem::End ? kEnd : kHelp];
}

gfx::Rect MenuBar::dropdownRect() const {
    return dropdown_;
}

gfx::Rect MenuBar::versionRect() const {
    return gfx::Rect{dropdown_.x + kPopupInset, dropdown_.y + kPopupInset,
                     dropdown_.w - 2 * kPopupInset, kPopupItemHeight};
}

void MenuBar::setEnabled(MenuItem item, bool enabled) {
    bool& slot = enabled_[static_cast<int>(item)];
    if (slot != enabled) {
        slot = enabled;
        dirty_ = true;
    }
}

bool MenuBar::enabled(MenuItem item) const {
    return enabled_[static_cast<int>(item)];
}

bool MenuBar::available(platform::MenuCommand command) const {
    if (command == platform::MenuCommand::End) {
        return enabled(MenuItem::End);
    }
    return enabled(MenuItem::Help) && enabled(MenuItem::Version);
}

bool MenuBar::dropdownOpen() const {
    return mode_ == Mode::Open && hot_ == kHelp && enabled(MenuItem::Help);
}

void MenuBar::setState(Mode mode, int hot, bool versionHot) {
    if (mode_ != mode || hot_ != hot || versionHot_ != versionHot) {
        mode_ = mode;
        hot_ = hot;
        versionHot_ = versionHot;
        dirty_ = true;
    }
}

void MenuBar::close() {
    setState(Mode::Idle, kEnd, false);
}

int MenuBar::titleAt(double x, double y) const {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    for (int i = 0; i < 2; ++i) {
        if (titles_[i].contains(ix, iy)) {
            return i;
        }
    }
    return -1;
}

bool MenuBar::overVersion(double x, double y) const {
    return versionRect().contains(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

MenuBar::Outcome MenuBar::activateVersion() {
    if (!available(platform::MenuCommand::Version)) {
        return {true, std::nullopt};
    }
    close();
    return {true, platform::MenuCommand::Version};
}

MenuBar::Outcome MenuBar::mouseDown(double x, double y, int button) {
    const bool inBar = y < kHeight;
    if (button != platform::kLeftButton) {
        const bool taken = active() || inBar;
        close();
        return {taken, std::nullopt};
    }
    switch (titleAt(x, y)) {
        case kEnd:
            close();
            if (enabled(MenuItem::End)) {
                return {true, platform::MenuCommand::End};
            }
            return {true, std::nullopt};
        case kHelp:
            if (dropdownOpen() || !enabled(MenuItem::Help)) {
                close();
            } else {
                setState(Mode::Open, kHelp, false);
            }
            return {true, std::nullopt};
        default:
            break;
    }
    if (dropdownOpen() && overVersion(x, y)) {
        return activateVersion();
    }
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    if (dropdownOpen() && dropdown_.contains(ix, iy)) {
        return {true, std::nullopt};
    }
    // A click beside an open menu only closes it, as the classic menus do.
    const bool taken = active() || inBar;
    close();
    return {taken, std::nullopt};
}

MenuBar::Outcome MenuBar::mouseUp(double x, double y, int /*button*/) {
    // Press on the title, drag down, release on the item: the classic way to choose.
    if (dropdownOpen() && overVersion(x, y)) {
        return activateVersion();
    }
    return {active() || y < kHeight, std::nullopt};
}

MenuBar::Outcome MenuBar::mouseMove(double x, double y) {
    if (mode_ != Mode::Open) {
        return {};
    }
    const int t = titleAt(x, y);
    if (t >= 0 && t != hot_) {
        setState(Mode::Open, t, false);
    }
    if (dropdownOpen()) {
        setState(mode_, hot_, overVersion(x, y));
    }
    return {true, std::nullopt};
}

MenuBar::Outcome MenuBar::keyDown(const std::string& key) {
    const std::string k = lower(key);
    if (k == "f10" || isAlt(k)) {
        if (active()) {
            close();
        } else {
            setState(Mode::Keyboard, kEnd, false);
        }
        return {true, std::nullopt};
    }
    if (!active()) {
        return {};
    }
    if (k == "escape") {
        if (mode_ == Mode::Open) {
            setState(Mode::Keyboard, hot_, false);
        } else {
            close();
        }
        return {true, std::nullopt};
    }
    if (k == "left" || k == "right") {
        const int next = hot_ == kEnd ? kHelp : kEnd;  // two titles: both keys reach the other
        if (mode_ == Mode::Open && next == kHelp && enabled(MenuItem::Help)) {
            setState(Mode::Open, kHelp, true);
        } else {
            setState(Mode::Keyboard, next, false);
        }
        return {true, std::nullopt};
    }
    if (dropdownOpen()) {
        if (k == "up" || k == "down") {
            setState(mode_, hot_, true);
        } else if (isEnter(k) && versionHot_) {
            return activateVersion();
        }
        return {true, std::nullopt};
    }
    if (hot_ == kHelp && (k == "down" || k == "up" || isEnter(k))) {
        if (enabled(MenuItem::Help)) {
            setState(Mode::Open, kHelp, true);
        }
    } else if (hot_ == kEnd && isEnter(k)) {
        close();
        if (enabled(MenuItem::End)) {
            return {true, platform::MenuCommand::End};
        }
    }
    // The menus keep every other key while they have the keyboard.
    return {true, std::nullopt};
}

void MenuBar::drawBar(gfx::Bitmap& frame) {
    gfx::fillRect(frame, gfx::Rect{0, 0, frame.width(), kHeight - 1}, classic::kFace);
    classic::hline(frame, 0, kHeight - 1, frame.width(), classic::kShadow);
    const std::u16string_view captions[2] = {kEndCaption, kHelpCaption};
    const MenuItem items[2] = {MenuItem::End, MenuItem::Help};
    for (int i = 0; i < 2; ++i) {
        const gfx::Rect r = titles_[i];
        const bool highlighted = active() && hot_ == i;
        const bool sunken = highlighted && mode_ == Mode::Open;
        if (highlighted) {
            if (sunken) {
                classic::bevel(frame, r, classic::kShadow, classic::kHighlight);
            } else {
                classic::bevel(frame, r, classic::kHighlight, classic::kShadow);
            }
        }
        if (!font_) {
            continue;
        }
        const int shift = sunken ? 1 : 0;
        const int tx = r.x + kTitlePad + shift;
        const int ty = r.y + (r.h - font_->lineHeight() + 1) / 2 + shift;
        if (enabled(items[i])) {
            font_->draw(frame, tx, ty, captions[i], classic::kText, frame.rect());
        } else {
            classic::etchedText(frame, *font_, tx, ty, captions[i], frame.rect());
        }
    }
    if (font_ && !mark_.empty()) {
        const int tx = frame.width() - kTitlePad - font_->measure(mark_);
        const int ty = (kHeight - 1 - font_->lineHeight() + 1) / 2;
        font_->draw(frame, tx, ty, mark_, classic::kText, frame.rect());
    }
}

void MenuBar::drawDropdown(gfx::Bitmap& dst, int offsetY) {
    if (!dropdownOpen()) {
        return;
    }
    const gfx::Rect r = moved(dropdown_, offsetY);
    gfx::fillRect(dst, r, classic::kFace);
    classic::raisedWindowEdge(dst, r);
    const gfx::Rect item = moved(versionRect(), offsetY);
    if (!font_) {
        return;
    }
    const bool on = enabled(MenuItem::Version);
    const int tx = item.x + kCheckColumn;
    const int ty = item.y + (item.h - font_->lineHeight() + 1) / 2;
    if (versionHot_) {
        gfx::fillRect(dst, item, classic::kSelection);
        font_->draw(dst, tx, ty, kVersionCaption, on ? classic::kSelectionText : classic::kGrayText,
                    dst.rect());
    } else if (on) {
        font_->draw(dst, tx, ty, kVersionCaption, classic::kText, dst.rect());
    } else {
        classic::etchedText(dst, *font_, tx, ty, kVersionCaption, dst.rect());
    }
}

}  // namespace velko::ui
