#pragma once

// Checks a RIFF/WAVE file of uncompressed PCM samples and measures it.

#include <cstdint>
#include <span>

#include "base/result.h"

namespace velko::sound {

struct WaveInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::uint32_t frames = 0;
    std::uint64_t durationMs = 0;
    std::size_t dataOffset = 0;  // where the samples start in the file
    std::uint32_t dataSize = 0;  // in bytes, a whole number of frames
};

Result<WaveInfo> inspectWave(std::span<const std::uint8_t> bytes);

}  // namespace velko::sound
