#pragma once

// Starts a helper program from an argument vector (no shell), waits for it a bounded time
// and always reaps it: a helper that hangs is killed, one that is missing is a failure.

#include <chrono>
#include <optional>
#include <string>

#include "platform/sdl/wallpaper.h"

namespace velko::sdl {

struct ProcessResult {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;   // -1 when it did not exit normally
    std::string output;  // standard output, when asked for
};

ProcessResult runProcess(const Argv& argv, std::chrono::milliseconds timeout,
                         bool captureOutput = false);

}  // namespace velko::sdl
