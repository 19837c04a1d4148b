// The Windows bitmap reader. Every field is checked against the file's length and against
// the size limits before the picture is allocated; offsets are computed in 64 bits.
//
// Decisions for damaged files:
// - Palette entries that lie past the end of the file are an error. Entries cut off by the
//   pixel data offset are missing; pixel indices past the last entry read as black.
// - Compressed runs that go past the right edge are clipped (a run never wraps to the next
//   row); runs and moves below the last row end the picture. Pixels no run reaches stay black.
// - Compressed data that stops without the end-of-bitmap code is accepted as far as it goes,
//   but a code cut off in the middle is "truncated pixel data".

#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "platform/gfx/image_io.h"
#include "platform/gfx/image_limits.h"

namespace velko::gfx {

namespace {

using u64 = std::uint64_t;

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> b) : b_(b) {}
    u64 size() const { return b_.size(); }
    std::uint8_t u8(u64 at) const { return b_[at]; }
    std::uint16_t u16(u64 at) const {
        return static_cast<std::uint16_t>(b_[at] | (b_[at + 1] << 8));
    }
    std::uint32_t u32(u64 at) const { return u16(at) | (std::uint32_t{u16(at + 2)} << 16); }
    std::int32_t i32(u64 at) const { return static_cast<std::int32_t>(u32(at)); }

private:
    std::span<const std::uint8_t> b_;
};

// One colour channel of a bit-field pixel, widened (or narrowed) to 8 bits.
class Channel {
public:
    Channel() = default;
    explicit Channel(std::uint32_t mask)
        : mask_(mask),
          shift_(mask ? std::countr_zero(mask) : 0),
          bits_(std::popcount(mask)),
          max_(bits_ >= 32 ? 0xFFFFFFFFu : (1u << bits_) - 1) {}

    // A channel must be one run of bits; anything else has no sensible meaning.
    bool valid() const { return mask_ == 0 || ((mask_ >> shift_) & ((mask_ >> shift_) + 1)) == 0; }

    std::uint8_t operator()(std::uint32_t v) const {
        const std::uint32_t x = (v & mask_) >> shift_;
        if (bits_ == 0) {
            return 0;
        }
        if (bits_ >= 8) {
            return static_cast<std::uint8_t>(x >> (bits_ - 8));
        }
        return static_cast<std::uint8_t>((x * 255u + max_ / 2) / max_);
    }

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
    std::uint32_t max_ = 0;
};

struct Header {
    std::uint32_t headerSize = 0;
    bool core = false;
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive; topDown says which way the rows run
    bool topDown = false;
    unsigned bpp = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t pixelOffset = 0;
    std::array<Channel, 3> channels;  // red, green, blue
};

class Decoder {
public:
    explicit Decoder(std::span<const std::uint8_t> bytes) : in_(bytes) {}
    Result<Bitmap> run();

private:
    Result<Header> readHeader() const;
    Status readMasks(Header& h) const;
    Status readPalette(const Header& h);
    Status checkRowBytes(const Header& h) const;
    Status decodeRows(const Header& h, Bitmap& out) const;
    Status decodeRle(const Header& h, Bitmap& out) const;
    Pixel paletteColor(unsigned index) const {
        return index < paletteSize_ ? palette_[index] : kBlack;
    }

    Bytes in_;
    std::array<Pixel, 256> palette_{};
    unsigned paletteSize_ = 0;
};

Result<Header> Decoder::readHeader() const {
    if (in_.size() < 2 || in_.u8(0) != 'B' || in_.u8(1) != 'M') {
        return makeError("not a bitmap");
    }
    if (in_.size() < 18) {
        return makeError("truncated header");
    }
    Header h;
    h.pixelOffset = in_.u32(10);
    h.headerSize = in_.u32(14);
    switch (h.headerSize) {
        case 12:
        case 40:
        case 52:
        case 56:
        case 108:
        case 124:
            break;
        default:
            return makeError("unsupported header size " + std::to_string(h.headerSize));
    }
    if (in_.size() < 14 + u64{h.headerSize}) {
        return makeError("truncated header");
    }
    unsigned planes = 0;
    if (h.headerSize == 12) {
        h.core = true;
        h.width = in_.u16(18);
        h.height = in_.u16(20);
        planes = in_.u16(22);
        h.bpp = in_.u16(24);
    } else {
        h.width = in_.i32(18);
        h.height = in_.i32(22);
        planes = in_.u16(26);
        h.bpp = in_.u16(28);
        h.compression = in_.u32(30);
        h.colorsUsed = in_.u32(46);
    }
    if (planes != 1) {
        return makeError("bad plane count " + std::to_string(planes));
    }
    if (h.width <= 0) {
        return makeError("bad width " + std::to_string(h.width));
    }
    if (h.height == 0) {
        return makeError("bad height 0");
    }
    h.topDown = h.height < 0;
    if (h.topDown) {
        h.height = -h.height;
    }
    if (h.width > kMaxImageSide || h.height > kMaxImageSide ||
        static_cast<u64>(h.width * h.height) > kMaxImagePixels) {
        return makeError("bitmap too large (" + std::to_string(h.width) + "x" +
                         std::to_string(h.height) + ")");
    }
    const bool depthOk = h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 24 ||
                         (!h.core && (h.bpp == 16 || h.bpp == 32));
    if (!depthOk) {
        return makeError("unsupported bit depth " + std::to_string(h.bpp));
    }
    switch (h.compression) {
        case kRgb:
            break;
        case kRle8:
        case kRle4: {
            const unsigned need = h.compression == kRle8 ? 8 : 4;
            if (h.bpp != need) {
                return makeError("compression " + std::to_string(h.compression) + " needs " +
                                 std::to_string(need) + " bits per pixel");
            }
            if (h.topDown) {
                return makeError("compressed bitmap cannot be top-down");
            }
            break;
        }
        case kBitFields:
        case kAlphaBitFields:
            if (h.bpp != 16 && h.bpp != 32) {
                return makeError("bit-field masks need 16 or 32 bits per pixel");
            }
            break;
        default:
            return makeError("unsupported compression " + std::to_string(h.compression));
    }
    if (h.pixelOffset > in_.size()) {
        return makeError("pixel data offset past the end of the file");
    }
    if (h.pixelOffset < 14 + u64{h.headerSize}) {
        return makeError("pixel data offset inside the header");
    }
    return h;
}

Status Decoder::readMasks(Header& h) const {
    std::array<std::uint32_t, 3> masks{};
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        // Newer headers hold the masks; the 40-byte header is followed by them.
        const u64 at = 14 + 40;
        if (h.headerSize == 40 && in_.size() < at + 12) {
            return makeError("truncated header");
        }
        masks = {in_.u32(at), in_.u32(at + 4), in_.u32(at + 8)};
    } else if (h.bpp == 16) {
        masks = {0x7C00, 0x03E0, 0x001F};
    } else {
        masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    const std::uint32_t limit = h.bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (std::size_t c = 0; c < 3; ++c) {
        h.channels[c] = Channel(masks[c]);
        if (!h.channels[c].valid() || (masks[c] & ~limit) != 0) {
            return makeError("bad bit-field masks");
        }
    }
    return Ok{};
}

Status Decoder::readPalette(const Header& h) {
    const unsigned full = 1u << h.bpp;
    unsigned count = full;
    if (h.colorsUsed != 0 && h.colorsUsed < full) {
        count = h.colorsUsed;
    }
    const unsigned entrySize = h.core ? 3 : 4;
    const u64 start = 14 + u64{h.headerSize};
    if (start + u64{count} * entrySize > in_.size()) {
        return makeError("truncated palette");
    }
    if (start + u64{count} * entrySize > h.pixelOffset) {
        count = static_cast<unsigned>((h.pixelOffset - start) / entrySize);
    }
    for (unsigned i = 0; i < count; ++i) {
        const u64 at = start + u64{i} * entrySize;
        palette_[i] = rgb(in_.u8(at + 2), in_.u8(at + 1), in_.u8(at));
    }
    paletteSize_ = count;
    return Ok{};
}

u64 rowStride(const Header& h) {
    return (static_cast<u64>(h.width) * h.bpp + 31) / 32 * 4;
}

Status Decoder::checkRowBytes(const Header& h) const {
    // The last row's padding may be missing; some writers stop at the last pixel.
    const u64 needed =
        static_cast<u64>(h.height - 1) * rowStride(h) + (static_cast<u64>(h.width) * h.bpp + 7) / 8;
    if (in_.size() - h.pixelOffset < needed) {
        return makeError("truncated pixel data");
    }
    return Ok{};
}

Status Decoder::decodeRows(const Header& h, Bitmap& out) const {
    const u64 stride = rowStride(h);
    const int width = static_cast<int>(h.width);
    const int height = static_cast<int>(h.height);
    for (int r = 0; r < height; ++r) {
        const u64 base = h.pixelOffset + static_cast<u64>(r) * stride;
        auto row = out.row(h.topDown ? r : height - 1 - r);
        for (int x = 0; x < width; ++x) {
            const u64 ux = static_cast<u64>(x);
            Pixel p = kBlack;
            switch (h.bpp) {
                case 1:
                    p = paletteColor((in_.u8(base + ux / 8) >> (7 - ux % 8)) & 1u);
                    break;
                case 4:
                    p = paletteColor((in_.u8(base + ux / 2) >> (ux % 2 ? 0 : 4)) & 0xFu);
                    break;
                case 8:
                    p = paletteColor(in_.u8(base + ux));
                    break;
                case 16: {
                    const std::uint32_t v = in_.u16(base + ux * 2);
                    p = rgb(h.channels[0](v), h.channels[1](v), h.channels[2](v));
                    break;
                }
                case 24: {
                    const u64 at = base + ux * 3;
                    p = rgb(in_.u8(at + 2), in_.u8(at + 1), in_.u8(at));
                    break;
                }
                default: {
                    const std::uint32_t v = in_.u32(base + ux * 4);
                    p = rgb(h.channels[0](v), h.channels[1](v), h.channels[2](v));
                    break;
                }
            }
            row[static_cast<std::size_t>(x)] = p;
        }
    }
    return Ok{};
}

Status Decoder::decodeRle(const Header& h, Bitmap& out) const {
    const bool four = h.compression == kRle4;
    const std::int64_t width = h.width;
    const std::int64_t height = h.height;
    std::int64_t x = 0;
    std::int64_t y = 0;  // counted from the bottom row
    // Index k of a run: RLE8 repeats its byte, RLE4 alternates the byte's two halves.
    auto put = [&](std::uint8_t value, std::int64_t k) {
        if (x < width && y < height) {
            const unsigned index = four ? ((k % 2 == 0) ? value >> 4 : value & 0xFu) : value;
            out.set(static_cast<int>(x), static_cast<int>(height - 1 - y), paletteColor(index));
        }
        ++x;
    };
    const u64 end = in_.size();
    u64 at = h.pixelOffset;
    while (y < height) {
        if (at == end) {
            return Ok{};
        }
        if (at + 2 > end) {
            return makeError("truncated pixel data");
        }
        const unsigned count = in_.u8(at);
        const std::uint8_t value = in_.u8(at + 1);
        at += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count && x < width; ++k) {
                put(value, k);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return Ok{};
        } else if (value == 2) {  // move right and up
            if (at + 2 > end) {
                return makeError("truncated pixel data");
            }
            x += in_.u8(at);
            y += in_.u8(at + 1);
            at += 2;
        } else {  // `value` literal pixels, padded to a 16-bit boundary
            const u64 bytes = four ? (value + 1u) / 2 : value;
            const u64 padded = (bytes + 1) & ~u64{1};
            if (at + padded > end) {
                return makeError("truncated pixel data");
            }
            for (unsigned k = 0; k < value && x < width; ++k) {
                put(in_.u8(at + (four ? k / 2 : k)), four ? k : 0);
            }
            at += padded;
        }
    }
    return Ok{};
}

Result<Bitmap> Decoder::run() {
    auto header = readHeader();
    if (!header) {
        return makeError(header.error());
    }
    Header& h = header.value();
    if (h.bpp <= 8) {
        if (auto s = readPalette(h); !s) {
            return makeError(s.error());
        }
    } else if (h.bpp != 24) {
        if (auto s = readMasks(h); !s) {
            return makeError(s.error());
        }
    }
    const bool rle = h.compression == kRle8 || h.compression == kRle4;
    if (!rle) {
        if (auto s = checkRowBytes(h); !s) {
            return makeError(s.error());
        }
    }
    Bitmap out(static_cast<int>(h.width), static_cast<int>(h.height));
    const Status decoded = rle ? decodeRle(h, out) : decodeRows(h, out);
    if (!decoded) {
        return makeError(decoded.error());
    }
    return out;
}

}  // namespace

Result<Bitmap> decodeBmp(std::span<const std::uint8_t> bytes) {
    return Decoder(bytes).run();
}

}  // namespace velko::gfx
