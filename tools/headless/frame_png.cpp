#include "frame_png.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace velko::headless {

Status saveFramePng(const std::filesystem::path& path, const gfx::Bitmap& bitmap) {
    if (bitmap.empty()) {
        return makeError(path.string() + ": nothing to write");
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return makeError(path.string() + ": cannot write: " + std::strerror(errno));
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(static_cast<std::size_t>(bitmap.width()) * 3);
    bool ok = png && info;
    // libpng reports its errors by a long jump back here; nothing below owns memory that
    // the jump would leak besides what png_destroy_write_struct frees.
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_compression_level(png, Z_BEST_SPEED);
        png_set_filter(png, 0, PNG_FILTER_SUB);
        png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.width()),
                     static_cast<png_uint_32>(bitmap.height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                const gfx::Pixel p = bitmap.at(x, y);
                row[static_cast<std::size_t>(x) * 3] = gfx::red(p);
                row[static_cast<std::size_t>(x) * 3 + 1] = gfx::green(p);
                row[static_cast<std::size_t>(x) * 3 + 2] = gfx::blue(p);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(&png, &info);
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        return makeError(path.string() + ": cannot write the PNG");
    }
    return Ok{};
}

}  // namespace velko::headless
