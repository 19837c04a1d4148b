// The button screen ZT/ZB/ZS/ZE and the wallpaper question KB, which arms the screen that
// led to it again.

#include "base/utf.h"
#include "engine/engine.h"
#include "script/arguments.h"
#include "menus/menu.h"
#include "platform/gfx/image_io.h"

namespace velko::engine {

using script::Opcode;

Status Engine::choiceCommand(Opcode op, std::u16string_view line, bool& stop) {
    const auto argument = script::argumentOf(line);
    switch (op) {
        case Opcode::ZT: {
            const auto name = script::parseAssetName(op, argument);
            if (!name) {
                return makeError(name.error());
            }
            blnBusy = true;
            // A screen still held (a script without ZE) leaves the surface for the new one.
            objMenu.reset();
            auto menu = std::make_shared<menus::Menu>(
                [this](std::u16string_view file) { return loadSheet(file); },
                [this](std::int16_t n) { MenuJump(n); });
            objMenu = menu;
            menu->setPictureBox(frmMain_->picDisp);
            if (const Status sheet = menu->setPicButton(*name); !sheet) {
                // The buttons stay invisible but still take presses.
                warn(sheet.error());
            }
            break;
        }
        case Opcode::ZB: {
            // A fault in the numbers tells the author more than a missing ZT.
            if (const auto button = script::parseButton(argument); !button) {
                return makeError(button.error());
            }
            if (!objMenu) {
                return makeError("ZB without a button screen: a ZT line must come first");
            }
            if (const Status added = objMenu->ButtonNum(argument); !added) {
                return makeError(added.error());
            }
            break;
        }
        case Opcode::ZS:
            if (!objMenu) {
                return makeError("ZS without a button screen: a ZT line must come first");
            }
            stopSkip();
            objMenu->subMenuDisp();
            stop = true;
            break;
        case Opcode::ZE:
            // A press handler that is still running keeps the screen until it returns.
            objMenu.reset();
            break;
        case Opcode::KB: {
            const auto name = script::parseAssetName(op, argument);
            if (!name) {
                return makeError(name.error());
            }
            stopSkip();
            ui::MessageBoxSpec request;
            request.text = u"この画像を壁紙に設定しますか？";
            request.title = host_.window.caption();
            request.buttons = ui::Buttons::YesNo;
            request.icon = ui::Icon::Question;
            request.defaultButton = 1;
            const auto answer = ask(request);
            if (answer == platform::DialogAnswer::Yes) {
                if (const auto path = folder_.find(script::AssetFolder::Wall, *name)) {
                    const auto absolute = std::filesystem::absolute(*path);
                    host_.desktop.setWallpaper(absolute);
                    host_.trace.event("wallpaper", absolute.string());
                } else {
                    // As the system call did, a failed setting changes nothing and says nothing
                    // to the reader; the log names the file.
                    warn("Wall/" + utf16ToUtf8(*name) + ": not found");
                }
            }
            // The button screen that led here takes clicks again; it redraws at the next move
            // or repaint.
            if (objMenu) {
                objMenu->MouseClickMode(true);
                objMenu->setRedrawFlag(true);
            }
            stop = true;
            break;
        }
        default:
            break;
    }
    return Ok{};
}

Result<gfx::Bitmap> Engine::loadSheet(std::u16string_view name) const {
    const auto path = folder_.find(script::AssetFolder::Bmp, name);
    if (!path) {
        return makeError("BMP/" + utf16ToUtf8(name) + ": not found");
    }
    return gfx::loadBmp(*path);
}

}  // namespace velko::engine
