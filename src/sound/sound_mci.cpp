#include "sound/sound_mci.h"

namespace velko::sound {

using platform::AudioDevice;
using platform::DeviceMode;
using platform::SoundPlay;

namespace {

constexpr std::uint32_t kLoopPollMs = 500;

}  // namespace

SoundMci::SoundMci(platform::Host& host, Warn warn)
    : host_(host), audio_(host.audio ? *host.audio : silence_), warn_(std::move(warn)) {
    // Whatever an earlier player left open is ended.
    audio_.stop(AudioDevice::Midi);
    audio_.close(AudioDevice::Midi);
    audio_.stop(AudioDevice::Wave);
    audio_.close(AudioDevice::Wave);
}

void SoundMci::trace(const char* method, const std::filesystem::path& file) {
    host_.trace.event("sound", std::string(method) + " " + file.filename().string());
}

void SoundMci::traceCall(const char* method) {
    host_.trace.event("sound", method);
}

void SoundMci::reportFailure(const Status& status) {
    if (!status && warn_) {
        warn_(status.error() + " (not played)");
    }
}

void SoundMci::playWaveA(const std::filesystem::path& strWaveName) {
    trace("playWaveA", strWaveName);
    const Status played = audio_.playSound(strWaveName, SoundPlay::Wait);
    if (played) {
        // The program waited for the sound: time has passed, as in a pause.
        ++host_.waits;
    }
    reportFailure(played);
}

void SoundMci::playWaveB(const std::filesystem::path& strWaveName) {
    trace("playWaveB", strWaveName);
    reportFailure(audio_.playSound(strWaveName, SoundPlay::Start));
}

void SoundMci::playWaveC(const std::filesystem::path& strWaveName) {
    trace("playWaveC", strWaveName);
    audio_.stop(AudioDevice::Wave);
    audio_.close(AudioDevice::Wave);
    const Status opened = audio_.open(AudioDevice::Wave, strWaveName);
    reportFailure(opened);
    audio_.play(AudioDevice::Wave);
}

void SoundMci::playWaveLoop(const std::filesystem::path& strMidiName) {
    trace("playWaveLoop", strMidiName);
    reportFailure(audio_.playSound(strMidiName, SoundPlay::Loop));
}

void SoundMci::stopWave() {
    traceCall("stopWave");
    audio_.stopSound();
}

void SoundMci::closeMidi() {
    audio_.stop(AudioDevice::Midi);
    audio_.close(AudioDevice::Midi);
    mblnMidiLoop = false;
    // The id is kept; killing it again later does no harm.
    host_.pump.killTimer(mlngTimerID);
}

void SoundMci::openAndPlayMidi(const std::filesystem::path& file) {
    closeMidi();
    midiName_ = file.filename().string();
    const Status opened = audio_.open(AudioDevice::Midi, file);
    reportFailure(opened);
    audio_.play(AudioDevice::Midi);
}

void SoundMci::playMidi(const std::filesystem::path& strMidiName) {
    trace("playMidi", strMidiName);
    openAndPlayMidi(strMidiName);
}

void SoundMci::stopMidi() {
    traceCall("stopMidi");
    closeMidi();
}

void SoundMci::PlayMidiLoop(const std::filesystem::path& strMidiName) {
    trace("PlayMidiLoop", strMidiName);
    // This ends an earlier loop and its timer, so at most one loop timer exists.
    openAndPlayMidi(strMidiName);
    mblnMidiLoop = true;
    mlngTimerID = host_.pump.setTimer(kLoopPollMs, [this] { mtmrMidiLoop(); });
}

void SoundMci::mtmrMidiLoop() {
    if (!mblnMidiLoop) {
        return;
    }
    // A click handled here may stop the music or start another piece.
    host_.doEvents();
    const DeviceMode mode = audio_.mode(AudioDevice::Midi);
    if (mode == DeviceMode::Stopped && mblnMidiLoop) {
        host_.trace.event("sound", "restart " + midiName_);
        audio_.play(AudioDevice::Midi);
    } else if (!mblnMidiLoop) {
        host_.pump.killTimer(mlngTimerID);
    }
}

bool SoundMci::GetWaveStop() {
    switch (audio_.mode(AudioDevice::Wave)) {
        case DeviceMode::Playing:
            return false;
        case DeviceMode::Stopped:
            audio_.close(AudioDevice::Wave);
            return true;
        case DeviceMode::NotOpen:
            break;
    }
    return true;
}

}  // namespace velko::sound
