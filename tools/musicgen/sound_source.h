#pragma once

// A sound source (.snd) describes a short sound as a sum of tones, each a sine carrier with
// an optional frequency-modulating sine, under an attack and exponential-decay envelope:
//
//   ; comment
//   rate 44100          samples per second (22050 or 44100)
//   channels 2          1 or 2
//   seconds 1.5         length of the file
//   peak 0.7            the loudest sample is scaled to this share of full scale
//   tone at=0 freq=1046.5 amp=1 attack=0.004 decay=0.6 fm_ratio=3.5 fm_index=2 fm_decay=0.2
//        pan=-0.3 detune=1.5
//
// Keys of a tone: at (start, s), freq (Hz), amp, attack (s), decay (time constant, s),
// fm_ratio and fm_index (modulator frequency as a multiple of freq, and its peak index),
// fm_decay (time constant of the index), pan (-1 left .. 1 right), detune (Hz: a second
// carrier this much higher, for the slow beating of a bell).

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace velko::musicgen {

struct Tone {
    double at = 0.0;
    double freq = 440.0;
    double amp = 1.0;
    double attack = 0.005;
    double decay = 0.5;
    double fmRatio = 0.0;
    double fmIndex = 0.0;
    double fmDecay = 0.0;  // 0: as decay
    double pan = 0.0;
    double detune = 0.0;
};

struct SoundSource {
    int rate = 44100;
    int channels = 1;
    double seconds = 1.0;
    double peak = 0.7;
    std::vector<Tone> tones;
};

Result<SoundSource> parseSoundSource(std::string_view text, const std::string& file);

}  // namespace velko::musicgen
