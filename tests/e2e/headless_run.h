#pragma once

// Runs velko-headless on a scenario, an input file and a small game folder made for the
// test, and reads back what it wrote.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace velko::test {

struct HeadlessRun {
    int exitCode = -1;
    std::string output;              // what the tool printed (stdout and stderr)
    std::vector<std::string> trace;  // trace.log, line by line
    std::filesystem::path outDir;

    // Trace lines without their times, for order checks.
    std::vector<std::string> events() const;
    // The time of the first trace line that is exactly "KIND DETAILS" (or starts with it when
    // `prefix`), or -1.
    std::int64_t timeOf(const std::string& event, bool prefix = false) const;
    // How many trace lines are exactly "KIND DETAILS".
    int count(const std::string& event) const;
    bool has(const std::string& event, bool prefix = false) const {
        return timeOf(event, prefix) >= 0;
    }
    // The executed lines, in order ("line N OP" -> N).
    std::vector<int> executedLines() const;
    gfx::Bitmap shot(const std::string& name) const;
};

class HeadlessGame {
public:
    HeadlessGame();  // a fresh folder with empty BMP/, Music/ and Wall/
    ~HeadlessGame();

    const std::filesystem::path& dir() const { return dir_; }
    void addFile(const std::string& relative, const std::string& bytes);
    void addPicture(const std::string& relative, const gfx::Bitmap& bitmap);

    // Writes the scenario and the input and runs the tool with `--script`.
    HeadlessRun run(const std::string& scenario, const std::string& input,
                    const std::vector<std::string>& extraArgs = {}) const;
    // The tool with these arguments and no others; `outDir` is taken as the run's output.
    HeadlessRun runWith(const std::vector<std::string>& args,
                        const std::filesystem::path& outDir) const;

private:
    std::filesystem::path dir_;
    mutable int runs_ = 0;
};

// A picture filled with one colour.
gfx::Bitmap solid(int w, int h, gfx::Pixel color);
// Every pixel its own colour, so a copy from the wrong place shows.
gfx::Bitmap codedSheet(int w, int h);
// A whole file, or "" when it cannot be read.
std::string readFile(const std::filesystem::path& p);

}  // namespace velko::test
