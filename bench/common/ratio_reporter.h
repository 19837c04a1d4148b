#pragma once

// Shared by the benchmark programs: a plain byte copy as the yardstick, and a console reporter
// that ends with a table of every benchmark's time as a multiple of a baseline measured in the
// same run. Absolute times on a shared machine say little; ratios to a neighbour say more.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace velko::bench {

// A plain copy of `bytes` bytes per iteration: what any whole-frame operation costs at least.
inline void copyBytes(benchmark::State& state, std::size_t bytes) {
    std::vector<unsigned char> from(bytes, 0x5A);
    std::vector<unsigned char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string baseline) : baseline_(std::move(baseline)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
                continue;
            }
            // The fastest repetition: on a busy machine noise only ever adds time.
            const double perIteration =
                run.cpu_accumulated_time / static_cast<double>(run.iterations);
            const std::string name = run.benchmark_name();
            const auto found = best_.find(name);
            if (found == best_.end()) {
                order_.push_back(name);
                best_[name] = perIteration;
            } else {
                found->second = std::min(found->second, perIteration);
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::FILE* out = stdout;
        const auto base = best_.find(baseline_);
        if (base == best_.end() || base->second <= 0) {
            std::fprintf(out, "\nbaseline %s did not run: no ratios\n", baseline_.c_str());
            return;
        }
        std::size_t width = 9;
        for (const auto& name : order_) {
            width = std::max(width, name.size());
        }
        std::fprintf(out, "\n%-*s %12s %10s\n", static_cast<int>(width), "benchmark", "us/iter",
                     "x baseline");
        for (const auto& name : order_) {
            const double t = best_[name];
            std::fprintf(out, "%-*s %12.1f %10.2f%s\n", static_cast<int>(width), name.c_str(),
                         t * 1e6, t / base->second, name == baseline_ ? "  (baseline)" : "");
        }
    }

private:
    std::string baseline_;
    std::vector<std::string> order_;
    std::map<std::string, double> best_;
};

// main() of a benchmark program whose table is relative to `baseline`.
inline int runWithRatios(int argc, char** argv, const std::string& baseline) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter(baseline);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace velko::bench
