#include "xwd.h"

#include <bit>
#include <string>

namespace velko::testing {

namespace {

std::uint32_t be32(std::span<const std::uint8_t> b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

std::uint8_t channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const std::uint32_t v = (value & mask) >> shift;
    const int bits = std::popcount(mask);
    return static_cast<std::uint8_t>(bits >= 8 ? v >> (bits - 8) : v << (8 - bits));
}

}  // namespace

Result<XwdImage> decodeXwd(std::span<const std::uint8_t> b) {
    constexpr std::size_t kHeaderFields = 25;
    if (b.size() < kHeaderFields * 4) {
        return makeError("xwd: truncated header");
    }
    const auto field = [&](int i) { return be32(b, static_cast<std::size_t>(i) * 4); };
    const std::uint32_t headerSize = field(0);
    const std::uint32_t version = field(1);
    const std::uint32_t format = field(2);
    const std::uint32_t width = field(4);
    const std::uint32_t height = field(5);
    const std::uint32_t byteOrder = field(7);
    const std::uint32_t bitsPerPixel = field(11);
    const std::uint32_t bytesPerLine = field(12);
    const std::uint32_t redMask = field(14);
    const std::uint32_t greenMask = field(15);
    const std::uint32_t blueMask = field(16);
    const std::uint32_t colors = field(19);
    if (version != 7 || format != 2) {
        return makeError("xwd: not a version 7 ZPixmap dump");
    }
    if (bitsPerPixel != 32 && bitsPerPixel != 24) {
        return makeError("xwd: " + std::to_string(bitsPerPixel) + " bits per pixel not read");
    }
    if (width == 0 || height == 0 || width > 16384 || height > 16384) {
        return makeError("xwd: implausible size");
    }
    const std::size_t start = std::size_t{headerSize} + std::size_t{colors} * 12;
    const std::size_t bytesPer = bitsPerPixel / 8;
    if (bytesPerLine < width * bytesPer || b.size() < start + std::size_t{bytesPerLine} * height) {
        return makeError("xwd: truncated pixel data");
    }
    XwdImage img;
    img.windowX = static_cast<std::int32_t>(field(22));
    img.windowY = static_cast<std::int32_t>(field(23));
    img.pixels = gfx::Bitmap(static_cast<int>(width), static_cast<int>(height));
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t at = start + std::size_t{y} * bytesPerLine + x * bytesPer;
            std::uint32_t v = 0;
            for (std::size_t i = 0; i < bytesPer; ++i) {
                const std::size_t shift = byteOrder == 0 ? i : bytesPer - 1 - i;  // 0: LSB first
                v |= std::uint32_t{b[at + i]} << (8 * shift);
            }
            img.pixels.set(
                static_cast<int>(x), static_cast<int>(y),
                gfx::rgb(channel(v, redMask), channel(v, greenMask), channel(v, blueMask)));
        }
    }
    return img;
}

}  // namespace velko::testing
