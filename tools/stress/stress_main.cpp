// velko-stress: random scenarios, game folders and input files thrown at velko-headless,
// and the scenarios and folders at velko-check.
//
// Every case must end well within the time limit with exit status 0 (2 when the scenario
// or the input file has a format fault, with a message naming the file and the line), with
// no sanitizer report, and with a trace whose errors name a script line. velko-check must
// end with 0 or 1, every finding naming the script and a line.
//
// The long run, by hand, against a sanitizer build (a few thousand cases, both cores):
//
//   cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug
//         -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer"
//   cmake --build build/asan -j2 --target velko-headless velko-check velko-stress
//   build/asan/tools/stress/velko-stress --headless build/asan/velko-headless
//         --check build/asan/velko-check --seed 7 --cases 3000 --jobs 2
//         --work /tmp/velko-stress
//
// (each command on one line). Without --work the cases go to the temp folder.
// A failing case is kept in WORK/fail-SEED-INDEX (scenario.txt, input.txt, game/, out/,
// stdout.txt, stderr.txt, command.txt); "--seed SEED --first INDEX --cases 1" writes and runs
// it again. CTest runs a fixed slice of 50 cases (label headless).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

#include "case_writer.h"
#include "run_check.h"

namespace {

namespace fs = std::filesystem;
using namespace velko::stress;

constexpr const char* kUsage =
    "usage: velko-stress --headless PATH [--check PATH] [--seed N] [--first N] [--cases N]\n"
    "                    [--jobs N] [--timeout SECONDS] [--work DIR] [--keep]\n";

struct Options {
    Tools tools;
    std::uint64_t seed = 1;
    std::uint64_t first = 0;
    std::uint64_t cases = 50;
    int jobs = 1;
    int timeoutSeconds = 180;
    fs::path work = fs::temp_directory_path() / "velko-stress";
    bool keep = false;  // keep the cases that pass too
};

std::optional<Options> parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--keep") {
            o.keep = true;
            continue;
        }
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const std::string value = argv[++i];
        char* end = nullptr;
        const unsigned long long number = std::strtoull(value.c_str(), &end, 10);
        const bool numeric = !value.empty() && *end == '\0';
        if (arg == "--headless") {
            o.tools.headless = value;
        } else if (arg == "--check") {
            o.tools.check = value;
        } else if (arg == "--work") {
            o.work = value;
        } else if (!numeric) {
            return std::nullopt;
        } else if (arg == "--seed") {
            o.seed = number;
        } else if (arg == "--first") {
            o.first = number;
        } else if (arg == "--cases") {
            o.cases = number;
        } else if (arg == "--jobs") {
            o.jobs = static_cast<int>(std::max(1ull, number));
        } else if (arg == "--timeout") {
            o.timeoutSeconds = static_cast<int>(number);
        } else {
            return std::nullopt;
        }
    }
    if (o.tools.headless.empty()) {
        return std::nullopt;
    }
    return o;
}

// Each case's seed, spread from the run's seed and the case's index (splitmix64).
std::uint64_t caseSeed(std::uint64_t seed, std::uint64_t index) {
    std::uint64_t z = seed * 0x9E3779B97F4A7C15ull + index + 1;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void keepFailure(const Options& o, std::uint64_t index, const CaseRun& run,
                 const Verdict& verdict) {
    const StressCase& c = run.stressCase();
    {
        std::ofstream command(c.dir / "command.txt");
        command << o.tools.headless.string() << " --game " << c.game.string() << " --script "
                << c.script.string() << " --input " << c.input.string() << " --out "
                << (c.dir / "out").string() << " --until " << c.until << "\n"
                << "# " << verdict.problem << "\n";
    }
    const fs::path kept = o.work / ("fail-" + std::to_string(o.seed) + "-" + std::to_string(index));
    std::error_code ec;
    fs::remove_all(kept, ec);
    fs::rename(c.dir, kept, ec);
    std::printf("FAIL case %llu (--seed %llu --first %llu --cases 1): %s [%s]\n",
                static_cast<unsigned long long>(index), static_cast<unsigned long long>(o.seed),
                static_cast<unsigned long long>(index), verdict.problem.c_str(),
                kept.string().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = parseOptions(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const Options& o = *options;
    std::error_code ec;
    fs::create_directories(o.work, ec);

    struct Running {
        std::uint64_t index;
        std::unique_ptr<CaseRun> run;
    };
    std::deque<Running> running;
    std::uint64_t next = o.first;
    const std::uint64_t end = o.first + o.cases;
    int failures = 0;
    int refusals = 0;
    int withErrors = 0;
    double slowest = 0;
    std::map<std::string, int> coverage;
    const auto limit = std::chrono::seconds(o.timeoutSeconds);
    const auto started = std::chrono::steady_clock::now();

    while (next < end || !running.empty()) {
        while (next < end && static_cast<int>(running.size()) < o.jobs) {
            const fs::path dir = o.work / ("case-" + std::to_string(next));
            running.push_back(
                {next, std::make_unique<CaseRun>(o.tools, writeCase(dir, caseSeed(o.seed, next)))});
            ++next;
        }
        bool any = false;
        for (auto it = running.begin(); it != running.end();) {
            if (!it->run->finished(limit)) {
                ++it;
                continue;
            }
            any = true;
            const Verdict v = it->run->verdict();
            slowest = std::max(slowest, v.seconds);
            if (v.passed && v.seconds > o.timeoutSeconds / 2.0) {
                std::printf("slow case %llu: %.1f s\n", static_cast<unsigned long long>(it->index),
                            v.seconds);
            }
            if (!v.passed) {
                ++failures;
                keepFailure(o, it->index, *it->run, v);
            } else {
                refusals += v.exitStatus == 2 ? 1 : 0;
                withErrors += v.scriptErrors > 0 ? 1 : 0;
                for (const auto& [op, count] : v.opcodes) {
                    coverage[op] += count;
                }
                if (!o.keep) {
                    fs::remove_all(it->run->stressCase().dir, ec);
                }
            }
            it = running.erase(it);
        }
        if (!any) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    const double total =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "%llu cases in %.1f s (slowest %.2f s): %d failed, %d refused a malformed file, "
        "%d reported script errors\nexecuted lines by opcode:",
        static_cast<unsigned long long>(o.cases), total, slowest, failures, refusals, withErrors);
    for (const auto& [op, count] : coverage) {
        std::printf(" %s %d", op.c_str(), count);
    }
    std::printf("\n");
    return failures == 0 ? 0 : 1;
}
