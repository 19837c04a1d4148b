#pragma once

// A program started by the stress driver: its output in files, in a process group of its
// own so that a run past its time is killed whole, never outliving the object.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace velko::stress {

class Child {
public:
    // argv[0] is the program's path.
    Child(const std::vector<std::string>& argv, const std::filesystem::path& stdoutFile,
          const std::filesystem::path& stderrFile);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // True once it has ended; kills it past `limit` (timedOut() then says so).
    bool finished(std::chrono::milliseconds limit);

    int status() const { return status_; }  // 128 + the signal for a killed one
    bool timedOut() const { return timedOut_; }
    double seconds() const { return seconds_; }
    const std::string& startError() const { return startError_; }

private:
    pid_t pid_ = -1;
    std::chrono::steady_clock::time_point start_;
    double seconds_ = 0;
    int status_ = -1;
    bool timedOut_ = false;
    std::string startError_;
};

}  // namespace velko::stress
