// The shipped episode as a reader who uses none of the program's optional keys sees it: every
// trace line, and the screen at fixed times, must stay exactly as recorded in golden/. Whatever
// is added to the player must leave these runs unchanged. A mismatch writes NAME-Actual.trace
// and NAME-SHOT-Actual.png beside the expected files; VELKO_UPDATE_GOLDEN=1 records them anew.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "headless_run.h"
#include "platform/gfx/image_io.h"

namespace velko::test {
namespace {

const std::filesystem::path kGoldenDir = VELKO_SOURCE_DIR "/tests/e2e/golden";

bool updating() {
    const char* v = std::getenv("VELKO_UPDATE_GOLDEN");
    return v && std::string(v) == "1";
}

// FNV-1a over the pixels: a shot is compared exactly without keeping the picture in the tree.
std::uint64_t pixelHash(const gfx::Bitmap& b) {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            h = (h ^ ((v >> (8 * i)) & 0xFF)) * 1099511628211ull;
        }
    };
    mix(static_cast<std::uint32_t>(b.width()));
    mix(static_cast<std::uint32_t>(b.height()));
    for (const auto p : b.pixels()) {
        mix(p);
    }
    return h;
}

// The wallpaper line names an absolute path of the machine the run was made on.
std::string portableTrace(const std::vector<std::string>& trace) {
    static const std::regex wallpaper(R"(^(\d+ wallpaper ).*/([^/]+)$)");
    std::string out;
    for (const auto& line : trace) {
        out += std::regex_replace(line, wallpaper, "$1.../$2") + "\n";
    }
    return out;
}

std::vector<std::string> shotNames(const std::string& input) {
    std::vector<std::string> names;
    std::istringstream in(input);
    std::string line;
    static const std::regex shot(R"(^\s*\d+\s+shot\s+(\S+))");
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, shot)) {
            names.push_back(m[1]);
        }
    }
    return names;
}

void writeFile(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

class Golden : public ::testing::TestWithParam<const char*> {};

TEST_P(Golden, TraceAndShotsAreUnchanged) {
    const std::string name = GetParam();
    const std::string source = readFile(VELKO_SOURCE_DIR "/game/scenario.txt");
    const std::string input = readFile(kGoldenDir / (name + ".input"));
    ASSERT_FALSE(source.empty());
    ASSERT_FALSE(input.empty());

    HeadlessGame game;  // only to host the run's files: the pictures are the built ones
    const auto run = game.run(source, input, {"--game", VELKO_GAME_DIR});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    std::ostringstream shots;
    for (const auto& shot : shotNames(input)) {
        const auto bitmap = run.shot(shot);
        ASSERT_FALSE(bitmap.empty()) << shot;
        shots << shot << " " << std::hex << pixelHash(bitmap) << std::dec << "\n";
        if (!updating()) {
            (void)gfx::savePng(kGoldenDir / (name + "-" + shot + "-Actual.png"), bitmap);
        }
    }
    const std::string trace = portableTrace(run.trace);
    const auto tracePath = kGoldenDir / (name + ".trace");
    const auto shotsPath = kGoldenDir / (name + ".shots");
    if (updating()) {
        writeFile(tracePath, trace);
        writeFile(shotsPath, shots.str());
        return;
    }
    const bool sameTrace = readFile(tracePath) == trace;
    const bool sameShots = readFile(shotsPath) == shots.str();
    if (sameTrace) {
        std::filesystem::remove(kGoldenDir / (name + "-Actual.trace"));
    } else {
        writeFile(kGoldenDir / (name + "-Actual.trace"), trace);
    }
    EXPECT_TRUE(sameTrace) << name << ": the trace differs from " << tracePath
                           << "; see " << name << "-Actual.trace";
    EXPECT_TRUE(sameShots) << name << ": shots differ from " << shotsPath << ":\n" << shots.str();
    // Only the shots that differ keep their -Actual.png.
    std::istringstream expected(readFile(shotsPath));
    std::string shot, hash;
    std::map<std::string, std::string> want;
    while (expected >> shot >> hash) {
        want[shot] = hash;
    }
    std::istringstream actual(shots.str());
    while (actual >> shot >> hash) {
        if (want[shot] == hash) {
            std::filesystem::remove(kGoldenDir / (name + "-" + shot + "-Actual.png"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Episode, Golden, ::testing::Values("story", "extras", "leave"));

}  // namespace
}  // namespace velko::test
