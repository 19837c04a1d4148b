#pragma once

// The program folder and its asset folders BMP/, Music/ and Wall/. File names are matched
// without regard to letter case, as the scenario was written for a file system that
// ignores it ("CG11.BMP" and "cg11.bmp" are the same picture).

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "script/opcode.h"

namespace velko::engine {

class GameFolder {
public:
    explicit GameFolder(std::filesystem::path root) : root_(std::move(root)) {}

    const std::filesystem::path& root() const { return root_; }

    // The path as the name is written: root/Folder/name (what the sound player is handed).
    std::filesystem::path pathAsGiven(script::AssetFolder folder, std::u16string_view name) const;

    // The existing file whose name matches `name` without regard to ASCII letter case, or
    // nothing. Folder listings are read once and kept.
    std::optional<std::filesystem::path> find(script::AssetFolder folder,
                                              std::u16string_view name) const;

    bool exists(script::AssetFolder folder, std::u16string_view name) const {
        return find(folder, name).has_value();
    }

private:
    const std::map<std::string, std::string>& listing(script::AssetFolder folder) const;

    std::filesystem::path root_;
    mutable std::map<script::AssetFolder, std::map<std::string, std::string>> listings_;
};

// Why `dir`, named by the reader, cannot be a program folder: it is missing, is no folder or
// holds none of BMP/, Music/ and Wall/ (asset names are matched without regard to case, the
// folder names too). Nothing when it can.
std::optional<std::string> unusableGameFolder(const std::filesystem::path& dir);

}  // namespace velko::engine
