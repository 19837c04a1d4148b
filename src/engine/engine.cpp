#include "engine/engine.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/utf.h"
#include "effects/cross_hatch.h"
#include "engine/kept_state.h"
#include "engine/trace_text.h"
#include "engine/window_setup.h"
#include "message/message_disp.h"
#include "script/arguments.h"
#include "sound/sound_mci.h"
#include "store/store.h"

namespace velko::engine {

using script::Opcode;

Engine::Engine(platform::Host& host, const script::Script& script, GameFolder folder,
               Product product)
    : host_(host),
      script_(script),
      folder_(std::move(folder)),
      product_(std::move(product)),
      frmMain_(std::make_unique<FrmMain>(*this, host)) {
    // The scenario's identity is its lines, however they were loaded.
    std::string lines;
    for (const auto& [n, line] : script_.lines()) {
        lines += std::to_string(n) + "\t" + utf16ToUtf8(line.text) + "\n";
    }
    identity_ = store::identityOf(lines);
}

Engine::~Engine() {
    host_.window.setKeyWatcher(nullptr);
    cancelAuto();
    if (kept_) {
        kept_->saveRead();
    }
    host_.window.setMark({});
    frmMain_->Form_Unload();
}

std::u16string Engine::appTitle() const {
    return product_.title;
}

void Engine::Main() {
    // 1. A second instance ends at once, silently.
    if (anotherInstanceRunning()) {
        ended_ = true;
        return;
    }
    // 2. Colour depth. The advice box needs the window to be drawn in, so it is shown first.
    if (!checkColorDepth(host_)) {
        frmMain_->Form_Load();
        placeMainWindow(host_);
        ui::MessageBoxSpec request;
        request.text = u"このｹﾞｰﾑは16Bitｶﾗｰ以上でﾌﾟﾚｲすることをお勧めします。";
        request.title = appTitle();
        request.buttons = ui::Buttons::Ok;
        request.icon = ui::Icon::None;
        if (!ask(request)) {
            return;
        }
    }
    // 3. The long-lived presentation objects.
    objCrossHatch = std::make_shared<effects::CrossHatch>(host_);
    // Skipping draws fades at once, but not under KC: those fades keep time with music.
    objCrossHatch->hurry = [this] { return skipOn() && !frmMain_->KeyStop; };
    objMessageDisp = std::make_shared<message::MessageDisp>(host_, frmMain_->picDisp);
    objSoundMci =
        std::make_shared<sound::SoundMci>(host_, [this](const std::string& m) { warn(m); });
    if (!store_) {
        ownStore_ = std::make_unique<store::MemoryStore>();
        store_ = ownStore_.get();
    }
    kept_ =
        std::make_unique<KeptState>(*store_, identity_, [this](const std::string& m) { warn(m); });
    kept_->load();
    applyVolumes();
    host_.window.setKeyWatcher(
        [this](const platform::InputEvent& event) { return watchKey(event); });
    // 4. The main window.
    if (!frmMain_->loaded()) {
        frmMain_->Form_Load();
    }
    // 5. The effects' surfaces, in this order.
    objCrossHatch->Pict1(frmMain_->picDisp);
    objCrossHatch->pict2(frmMain_->picBmp);
    objCrossHatch->pict3(frmMain_->picFPtarn);
    objCrossHatch->pict4(frmMain_->picBackBuff);
    objCrossHatch->buildbitmap();
    // 6. Size, place and show the window.
    placeMainWindow(host_);
    // 7.
    host_.doEvents();
    // 8.
    intLineNumber = static_cast<std::int16_t>(firstLine - 1);
    RunScript();
}

void Engine::run() {
    Main();
    while (!ended_ && host_.pump.waitAndProcess()) {
    }
}

std::optional<platform::DialogAnswer> Engine::ask(const ui::MessageBoxSpec& request) {
    host_.trace.event("box", traceText(request.text));
    const auto answer = ui::messageBox(host_.window, host_.pump, request);
    if (answer) {
        static constexpr const char* kNames[] = {"ok", "cancel", "yes", "no"};
        host_.trace.event("answer", kNames[static_cast<int>(*answer)]);
    }
    return answer;
}

void Engine::warn(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", programName.c_str(), message.c_str());
    host_.trace.event("warning", message);
}

void Engine::RunScript() {
    if (ended_ || !frmMain_->loaded()) {
        return;
    }
    ++depth_;
    textWaits_ = false;
    cancelAuto();
    const std::uint64_t generation = generation_;
    // The lines run since the program last let time pass. Between two waits nothing but
    // the line number and the points steers the script (clicks are not taken while it
    // runs), so meeting one of these lines again means a loop that would spin for ever.
    std::vector<bool> passed(script::kLastLineNumber + 1);
    std::uint64_t waits = host_.waits;
    std::int16_t points = intPoint;
    bool stop = false;
    while (!stop) {
        host_.doEvents();
        if (ended_ || host_.quitting() || generation != generation_) {
            break;
        }
        if (intLineNumber == script::kLastLineNumber) {
            scriptError(intLineNumber, "there is no line after 32767");
            break;
        }
        ++intLineNumber;
        const auto line = script_.line(intLineNumber);
        if (!line) {
            std::string why = "there is no such line";
            if (lastLine_ == 0) {
                why += " (the script starts here)";
            } else if (lastLine_ + 1 == intLineNumber) {
                why += " (line " + std::to_string(lastLine_) + " goes on to it)";
            } else {
                why += " (reached from line " + std::to_string(lastLine_) + ")";
            }
            scriptError(intLineNumber, why);
            break;
        }
        if (host_.waits != waits || intPoint != points) {
            std::fill(passed.begin(), passed.end(), false);
            waits = host_.waits;
            points = intPoint;
        }
        if (passed[intLineNumber]) {
            scriptError(intLineNumber, "reached again from line " + std::to_string(lastLine_) +
                                           " with no pause, fade or wait for the reader in "
                                           "between; this loop would never end");
            break;
        }
        passed[intLineNumber] = true;
        const Opcode op = script::opcodeOf(*line);
        lastLine_ = intLineNumber;
        host_.trace.event(
            "line", std::to_string(intLineNumber) + " " + std::string(script::opcodeName(op)));
        const Status status = execute(op, *line, stop);
        if (ended_ || generation != generation_) {
            break;
        }
        textWaits_ = stop && status && (op == Opcode::Message || op == Opcode::WM);
        if (!status) {
            scriptError(lastLine_, status.error());
            break;
        }
        if (op == Opcode::PA || op == Opcode::PK || op == Opcode::PB || op == Opcode::PL ||
            op == Opcode::BD) {
            blnBusy = false;
            frmMain_->MenuClickFlag = true;
        }
    }
    --depth_;
}

Status Engine::execute(Opcode op, std::u16string_view line, bool& stop) {
    switch (op) {
        case Opcode::PA:
        case Opcode::PK:
        case Opcode::PB:
        case Opcode::PL:
        case Opcode::PF:
        case Opcode::BD:
            return pictureCommand(op, line);
        case Opcode::WM:
        case Opcode::Message: {
            skippingLine_ = skipThisLine();
            stop = !skippingLine_;
            const Status status = op == Opcode::WM ? soundCommand(op, line) : messageLine(line);
            // Skip turned on during the reveal goes on from this line as well.
            const bool skipped = skippingLine_ || skipOn();
            skippingLine_ = false;
            stop = !skipped;
            if (status && !ended_) {
                afterText(skipped);
            }
            return status;
        }
        case Opcode::WS:
        case Opcode::WA:
        case Opcode::WR:
        case Opcode::WC:
        case Opcode::MS:
        case Opcode::MR:
        case Opcode::MC:
            return soundCommand(op, line);
        case Opcode::QE:
            return questionCommand(line, stop);
        case Opcode::ZT:
        case Opcode::ZB:
        case Opcode::ZS:
        case Opcode::ZE:
        case Opcode::KB:
            return choiceCommand(op, line, stop);
        case Opcode::JP:
        case Opcode::IF:
        case Opcode::WT:
        case Opcode::KS:
        case Opcode::KC:
        case Opcode::KO:
        case Opcode::KR:
        case Opcode::FR:
        case Opcode::ED:
            return flowCommand(op, line, stop);
        case Opcode::ST:
            // The script's own way back to the title is the end of the story.
            endStory();
            blnBusy = true;
            ShowTitle();
            stop = true;
            return Ok{};
        case Opcode::ES:
        case Opcode::EH:
        case Opcode::ET:
            return endingCommand(op, line, stop);
    }
    return Ok{};
}

void Engine::scriptError(int line, const std::string& message) {
    ++generation_;
    const std::string text = "scenario line " + std::to_string(line) + ": " + message;
    std::fprintf(stderr, "%s: %s\n", programName.c_str(), text.c_str());
    ++scriptErrors_;
    host_.trace.event("error", std::to_string(line) + " " + message);
    if (handlingError_) {
        // The error came while recovering from another one: give up.
        EndEngine();
        unloadMainWindow();
        return;
    }
    handlingError_ = true;
    ui::MessageBoxSpec request;
    request.text = u16(text);
    request.title = appTitle();
    request.buttons = ui::Buttons::Ok;
    request.icon = ui::Icon::Warning;
    const bool answered = ask(request).has_value();
    if (answered && !ended_ && titleShown_ && titleAssetsExist()) {
        ShowTitle();
    } else if (!ended_) {
        unloadMainWindow();
    }
    handlingError_ = false;
}

bool Engine::titleAssetsExist() const {
    return folder_.exists(script::AssetFolder::Bmp, u"title.bmp") &&
           folder_.exists(script::AssetFolder::Bmp, u"button01.bmp") &&
           folder_.exists(script::AssetFolder::Music, u"title.mid");
}

void Engine::MenuJump(std::int16_t n) {
    host_.trace.event("jump", std::to_string(n));
    intLineNumber = static_cast<std::int16_t>(n - 1);
    // Pressed while lines are still being read (between the buttons' lines): the running
    // loop goes on at the target instead of a second loop inside it.
    if (!interpreterRunning()) {
        RunScript();
    }
}

void Engine::EndEngine() {
    if (objSoundMci) {
        auto sound = objSoundMci;
        sound->stopMidi();
        sound->stopWave();
    }
    if (objCrossHatch) {
        auto hatch = objCrossHatch;
        hatch->PlayFade(0, 1);
    }
    objCrossHatch.reset();
    objMessageDisp.reset();
    objSoundMci.reset();
}

void Engine::closeRequested() {
    if (ended_) {
        return;
    }
    leaveStory();
    EndEngine();
    frmMain_->Form_Unload();
    endProgram();
}

void Engine::unloadMainWindow() {
    closeRequested();
}

void Engine::setPoints(std::int16_t points) {
    if (points != intPoint) {
        intPoint = points;
        host_.trace.event("points", std::to_string(intPoint));
    }
}

void Engine::endProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    host_.trace.event("exit");
    host_.pump.requestQuit();
}

}  // namespace velko::engine
