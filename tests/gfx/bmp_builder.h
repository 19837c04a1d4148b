#pragma once

// Builds Windows bitmap files byte by byte for the reader tests, including broken ones.

#include <cstdint>
#include <optional>
#include <vector>

namespace velko::gfx::testing {

struct BmpBuilder {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bpp = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB, written as BGR(A)
    std::vector<std::uint32_t> masks;    // red, green, blue (and alpha)
    std::vector<std::uint8_t> pixels;
    std::optional<std::uint32_t> pixelOffset;  // what the header claims; default: the truth

    std::vector<std::uint8_t> build() const {
        std::vector<std::uint8_t> out;
        auto put8 = [&](std::uint32_t v) { out.push_back(static_cast<std::uint8_t>(v)); };
        auto put16 = [&](std::uint32_t v) {
            put8(v);
            put8(v >> 8);
        };
        auto put32 = [&](std::uint32_t v) {
            put16(v & 0xFFFF);
            put16(v >> 16);
        };
        const bool core = headerSize == 12;
        const bool masksInHeader = headerSize >= 52;
        const std::size_t entry = core ? 3 : 4;
        const std::size_t extraMasks = masksInHeader ? 0 : masks.size() * 4;
        // The pixels follow the palette; a pixelOffset only changes what the header claims.
        const auto offset =
            static_cast<std::uint32_t>(14 + headerSize + extraMasks + palette.size() * entry);

        out.push_back('B');
        out.push_back('M');
        put32(0);  // file size: readers ignore it; patched below for neatness
        put32(0);
        put32(pixelOffset.value_or(offset));
        put32(headerSize);
        if (core) {
            put16(static_cast<std::uint32_t>(width));
            put16(static_cast<std::uint32_t>(height));
            put16(planes);
            put16(bpp);
        } else {
            put32(static_cast<std::uint32_t>(width));
            put32(static_cast<std::uint32_t>(height));
            put16(planes);
            put16(bpp);
            put32(compression);
            put32(static_cast<std::uint32_t>(pixels.size()));
            put32(2835);
            put32(2835);
            put32(colorsUsed);
            put32(0);
            if (masksInHeader) {
                for (std::size_t i = 0; i < 4; ++i) {
                    put32(i < masks.size() ? masks[i] : 0);
                }
            }
            while (out.size() < 14 + headerSize) {
                put8(0);  // colour space fields of the newer headers
            }
            if (!masksInHeader) {
                for (const auto m : masks) {
                    put32(m);
                }
            }
        }
        for (const auto c : palette) {
            put8(c);
            put8(c >> 8);
            put8(c >> 16);
            if (!core) {
                put8(0);
            }
        }
        while (out.size() < offset) {
            put8(0);
        }
        out.insert(out.end(), pixels.begin(), pixels.end());
        const auto size = static_cast<std::uint32_t>(out.size());
        for (int i = 0; i < 4; ++i) {
            out[2 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
        }
        return out;
    }
};

}  // namespace velko::gfx::testing
