#pragma once

// Where the episode's asset folders BMP/, Music/ and Wall/ are found when no --game names
// them: beside the executable (the program folder, as built), then ../share/velko01 relative
// to it (an installed tree, which may be moved anywhere).

#include <filesystem>
#include <span>
#include <vector>

#include "base/result.h"

namespace velko {

// The folder of the running executable, symlinks followed.
std::filesystem::path executableFolder();

// The folders looked in, in order: exeFolder, exeFolder/../share/velko01, then `extra`
// (the tools add the build tree's program folder, which lies below them).
std::vector<std::filesystem::path> episodeFolderCandidates(
    const std::filesystem::path& exeFolder, std::span<const std::filesystem::path> extra = {});

// The first candidate that holds all three asset folders (their names in any letter case).
// Otherwise one line that says what is missing and where it was looked for.
Result<std::filesystem::path> findEpisodeFolder(std::span<const std::filesystem::path> candidates);

// The asset folders that `dir` lacks, as "BMP/", "Music/", "Wall/".
std::vector<std::string> missingAssetFolders(const std::filesystem::path& dir);

}  // namespace velko
