// The ending commands ES, EH and ET: the staff roll over a picture, the "The End" caption,
// or both. Each stops the loop; the next left click goes on with the following line.

#include "credits/staff_role.h"
#include "effects/cross_hatch.h"
#include "engine/engine.h"
#include "script/arguments.h"

namespace velko::engine {

using script::Opcode;

namespace {

std::unique_ptr<credits::StaffRole> newStaffRole(Engine& engine) {
    auto& form = engine.frmMain();
    auto role = std::make_unique<credits::StaffRole>(
        engine.host(), credits::builtinStaffText(),
        [&engine](const std::string& message) { engine.warn(message); });
    role->setPicDisp(form.picDisp);
    role->setPicMaster(form.picBackBuff);
    role->setPicStaff(form.picFPtarn);
    return role;
}

// The menu commands stay off until the title screen is built again: the story is over.
void PlayStaffRoll(Engine& engine) {
    auto& form = engine.frmMain();
    form.setMenuEnabled(ui::MenuItem::End, false);
    form.setMenuEnabled(ui::MenuItem::Help, false);
    form.setMenuEnabled(ui::MenuItem::Version, false);
    // The credits roll over the bare scene, without the message band.
    form.picBackBuff.setPicture(form.picBmp.constImage());
    newStaffRole(engine)->playStaffRole();
}

void PlayEndCaption(Engine& engine) {
    auto role = newStaffRole(engine);
    engine.frmMain().RightButtonClickFlag = false;
    role->playLogo();
}

}  // namespace

Status Engine::endingCommand(Opcode op, std::u16string_view line, bool& stop) {
    auto& form = *frmMain_;
    stopSkip();
    endStory();
    if (op == Opcode::ES || op == Opcode::EH) {
        const auto name = script::parseAssetName(op, script::argumentOf(line));
        if (!name) {
            return makeError(name.error());
        }
        loadPicture(form.picBmp, *name);
        auto hatch = objCrossHatch;
        hatch->PlayFade(0, 0);
        blnBusy = true;
        PlayStaffRoll(*this);
        if (ended_) {
            return Ok{};
        }
        if (op == Opcode::ES) {
            PlayEndCaption(*this);
        } else {
            hatch->MessageHatch(40, 360, 560, 160);
        }
        blnBusy = false;
    } else {
        blnBusy = true;
        PlayEndCaption(*this);
        blnBusy = false;
    }
    stop = true;
    return Ok{};
}

}  // namespace velko::engine
