#include "platform/headless/silent_audio.h"

namespace velko::headless {

using platform::AudioDevice;
using platform::DeviceMode;

Status SilentAudio::open(AudioDevice device, const std::filesystem::path& file) {
    close(device);
    const auto kind = device == AudioDevice::Midi ? sound::SoundKind::Midi : sound::SoundKind::Wave;
    auto loaded = sound::loadSoundFile(file, kind);
    if (!loaded) {
        return makeError(loaded.error());
    }
    Device& d = at(device);
    d.open = true;
    d.durationMs = loaded->durationMs;
    return Ok{};
}

void SilentAudio::play(AudioDevice device) {
    Device& d = at(device);
    if (d.open) {
        d.timeline.start(clock_.tickCount(), d.durationMs);
    }
}

void SilentAudio::stop(AudioDevice device) {
    at(device).timeline.stop();
}

void SilentAudio::close(AudioDevice device) {
    at(device) = Device{};
}

DeviceMode SilentAudio::mode(AudioDevice device) {
    Device& d = at(device);
    if (!d.open) {
        return DeviceMode::NotOpen;
    }
    return d.timeline.playing(clock_.tickCount()) ? DeviceMode::Playing : DeviceMode::Stopped;
}

Status SilentAudio::playSound(const std::filesystem::path& file, platform::SoundPlay how) {
    auto loaded = sound::loadSoundFile(file, sound::SoundKind::Wave);
    if (!loaded) {
        return makeError(loaded.error());
    }
    // Only a blocking play is observable without sound: it takes the wave's length.
    if (how == platform::SoundPlay::Wait) {
        clock_.sleep(loaded->durationMs);
    }
    return Ok{};
}

}  // namespace velko::headless
