#include "formats/sound_file.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <system_error>

#include "formats/midi_info.h"
#include "formats/wave_info.h"

namespace velko::sound {
namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

// The file itself, or the one in its folder whose name differs only in letter case.
std::optional<std::filesystem::path> findFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        return file;
    }
    const std::string wanted = file.filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), ec)) {
        if (sameIgnoringCase(entry.path().filename().string(), wanted)) {
            return entry.path();
        }
    }
    return std::nullopt;
}

}  // namespace

std::string soundFileLabel(const std::filesystem::path& file) {
    const auto folder = file.parent_path().filename();
    return folder.empty() ? file.filename().string() : (folder / file.filename()).string();
}

Result<SoundFile> loadSoundFile(const std::filesystem::path& file, SoundKind kind) {
    const std::string label = soundFileLabel(file);
    const auto found = findFile(file);
    if (!found) {
        return makeError(label + ": not found");
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*found, ec)) {
        return makeError(label + ": not a file");
    }
    const auto size = std::filesystem::file_size(*found, ec);
    if (ec) {
        return makeError(label + ": cannot read: " + ec.message());
    }
    if (size > kMaxSoundFileBytes) {
        return makeError(label + ": larger than " + std::to_string(kMaxSoundFileBytes >> 20) +
                         " MiB; not a sound this program plays");
    }
    SoundFile out;
    out.path = *found;
    out.bytes.resize(static_cast<std::size_t>(size));
    std::ifstream in(*found, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(out.bytes.data()),
                 static_cast<std::streamsize>(out.bytes.size()))) {
        return makeError(label + ": cannot read");
    }
    std::uint64_t duration = 0;
    if (kind == SoundKind::Midi) {
        auto info = inspectMidi(out.bytes);
        if (!info) {
            return makeError(label + ": " + info.error());
        }
        duration = info->durationMs;
    } else {
        auto info = inspectWave(out.bytes);
        if (!info) {
            return makeError(label + ": " + info.error());
        }
        duration = info->durationMs;
    }
    // Lengths past the tick counter's range (49 days) are held just below it.
    out.durationMs = static_cast<std::uint32_t>(std::min<std::uint64_t>(duration, UINT32_MAX - 1));
    return out;
}

}  // namespace velko::sound
