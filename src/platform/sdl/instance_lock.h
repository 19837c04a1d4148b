#pragma once

// One program at a time per user: an advisory lock on a file in the runtime folder. The lock
// goes with the process, however it ends, and is not handed to programs it starts.

#include <filesystem>

#include "base/result.h"

namespace velko::sdl {

class InstanceLock {
public:
    // ${XDG_RUNTIME_DIR:-/tmp}/velko01-UID.lock
    static std::filesystem::path defaultPath();

    // Takes the lock if it is free. A lock held elsewhere is not an error: held() is false.
    // The error is for a file that cannot be opened or locked at all.
    static Result<InstanceLock> acquire(const std::filesystem::path& path);

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // True when this process holds the lock; false when another instance runs.
    bool held() const { return fd_ >= 0; }
    // The process that holds the lock, as it wrote itself into the file; 0 when unknown.
    long holderPid() const { return holderPid_; }

private:
    explicit InstanceLock(int fd, long holderPid = 0) : fd_(fd), holderPid_(holderPid) {}
    int fd_ = -1;
    long holderPid_ = 0;
};

}  // namespace velko::sdl
