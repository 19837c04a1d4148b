#pragma once

// What the title menu and the script's button screens have in common: picture buttons copied
// from one button sheet onto a surface whose mouse and repaint events the object takes
// itself, a click mode that gates presses and a redraw flag that gates drawing on moves and
// repaints.
//
// A press hands the reader's choice to the interpreter, which may release this object from
// inside the press; `keepAlive` lets the press handler finish first.

#include <functional>
#include <memory>
#include <string_view>

#include "base/result.h"
#include "platform/gfx/bitmap.h"
#include "platform/surface.h"

namespace velko::menus {

class SheetMenu : public platform::SurfaceListener, public std::enable_shared_from_this<SheetMenu> {
public:
    // Reads a sheet from the BMP folder of the program by its file name.
    using SheetLoader = std::function<Result<gfx::Bitmap>(std::u16string_view name)>;

    ~SheetMenu() override;
    SheetMenu(const SheetMenu&) = delete;
    SheetMenu& operator=(const SheetMenu&) = delete;

    // Takes the surface to draw on and subscribes to its mouse and repaint events.
    void setPictureBox(platform::Surface& objPicture);
    // Loads the sheet. On failure the sheet stays empty (nothing is drawn; the buttons
    // still take presses) and the error names the file.
    Status setPicButton(std::u16string_view strBtnName);
    void setRedrawFlag(bool blnFlag) { redraw_ = blnFlag; }
    bool MouseClickMode() const { return clickMode_; }
    void MouseClickMode(bool blnValue) { clickMode_ = blnValue; }

protected:
    explicit SheetMenu(SheetLoader loadSheet);

    bool redraws() const { return redraw_; }
    // Copies a sheet rectangle onto a surface rectangle as a plain source copy, stretched
    // when the sizes differ. Nothing before a surface is given.
    void copyFromSheet(const gfx::Rect& onSurface, const gfx::Rect& onSheet);
    // Held by a press handler across the callback that may drop the last other reference.
    // Empty when the object is not owned by a shared pointer.
    std::shared_ptr<SheetMenu> keepAlive() { return weak_from_this().lock(); }

private:
    SheetLoader loadSheet_;
    platform::Surface* mpicDisp_ = nullptr;
    gfx::Bitmap sheet_;
    bool clickMode_ = true;
    bool redraw_ = true;
};

}  // namespace velko::menus
