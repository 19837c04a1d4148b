// Picture files: the bitmap writer, file reading for the bitmap decoder, and PNG through
// libpng's simplified API (which reports errors as values, so no longjmp crosses our frames).

#include "platform/gfx/image_io.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/gfx/image_limits.h"

namespace velko::gfx {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

Error fileError(const std::filesystem::path& path, const std::string& what) {
    return makeError(path.string() + ": " + what);
}

Status writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return fileError(path, "cannot open for writing");
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        return fileError(path, "write failed");
    }
    return Ok{};
}

// 72 dots per inch, in pixels per metre: what most tools write.
constexpr std::uint32_t kPixelsPerMetre = 2835;

}  // namespace

std::vector<std::uint8_t> encodeBmp24(const Bitmap& bitmap) {
    const auto width = static_cast<std::uint32_t>(bitmap.width());
    const auto height = static_cast<std::uint32_t>(bitmap.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * height;
    constexpr std::uint32_t kHeaders = 14 + 40;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaders + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, kHeaders + imageSize);
    put32(out, 0);  // reserved
    put32(out, kHeaders);
    put32(out, 40);
    put32(out, width);
    put32(out, height);  // positive: bottom-up
    put16(out, 1);       // planes
    put16(out, 24);
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        for (const Pixel p : bitmap.row(y)) {
            out.push_back(blue(p));
            out.push_back(green(p));
            out.push_back(red(p));
        }
        for (std::uint32_t pad = width * 3; pad < stride; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

Status saveBmp24(const std::filesystem::path& path, const Bitmap& bitmap) {
    if (bitmap.empty()) {
        return fileError(path, "cannot save an empty bitmap");
    }
    return writeFile(path, encodeBmp24(bitmap));
}

Result<Bitmap> loadBmp(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return fileError(path, "cannot open: " + ec.message());
    }
    if (size > kMaxBmpFileBytes) {
        return fileError(path, "file too large");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return fileError(path, "cannot open");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        return fileError(path, "read failed");
    }
    auto decoded = decodeBmp(bytes);
    if (!decoded) {
        return fileError(path, decoded.error());
    }
    return decoded;
}

Status savePng(const std::filesystem::path& path, const Bitmap& bitmap) {
    if (bitmap.empty()) {
        return fileError(path, "cannot save an empty bitmap");
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(bitmap.pixels().size() * 3);
    for (const Pixel p : bitmap.pixels()) {
        bytes.push_back(red(p));
        bytes.push_back(green(p));
        bytes.push_back(blue(p));
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.width());
    image.height = static_cast<png_uint_32>(bitmap.height());
    image.format = PNG_FORMAT_RGB;
    const std::string name = path.string();
    const int ok = png_image_write_to_file(&image, name.c_str(), 0, bytes.data(), 0, nullptr);
    const std::string message = image.message;
    png_image_free(&image);
    if (!ok) {
        return fileError(path, "cannot write PNG: " + message);
    }
    return Ok{};
}

Result<Bitmap> loadPng(const std::filesystem::path& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    const std::string name = path.string();
    if (!png_image_begin_read_from_file(&image, name.c_str())) {
        const std::string message = image.message;
        png_image_free(&image);
        return fileError(path, "cannot read PNG: " + message);
    }
    if (image.width == 0 || image.height == 0 || image.width > kMaxImageSide ||
        image.height > kMaxImageSide ||
        std::uint64_t{image.width} * image.height > kMaxImagePixels) {
        png_image_free(&image);
        return fileError(path, "picture too large");
    }
    // Alpha, if any, is composed onto black: the program has no transparency of its own.
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
    const png_color black{0, 0, 0};
    if (!png_image_finish_read(&image, &black, bytes.data(), 0, nullptr)) {
        const std::string message = image.message;
        png_image_free(&image);
        return fileError(path, "cannot read PNG: " + message);
    }
    Bitmap bitmap(static_cast<int>(image.width), static_cast<int>(image.height));
    std::size_t k = 0;
    for (Pixel& p : bitmap.pixels()) {
        p = rgb(bytes[k], bytes[k + 1], bytes[k + 2]);
        k += 3;
    }
    png_image_free(&image);
    return bitmap;
}

}  // namespace velko::gfx
