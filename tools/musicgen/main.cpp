// velko-musicgen: compiles the episode's music sources (.mml) to Standard MIDI Files and its
// sound sources (.snd) to 16-bit PCM waves.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "mml_compiler.h"
#include "formats/midi_info.h"
#include "formats/wave_info.h"
#include "sound_source.h"
#include "synth.h"

namespace {

using velko::Result;

constexpr const char* kUsage =
    "usage: velko-musicgen SOURCE OUTPUT\n"
    "         SOURCE.mml -> a Standard MIDI File, SOURCE.snd -> a 16-bit PCM wave\n"
    "       velko-musicgen --info FILE...\n"
    "         checks .mid and .wav files and prints their lengths\n";

Result<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return velko::makeError(path + ": cannot open");
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return velko::makeError(path + ": read error");
    }
    return text;
}

// Writes beside the target and renames, so a failed build never leaves half a file behind.
velko::Status writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            return velko::makeError(temp + ": cannot write");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        return velko::makeError(path + ": " + ec.message());
    }
    return velko::Ok{};
}

Result<std::vector<std::uint8_t>> build(const std::string& source) {
    auto text = readFile(source);
    if (!text) {
        return velko::makeError(text.error());
    }
    const std::string ext = std::filesystem::path(source).extension().string();
    if (ext == ".mml") {
        auto midi = velko::musicgen::compileMml(*text, source);
        // The player refuses what the checker rejects, so a build never ships such a file.
        if (midi) {
            if (auto info = velko::sound::inspectMidi(*midi); !info) {
                return velko::makeError(source + ": the compiled file is invalid: " + info.error());
            }
        }
        return midi;
    }
    if (ext == ".snd") {
        auto sound = velko::musicgen::parseSoundSource(*text, source);
        if (!sound) {
            return velko::makeError(sound.error());
        }
        return velko::musicgen::writeWave(velko::musicgen::renderSound(*sound), sound->channels,
                                          sound->rate);
    }
    return velko::makeError(source + ": unknown kind of source (expected .mml or .snd)");
}

int printInfo(int count, char** paths) {
    int status = 0;
    for (int i = 0; i < count; ++i) {
        const std::string path = paths[i];
        auto text = readFile(path);
        if (!text) {
            std::fprintf(stderr, "%s\n", text.error().c_str());
            status = 1;
            continue;
        }
        const std::span<const std::uint8_t> bytes(
            reinterpret_cast<const std::uint8_t*>(text->data()), text->size());
        if (path.size() > 4 && path.substr(path.size() - 4) == ".wav") {
            auto info = velko::sound::inspectWave(bytes);
            if (!info) {
                std::fprintf(stderr, "%s: %s\n", path.c_str(), info.error().c_str());
                status = 1;
                continue;
            }
            std::printf("%s: %d Hz, %d bit, %d channel(s), %u frames, %.3f s\n", path.c_str(),
                        info->sampleRate, info->bitsPerSample, info->channels, info->frames,
                        static_cast<double>(info->durationMs) / 1000.0);
        } else {
            auto info = velko::sound::inspectMidi(bytes);
            if (!info) {
                std::fprintf(stderr, "%s: %s\n", path.c_str(), info.error().c_str());
                status = 1;
                continue;
            }
            std::printf(
                "%s: format %d, %d tracks, %llu ticks, %.3f s, %u notes, %u hanging, channels "
                "%04x, with program %04x\n",
                path.c_str(), info->format, info->tracks,
                static_cast<unsigned long long>(info->lengthTicks),
                static_cast<double>(info->durationMs) / 1000.0, info->notes, info->hangingNotes,
                info->channelsWithNotes, info->channelsWithProgram);
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "--info") == 0) {
        return printInfo(argc - 2, argv + 2);
    }
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    auto bytes = build(argv[1]);
    if (!bytes) {
        std::fprintf(stderr, "%s\n", bytes.error().c_str());
        return 1;
    }
    if (auto written = writeFile(argv[2], *bytes); !written) {
        std::fprintf(stderr, "%s\n", written.error().c_str());
        return 1;
    }
    return 0;
}
