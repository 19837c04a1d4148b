#pragma once

// The headless runs' audio: silent, but it reads each file's length from its header and
// reports the devices as playing or stopped by the clock, so waits for the end of a sound,
// loop restarts and blocking plays take the time they would take with sound.

#include <array>

#include "platform/audio.h"
#include "platform/clock.h"
#include "formats/sound_file.h"

namespace velko::headless {

class SilentAudio final : public platform::Audio {
public:
    explicit SilentAudio(platform::Clock& clock) : clock_(clock) {}

    Status open(platform::AudioDevice device, const std::filesystem::path& file) override;
    void play(platform::AudioDevice device) override;
    void stop(platform::AudioDevice device) override;
    void close(platform::AudioDevice device) override;
    platform::DeviceMode mode(platform::AudioDevice device) override;

    Status playSound(const std::filesystem::path& file, platform::SoundPlay how) override;
    void stopSound() override {}

    // Nothing is heard; the volumes are only kept, for tests to ask.
    void setVolume(platform::VolumeKind kind, int percent) override {
        volumes_[kind == platform::VolumeKind::Music ? 0 : 1] = percent;
    }
    int volume(platform::VolumeKind kind) const {
        return volumes_[kind == platform::VolumeKind::Music ? 0 : 1];
    }

private:
    struct Device {
        bool open = false;
        std::uint32_t durationMs = 0;
        sound::PlayTimeline timeline;
    };
    Device& at(platform::AudioDevice device) {
        return devices_[device == platform::AudioDevice::Midi ? 0 : 1];
    }

    platform::Clock& clock_;
    std::array<Device, 2> devices_;
    std::array<int, 2> volumes_{100, 100};
};

}  // namespace velko::headless
