#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velko::musicgen {
namespace {

// The last few milliseconds fade to zero so that the file never ends on a click.
constexpr double kTailFade = 0.03;

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void appendU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void appendTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

}  // namespace

std::vector<std::int16_t> renderSound(const SoundSource& source) {
    const auto frames = static_cast<std::size_t>(std::lround(source.seconds * source.rate));
    const int channels = source.channels;
    std::vector<double> mix(frames * static_cast<std::size_t>(channels), 0.0);
    const double twoPi = 2.0 * std::numbers::pi;

    for (const Tone& tone : source.tones) {
        const auto first = static_cast<std::size_t>(std::lround(tone.at * source.rate));
        // Equal-power pan.
        const double angle = (tone.pan + 1.0) * std::numbers::pi / 4.0;
        const double gains[2] = {channels == 1 ? 1.0 : std::cos(angle),
                                 channels == 1 ? 0.0 : std::sin(angle)};
        const double fmDecay = tone.fmDecay > 0 ? tone.fmDecay : tone.decay;
        for (std::size_t i = first; i < frames; ++i) {
            const double t = static_cast<double>(i - first) / source.rate;
            const double env = (tone.attack > 0 && t < tone.attack ? t / tone.attack : 1.0) *
                               std::exp(-t / tone.decay);
            if (env < 1e-6 && t > tone.attack) {
                break;
            }
            const double mod = tone.fmRatio > 0 ? tone.fmIndex * std::exp(-t / fmDecay) *
                                                      std::sin(twoPi * tone.freq * tone.fmRatio * t)
                                                : 0.0;
            double v = std::sin(twoPi * tone.freq * t + mod);
            if (tone.detune != 0.0) {
                v = 0.5 * (v + std::sin(twoPi * (tone.freq + tone.detune) * t + mod));
            }
            v *= tone.amp * env;
            for (int c = 0; c < channels; ++c) {
                mix[i * channels + c] += v * gains[c];
            }
        }
    }

    double peak = 0.0;
    for (double v : mix) {
        peak = std::max(peak, std::abs(v));
    }
    const double scale = peak > 0 ? source.peak * 32767.0 / peak : 0.0;
    const auto fadeFrames =
        std::min(frames, static_cast<std::size_t>(std::lround(kTailFade * source.rate)));
    std::vector<std::int16_t> out(mix.size());
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t left = frames - i;
        const double fade = left <= fadeFrames
                                ? static_cast<double>(left - 1) / static_cast<double>(fadeFrames)
                                : 1.0;
        for (int c = 0; c < channels; ++c) {
            const double v = std::clamp(mix[i * channels + c] * scale * fade, -32768.0, 32767.0);
            out[i * channels + c] = static_cast<std::int16_t>(std::lround(v));
        }
    }
    return out;
}

std::vector<std::uint8_t> writeWave(const std::vector<std::int16_t>& samples, int channels,
                                    int rate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const auto blockAlign = static_cast<std::uint16_t>(channels * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    appendTag(out, "RIFF");
    appendU32(out, 36 + dataBytes);
    appendTag(out, "WAVE");
    appendTag(out, "fmt ");
    appendU32(out, 16);
    appendU16(out, 1);  // PCM
    appendU16(out, static_cast<std::uint16_t>(channels));
    appendU32(out, static_cast<std::uint32_t>(rate));
    appendU32(out, static_cast<std::uint32_t>(rate) * blockAlign);
    appendU16(out, blockAlign);
    appendU16(out, 16);
    appendTag(out, "data");
    appendU32(out, dataBytes);
    for (std::int16_t s : samples) {
        appendU16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

}  // namespace velko::musicgen
