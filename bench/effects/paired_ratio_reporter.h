#pragma once

// A console reporter whose closing table gives each benchmark's time as a multiple of its own
// baseline (a plain copy of as many bytes as it touches), measured in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace velko::bench {

class PairedRatioReporter : public benchmark::ConsoleReporter {
public:
    // benchmark name -> name of its baseline
    explicit PairedRatioReporter(std::map<std::string, std::string> baselines)
        : baselines_(std::move(baselines)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
                continue;
            }
            // The fastest repetition: on a shared machine noise only ever adds time.
            const double t = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            const std::string name = run.benchmark_name();
            const auto [it, added] = best_.try_emplace(name, t);
            if (added) {
                order_.push_back(name);
            } else {
                it->second = std::min(it->second, t);
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::size_t width = 9;
        for (const auto& name : order_) {
            width = std::max(width, name.size());
        }
        std::printf("\n%-*s %12s %12s\n", static_cast<int>(width), "benchmark", "us/iter",
                    "x its copy");
        for (const auto& name : order_) {
            const auto pair = baselines_.find(name);
            const auto base = pair == baselines_.end() ? best_.end() : best_.find(pair->second);
            if (base == best_.end() || base->second <= 0) {
                std::printf("%-*s %12.1f %12s\n", static_cast<int>(width), name.c_str(),
                            best_[name] * 1e6, "-");
                continue;
            }
            std::printf("%-*s %12.1f %12.2f\n", static_cast<int>(width), name.c_str(),
                        best_[name] * 1e6, best_[name] / base->second);
        }
    }

private:
    std::map<std::string, std::string> baselines_;
    std::vector<std::string> order_;
    std::map<std::string, double> best_;
};

}  // namespace velko::bench
