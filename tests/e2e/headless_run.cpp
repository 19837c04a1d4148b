#include "headless_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/gfx/image_io.h"

extern char** environ;

namespace velko::test {

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

gfx::Bitmap solid(int w, int h, gfx::Pixel color) {
    return gfx::Bitmap(w, h, color);
}

gfx::Bitmap codedSheet(int w, int h) {
    gfx::Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.set(x, y, static_cast<gfx::Pixel>(0x800000 | (y << 10) | x));
        }
    }
    return b;
}

int HeadlessRun::count(const std::string& event) const {
    const auto e = events();
    return static_cast<int>(std::count(e.begin(), e.end(), event));
}

std::vector<std::string> HeadlessRun::events() const {
    std::vector<std::string> out;
    for (const auto& line : trace) {
        const auto space = line.find(' ');
        out.push_back(space == std::string::npos ? std::string() : line.substr(space + 1));
    }
    return out;
}

std::int64_t HeadlessRun::timeOf(const std::string& event, bool prefix) const {
    for (const auto& line : trace) {
        const auto space = line.find(' ');
        if (space == std::string::npos) {
            continue;
        }
        const std::string rest = line.substr(space + 1);
        if (rest == event || (prefix && rest.rfind(event, 0) == 0)) {
            return std::stoll(line.substr(0, space));
        }
    }
    return -1;
}

std::vector<int> HeadlessRun::executedLines() const {
    std::vector<int> out;
    for (const auto& e : events()) {
        if (e.rfind("line ", 0) == 0) {
            out.push_back(std::stoi(e.substr(5)));
        }
    }
    return out;
}

gfx::Bitmap HeadlessRun::shot(const std::string& name) const {
    auto bitmap = gfx::loadPng(outDir / (name + ".png"));
    return bitmap ? std::move(bitmap).value() : gfx::Bitmap();
}

HeadlessGame::HeadlessGame() {
    char pattern[] = "/tmp/velko-e2e-XXXXXX";
    dir_ = mkdtemp(pattern);
    for (const char* sub : {"BMP", "Music", "Wall"}) {
        std::filesystem::create_directories(dir_ / sub);
    }
}

HeadlessGame::~HeadlessGame() {
    if (!std::getenv("VELKO_KEEP_TEST_FILES")) {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
}

void HeadlessGame::addFile(const std::string& relative, const std::string& bytes) {
    writeFile(dir_ / relative, bytes);
}

void HeadlessGame::addPicture(const std::string& relative, const gfx::Bitmap& bitmap) {
    const auto bytes = gfx::encodeBmp24(bitmap);
    addFile(relative, std::string(bytes.begin(), bytes.end()));
}

HeadlessRun HeadlessGame::run(const std::string& scenario, const std::string& input,
                              const std::vector<std::string>& extraArgs) const {
    const auto runDir = dir_ / ("run" + std::to_string(++runs_));
    std::filesystem::create_directories(runDir);
    writeFile(runDir / "scenario.txt", scenario);
    writeFile(runDir / "input.txt", input);
    std::vector<std::string> args = {"--game",   dir_.string(),
                                     "--script", (runDir / "scenario.txt").string(),
                                     "--input",  (runDir / "input.txt").string(),
                                     "--out",    (runDir / "out").string()};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return runWith(args, runDir / "out");
}

HeadlessRun HeadlessGame::runWith(const std::vector<std::string>& toolArgs,
                                  const std::filesystem::path& outDir) const {
    const std::string tool = std::string(VELKO_BINARY_DIR) + "/velko-headless";
    std::vector<std::string> args = {tool};
    args.insert(args.end(), toolArgs.begin(), toolArgs.end());
    const auto runDir = dir_ / ("run" + std::to_string(++runs_));
    std::filesystem::create_directories(runDir);
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    const auto log = runDir / "output.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    HeadlessRun result;
    result.outDir = outDir;
    if (posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.output = readFile(log);
    result.trace = splitLines(readFile(result.outDir / "trace.log"));
    return result;
}

}  // namespace velko::test
