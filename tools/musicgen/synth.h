#pragma once

// Renders a sound source to 16-bit PCM and wraps it in a RIFF/WAVE file.

#include <cstdint>
#include <vector>

#include "sound_source.h"

namespace velko::musicgen {

// Interleaved samples, `source.channels` per frame.
std::vector<std::int16_t> renderSound(const SoundSource& source);

std::vector<std::uint8_t> writeWave(const std::vector<std::int16_t>& samples, int channels,
                                    int rate);

}  // namespace velko::musicgen
