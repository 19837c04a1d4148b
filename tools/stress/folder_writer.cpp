// Game folders for the stress cases: pictures that are fine, truncated, corrupt, empty,
// absurdly large by their headers, or not files at all; asset folders that are missing,
// spelt in another case, or files themselves.

#include <sys/stat.h>

#include <cctype>
#include <fstream>
#include <optional>
#include <system_error>

#include "writers.h"

namespace velko::stress {

namespace fs = std::filesystem;

namespace {

void put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void poke32(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4 && at + i < bytes.size(); ++i) {
        bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

// A bitmap with a 40-byte header. The pixel bytes are random: for the uncompressed depths
// any bytes are a picture, for RLE they are a stream of arbitrary codes.
std::string bitmap(Random& random, std::int32_t width, std::int32_t height, std::uint16_t bpp,
                   std::uint32_t compression) {
    const std::uint32_t colours = bpp <= 8 ? (1u << bpp) : 0;
    const std::uint64_t w = static_cast<std::uint64_t>(width < 0 ? -std::int64_t{width} : width);
    const std::uint64_t h = static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : height);
    std::uint64_t stride = (w * bpp + 31) / 32 * 4;
    std::uint64_t size = compression == 0 ? stride * h : random.below(4096);
    if (size > (std::uint64_t{8} << 20)) {
        size = random.below(1024);  // a header that lies about a huge picture
    }
    std::string out = "BM";
    const std::uint32_t offset = 14 + 40 + colours * 4;
    put32(out, static_cast<std::uint32_t>(offset + size));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, bpp);
    put32(out, compression);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (std::uint32_t i = 0; i < colours; ++i) {
        put32(out, static_cast<std::uint32_t>(random.next() & 0xFFFFFF));
    }
    for (std::uint64_t i = 0; i < size; ++i) {
        out.push_back(static_cast<char>(random.next() & 0xFF));
    }
    return out;
}

std::string soundPicture(Random& random) {
    static const std::uint16_t kDepths[] = {1, 4, 8, 16, 24, 32};
    const std::uint16_t bpp = kDepths[random.below(6)];
    std::int32_t w = static_cast<std::int32_t>(random.between(1, 120));
    std::int32_t h = static_cast<std::int32_t>(random.between(1, 120));
    if (random.chance(15)) {
        w = random.chance(50) ? 640 : 700;
        h = random.chance(50) ? 480 : 520;
    }
    if (random.chance(20)) {
        h = -h;  // top-down
    }
    std::uint32_t compression = 0;
    if (bpp == 8 && random.chance(30)) {
        compression = 1;
    } else if (bpp == 4 && random.chance(30)) {
        compression = 2;
    }
    return bitmap(random, w, h, bpp, compression);
}

std::string brokenPicture(Random& random) {
    std::string bytes = soundPicture(random);
    switch (random.below(7)) {
        case 0:  // truncated anywhere, the header too
            bytes.resize(random.below(bytes.size() + 1));
            break;
        case 1:  // random bytes overwritten
            for (int i = 0, n = static_cast<int>(random.between(1, 20)); i < n; ++i) {
                bytes[random.below(bytes.size())] = static_cast<char>(random.next() & 0xFF);
            }
            break;
        case 2: {  // one header field set to an extreme
            static const std::size_t kFields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46};
            static const std::uint32_t kValues[] = {
                0, 1, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFF, 16384, 16385, 65536};
            poke32(bytes, kFields[random.below(10)], kValues[random.below(9)]);
            break;
        }
        case 3: {  // huge dimensions over a few bytes of data
            static const std::int32_t kSides[] = {16384, 16385,       100000,     -100000,
                                                  0,     -2147483647, 2147483647, 46341};
            const std::uint16_t bpp = random.chance(50) ? 32 : 24;
            bytes = bitmap(random, kSides[random.below(8)], kSides[random.below(8)], bpp, 0);
            break;
        }
        case 4:  // random bytes behind a bitmap signature
            bytes = "BM";
            for (std::uint64_t i = 0, n = random.below(300); i < n; ++i) {
                bytes.push_back(static_cast<char>(random.next() & 0xFF));
            }
            break;
        case 5:  // unknown header size, bit depth or compression
            poke32(bytes, 14, random.chance(50) ? 12 : 200);
            break;
        default:
            bytes.clear();  // an empty file
            break;
    }
    return bytes;
}

std::string wave(Random& random) {
    std::string out = "RIFF";
    const std::uint32_t data = static_cast<std::uint32_t>(random.below(2000)) * 2;
    put32(out, 36 + data);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, 22050);
    put32(out, 44100);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, random.chance(20) ? 0xFFFFFFF0u : data);
    out.append(data, '\0');
    return out;
}

std::string midi(Random& random) {
    std::string out = "MThd";
    put32(out, 0x06000000);  // big-endian 6
    out += std::string("\0\0\0\x01\x01\xE0", 6);
    out += "MTrk";
    std::string track = std::string("\x00\x90\x3C\x40\x83\x60\x80\x3C\x40\x00\xFF\x2F\x00", 13);
    if (random.chance(30)) {
        track.resize(random.below(track.size()));
    }
    out += std::string("\0\0\0", 3) + static_cast<char>(track.size());
    return out + track;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// One asset entry: usually a file, sometimes a folder, a link to nowhere or to itself, or a
// named pipe (a reader that opened it would block forever).
void writeEntry(Random& random, const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    const int roll = static_cast<int>(random.below(100));
    if (roll < 4) {
        fs::create_directories(path, ec);
    } else if (roll < 6) {
        fs::create_symlink(path.filename(), path, ec);  // a link to itself
    } else if (roll < 8) {
        fs::create_symlink("nowhere/" + path.filename().string(), path, ec);
    } else if (roll < 9) {
        ::mkfifo(path.c_str(), 0600);
    } else {
        writeBytes(path, bytes);
    }
}

// The folder's name as found on disk: usually exact, sometimes another case, sometimes a
// file of that name, sometimes nothing.
std::optional<fs::path> makeAssetDir(Random& random, const fs::path& root,
                                     const std::string& name) {
    std::error_code ec;
    const int roll = static_cast<int>(random.below(100));
    if (roll < 5) {
        return std::nullopt;
    }
    if (roll < 8) {
        writeBytes(root / name, "not a folder");
        return std::nullopt;
    }
    std::string spelt = name;
    if (roll < 15) {
        for (char& c : spelt) {
            c = static_cast<char>(random.chance(50) ? std::tolower(c) : std::toupper(c));
        }
    }
    fs::create_directories(root / spelt, ec);
    return root / spelt;
}

}  // namespace

FolderNames writeGameFolder(Random& random, const fs::path& root) {
    std::error_code ec;
    fs::create_directories(root, ec);
    FolderNames names;
    const auto fill = [&](const std::string& folder, std::vector<std::string> pool,
                          std::vector<std::string>& offered, auto&& content) {
        const auto dir = makeAssetDir(random, root, folder);
        for (const auto& name : pool) {
            if (random.chance(70)) {
                offered.push_back(name);
                if (dir) {
                    writeEntry(random, *dir / name, content(name));
                }
            }
        }
    };
    fill("BMP",
         {"title.bmp", "button01.bmp", "button02.bmp", "logo.bmp", "CG01.BMP", "cg02.bmp",
          "tuduku.bmp", "a.bmp", "絵.bmp", "with space.bmp", "noext", "UPPER.BMP"},
         names.pictures, [&](const std::string&) {
             return random.chance(55) ? soundPicture(random) : brokenPicture(random);
         });
    fill(
        "Music", {"title.mid", "velko01.mid", "logo.wav", "a.wav", "音.wav", "broken.mid", "x.WAV"},
        names.sounds, [&](const std::string& name) {
            std::string bytes = name.find("mid") != std::string::npos ? midi(random) : wave(random);
            if (random.chance(25)) {
                bytes.resize(random.below(bytes.size() + 1));
            }
            return bytes;
        });
    fill("Wall", {"sin0011.bmp", "w.bmp", "壁.BMP"}, names.walls, [&](const std::string&) {
        return random.chance(60) ? soundPicture(random) : brokenPicture(random);
    });
    return names;
}

}  // namespace velko::stress
