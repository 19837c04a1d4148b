#include "platform/sdl/sdl_audio.h"

#include <algorithm>

#include <SDL.h>
#include <SDL_mixer.h>

#include <sstream>
#include <system_error>

namespace velko::sdl {

using platform::AudioDevice;
using platform::DeviceMode;
using platform::SoundPlay;

namespace {

constexpr int kSimpleChannel = 0;
constexpr int kWaveChannel = 1;
// How long a blocking play waits past the wave's length for the mixer to finish it.
constexpr std::uint32_t kDrainLimitMs = 500;

bool existsFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

Mix_Music* loadMusic(const sound::SoundFile& file) {
    SDL_RWops* rw = SDL_RWFromConstMem(file.bytes.data(), static_cast<int>(file.bytes.size()));
    return rw ? Mix_LoadMUSType_RW(rw, MUS_MID, 1) : nullptr;
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

SdlAudio::SdlAudio(platform::Clock& clock, const std::function<void(const std::string&)>& notice)
    : clock_(clock) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        notice(std::string("no sound device (") + SDL_GetError() + "); playing without sound");
        return;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        notice(std::string("no sound device (") + Mix_GetError() + "); playing without sound");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    mixer_ = true;
    Mix_AllocateChannels(2);
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
    if (midi && hasMusic()) {
        d.music = loadMusic(d.file);
        if (!d.music) {
            const std::string why = Mix_GetError();
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
    d.timeline.start(clock_.tickCount(), d.file.durationMs);
    if (d.music) {
        // Starting again from the beginning: the synthesiser may still be letting the last
        // notes ring out, which this cuts short.
        // The synthesiser cannot be rewound: a piece that has played already is loaded anew
        // to start from its beginning.
        if (d.played) {
            Mix_HaltMusic();
            Mix_FreeMusic(d.music);
            d.music = loadMusic(d.file);
            if (!d.music) {
                return;
            }
        }
        d.played = true;
        Mix_PlayMusic(d.music, 0);
    } else if (d.chunk) {
        Mix_PlayChannel(kWaveChannel, d.chunk, 0);
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
        return DeviceMode::Playing;
    }
    // The mixer starts a wave a little after the clock does; a wave is over when both agree,
    // so that closing it at once does not cut its last moments.
    if (d.chunk && Mix_Playing(kWaveChannel)) {
        return DeviceMode::Playing;
    }
    return DeviceMode::Stopped;
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
    if (!mixer_) {
        return;
    }
    const int level = std::clamp(percent, 0, 100) * MIX_MAX_VOLUME / 100;
    if (kind == platform::VolumeKind::Music) {
        // The mixer keeps the level for pieces started later as well.
        Mix_VolumeMusic(level);
    } else {
        Mix_Volume(-1, level);
    }
}

}  // namespace velko::sdl
