#pragma once

// A small deterministic random source for the stress cases: the same seed gives the same
// case on every machine (the engine is the standard's, and the helpers avoid the library's
// distributions, whose output is not fixed).

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace velko::stress {

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    std::uint64_t next() { return engine_(); }
    // 0 to n - 1; n must be positive.
    std::uint64_t below(std::uint64_t n) { return next() % n; }
    // lo to hi, both included.
    std::int64_t between(std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(hi - lo) + 1));
    }
    // True `percent` times in a hundred.
    bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }

    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }
    std::string pick(std::initializer_list<const char*> items) {
        return std::string(items.begin()[below(items.size())]);
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace velko::stress
