#pragma once

// One stress case, written from a seed: a scenario that mixes every command with valid,
// boundary and nonsense arguments, a game folder of sound, broken and hostile files, and a
// timed input file. Most cases are well-formed files with bad content (the player must run
// them and report faults by line); some carry a deliberate format fault in the scenario or
// the input file (the runner must then refuse the file with exit status 2, naming it).

#include <cstdint>
#include <filesystem>

namespace velko::stress {

struct StressCase {
    std::filesystem::path dir;  // everything below lives here
    std::filesystem::path game;
    std::filesystem::path script;
    std::filesystem::path input;
    std::uint64_t until = 0;  // --until, virtual milliseconds
    bool badScript = false;   // the scenario has a format fault on purpose
    bool badInput = false;    // the input file has a format fault on purpose
};

// Writes the case into `dir` (created; an old one is replaced).
StressCase writeCase(const std::filesystem::path& dir, std::uint64_t seed);

}  // namespace velko::stress
