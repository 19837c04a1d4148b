#pragma once

// The title menu: three picture buttons stacked on the right of the title picture and a
// preview in the upper right corner that follows the button under the pointer. Positions
// are fixed here; only the sheet that holds the images is named by the caller.
//
// The menu listens to the screen's mouse, key and repaint events itself; the keys move a
// focus drawn as the hover image (see KeyFocus). A left press on a
// button hands the choice to the title flow (TitleSelect), which may release this object
// from inside the press; the object then lives on until the press handler returns.

#include <cstdint>
#include <functional>

#include "menus/key_focus.h"
#include "menus/sheet_menu.h"

namespace velko::menus {

class StartMenu final : public SheetMenu {
public:
    // The title flow's TitleSelect: 1 new story, 2 extras, 0 end the program.
    using TitleSelect = std::function<void(std::int16_t mode)>;

    StartMenu(SheetLoader loadSheet, TitleSelect titleSelect);

    // Draws the three buttons in their normal images and the preview for no button.
    void subMenuDisp();
    // setPictureBox, setPicButton, setRedrawFlag and MouseClickMode: see SheetMenu.

private:
    void onMouseDown(const platform::MouseEvent& e) override;
    void onMouseMove(const platform::MouseEvent& e) override;
    void onPaint() override;
    bool onKey(const std::string& key, int shift) override;

    // Hands the choice of button 1 to 3 to the title flow.
    void press(int button);
    // All three buttons, `hover` (1 to 3, or 0) in its hover image, then its preview.
    void draw(int hover);

    TitleSelect titleSelect_;
    KeyFocus focus_;
};

}  // namespace velko::menus
