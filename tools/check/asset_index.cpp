#include "asset_index.h"

#include <system_error>

namespace velko::check {

std::string foldAsciiCase(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

Result<AssetIndex> AssetIndex::open(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::exists(dir, ec)) {
        return makeError(dir.string() + " does not exist");
    }
    if (!std::filesystem::is_directory(dir, ec)) {
        return makeError(dir.string() + " is not a folder");
    }
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) {
        return makeError(dir.string() + ": cannot read the folder: " + ec.message());
    }
    AssetIndex folder;
    folder.dir_ = dir;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        // A folder or a broken link with the right name would not load either.
        if (it->is_regular_file(ec)) {
            const std::string name = it->path().filename().string();
            folder.folded_.emplace(foldAsciiCase(name), name);
        }
    }
    if (ec) {
        return makeError(dir.string() + ": cannot read the folder: " + ec.message());
    }
    return folder;
}

std::optional<std::filesystem::path> AssetIndex::find(std::string_view utf8Name) const {
    const auto it = folded_.find(foldAsciiCase(utf8Name));
    if (it == folded_.end()) {
        return std::nullopt;
    }
    return dir_ / it->second;
}

}  // namespace velko::check
