#include "engine/game_folder.h"

#include <algorithm>
#include <system_error>

#include "base/utf.h"

namespace velko::engine {

namespace {

std::string foldCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return s;
}

}  // namespace

std::filesystem::path GameFolder::pathAsGiven(script::AssetFolder folder,
                                              std::u16string_view name) const {
    return root_ / std::string(script::folderName(folder)) / utf16ToUtf8(name);
}

const std::map<std::string, std::string>& GameFolder::listing(script::AssetFolder folder) const {
    auto it = listings_.find(folder);
    if (it != listings_.end()) {
        return it->second;
    }
    std::map<std::string, std::string> files;
    std::error_code ec;
    // The folder's own name may differ in case too ("bmp", "MUSIC").
    std::filesystem::path dir;
    const std::string wanted = foldCase(std::string(script::folderName(folder)));
    for (std::filesystem::directory_iterator d(root_, ec), end; !ec && d != end; d.increment(ec)) {
        if (d->is_directory(ec) && foldCase(d->path().filename().string()) == wanted) {
            dir = d->path();
            // An exact match wins over a case-folded one.
            if (d->path().filename() == script::folderName(folder)) {
                break;
            }
        }
    }
    if (!dir.empty()) {
        for (std::filesystem::directory_iterator f(dir, ec), end; !ec && f != end;
             f.increment(ec)) {
            const std::string name = f->path().filename().string();
            // Of two files that differ only in case, the first listed is taken.
            files.emplace(foldCase(name), name);
        }
        for (auto& [key, name] : files) {
            name = (dir / name).string();
        }
    }
    return listings_.emplace(folder, std::move(files)).first->second;
}

std::optional<std::filesystem::path> GameFolder::find(script::AssetFolder folder,
                                                      std::u16string_view name) const {
    const std::string utf8 = utf16ToUtf8(name);
    const auto& files = listing(folder);
    auto it = files.find(foldCase(utf8));
    if (it == files.end()) {
        return std::nullopt;
    }
    return std::filesystem::path(it->second);
}

}  // namespace velko::engine

namespace velko::engine {

std::optional<std::string> unusableGameFolder(const std::filesystem::path& dir) {
    std::error_code ec;
    const auto status = std::filesystem::status(dir, ec);
    if (!std::filesystem::exists(status)) {
        return dir.string() + " does not exist";
    }
    if (!std::filesystem::is_directory(status)) {
        return dir.string() + " is not a folder";
    }
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) {
        return dir.string() + ": cannot read the folder: " + ec.message();
    }
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        for (char& c : name) {
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        if ((name == "bmp" || name == "music" || name == "wall") && it->is_directory(ec)) {
            return std::nullopt;
        }
    }
    return dir.string() + " holds none of BMP/, Music/ and Wall/";
}

}  // namespace velko::engine
