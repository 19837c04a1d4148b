#include "formats/wave_info.h"

#include <algorithm>
#include <optional>
#include <string>

namespace velko::sound {
namespace {

std::uint32_t readLe32(const std::uint8_t* p) {
    return p[0] | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t readLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool tagIs(const std::uint8_t* p, const char* tag) {
    return std::equal(p, p + 4, tag);
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

Result<WaveInfo> inspectWave(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 12 || !tagIs(&bytes[0], "RIFF") || !tagIs(&bytes[8], "WAVE")) {
        return makeError("not a RIFF/WAVE file");
    }
    const std::uint32_t riffSize = readLe32(&bytes[4]);
    if (riffSize < 4 || riffSize > bytes.size() - 8) {
        return makeError("the RIFF size " + std::to_string(riffSize) + " does not match the " +
                         std::to_string(bytes.size()) + "-byte file (cut off?)");
    }
    const std::size_t end = 8 + static_cast<std::size_t>(riffSize);

    WaveInfo info;
    bool haveFormat = false;
    std::optional<std::size_t> dataAt;
    std::uint32_t dataSize = 0;
    std::size_t pos = 12;
    while (pos + 8 <= end) {
        const std::uint32_t size = readLe32(&bytes[pos + 4]);
        const std::size_t body = pos + 8;
        if (size > end - body) {
            return makeError("byte " + std::to_string(pos) + ": chunk of " + std::to_string(size) +
                             " bytes runs past the end of the file");
        }
        if (tagIs(&bytes[pos], "fmt ")) {
            if (haveFormat) {
                return makeError("two fmt chunks");
            }
            if (size < 16) {
                return makeError("the fmt chunk is too short");
            }
            std::uint16_t format = readLe16(&bytes[body]);
            if (format == kFormatExtensible) {
                // The sub-format's first two bytes carry the real format code.
                if (size < 40 || readLe16(&bytes[body + 16]) < 22) {
                    return makeError("the extensible fmt chunk is too short");
                }
                format = readLe16(&bytes[body + 24]);
            }
            if (format != kFormatPcm) {
                return makeError("not PCM (format " + std::to_string(format) + ")");
            }
            info.channels = readLe16(&bytes[body + 2]);
            const std::uint32_t rate = readLe32(&bytes[body + 4]);
            const std::uint32_t byteRate = readLe32(&bytes[body + 8]);
            const std::uint16_t blockAlign = readLe16(&bytes[body + 12]);
            info.bitsPerSample = readLe16(&bytes[body + 14]);
            if (info.channels < 1 || info.channels > 8) {
                return makeError(std::to_string(info.channels) + " channels");
            }
            if (rate < 1000 || rate > 384000) {
                return makeError("sample rate " + std::to_string(rate));
            }
            info.sampleRate = static_cast<int>(rate);
            const int bits = info.bitsPerSample;
            if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
                return makeError(std::to_string(bits) + " bits per sample");
            }
            if (blockAlign != info.channels * bits / 8 || byteRate != rate * blockAlign) {
                return makeError("block alignment or byte rate disagree with the format");
            }
            haveFormat = true;
        } else if (tagIs(&bytes[pos], "data")) {
            if (dataAt) {
                return makeError("two data chunks");
            }
            dataAt = body;
            dataSize = size;
        }
        // Chunks are padded to an even size.
        pos = body + size + (size & 1);
    }
    if (!haveFormat) {
        return makeError("no fmt chunk");
    }
    if (!dataAt) {
        return makeError("no data chunk");
    }
    if (*dataAt < 12) {
        return makeError("data before fmt");
    }
    const std::uint32_t blockAlign =
        static_cast<std::uint32_t>(info.channels * info.bitsPerSample / 8);
    if (dataSize % blockAlign != 0) {
        return makeError("the data chunk holds " + std::to_string(dataSize) +
                         " bytes, not a whole number of " + std::to_string(blockAlign) +
                         "-byte frames");
    }
    info.dataOffset = *dataAt;
    info.dataSize = dataSize;
    info.frames = dataSize / blockAlign;
    info.durationMs = static_cast<std::uint64_t>(info.frames) * 1000 / info.sampleRate;
    return info;
}

}  // namespace velko::sound
