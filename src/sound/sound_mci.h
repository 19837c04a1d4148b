#pragma once

// The sound player: one MIDI piece, played once or looped by a 500 ms polling timer; one wave
// whose end the caller can wait for; and one simple sound, waited for, started and forgotten,
// or looped. A new sound of a kind ends the one before. Files that are missing or broken are
// reported as warnings and play nothing; the story goes on.

#include <filesystem>
#include <functional>
#include <string>

#include "platform/audio.h"
#include "platform/event_pump.h"
#include "platform/host/host.h"

namespace velko::sound {

class SoundMci {
public:
    using Warn = std::function<void(const std::string&)>;

    // Plays through host.audio (nothing at all when the host has none). `warn` receives the
    // messages about files that cannot be played.
    SoundMci(platform::Host& host, Warn warn);
    SoundMci(const SoundMci&) = delete;
    SoundMci& operator=(const SoundMci&) = delete;

    // Plays the wave and returns when it has ended.
    void playWaveA(const std::filesystem::path& strWaveName);
    // Starts the wave and returns at once.
    void playWaveB(const std::filesystem::path& strWaveName);
    // Plays the wave on the device that GetWaveStop watches, and returns at once.
    void playWaveC(const std::filesystem::path& strWaveName);
    // Starts the wave repeating without end (the parameter is a wave despite its name).
    void playWaveLoop(const std::filesystem::path& strMidiName);
    // Stops the sound of playWaveA, playWaveB or playWaveLoop; the wave of playWaveC plays on.
    void stopWave();
    // Stops any piece, a loop included, and plays this one once.
    void playMidi(const std::filesystem::path& strMidiName);
    void stopMidi();
    // Plays the piece and starts it again from the beginning whenever it has ended.
    void PlayMidiLoop(const std::filesystem::path& strMidiName);
    // The loop timer's step.
    void mtmrMidiLoop();
    // True when the wave of playWaveC has ended (it is closed then), or when none is open:
    // a wave that could not be opened must not hold up the caller waiting for its end.
    bool GetWaveStop();

    bool midiLooping() const { return mblnMidiLoop; }

private:
    void trace(const char* method, const std::filesystem::path& file);
    void traceCall(const char* method);
    void openAndPlayMidi(const std::filesystem::path& file);
    void closeMidi();
    void reportFailure(const Status& status);

    platform::Host& host_;
    platform::NoAudio silence_;
    platform::Audio& audio_;
    Warn warn_;

    bool mblnMidiLoop = false;
    platform::TimerId mlngTimerID = 0;
    std::string midiName_;  // the piece's name as given, for the restart's trace line
};

}  // namespace velko::sound
