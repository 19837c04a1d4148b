// The picture commands: PA, PK, PB, PL, PF and BD.

#include "base/utf.h"
#include "effects/cls_disp.h"
#include "effects/cross_hatch.h"
#include "engine/engine.h"
#include "script/arguments.h"
#include "platform/gfx/image_io.h"

namespace velko::engine {

using script::Opcode;

void Engine::loadPicture(platform::Surface& surface, std::u16string_view name) {
    const auto path = folder_.find(script::AssetFolder::Bmp, name);
    std::string problem;
    if (!path) {
        problem = "BMP/" + utf16ToUtf8(name) + ": not found";
    } else if (auto bitmap = gfx::loadBmp(*path)) {
        surface.setPicture(std::move(bitmap).value());
        return;
    } else {
        problem = bitmap.error();
    }
    // The reader sees black where the picture should be; the story goes on.
    warn(problem + " (shown as black)");
    surface.setPicture(gfx::Bitmap(surface.width(), surface.height(), gfx::kBlack));
}

Status Engine::pictureCommand(Opcode op, std::u16string_view line) {
    auto& form = *frmMain_;
    if (op == Opcode::PF) {
        blnBusy = true;
        form.MenuClickFlag = false;
        auto hatch = objCrossHatch;
        hatch->PlayFade(0, 1);
        scene_.picture.clear();
        scene_.backdrop = false;
        blnBusy = false;
        form.MenuClickFlag = true;
        return Ok{};
    }
    const auto name = script::parseAssetName(op, script::argumentOf(line));
    if (!name) {
        return makeError(name.error());
    }
    blnBusy = true;
    form.MenuClickFlag = false;
    auto hatch = objCrossHatch;
    if (op == Opcode::BD) {
        effects::clsDisp objDisp;
        loadPicture(form.picBMP2, *name);
        // The stamp's background is keyed out by the colour of its top-left pixel, so the
        // picture shows around the lettering (an opaque copy would cover it with a square).
        const gfx::Bitmap& stamp = form.picBMP2.constImage();
        const std::int32_t key =
            stamp.empty() ? -1 : static_cast<std::int32_t>(gfx::toColorRef(stamp.at(0, 0)));
        // The cut-out needs a white background and black text on the destination.
        auto& dst = form.picBackBuff;
        const auto savedBack = dst.backColor;
        const auto savedFore = dst.foreColor;
        dst.backColor = gfx::kWhite;
        dst.foreColor = gfx::kBlack;
        objDisp.TransparentBlt(dst, 480, 320, 100, 100, form.picBMP2, 0, 0, key);
        dst.backColor = savedBack;
        dst.foreColor = savedFore;
        form.picDisp.setPicture(form.picBackBuff.constImage());
    } else {
        if (op == Opcode::PB || op == Opcode::PL) {
            hatch->PlayFade(0, 1);
        }
        loadPicture(form.picBmp, *name);
        hatch->PlayFade(0, 0);
        if (op == Opcode::PA || op == Opcode::PB) {
            hatch->MessageHatch(40, 360, 560, 160);
        }
        scene_.picture = utf16ToUtf8(*name);
        scene_.backdrop = op == Opcode::PA || op == Opcode::PB;
    }
    blnBusy = false;
    form.MenuClickFlag = true;
    return Ok{};
}

}  // namespace velko::engine
