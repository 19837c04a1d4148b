#pragma once

// The files of one asset folder, looked up without regard to ASCII letter case, the way the
// player finds "cg11.bmp" stored as "CG11.BMP".

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace velko::check {

std::string foldAsciiCase(std::string_view name);

class AssetIndex {
public:
    // Nothing when `dir` is not a readable folder.
    static std::optional<AssetIndex> open(const std::filesystem::path& dir);

    bool contains(std::string_view utf8Name) const;

private:
    std::set<std::string> folded_;
};

}  // namespace velko::check
