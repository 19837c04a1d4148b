#include "menus/sheet_menu.h"

#include "platform/gfx/raster.h"

namespace velko::menus {

SheetMenu::SheetMenu(SheetLoader loadSheet) : loadSheet_(std::move(loadSheet)) {}

SheetMenu::~SheetMenu() {
    if (mpicDisp_) {
        mpicDisp_->unsubscribe(this);
    }
}

void SheetMenu::setPictureBox(platform::Surface& objPicture) {
    if (mpicDisp_) {
        mpicDisp_->unsubscribe(this);
    }
    mpicDisp_ = &objPicture;
    mpicDisp_->subscribe(this);
}

Status SheetMenu::setPicButton(std::u16string_view strBtnName) {
    auto sheet = loadSheet_(strBtnName);
    if (!sheet) {
        sheet_ = gfx::Bitmap();
        return makeError(sheet.error());
    }
    sheet_ = std::move(sheet).value();
    return Ok{};
}

void SheetMenu::copyFromSheet(const gfx::Rect& onSurface, const gfx::Rect& onSheet) {
    if (mpicDisp_) {
        gfx::stretchBlt(mpicDisp_->image(), onSurface, sheet_, onSheet);
    }
}

}  // namespace velko::menus
