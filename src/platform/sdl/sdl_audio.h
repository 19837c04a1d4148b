#pragma once

// The program's audio on SDL2_mixer: MIDI through FluidSynth and the installed General MIDI
// soundfont, waves as chunks (channel 0 for the simple sound, 1 for the device the caller
// waits on). Whether a device plays is told by the clock and the file's length, as in headless
// runs (a wave also counts as playing while the mixer still has some of it to play). Without a
// sound device or a soundfont it keeps the same time in silence, after a one-line notice.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/audio.h"
#include "platform/clock.h"
#include "formats/sound_file.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace velko::sdl {

class SdlAudio final : public platform::Audio {
public:
    // Opens the sound device. `notice` receives one line when the program must run silent
    // (or without music).
    SdlAudio(platform::Clock& clock, const std::function<void(const std::string&)>& notice);
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool hasSound() const { return mixer_; }
    bool hasMusic() const { return mixer_ && !soundFont_.empty(); }

    Status open(platform::AudioDevice device, const std::filesystem::path& file) override;
    void play(platform::AudioDevice device) override;
    void stop(platform::AudioDevice device) override;
    void close(platform::AudioDevice device) override;
    platform::DeviceMode mode(platform::AudioDevice device) override;

    Status playSound(const std::filesystem::path& file, platform::SoundPlay how) override;
    void stopSound() override;
    void setVolume(platform::VolumeKind kind, int percent) override;

private:
    struct Device {
        bool open = false;
        sound::SoundFile file;
        sound::PlayTimeline timeline;
        Mix_Music* music = nullptr;
        bool played = false;  // the music has been started since it was loaded
        Mix_Chunk* chunk = nullptr;
    };
    Device& at(platform::AudioDevice device) {
        return devices_[device == platform::AudioDevice::Midi ? 0 : 1];
    }
    void freeSimple();

    platform::Clock& clock_;
    bool mixer_ = false;
    std::string soundFont_;
    std::array<Device, 2> devices_;
    Mix_Chunk* simple_ = nullptr;
};

// The General MIDI soundfont to use: the one SDL_mixer was built to expect, else a known
// Debian location; empty when there is none.
std::string findSoundFont();

}  // namespace velko::sdl
