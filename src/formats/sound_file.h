#pragma once

// A sound file as the players take it: found without regard to letter case (the scenario
// was written for a file system that ignores it), read whole with a size limit, checked, and
// measured. Shared by the program's audio and the silent one of headless runs, so both agree
// on what plays and for how long.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"

namespace velko::sound {

enum class SoundKind { Midi, Wave };

struct SoundFile {
    std::filesystem::path path;  // the file found
    std::vector<std::uint8_t> bytes;
    std::uint32_t durationMs = 0;
};

// Larger files are refused: nothing this program plays comes near it.
constexpr std::uintmax_t kMaxSoundFileBytes = 64u << 20;

// The name used in messages: the file with its folder, "Music/velko01.mid".
std::string soundFileLabel(const std::filesystem::path& file);

// Errors name the file: "Music/a.mid: not found", "Music/b.wav: not a RIFF/WAVE file".
Result<SoundFile> loadSoundFile(const std::filesystem::path& file, SoundKind kind);

// One playing of a file, kept by the clock: it has ended once its length has passed since
// the start. Synthesisers report the end of a piece seconds late, or never.
class PlayTimeline {
public:
    void start(std::uint32_t now, std::uint32_t durationMs) {
        start_ = now;
        duration_ = durationMs;
        playing_ = true;
    }
    void stop() { playing_ = false; }
    bool playing(std::uint32_t now) const {
        return playing_ && static_cast<std::uint32_t>(now - start_) < duration_;
    }

private:
    std::uint32_t start_ = 0;
    std::uint32_t duration_ = 0;
    bool playing_ = false;
};

}  // namespace velko::sound
