#pragma once

// The files of one asset folder, looked up without regard to ASCII letter case, the way the
// player finds "cg11.bmp" stored as "CG11.BMP".

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace velko::check {

std::string foldAsciiCase(std::string_view name);

class AssetIndex {
public:
    // The error names the folder and gives the system's reason ("Permission denied").
    static Result<AssetIndex> open(const std::filesystem::path& dir);

    bool contains(std::string_view utf8Name) const { return find(utf8Name).has_value(); }
    // The file whose name matches, as it is spelt in the folder.
    std::optional<std::filesystem::path> find(std::string_view utf8Name) const;

private:
    std::filesystem::path dir_;
    std::map<std::string, std::string> folded_;  // folded name -> name on disk
};

}  // namespace velko::check
