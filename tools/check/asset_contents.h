#pragma once

// Asset files read the way the player reads them: pictures through the program's BMP
// decoder, MIDI and wave files through the sound readers. A file that is there but that the
// player cannot use is as much a fault as a missing one.

#include <filesystem>
#include <map>
#include <string>

#include "base/result.h"
#include "script/opcode.h"

namespace velko::check {

enum class AssetKind { Picture, Midi, Wave };

// What the command expects of its file: MS and MR play MIDI, the other Music/ commands waves,
// everything else takes a picture.
AssetKind assetKindOf(script::Opcode op);

// Reads each file once; the error says what is wrong with it ("not PCM (format 3)").
class AssetReader {
public:
    const Status& read(const std::filesystem::path& file, AssetKind kind);

private:
    std::map<std::pair<std::string, AssetKind>, Status> cache_;
};

}  // namespace velko::check
