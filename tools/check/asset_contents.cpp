#include "asset_contents.h"

#include <cstdint>
#include <fstream>
#include <system_error>
#include <vector>

#include "formats/midi_info.h"
#include "formats/sound_file.h"
#include "formats/wave_info.h"
#include "platform/gfx/image_io.h"

namespace velko::check {
namespace {

// Far above anything the program plays or shows; the readers refuse such files as well.
constexpr std::uintmax_t kMaxAssetBytes = 256u << 20;

Result<std::vector<std::uint8_t>> readBytes(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) {
        return makeError("cannot read: " + ec.message());
    }
    if (size > kMaxAssetBytes) {
        return makeError("larger than " + std::to_string(kMaxAssetBytes >> 20) + " MiB");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return makeError("cannot open: " +
                         std::error_code(errno, std::generic_category()).message());
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        return makeError("cannot read the whole file");
    }
    return bytes;
}

Status inspect(const std::filesystem::path& file, AssetKind kind) {
    auto bytes = readBytes(file);
    if (!bytes) {
        return makeError(bytes.error());
    }
    switch (kind) {
        case AssetKind::Picture:
            if (auto bmp = gfx::decodeBmp(*bytes); !bmp) {
                return makeError("not a picture the player can show: " + bmp.error());
            }
            break;
        case AssetKind::Midi:
            if (auto midi = sound::inspectMidi(*bytes); !midi) {
                return makeError("not a MIDI file the player can play: " + midi.error());
            }
            break;
        case AssetKind::Wave:
            if (auto wave = sound::inspectWave(*bytes); !wave) {
                return makeError("not a wave the player can play: " + wave.error());
            }
            break;
    }
    return Ok{};
}

}  // namespace

AssetKind assetKindOf(script::Opcode op) {
    using script::Opcode;
    switch (op) {
        case Opcode::MS:
        case Opcode::MR:
            return AssetKind::Midi;
        case Opcode::WM:
        case Opcode::WS:
        case Opcode::WA:
        case Opcode::WR:
            return AssetKind::Wave;
        default:
            return AssetKind::Picture;
    }
}

const Status& AssetReader::read(const std::filesystem::path& file, AssetKind kind) {
    const auto key = std::make_pair(file.string(), kind);
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        it = cache_.emplace(key, inspect(file, kind)).first;
    }
    return it->second;
}

}  // namespace velko::check
