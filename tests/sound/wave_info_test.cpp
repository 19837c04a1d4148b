#include "formats/wave_info.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velko::sound {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, static_cast<std::uint16_t>(v));
    put16(b, static_cast<std::uint16_t>(v >> 16));
}
void tag(Bytes& b, const char* t) {
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<std::uint8_t>(t[i]));
    }
}

struct Fmt {
    std::uint16_t format = 1;
    std::uint16_t channels = 2;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
};

Bytes fmtChunk(const Fmt& f) {
    Bytes b;
    tag(b, "fmt ");
    put32(b, 16);
    put16(b, f.format);
    put16(b, f.channels);
    put32(b, f.rate);
    const auto align = static_cast<std::uint16_t>(f.channels * f.bits / 8);
    put32(b, f.rate * align);
    put16(b, align);
    put16(b, f.bits);
    return b;
}

Bytes chunk(const char* id, const Bytes& body) {
    Bytes b;
    tag(b, id);
    put32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) {
        b.push_back(0);
    }
    return b;
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes body;
    tag(body, "WAVE");
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    Bytes b;
    tag(b, "RIFF");
    put32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes samples(std::size_t bytes) {
    return Bytes(bytes, 0x11);
}

TEST(InspectWave, MeasuresPcmAndFindsDataAfterOtherChunks) {
    // An odd-sized LIST chunk before the data: its pad byte must be skipped.
    const Bytes file =
        riff({fmtChunk({}), chunk("LIST", {'a', 'b', 'c'}), chunk("data", samples(22050 * 4))});
    auto info = inspectWave(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->channels, 2);
    EXPECT_EQ(info->sampleRate, 22050);
    EXPECT_EQ(info->bitsPerSample, 16);
    EXPECT_EQ(info->frames, 22050u);
    EXPECT_EQ(info->durationMs, 1000u);
    EXPECT_EQ(info->dataOffset, 12u + 24u + 12u + 8u);
    EXPECT_EQ(info->dataSize, 22050u * 4);
}

TEST(InspectWave, AcceptsExtensiblePcm) {
    Bytes ext;
    tag(ext, "fmt ");
    put32(ext, 40);
    put16(ext, 0xFFFE);
    put16(ext, 1);
    put32(ext, 44100);
    put32(ext, 88200);
    put16(ext, 2);
    put16(ext, 16);
    put16(ext, 22);  // extension size
    put16(ext, 16);  // valid bits
    put32(ext, 4);   // channel mask
    put16(ext, 1);   // sub-format: PCM
    ext.insert(ext.end(), 14, 0);
    const Bytes file = riff({ext, chunk("data", samples(441 * 2))});
    auto info = inspectWave(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->durationMs, 10u);
}

TEST(InspectWave, RejectsWhatTheMixerCouldNotPlay) {
    Fmt floatFmt;
    floatFmt.format = 3;
    floatFmt.bits = 32;
    Fmt twelveBits;
    twelveBits.bits = 12;
    Bytes badAlign = fmtChunk({});
    badAlign[20] = 3;  // block alignment
    Bytes shortFmt = chunk("fmt ", Bytes(14, 1));
    const struct {
        const char* what;
        Bytes bytes;
        const char* expected;
    } cases[] = {
        {"not RIFF", Bytes(44, 0), "RIFF"},
        {"float samples", riff({fmtChunk(floatFmt), chunk("data", samples(8))}), "PCM"},
        {"12 bits", riff({fmtChunk(twelveBits), chunk("data", samples(8))}), "bits"},
        {"alignment", riff({badAlign, chunk("data", samples(8))}), "alignment"},
        {"short fmt", riff({shortFmt, chunk("data", samples(8))}), "too short"},
        {"no fmt", riff({chunk("data", samples(8))}), "no fmt"},
        {"no data", riff({fmtChunk({})}), "no data"},
        {"half a frame", riff({fmtChunk({}), chunk("data", samples(6))}), "whole number"},
    };
    for (const auto& c : cases) {
        auto info = inspectWave(c.bytes);
        ASSERT_FALSE(info.ok()) << c.what;
        EXPECT_NE(info.error().find(c.expected), std::string::npos)
            << c.what << ": " << info.error();
    }
}

TEST(InspectWave, AbsurdSizesAndEveryTruncationAreRejected) {
    const Bytes file = riff({fmtChunk({}), chunk("data", samples(400))});
    ASSERT_TRUE(inspectWave(file).ok());

    Bytes bigRiff = file;
    bigRiff[4] = bigRiff[5] = bigRiff[6] = bigRiff[7] = 0xFF;
    EXPECT_FALSE(inspectWave(bigRiff).ok());

    Bytes bigData = file;
    const std::size_t sizeAt = 12 + 24 + 4;
    bigData[sizeAt] = bigData[sizeAt + 1] = bigData[sizeAt + 2] = bigData[sizeAt + 3] = 0xFF;
    auto info = inspectWave(bigData);
    ASSERT_FALSE(info.ok());
    EXPECT_NE(info.error().find("runs past the end"), std::string::npos) << info.error();

    for (std::size_t n = 0; n < file.size(); ++n) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(inspectWave(cut).ok()) << "cut at " << n;
    }
}

}  // namespace
}  // namespace velko::sound
