#include "case_writer.h"

#include <fstream>
#include <system_error>

#include "random.h"
#include "writers.h"

namespace velko::stress {

namespace fs = std::filesystem;

namespace {

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace

StressCase writeCase(const fs::path& dir, std::uint64_t seed) {
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);

    Random random(seed);
    StressCase result;
    result.dir = dir;
    result.game = dir / "game";
    result.script = dir / "scenario.txt";
    result.input = dir / "input.txt";
    // Mostly a minute or two of virtual time; now and then a long stretch, which time
    // loops and long texts must still get through quickly.
    result.until = random.chance(90) ? random.between(0, 120'000) : random.between(0, 600'000);

    const FolderNames names = writeGameFolder(random, result.game);
    const ScriptText scenario = makeScenario(random, names);
    const InputText input = makeInput(random, result.until);
    writeBytes(result.script, scenario.bytes);
    writeBytes(result.input, input.bytes);
    result.badScript = scenario.malformed;
    result.badInput = input.malformed;
    return result;
}

}  // namespace velko::stress
