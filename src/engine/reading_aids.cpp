// The reading aids: skip over lines read before (Ctrl held or Tab), automatic reading (A),
// and the music and sound volumes (-, =, M). Each is off or unchanged until its key is
// pressed; a run without these keys reads exactly as the script says.

#include <algorithm>

#include "engine/engine.h"
#include "engine/kept_state.h"

namespace velko::engine {

using script::Opcode;

namespace {

// A skipped line stays on the screen for one short step, so that the reader sees the story
// going by and a script loop of read lines still lets time pass.
constexpr std::uint32_t kSkipLineMs = 50;
// Automatic reading: a pause after a complete line, longer for a longer one.
constexpr std::uint32_t kAutoBaseMs = 1000;
constexpr std::uint32_t kAutoPerCharMs = 60;

bool isCtrl(const std::string& key) {
    return key == "Left Ctrl" || key == "Right Ctrl";
}

}  // namespace

bool Engine::watchKey(const platform::InputEvent& event) {
    const std::string& key = event.key;
    if (isCtrl(key)) {
        // Ctrl is watched, never taken: the menus and dialogs see it as before.
        const bool down = event.kind == platform::InputEvent::Kind::KeyDown;
        if (down == ctrlHeld_) {
            return false;  // a repeat of the held key, or a release already seen
        }
        ctrlHeld_ = down;
        ctrlSpent_ = false;
        updateSkip();
        if (down) {
            readOnIfWaiting();
        }
        return false;
    }
    if (event.kind != platform::InputEvent::Kind::KeyDown ||
        (event.shift & (platform::kCtrl | platform::kAlt))) {
        return false;
    }
    if (key == "-" || key == "Keypad -") {
        changeVolume(-store::kVolumeStep);
        return true;
    }
    if (key == "=" || key == "+" || key == "Keypad +") {
        changeVolume(store::kVolumeStep);
        return true;
    }
    if (key == "M") {
        toggleMute();
        return true;
    }
    return false;
}

void Engine::readerKey(const std::string& key, int shift) {
    // During fades, reveals, the staff roll and KC these keys do what a click does there:
    // nothing.
    if (ended_ || blnBusy || frmMain_->KeyStop || (shift & (platform::kCtrl | platform::kAlt))) {
        return;
    }
    if (key == "Tab") {
        // Where the title, a button screen or a question owns the screen, Tab is theirs.
        if (objStartMenu || objMenu || objBranch) {
            return;
        }
        skipToggled_ = !skipOn();
        ctrlSpent_ = false;
        updateSkip();
        if (skipToggled_) {
            readOnIfWaiting();
        }
    } else if (key == "A") {
        setAuto(!auto_);
    }
}

bool Engine::skipOn() const {
    return skipToggled_ || (ctrlHeld_ && !ctrlSpent_);
}

void Engine::updateSkip() {
    const bool on = skipOn();
    if (on != skipTraced_) {
        skipTraced_ = on;
        host_.trace.event("skip", on ? "on" : "off");
        showMark();
    }
    if (on) {
        cancelAuto();
    }
}

void Engine::stopSkip() {
    skipToggled_ = false;
    if (ctrlHeld_) {
        ctrlSpent_ = true;
    }
    updateSkip();
}

bool Engine::skipThisLine() {
    if (!skipOn()) {
        return false;
    }
    if (kept_ && kept_->read.count(intLineNumber)) {
        return true;
    }
    stopSkip();
    return false;
}

void Engine::setAuto(bool on) {
    if (on == auto_) {
        return;
    }
    auto_ = on;
    host_.trace.event("auto", on ? "on" : "off");
    showMark();
    if (on) {
        armAuto();
    } else {
        cancelAuto();
    }
}

void Engine::showMark() {
    std::u16string mark;
    if (skipTraced_) {
        mark = u"スキップ";
    }
    if (auto_) {
        mark += mark.empty() ? u"オート" : u"・オート";
    }
    host_.window.setMark(mark);
}

void Engine::afterText(bool skipped) {
    if (kept_) {
        kept_->read.insert(intLineNumber);
    }
    noteText();
    if (skipped) {
        host_.pace(host_.clock.tickCount(), kSkipLineMs);
    } else {
        armAuto();
    }
}

void Engine::armAuto() {
    cancelAuto();
    if (!auto_ || ended_) {
        return;
    }
    const auto delay = kAutoBaseMs + kAutoPerCharMs * static_cast<std::uint32_t>(lastTextLength_);
    autoTimer_ = host_.pump.setTimer(delay, [this] {
        // A box or the bare-picture view holds the reading; the timer tries again later.
        if (host_.window.hasOverlay() || !host_.window.enabled() || frmMain_->messageHidden()) {
            return;
        }
        cancelAuto();
        readOnIfWaiting();
    });
}

void Engine::cancelAuto() {
    if (autoTimer_ != 0) {
        host_.pump.killTimer(autoTimer_);
        autoTimer_ = 0;
    }
}

void Engine::readOnIfWaiting() {
    if (ended_ || interpreterRunning() || blnBusy || !frmMain_->loaded() ||
        !host_.window.enabled() || host_.window.hasOverlay()) {
        return;
    }
    const auto line = script_.line(intLineNumber);
    if (!line) {
        return;
    }
    const Opcode op = script::opcodeOf(*line);
    if (op != Opcode::Message && op != Opcode::WM) {
        return;
    }
    frmMain_->picDisp_MouseDown(platform::kLeftButton, 0, 0, 0);
}

void Engine::applyVolumes() {
    if (!host_.audio) {
        return;
    }
    const auto& s = kept_->settings;
    host_.audio->setVolume(platform::VolumeKind::Music, s.muted ? 0 : s.music);
    host_.audio->setVolume(platform::VolumeKind::Sound, s.muted ? 0 : s.sound);
}

void Engine::changeVolume(int step) {
    if (!kept_) {
        return;
    }
    auto& s = kept_->settings;
    const store::Settings before = s;
    const auto moved = [step](int v) { return std::clamp(v + step, 0, store::kVolumeMax); };
    // A step from silence starts from the levels that were muted.
    s.music = moved(s.music);
    s.sound = moved(s.sound);
    s.muted = false;
    const int oldMusic = before.muted ? 0 : before.music;
    const int oldSound = before.muted ? 0 : before.sound;
    if (s.music != oldMusic) {
        host_.trace.event("volume", "music " + std::to_string(s.music));
    }
    if (s.sound != oldSound) {
        host_.trace.event("volume", "sound " + std::to_string(s.sound));
    }
    if (!(s == before)) {
        applyVolumes();
        kept_->saveSettings();
    }
}

void Engine::toggleMute() {
    if (!kept_) {
        return;
    }
    auto& s = kept_->settings;
    s.muted = !s.muted;
    host_.trace.event("volume", "music " + std::to_string(s.muted ? 0 : s.music));
    host_.trace.event("volume", "sound " + std::to_string(s.muted ? 0 : s.sound));
    applyVolumes();
    kept_->saveSettings();
}

}  // namespace velko::engine
