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

std::optional<AssetIndex> AssetIndex::open(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) {
        return std::nullopt;
    }
    AssetIndex folder;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        // A folder or a broken link with the right name would not load either.
        if (it->is_regular_file(ec)) {
            folder.folded_.insert(foldAsciiCase(it->path().filename().string()));
        }
    }
    return folder;
}

bool AssetIndex::contains(std::string_view utf8Name) const {
    return folded_.count(foldAsciiCase(utf8Name)) != 0;
}

}  // namespace velko::check
