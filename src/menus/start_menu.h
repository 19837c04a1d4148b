#pragma once

// The title menu: three picture buttons stacked on the right of the title picture and a
// preview in the upper right corner that follows the button under the pointer. Positions
// are fixed here; only the sheet that holds the images is named by the caller.
//
// The menu listens to the screen's mouse and repaint events itself. A left press on a
// button hands the choice to the title flow (TitleSelect), which may release this object
// from inside the press; the object then lives on until the press handler returns.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "base/result.h"
#include "platform/gfx/bitmap.h"
#include "platform/surface.h"

namespace velko::menus {

class StartMenu final : public platform::SurfaceListener,
                        public std::enable_shared_from_this<StartMenu> {
public:
    // Reads a sheet from the BMP folder of the program by its file name.
    using SheetLoader = std::function<Result<gfx::Bitmap>(std::u16string_view name)>;
    // The title flow's TitleSelect: 1 new story, 2 extras, 0 end the program.
    using TitleSelect = std::function<void(std::int16_t mode)>;

    StartMenu(SheetLoader loadSheet, TitleSelect titleSelect);
    ~StartMenu() override;
    StartMenu(const StartMenu&) = delete;
    StartMenu& operator=(const StartMenu&) = delete;

    // Draws the three buttons in their normal images and the preview for no button.
    void subMenuDisp();
    // Takes the surface to draw on and subscribes to its mouse and repaint events.
    void setPictureBox(platform::Surface& objPicture);
    // Loads the sheet. On failure the sheet stays empty (nothing is drawn; the buttons
    // still take presses) and the error names the file.
    Status setPicButton(std::u16string_view strBtnName);
    void setRedrawFlag(bool blnFlag) { redraw_ = blnFlag; }
    bool MouseClickMode() const { return clickMode_; }
    void MouseClickMode(bool blnValue) { clickMode_ = blnValue; }

private:
    void onMouseDown(const platform::MouseEvent& e) override;
    void onMouseMove(const platform::MouseEvent& e) override;
    void onPaint() override;

    // All three buttons, `hover` (1 to 3, or 0) in its hover image, then its preview.
    void draw(int hover);

    SheetLoader loadSheet_;
    TitleSelect titleSelect_;
    platform::Surface* mpicDisp_ = nullptr;
    gfx::Bitmap sheet_;
    bool clickMode_ = true;
    bool redraw_ = true;
};

}  // namespace velko::menus
