#pragma once

// The sound player: one MIDI piece (once, or looped by a 500 ms polling timer) and wave
// sounds. For now it only records what it is asked in the trace; playback comes with the
// audio back ends.

#include <filesystem>

#include "platform/host.h"

namespace velko::sound {

class SoundMci {
public:
    explicit SoundMci(platform::Host& host) : host_(host) {}

    void playWaveA(const std::filesystem::path& strWaveName) { trace("playWaveA", strWaveName); }
    void playWaveB(const std::filesystem::path& strWaveName) { trace("playWaveB", strWaveName); }
    void playWaveC(const std::filesystem::path& strWaveName) { trace("playWaveC", strWaveName); }
    void playWaveLoop(const std::filesystem::path& strMidiName) {
        trace("playWaveLoop", strMidiName);
    }
    void stopWave() { host_.trace.event("sound", "stopWave"); }
    void playMidi(const std::filesystem::path& strMidiName) { trace("playMidi", strMidiName); }
    void stopMidi() { host_.trace.event("sound", "stopMidi"); }
    void PlayMidiLoop(const std::filesystem::path& strMidiName) {
        trace("PlayMidiLoop", strMidiName);
    }
    void mtmrMidiLoop() {}
    bool GetWaveStop() { return true; }

private:
    void trace(const char* method, const std::filesystem::path& file) {
        host_.trace.event("sound", std::string(method) + " " + file.filename().string());
    }

    platform::Host& host_;
};

}  // namespace velko::sound
