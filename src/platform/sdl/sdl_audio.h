#pragma once

// The program's audio on SDL2_mixer: MIDI through FluidSynth and the installed General MIDI
// soundfont, waves as chunks (channel 0 for the simple sound, 1 for the device the caller
// waits on). Whether a device plays is told by the clock and the file's length, as in headless
// runs (a wave also counts as playing while the mixer still has some of it to play). Without a
// sound device or a soundfont it keeps the same time in silence, after a one-line notice.
// The device is opened at the first sound, not at start-up: probing for it can take a
// tenth of a second that the window's first frame need not wait for.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/audio.h"
#include "platform/clock.h"
#include "formats/sound_file.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace velko::sdl {

class SdlAudio final : public platform::Audio {
public:
    // Where a MIDI piece was rendered in advance (a file SDL_mixer plays), for hosts that
    // have no synthesiser; nothing when the piece has no rendering.
    using Renderings =
        std::function<std::optional<std::filesystem::path>(const std::filesystem::path& midi)>;

    // `notice` receives one line when the program must run silent (or without music), when
    // the first sound finds out. With `renderings`, music plays from them instead of
    // FluidSynth.
    SdlAudio(platform::Clock& clock, const std::function<void(const std::string&)>& notice,
             Renderings renderings = {});
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the device now if it has not been tried yet.
    bool hasSound() {
        openDevice();
        return mixer_;
    }
    bool hasMusic() { return hasSound() && (renderings_ || !soundFont_.empty()); }

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
        std::uint32_t playedAt = 0;
        Mix_Music* music = nullptr;
        std::optional<std::filesystem::path> rendering;
        bool played = false;  // the music has been started since it was loaded
        // A fresh copy of the piece, loaded near the end of a round so that a loop's
        // restart starts at once instead of after a reload of the piece and its soundfont.
        Mix_Music* spare = nullptr;
        std::uint32_t startedAt = 0;  // clock tick of the last start
        Mix_Chunk* chunk = nullptr;
    };
    Device& at(platform::AudioDevice device) {
        return devices_[device == platform::AudioDevice::Midi ? 0 : 1];
    }
    void freeSimple();
    void openDevice();
    Mix_Music* loadMusic(const Device& d) const;
    void prepareRestart(Device& d);
    void applyVolumes();

    platform::Clock& clock_;
    std::function<void(const std::string&)> notice_;
    bool tried_ = false;
    bool mixer_ = false;
    std::uint32_t outputLatencyMs_ = 0;
    int musicLevel_ = -1;  // mixer levels asked for, -1: never set
    int soundLevel_ = -1;
    std::string soundFont_;
    Renderings renderings_;
    std::array<Device, 2> devices_;
    Mix_Chunk* simple_ = nullptr;
};

// The General MIDI soundfont to use: the one SDL_mixer was built to expect, else a known
// Debian location; empty when there is none.
std::string findSoundFont();

}  // namespace velko::sdl
