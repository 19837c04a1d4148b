#pragma once

// The three parts of a stress case. Each draws from the case's random source in a fixed
// order, so a seed always gives the same files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "random.h"

namespace velko::stress {

// The asset names a game folder offers, so that scenarios can name files that exist
// (whatever state those files are in) as well as files that do not.
struct FolderNames {
    std::vector<std::string> pictures;  // in BMP/
    std::vector<std::string> sounds;    // in Music/
    std::vector<std::string> walls;     // in Wall/
};

// Fills `root` with BMP/, Music/ and Wall/ (or odd variants of them): sound pictures,
// truncated and corrupt ones, empty files, folders and links named like files.
FolderNames writeGameFolder(Random& random, const std::filesystem::path& root);

struct ScriptText {
    std::string bytes;
    bool malformed = false;
};
ScriptText makeScenario(Random& random, const FolderNames& names);

struct InputText {
    std::string bytes;
    bool malformed = false;
};
InputText makeInput(Random& random, std::uint64_t until);

// A text of story-like and hostile characters (UTF-8, no CR or LF).
std::string randomText(Random& random, std::size_t maxPieces);

}  // namespace velko::stress
