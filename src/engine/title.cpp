// The title screen and the ways back into the script from the title and the choices:
// ShowTitle, TitleSelect and BranchSelect.

#include "base/utf.h"
#include "effects/cross_hatch.h"
#include "engine/engine.h"
#include "script/arguments.h"
#include "menus/menu.h"
#include "menus/start_menu.h"
#include "platform/gfx/image_io.h"
#include "sound/sound_mci.h"

namespace velko::engine {

void Engine::ShowTitle() {
    if (ended_ || !objCrossHatch) {
        return;
    }
    auto& form = *frmMain_;
    textWaits_ = false;
    buildingTitle_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{buildingTitle_};
    // Back at the title in the middle of the story (the menu's 終了, a script error): the
    // place is kept for the next start.
    leaveStory();
    stopSkip();
    blnBusy = true;
    form.MenuClickFlag = true;
    form.RightButtonClickFlag = true;
    // An open button screen or question would be abandoned here; a title menu that is
    // still shown (the title built again after a script error) gives way to the new one.
    objStartMenu.reset();
    objMenu.reset();
    objBranch.reset();
    form.setMenuEnabled(ui::MenuItem::End, false);
    form.setMenuEnabled(ui::MenuItem::Help, true);
    form.setMenuEnabled(ui::MenuItem::Version, true);
    auto sound = objSoundMci;
    sound->PlayMidiLoop(folder_.pathAsGiven(script::AssetFolder::Music, u"title.mid"));
    loadPicture(form.picBmp, u"title.bmp");
    auto hatch = objCrossHatch;
    hatch->PlayFade(0, 0);
    titleShown_ = true;
    host_.trace.event("title");
    auto menu = std::make_shared<menus::StartMenu>(
        [this](std::u16string_view name) { return loadSheet(name); },
        [this](std::int16_t mode) { TitleSelect(mode); });
    objStartMenu = menu;
    menu->setPictureBox(form.picDisp);
    if (const Status sheet = menu->setPicButton(u"button01.bmp"); !sheet) {
        // The title picture stays without its buttons; they still take presses.
        warn(sheet.error());
    }
    menu->subMenuDisp();
}

void Engine::TitleSelect(std::int16_t mode) {
    if (ended_) {
        return;
    }
    auto& form = *frmMain_;
    switch (mode) {
        case 1:
            host_.trace.event("select", "1");
            if (objStartMenu) {
                objStartMenu->MouseClickMode(false);
                objStartMenu.reset();
            }
            if (offerResume()) {
                return;
            }
            enterStory();
            setPoints(0);
            intLineNumber = 1000;
            form.setMenuEnabled(ui::MenuItem::End, true);
            form.setMenuEnabled(ui::MenuItem::Version, true);
            form.MenuClickFlag = true;
            form.RightButtonClickFlag = true;
            break;
        case 2:
            host_.trace.event("select", "2");
            if (objStartMenu) {
                objStartMenu->setRedrawFlag(false);
                objStartMenu->MouseClickMode(false);
                objStartMenu.reset();
            }
            form.setMenuEnabled(ui::MenuItem::End, true);
            form.setMenuEnabled(ui::MenuItem::Help, true);
            form.setMenuEnabled(ui::MenuItem::Version, true);
            intLineNumber = 100;
            break;
        case 0:
            host_.trace.event("select", "0");
            objStartMenu.reset();
            unloadMainWindow();
            return;
        default:
            return;
    }
    if (!interpreterRunning()) {
        RunScript();
    }
}

void Engine::BranchSelect(std::int16_t points) {
    if (ended_) {
        return;
    }
    objBranch.reset();
    const auto sum = script::addPoints(intPoint, points);
    if (!sum) {
        scriptError(lastLine_, sum.error());
        return;
    }
    setPoints(*sum);
    auto& form = *frmMain_;
    form.picBackBuff.setPicture(form.picBmp.constImage());
    auto hatch = objCrossHatch;
    hatch->MessageHatch(40, 360, 560, 160);
    scene_.backdrop = true;
    blnBusy = false;
    host_.trace.event("jump", std::to_string(intLineNumber));
    intLineNumber = static_cast<std::int16_t>(intLineNumber - 1);
    if (!interpreterRunning()) {
        RunScript();
    }
}

}  // namespace velko::engine
