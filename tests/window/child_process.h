#pragma once

// A program started by a window test: its own environment, its output in files, and never
// outliving the test. A child still running when the object goes is killed and reaped, and
// one whose test program dies is killed by the kernel, so no instance is left holding the
// single-instance lock or the X server.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"

namespace velko::testing {

struct ChildLaunch {
    std::vector<std::string> argv;  // argv[0] is the program's path
    // Variables to set (a value) or remove (nullopt); the rest comes from the test's own.
    std::map<std::string, std::optional<std::string>> env;
    std::filesystem::path stdoutFile;
    std::filesystem::path stderrFile;
};

class ChildProcess {
public:
    static Result<std::unique_ptr<ChildProcess>> start(const ChildLaunch& launch);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // The exit status (128 + the signal for a killed child), or nullopt when it is still
    // running when the time is up.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // The status once it has ended.
    std::optional<int> status() const { return status_; }
    void signal(int sig);

    // True while its main thread blocks in an event wait without a time limit: the program
    // has nothing to do but wait for input. Short waits (pacing sleeps, timed polls) do not
    // count.
    bool waitingForInput() const;

    std::string standardOutput() const;
    std::string standardError() const;

private:
    ChildProcess(pid_t pid, ChildLaunch launch) : pid_(pid), launch_(std::move(launch)) {}
    bool reap(int flags);

    pid_t pid_;
    ChildLaunch launch_;
    std::optional<int> status_;
};

}  // namespace velko::testing
