#include "platform/sdl/sdl_audio.h"

#include <algorithm>

#include <SDL.h>
#include <SDL_mixer.h>

#include <sstream>

#include "platform/sdl/alsa_quiet.h"
#include <system_error>

namespace velko::sdl {

using platform::AudioDevice;
using platform::DeviceMode;
using platform::SoundPlay;

namespace {

constexpr int kSimpleChannel = 0;
constexpr int kWaveChannel = 1;
constexpr int kBufferFrames = 1024;
// How long before a piece's end its next start is loaded: more than the loop timer's period,
// so that the poll that restarts it finds the copy ready.
constexpr std::uint32_t kPrepareAheadMs = 1500;
// How long a blocking play waits past the wave's length for the mixer to finish it.
constexpr std::uint32_t kDrainLimitMs = 500;

bool existsFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

Mix_Chunk* loadChunk(const sound::SoundFile& file) {
    SDL_RWops* rw = SDL_RWFromConstMem(file.bytes.data(), static_cast<int>(file.bytes.size()));
    return rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
}

}  // namespace

std::string findSoundFont() {
    // SDL_mixer's own idea first (it honours SDL_SOUNDFONTS with SDL_FORCE_SOUNDFONTS=1);
    // a path it names that does not exist would fail later with a misleading message.
    if (const char* fonts = Mix_GetSoundFonts()) {
        std::istringstream list(fonts);
        std::string path;
        while (std::getline(list, path, ';')) {
            if (existsFile(path)) {
                return path;
            }
        }
    }
    for (const char* path :
         {"/usr/share/sounds/sf3/default-GM.sf3", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        if (existsFile(path)) {
            return path;
        }
    }
    return {};
}

SdlAudio::SdlAudio(platform::Clock& clock, const std::function<void(const std::string&)>& notice,
                   Renderings renderings)
    : clock_(clock), notice_(notice), renderings_(std::move(renderings)) {}

Mix_Music* SdlAudio::loadMusic(const Device& d) const {
    if (renderings_) {
        return d.rendering ? Mix_LoadMUS(d.rendering->c_str()) : nullptr;
    }
    SDL_RWops* rw =
        SDL_RWFromConstMem(d.file.bytes.data(), static_cast<int>(d.file.bytes.size()));
    return rw ? Mix_LoadMUSType_RW(rw, MUS_MID, 1) : nullptr;
}

void SdlAudio::openDevice() {
    if (tried_) {
        return;
    }
    tried_ = true;
    const auto& notice = notice_;
    // SDL's own failure message ends the notice; ALSA's lines before it say nothing more.
    AlsaQuiet quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        notice(std::string("no sound device (") + SDL_GetError() + "); playing without sound");
        return;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, kBufferFrames) != 0) {
        notice(std::string("no sound device (") + Mix_GetError() + "); playing without sound");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    mixer_ = true;
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 1 && rate > 0) {
        // Sound written now is heard once the buffers ahead of it have played: two of them.
        outputLatencyMs_ = static_cast<std::uint32_t>(2 * kBufferFrames * 1000 / rate);
    }
    Mix_AllocateChannels(2);
    applyVolumes();
    if (renderings_) {
        return;
    }
    soundFont_ = findSoundFont();
    if (soundFont_.empty() || Mix_SetSoundFonts(soundFont_.c_str()) == 0) {
        soundFont_.clear();
        notice("no General MIDI soundfont found (Debian: timgm6mb-soundfont); music is silent");
    }
}

SdlAudio::~SdlAudio() {
    close(AudioDevice::Midi);
    close(AudioDevice::Wave);
    stopSound();
    if (mixer_) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

Status SdlAudio::open(AudioDevice device, const std::filesystem::path& file) {
    close(device);
    const bool midi = device == AudioDevice::Midi;
    auto loaded =
        sound::loadSoundFile(file, midi ? sound::SoundKind::Midi : sound::SoundKind::Wave);
    if (!loaded) {
        return makeError(loaded.error());
    }
    Device& d = at(device);
    d.file = std::move(loaded).value();
    openDevice();
    if (midi && hasMusic()) {
        if (renderings_) {
            d.rendering = renderings_(file);
        }
        d.music = loadMusic(d);
        if (!d.music) {
            const std::string why = d.rendering || !renderings_
                                        ? std::string(Mix_GetError())
                                        : std::string("no rendering of the piece to play");
            d = Device{};
            return makeError(sound::soundFileLabel(file) + ": " + why);
        }
    } else if (!midi && mixer_) {
        d.chunk = loadChunk(d.file);
        if (!d.chunk) {
            const std::string why = Mix_GetError();
            d = Device{};
            return makeError(sound::soundFileLabel(file) + ": " + why);
        }
    }
    d.open = true;
    return Ok{};
}

void SdlAudio::play(AudioDevice device) {
    Device& d = at(device);
    if (!d.open) {
        return;
    }
    if (d.music) {
        // The synthesiser cannot be rewound: a piece that has played already starts again
        // from a fresh copy (loaded ahead when the round neared its end), cutting short any
        // notes still ringing out.
        if (d.played) {
            Mix_HaltMusic();
            Mix_FreeMusic(d.music);
            d.music = d.spare ? d.spare : loadMusic(d);
            d.spare = nullptr;
        }
        d.played = true;
        if (d.music) {
            Mix_PlayMusic(d.music, 0);
        }
        // The piece's time starts when it really sounds, after the reload, and runs until
        // the device has played out its buffer: a loop's restart then waits for the real
        // end instead of cutting it short.
        d.startedAt = clock_.tickCount();
        d.timeline.start(d.startedAt, d.file.durationMs + outputLatencyMs_);
    } else {
        d.playedAt = clock_.tickCount();
        d.timeline.start(d.playedAt, d.file.durationMs);
        if (d.chunk) {
            Mix_PlayChannel(kWaveChannel, d.chunk, 0);
        }
    }
}

void SdlAudio::stop(AudioDevice device) {
    Device& d = at(device);
    d.timeline.stop();
    if (d.music) {
        Mix_HaltMusic();
    } else if (d.chunk) {
        Mix_HaltChannel(kWaveChannel);
    }
}

void SdlAudio::close(AudioDevice device) {
    stop(device);
    Device& d = at(device);
    if (d.music) {
        Mix_FreeMusic(d.music);
    }
    if (d.spare) {
        Mix_FreeMusic(d.spare);
    }
    if (d.chunk) {
        Mix_FreeChunk(d.chunk);
    }
    d = Device{};
}

DeviceMode SdlAudio::mode(AudioDevice device) {
    Device& d = at(device);
    if (!d.open) {
        return DeviceMode::NotOpen;
    }
    if (d.timeline.playing(clock_.tickCount())) {
        prepareRestart(d);
        return DeviceMode::Playing;
    }
    // The mixer starts a wave a little after the clock does; a wave is over when both agree,
    // so that closing it at once does not cut its last moments. A device that has stopped
    // taking sound (a browser holding audio back until the reader clicks) is not waited
    // for longer than a blocking sound is.
    const std::uint32_t sincePlay = clock_.tickCount() - d.playedAt;
    if (d.chunk && Mix_Playing(kWaveChannel) && sincePlay < d.file.durationMs + kDrainLimitMs) {
        return DeviceMode::Playing;
    }
    return DeviceMode::Stopped;
}

void SdlAudio::prepareRestart(Device& d) {
    // Asked while a piece plays, as the loop timer does: near its end the copy for the next
    // round is loaded now, while this one still sounds. Only then, so that a piece holds a
    // second synthesiser (some megabytes) for its last moments only.
    if (!d.music || d.spare) {
        return;
    }
    const std::uint32_t elapsed = clock_.tickCount() - d.startedAt;
    if (elapsed + kPrepareAheadMs >= d.file.durationMs) {
        d.spare = loadMusic(d);
    }
}

void SdlAudio::freeSimple() {
    if (simple_) {
        Mix_HaltChannel(kSimpleChannel);
        Mix_FreeChunk(simple_);
        simple_ = nullptr;
    }
}

Status SdlAudio::playSound(const std::filesystem::path& file, SoundPlay how) {
    // A new sound ends the one before, whether or not it can be played itself.
    freeSimple();
    openDevice();
    auto loaded = sound::loadSoundFile(file, sound::SoundKind::Wave);
    if (!loaded) {
        return makeError(loaded.error());
    }
    if (mixer_) {
        simple_ = loadChunk(*loaded);
        if (!simple_) {
            return makeError(sound::soundFileLabel(file) + ": " + Mix_GetError());
        }
        Mix_PlayChannel(kSimpleChannel, simple_, how == SoundPlay::Loop ? -1 : 0);
    }
    if (how == SoundPlay::Wait) {
        // Sleeps through the sound instead of asking the mixer again and again; the device
        // lags a little behind the clock, so its end is awaited a short while more.
        clock_.sleep(loaded->durationMs);
        for (std::uint32_t waited = 0;
             mixer_ && Mix_Playing(kSimpleChannel) && waited < kDrainLimitMs; waited += 5) {
            clock_.sleep(5);
        }
    }
    return Ok{};
}

void SdlAudio::stopSound() {
    freeSimple();
}

void SdlAudio::setVolume(platform::VolumeKind kind, int percent) {
    const int level = std::clamp(percent, 0, 100) * MIX_MAX_VOLUME / 100;
    // Kept for a device that is opened later, at the first sound.
    (kind == platform::VolumeKind::Music ? musicLevel_ : soundLevel_) = level;
    applyVolumes();
}

void SdlAudio::applyVolumes() {
    if (!mixer_) {
        return;
    }
    // The mixer keeps the levels for pieces and waves started later as well.
    if (musicLevel_ >= 0) {
        Mix_VolumeMusic(musicLevel_);
    }
    if (soundLevel_ >= 0) {
        Mix_Volume(-1, soundLevel_);
    }
}

}  // namespace velko::sdl
