#pragma once

// Starts velko-headless on a stress case with a time limit and judges what it did: the exit
// status the case calls for, no sanitizer report, a well-formed trace whose errors name a
// script line, and an end well within the limit.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "case_writer.h"

namespace velko::stress {

struct Verdict {
    bool passed = false;
    std::string problem;  // what went wrong, when it did
    int exitStatus = -1;  // 128 + the signal for a killed run
    double seconds = 0;
    std::map<std::string, int> opcodes;  // executed lines by opcode, for the coverage summary
    int scriptErrors = 0;                // "error" lines in the trace
};

class HeadlessRun {
public:
    // Starts the run; `until` and the files come from the case.
    HeadlessRun(const std::filesystem::path& headless, StressCase stressCase);
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // True once the run has ended; kills it (and says so in the verdict) past `limit`.
    bool finished(std::chrono::milliseconds limit);
    Verdict verdict() const;
    const StressCase& stressCase() const { return case_; }

private:
    StressCase case_;
    pid_t pid_ = -1;
    std::chrono::steady_clock::time_point start_;
    double seconds_ = 0;
    int status_ = -1;
    bool timedOut_ = false;
    std::string startError_;
};

}  // namespace velko::stress
