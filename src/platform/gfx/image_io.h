#pragma once

// Reading and writing pictures. Windows bitmaps come from the game's folders and may be
// broken or hostile: every header field is checked before anything is allocated, and a bad
// file gives an error naming the file and the fault, never a crash.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "platform/gfx/bitmap.h"

namespace velko::gfx {

// Decodes a Windows bitmap held in memory: 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, RLE4/RLE8 and bit-field masks, bottom-up or top-down, with the core (12),
// info (40, 52, 56) and V4/V5 (108, 124) headers. The error text says what is wrong without a
// file name ("truncated pixel data", "unsupported compression 4", ...).
// Pictures larger than 16384 pixels a side or 64 Mi pixels in all are refused before anything
// is allocated. Palette indices past the palette read as black. Compressed runs past the right
// edge are clipped, runs below the last row end the picture, pixels no run reaches are black,
// and compressed data that stops early (between codes) keeps what was decoded.
Result<Bitmap> decodeBmp(std::span<const std::uint8_t> bytes);

// Reads and decodes a file; the error names the file.
Result<Bitmap> loadBmp(const std::filesystem::path& path);

// A 24-bit bottom-up uncompressed bitmap, byte for byte deterministic.
std::vector<std::uint8_t> encodeBmp24(const Bitmap& bitmap);
Status saveBmp24(const std::filesystem::path& path, const Bitmap& bitmap);

// PNG for screenshots and golden images (8-bit RGB).
Status savePng(const std::filesystem::path& path, const Bitmap& bitmap);
Result<Bitmap> loadPng(const std::filesystem::path& path);

}  // namespace velko::gfx
