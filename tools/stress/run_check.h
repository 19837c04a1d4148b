#pragma once

// Runs one stress case: velko-headless with a time limit, then velko-check on the same
// scenario and game folder, and judges what they did. velko-headless must end with the
// exit status the case calls for, without a sanitizer report, with a well-formed trace
// whose errors name a script line; velko-check must end with 0 or 1, and every finding
// must name the script and a line.

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "case_writer.h"
#include "child.h"

namespace velko::stress {

struct Verdict {
    bool passed = false;
    std::string problem;  // what went wrong, when it did
    int exitStatus = -1;  // velko-headless's; 128 + the signal for a killed run
    double seconds = 0;
    std::map<std::string, int> opcodes;  // executed lines by opcode, for the coverage summary
    int scriptErrors = 0;                // "error" lines in the trace
};

struct Tools {
    std::filesystem::path headless;
    std::filesystem::path check;  // empty: velko-check is not run
};

class CaseRun {
public:
    CaseRun(const Tools& tools, StressCase stressCase);

    // True once both tools have ended; each is killed (and failed) past `limit`.
    bool finished(std::chrono::milliseconds limit);
    Verdict verdict() const;
    const StressCase& stressCase() const { return case_; }

private:
    std::string judgeCheck() const;

    Tools tools_;
    StressCase case_;
    std::unique_ptr<Child> headless_;
    std::unique_ptr<Child> check_;
};

}  // namespace velko::stress
