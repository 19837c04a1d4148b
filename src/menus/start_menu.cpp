#include "menus/start_menu.h"

#include <array>

#include "platform/input.h"

namespace velko::menus {

namespace {

struct Button {
    int top;       // on the screen; every button is 200 by 50 at x 400
    int sheetTop;  // of both images; normal at sheet x 0, hover at sheet x 201
    std::int16_t mode;
};

constexpr int kButtonLeft = 400;
constexpr int kButtonWidth = 200;
constexpr int kButtonHeight = 50;
constexpr int kHoverSheetLeft = 201;
constexpr std::array<Button, 3> kButtons{{{230, 0, 1}, {300, 51, 2}, {370, 102, 0}}};

// The preview: 140 by 190 at (450, 20); on the sheet at y 153, x by the button under the
// pointer (none, 1, 2, 3).
constexpr gfx::Rect kPreview{450, 20, 140, 190};
constexpr int kPreviewSheetTop = 153;
constexpr std::array<int, 4> kPreviewSheetLeft{0, 141, 282, 423};

// 0 for none, else 1 to 3. Edges belong to no button: the comparisons are strict, and the
// pointer may sit between pixels in a scaled window.
int buttonAt(double x, double y) {
    if (!(x > kButtonLeft && x < kButtonLeft + kButtonWidth)) {
        return 0;
    }
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        if (y > kButtons[i].top && y < kButtons[i].top + kButtonHeight) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

}  // namespace

StartMenu::StartMenu(SheetLoader loadSheet, TitleSelect titleSelect)
    : SheetMenu(std::move(loadSheet)), titleSelect_(std::move(titleSelect)) {}

void StartMenu::subMenuDisp() {
    draw(0);
}

void StartMenu::draw(int hover) {
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const int sheetLeft = static_cast<int>(i) + 1 == hover ? kHoverSheetLeft : 0;
        copyFromSheet({kButtonLeft, kButtons[i].top, kButtonWidth, kButtonHeight},
                      {sheetLeft, kButtons[i].sheetTop, kButtonWidth, kButtonHeight});
    }
    copyFromSheet(kPreview, {kPreviewSheetLeft[static_cast<std::size_t>(hover)], kPreviewSheetTop,
                             kPreview.w, kPreview.h});
}

void StartMenu::onMouseMove(const platform::MouseEvent& e) {
    focus_.hide();
    // No hover state is kept: every move draws all four images.
    if (redraws()) {
        draw(buttonAt(e.x, e.y));
    }
}

void StartMenu::onPaint() {
    if (redraws()) {
        draw(focus_.index() + 1);
    }
}

bool StartMenu::onKey(const std::string& key, int shift) {
    if (!MouseClickMode()) {
        return false;
    }
    const auto outcome = focus_.key(key, shift, static_cast<int>(kButtons.size()));
    if (outcome == KeyFocus::Outcome::Chosen) {
        press(focus_.index() + 1);
    } else if (outcome == KeyFocus::Outcome::Moved && redraws()) {
        draw(focus_.index() + 1);
    }
    return outcome != KeyFocus::Outcome::Ignored;
}

void StartMenu::onMouseDown(const platform::MouseEvent& e) {
    if (!MouseClickMode() || e.button != platform::kLeftButton) {
        return;
    }
    const int button = buttonAt(e.x, e.y);
    if (button != 0) {
        press(button);
    }
}

void StartMenu::press(int button) {
    // The title flow releases this menu from inside TitleSelect, and the story it starts
    // runs before the call returns: stay alive until this handler is done.
    const auto self = keepAlive();
    switch (button) {
        case 1:
            MouseClickMode(false);
            setRedrawFlag(false);
            break;
        case 3:
            setRedrawFlag(false);
            break;
        default:
            break;
    }
    titleSelect_(kButtons[static_cast<std::size_t>(button) - 1].mode);
}

}  // namespace velko::menus
