#pragma once

// One program at a time per user: an advisory lock on a file in the runtime folder. The lock
// goes with the process, however it ends, and is not handed to programs it starts. Only a
// regular file of the user's own, reached without a symbolic link, is used: anything else
// another user could have planted there.

#include <filesystem>

#include "base/result.h"

namespace velko::sdl {

class InstanceLock {
public:
    // $XDG_RUNTIME_DIR/velko01-UID.lock; without a runtime folder, velko01.lock in a folder
    // of the user's own in the temp folder (see privateFolder).
    static Result<std::filesystem::path> defaultPath();
    // The same for a given runtime folder (empty: none) and temp folder.
    static Result<std::filesystem::path> pathFor(const std::string& runtimeDir,
                                                 const std::filesystem::path& tempDir);

    // `tempDir`/velko01-UID, made 0700 when missing. Refused unless it is a real folder (not
    // a link), the user's own, and closed to everyone else.
    static Result<std::filesystem::path> privateFolder(const std::filesystem::path& tempDir);

    // Takes the lock if it is free. A lock held elsewhere is not an error: held() is false.
    // The error is for a file that cannot be opened or locked at all, or is refused.
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
