// Message lines and the sound commands: WM, WS, WA, WR, WC, MS, MR, MC.

#include <algorithm>

#include "base/utf.h"
#include "engine/engine.h"
#include "script/arguments.h"
#include "engine/trace_text.h"
#include "message/message_disp.h"
#include "sound/sound_mci.h"

namespace velko::engine {

using script::Opcode;

namespace {

// How often the end of a spoken line's wave is asked for while waiting.
constexpr std::uint32_t kWavePollMs = 10;

}  // namespace

void Engine::printMessage(std::u16string_view text) {
    auto disp = objMessageDisp;
    const std::u16string shown = message::MessageDisp::ChangeMessage(text);
    host_.trace.event("text", traceText(shown));
    history_.add(shown);
    lastTextLength_ = static_cast<std::size_t>(std::count_if(
        shown.begin(), shown.end(), [](char16_t c) { return c != u'\r' && c != u'\n'; }));
    if (skippingLine_) {
        // A line read before is shown complete at once.
        disp->messageDisp(frmMain_->picBackBuff, 1, shown, 25);
        frmMain_->picDisp.setPicture(frmMain_->picBackBuff.constImage());
        return;
    }
    disp->messageDisp(frmMain_->picBackBuff, 0, shown, 25);
}

Status Engine::messageLine(std::u16string_view text) {
    blnBusy = true;
    frmMain_->MenuClickFlag = false;
    printMessage(text);
    blnBusy = false;
    frmMain_->MenuClickFlag = true;
    return Ok{};
}

Status Engine::soundCommand(Opcode op, std::u16string_view line) {
    auto sound = objSoundMci;
    const auto argument = script::argumentOf(line);
    switch (op) {
        case Opcode::WC:
            scene_.waveLoop.clear();
            sound->stopWave();
            return Ok{};
        case Opcode::MC:
            scene_.music.clear();
            sound->stopMidi();
            return Ok{};
        case Opcode::WM: {
            const auto spoken = script::parseWaveMessage(argument);
            if (!spoken) {
                return makeError(spoken.error());
            }
            blnBusy = true;
            frmMain_->setEnabled(false);
            sound->playWaveC(folder_.pathAsGiven(script::AssetFolder::Music, spoken->wave));
            printMessage(spoken->text);
            // Waits for the wave's end, processing events; a short sleep between the
            // questions keeps the wait quiet.
            for (;;) {
                host_.doEvents();
                if (host_.quitting() || skippingLine_ || sound->GetWaveStop()) {
                    break;
                }
                host_.sleep(kWavePollMs);
            }
            frmMain_->setEnabled(true);
            blnBusy = false;
            return Ok{};
        }
        default:
            break;
    }
    const auto name = script::parseAssetName(op, argument);
    if (!name) {
        return makeError(name.error());
    }
    const auto path = folder_.pathAsGiven(script::AssetFolder::Music, *name);
    if (op == Opcode::MS || op == Opcode::MR) {
        scene_.music = op == Opcode::MR ? utf16ToUtf8(*name) : std::string();
    } else {
        scene_.waveLoop = op == Opcode::WR ? utf16ToUtf8(*name) : std::string();
    }
    switch (op) {
        case Opcode::WS:
            frmMain_->setEnabled(false);
            sound->playWaveA(path);
            host_.doEvents();
            frmMain_->setEnabled(true);
            break;
        case Opcode::WA:
            sound->playWaveB(path);
            break;
        case Opcode::WR:
            sound->playWaveLoop(path);
            break;
        case Opcode::MS:
            sound->playMidi(path);
            break;
        case Opcode::MR:
            sound->PlayMidiLoop(path);
            break;
        default:
            break;
    }
    return Ok{};
}

}  // namespace velko::engine
