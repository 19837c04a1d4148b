// Resume: while the story is read, the scene the script has built (picture, dimmed band,
// looping music, points, click flags) is followed, and taken as the place at each text line.
// Leaving mid-story keeps that place; the title's first entry then offers to show the scene
// again and read on from that line. The end of the story forgets it.

#include "base/utf.h"
#include "effects/cross_hatch.h"
#include "engine/engine.h"
#include "engine/kept_state.h"
#include "sound/sound_mci.h"

namespace velko::engine {

using script::Opcode;

void Engine::enterStory() {
    inStory_ = true;
    scene_ = store::ResumePlace{};
    place_.reset();
}

void Engine::noteText() {
    if (!inStory_) {
        return;
    }
    place_ = scene_;
    place_->line = intLineNumber;
    place_->points = intPoint;
    place_->keyStop = frmMain_->KeyStop;
    place_->rightClick = frmMain_->RightButtonClickFlag;
}

void Engine::leaveStory() {
    if (kept_) {
        kept_->saveRead();
        // Only a place kept between runs is offered again: a run that keeps nothing reads
        // the title's entries as they always were.
        if (inStory_ && place_ && kept_->lasting()) {
            kept_->savePlace(*place_);
        }
    }
    inStory_ = false;
}

void Engine::endStory() {
    if (kept_) {
        kept_->saveRead();
        if (inStory_) {
            kept_->forgetPlace();
        }
    }
    inStory_ = false;
    place_.reset();
}

std::string Engine::placeProblem(const store::ResumePlace& place) const {
    const auto line = script_.line(place.line);
    if (!line) {
        return "line " + std::to_string(place.line) + " is no longer in the scenario";
    }
    const Opcode op = script::opcodeOf(*line);
    if (op != Opcode::Message && op != Opcode::WM && op != Opcode::QE) {
        return "line " + std::to_string(place.line) + " no longer shows a text";
    }
    if (!place.picture.empty() && !folder_.exists(script::AssetFolder::Bmp, u16(place.picture))) {
        return "BMP/" + place.picture + " is gone";
    }
    for (const std::string* name : {&place.music, &place.waveLoop}) {
        if (!name->empty() && !folder_.exists(script::AssetFolder::Music, u16(*name))) {
            return "Music/" + *name + " is gone";
        }
    }
    return {};
}

bool Engine::offerResume() {
    if (!kept_ || !kept_->lasting() || !kept_->place()) {
        return false;
    }
    const store::ResumePlace place = *kept_->place();
    if (const std::string problem = placeProblem(place); !problem.empty()) {
        warn("the place remembered in " + identity_ + " cannot be shown again (" + problem +
             "); reading from the beginning");
        kept_->forgetPlace();
        return false;
    }
    ui::MessageBoxSpec request;
    request.text = u"前回の続きから読みますか？";
    request.title = appTitle();
    request.buttons = ui::Buttons::YesNo;
    request.icon = ui::Icon::Question;
    const auto answer = ask(request);
    if (!answer) {
        return true;  // the program ended with the box open
    }
    if (*answer != platform::DialogAnswer::Yes) {
        return false;
    }
    resumeAt(place);
    return true;
}

void Engine::resumeAt(const store::ResumePlace& place) {
    auto& form = *frmMain_;
    enterStory();
    form.setMenuEnabled(ui::MenuItem::End, true);
    form.setMenuEnabled(ui::MenuItem::Version, true);
    blnBusy = true;
    form.MenuClickFlag = false;
    // The scene is built again as its picture command built it: the title fades out, the
    // picture fades in, the band is dimmed, then its music starts.
    auto hatch = objCrossHatch;
    hatch->PlayFade(0, 1);
    if (place.picture.empty()) {
        form.picBmp.setPicture(gfx::Bitmap(640, 480, gfx::kBlack));
    } else {
        loadPicture(form.picBmp, u16(place.picture));
    }
    hatch->PlayFade(0, 0);
    if (place.backdrop) {
        hatch->MessageHatch(40, 360, 560, 160);
    }
    scene_.picture = place.picture;
    scene_.backdrop = place.backdrop;
    auto sound = objSoundMci;
    if (!place.music.empty()) {
        sound->PlayMidiLoop(folder_.pathAsGiven(script::AssetFolder::Music, u16(place.music)));
        scene_.music = place.music;
    } else {
        sound->stopMidi();
    }
    if (!place.waveLoop.empty()) {
        sound->playWaveLoop(folder_.pathAsGiven(script::AssetFolder::Music, u16(place.waveLoop)));
        scene_.waveLoop = place.waveLoop;
    }
    setPoints(place.points);
    form.KeyStop = place.keyStop;
    form.RightButtonClickFlag = place.rightClick;
    blnBusy = false;
    form.MenuClickFlag = true;
    host_.trace.event("resume", std::to_string(place.line));
    intLineNumber = static_cast<std::int16_t>(place.line - 1);
    if (!interpreterRunning()) {
        RunScript();
    }
}

}  // namespace velko::engine
