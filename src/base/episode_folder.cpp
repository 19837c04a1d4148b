#include "base/episode_folder.h"

#include <algorithm>
#include <array>
#include <string>
#include <system_error>

namespace velko {

namespace {

constexpr std::array<std::string_view, 3> kAssetFolders{"BMP", "Music", "Wall"};

std::string foldCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return s;
}

std::string joinPaths(std::span<const std::filesystem::path> paths) {
    std::string out;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        out += i == 0 ? "" : (i + 1 == paths.size() ? " and " : ", ");
        out += paths[i].string();
    }
    return out;
}

std::string joinNames(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        out += i == 0 ? "" : (i + 1 == names.size() ? " and " : ", ");
        out += names[i];
    }
    return out;
}

}  // namespace

std::filesystem::path executableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec) {
        return std::filesystem::current_path(ec);
    }
    return exe.parent_path();
}

std::vector<std::filesystem::path> episodeFolderCandidates(
    const std::filesystem::path& exeFolder, std::span<const std::filesystem::path> extra) {
    std::vector<std::filesystem::path> out{
        exeFolder, (exeFolder / ".." / "share" / "velko01").lexically_normal()};
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

std::vector<std::string> missingAssetFolders(const std::filesystem::path& dir) {
    std::vector<std::string> present;
    std::error_code ec;
    for (std::filesystem::directory_iterator d(dir, ec), end; !ec && d != end; d.increment(ec)) {
        if (d->is_directory(ec)) {
            present.push_back(foldCase(d->path().filename().string()));
        }
    }
    std::vector<std::string> missing;
    for (std::string_view name : kAssetFolders) {
        if (std::find(present.begin(), present.end(), foldCase(std::string(name))) ==
            present.end()) {
            missing.push_back(std::string(name) + "/");
        }
    }
    return missing;
}

Result<std::filesystem::path> findEpisodeFolder(std::span<const std::filesystem::path> candidates) {
    // The first folder that holds some but not all of the three is the one the reader meant.
    const std::filesystem::path* partial = nullptr;
    std::vector<std::string> partialMissing;
    for (const auto& dir : candidates) {
        auto missing = missingAssetFolders(dir);
        if (missing.empty()) {
            return dir;
        }
        if (!partial && missing.size() < kAssetFolders.size()) {
            partial = &dir;
            partialMissing = std::move(missing);
        }
    }
    if (partial) {
        return makeError("the episode's data in " + partial->string() + " lacks " +
                         joinNames(partialMissing) + " (looked in " + joinPaths(candidates) + ")");
    }
    return makeError("the episode's data (BMP/, Music/ and Wall/) is not in " +
                     joinPaths(candidates));
}

}  // namespace velko
