#include "menus/menu.h"

#include <limits>
#include <optional>

#include "platform/input.h"

namespace velko::menus {

namespace {

// The rectangle from four edges, or nothing when it is empty or its size leaves the range
// of a surface coordinate (edges may be any 32-bit numbers).
std::optional<gfx::Rect> rectFromEdges(std::int32_t left, std::int32_t top, std::int32_t right,
                                       std::int32_t bottom) {
    const std::int64_t w = std::int64_t{right} - left;
    const std::int64_t h = std::int64_t{bottom} - top;
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    if (w <= 0 || h <= 0 || w > kMax || h > kMax) {
        return std::nullopt;
    }
    return gfx::Rect{left, top, static_cast<int>(w), static_cast<int>(h)};
}

// Strict on all four sides: a pointer on an edge, which a scaled window can report between
// pixels, belongs to no button.
bool contains(const script::Button& b, double x, double y) {
    return b.left() < x && x < b.right() && b.top() < y && y < b.bottom();
}

}  // namespace

Menu::Menu(SheetLoader loadSheet, MenuJump menuJump)
    : SheetMenu(std::move(loadSheet)), menuJump_(std::move(menuJump)) {}

Status Menu::ButtonNum(std::u16string_view strData) {
    if (buttons_.size() >= kMaxButtons) {
        return makeError("a button screen holds at most " + std::to_string(kMaxButtons) +
                         " buttons");
    }
    auto parsed = script::parseButton(strData);
    if (!parsed) {
        return makeError(parsed.error());
    }
    buttons_.push_back(*parsed);
    return Ok{};
}

void Menu::subMenuDisp() {
    draw(std::nullopt);
}

void Menu::draw(std::optional<platform::MouseEvent> pointer) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const script::Button& button = buttons_[i];
        const auto& v = button.values;
        const bool hover = (pointer && contains(button, pointer->x, pointer->y)) ||
                           (focus_.shown() && static_cast<std::size_t>(focus_.index()) == i);
        const std::size_t image = hover ? 8 : 4;  // the first field of the sheet rectangle
        const auto onSurface = rectFromEdges(v[0], v[1], v[2], v[3]);
        const auto onSheet = rectFromEdges(v[image], v[image + 1], v[image + 2], v[image + 3]);
        if (onSurface && onSheet) {
            copyFromSheet(*onSurface, *onSheet);
        }
    }
}

std::size_t Menu::buttonAt(double x, double y) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (contains(buttons_[i], x, y)) {
            return i;
        }
    }
    return buttons_.size();
}

void Menu::onMouseMove(const platform::MouseEvent& e) {
    focus_.hide();
    // No hover state is kept: every move draws all buttons.
    if (redraws()) {
        draw(e);
    }
}

void Menu::onPaint() {
    if (redraws()) {
        subMenuDisp();
    }
}

void Menu::onMouseDown(const platform::MouseEvent& e) {
    if (!MouseClickMode() || e.button != platform::kLeftButton) {
        return;
    }
    const std::size_t pressed = buttonAt(e.x, e.y);
    if (pressed != buttons_.size()) {
        press(pressed);
    }
}

bool Menu::onKey(const std::string& key, int shift) {
    if (!MouseClickMode()) {
        return false;
    }
    const auto outcome = focus_.key(key, shift, static_cast<int>(buttons_.size()));
    if (outcome == KeyFocus::Outcome::Chosen) {
        press(static_cast<std::size_t>(focus_.index()));
    } else if (outcome == KeyFocus::Outcome::Moved && redraws()) {
        draw(std::nullopt);
    }
    return outcome != KeyFocus::Outcome::Ignored;
}

void Menu::press(std::size_t pressed) {
    // The script that runs inside MenuJump usually drops this screen (ZE) and may build the
    // next one before the call returns: stay alive until this handler is done.
    const auto self = keepAlive();
    MouseClickMode(false);
    setRedrawFlag(false);
    // ZB accepts only targets from 1 to 32767.
    const auto target = static_cast<std::int16_t>(buttons_[pressed].target());
    focus_.hide();
    menuJump_(target);
}

}  // namespace velko::menus
