// Sound sources: what the settings mean in the rendered samples, and how mistakes are named.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "sound_source.h"
#include "synth.h"

namespace velko::musicgen {
namespace {

SoundSource parsed(const std::string& text) {
    auto s = parseSoundSource(text, "s.snd");
    EXPECT_TRUE(s.ok()) << (s.ok() ? "" : s.error());
    return s.ok() ? *s : SoundSource{};
}

TEST(SoundSource, StartPanAndPeakShowInTheSamples) {
    const auto source = parsed(
        "rate 22050\nchannels 2\nseconds 1\npeak 0.5\n"
        "tone at=0.5 freq=441 amp=1 attack=0.01 decay=0.2 pan=-1 ; hard left\n");
    const auto samples = renderSound(source);
    ASSERT_EQ(samples.size(), 22050u * 2);
    int peak = 0;
    for (std::size_t i = 0; i < samples.size(); i += 2) {
        const std::size_t frame = i / 2;
        if (frame < 11025) {
            ASSERT_EQ(samples[i], 0) << "before the tone starts, frame " << frame;
        }
        ASSERT_EQ(samples[i + 1], 0) << "right channel, frame " << frame;
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    EXPECT_NEAR(peak, 32767 / 2, 1);
}

TEST(SoundSource, WaveHeaderDescribesTheSamples) {
    const std::vector<std::int16_t> samples = {1, -1, 2, -2, 3, -3};
    const auto file = writeWave(samples, 2, 44100);
    ASSERT_EQ(file.size(), 44u + 12u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(file[4], 36 + 12);
    EXPECT_EQ(file[22], 2);     // channels
    EXPECT_EQ(file[32], 4);     // block alignment
    EXPECT_EQ(file[34], 16);    // bits
    EXPECT_EQ(file[40], 12);    // data bytes
    EXPECT_EQ(file[46], 0xFF);  // -1, little-endian
    EXPECT_EQ(file[47], 0xFF);
}

TEST(SoundSource, MistakesNameTheLineAndColumn) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"rate 48000\ntone freq=1\n", "s.snd:1:6: rate is 22050 or 44100"},
        {"channels 3\n", "s.snd:1:10: 'channels' takes a number from 1 to 2, not '3'"},
        {"volume 3\n", "s.snd:1:1: unknown setting 'volume'"},
        {"seconds\n", "s.snd:1:1: expected 'tone ...' or a setting and one value"},
        {"tone freq=440 shine=2\n", "s.snd:1:15: unknown tone setting 'shine=2'"},
        {"tone freq=abc\n", "s.snd:1:6: 'freq' takes a number from 1 to 20000, not 'abc'"},
        {"tone pan=2\n", "s.snd:1:6: 'pan' takes a number from -1 to 1, not '2'"},
        {"; nothing\n", "s.snd: no tones"},
    };
    for (const auto& c : cases) {
        auto s = parseSoundSource(c.text, "s.snd");
        ASSERT_FALSE(s.ok()) << c.text;
        EXPECT_EQ(s.error(), c.message) << c.text;
    }
    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += "tone freq=440\n";
    }
    auto s = parseSoundSource(many, "s.snd");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error(), "s.snd:257:1: more than 256 tones");
}

}  // namespace
}  // namespace velko::musicgen
