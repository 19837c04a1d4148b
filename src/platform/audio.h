#pragma once

// What the sound player plays through: two devices that are opened on a file, played, stopped
// and closed, and whose mode can be asked (the MIDI sequencer and the wave device the caller
// can wait on), plus one "simple" sound that is started and forgotten, waited for, or looped.
// The program's implementation makes sound; the headless one only keeps time. Both report a
// device as stopped at the moment its file has played to the end, by the clock.

#include <filesystem>

#include "base/result.h"

namespace velko::platform {

enum class AudioDevice { Midi, Wave };

enum class DeviceMode { NotOpen, Playing, Stopped };

// The two volumes the reader sets: music is the MIDI device, sound the wave device and the
// simple sound.
enum class VolumeKind { Music, Sound };

enum class SoundPlay {
    Wait,   // returns when the sound has ended
    Start,  // returns at once
    Loop,   // repeats until stopped or replaced
};

class Audio {
public:
    virtual ~Audio() = default;

    // Opens the file on the device, closing whatever it held. Fails with a message that names
    // the file when it is missing or not a sound the device plays; the device is closed then.
    virtual Status open(AudioDevice device, const std::filesystem::path& file) = 0;
    // Plays the open file from its beginning; nothing when the device is closed.
    virtual void play(AudioDevice device) = 0;
    virtual void stop(AudioDevice device) = 0;
    virtual void close(AudioDevice device) = 0;
    virtual DeviceMode mode(AudioDevice device) = 0;

    // Plays a wave file as the one simple sound, ending the one before.
    virtual Status playSound(const std::filesystem::path& file, SoundPlay how) = 0;
    virtual void stopSound() = 0;

    // 0 (silent) to 100 (as the file is); applies to what plays now and later.
    virtual void setVolume(VolumeKind /*kind*/, int /*percent*/) {}
};

// For hosts that have no sound at all: everything is accepted and nothing ever plays.
class NoAudio final : public Audio {
public:
    Status open(AudioDevice, const std::filesystem::path&) override { return Ok{}; }
    void play(AudioDevice) override {}
    void stop(AudioDevice) override {}
    void close(AudioDevice) override {}
    DeviceMode mode(AudioDevice) override { return DeviceMode::NotOpen; }
    Status playSound(const std::filesystem::path&, SoundPlay) override { return Ok{}; }
    void stopSound() override {}
};

}  // namespace velko::platform
