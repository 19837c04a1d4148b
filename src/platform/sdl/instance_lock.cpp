#include "platform/sdl/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace velko::sdl {
namespace {

// The holder names itself in the file, so that a second instance can say which one runs.
void writePid(int fd) {
    const std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t n = pwrite(fd, pid.data(), pid.size(), 0);
    }
}

long readPid(int fd) {
    char buf[24] = {};
    const ssize_t n = pread(fd, buf, sizeof buf - 1, 0);
    if (n <= 0) {
        return 0;
    }
    char* end = nullptr;
    const long pid = std::strtol(buf, &end, 10);
    return end != buf && pid > 0 ? pid : 0;
}

}  // namespace

namespace {

std::string reason(int err) {
    return std::strerror(err);
}

}  // namespace

Result<std::filesystem::path> InstanceLock::defaultPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return pathFor(runtime ? runtime : "", "/tmp");
}

Result<std::filesystem::path> InstanceLock::pathFor(const std::string& runtimeDir,
                                                    const std::filesystem::path& tempDir) {
    if (!runtimeDir.empty()) {
        return std::filesystem::path(runtimeDir) /
               ("velko01-" + std::to_string(getuid()) + ".lock");
    }
    auto folder = privateFolder(tempDir);
    if (!folder) {
        return makeError(folder.error());
    }
    return *folder / "velko01.lock";
}

// The shared temp folder is where another user could plant a file or a link under the name
// we would use; a folder that only we can write keeps the lock file out of their reach.
Result<std::filesystem::path> InstanceLock::privateFolder(const std::filesystem::path& tempDir) {
    const auto dir = tempDir / ("velko01-" + std::to_string(getuid()));
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        return makeError("cannot make the folder " + dir.string() + ": " + reason(errno));
    }
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ELOOP || err == ENOTDIR) {
            return makeError("refused " + dir.string() + ": not a folder of its own");
        }
        return makeError("cannot open the folder " + dir.string() + ": " + reason(err));
    }
    struct stat st {};
    const bool statted = fstat(fd, &st) == 0;
    close(fd);
    if (!statted || !S_ISDIR(st.st_mode)) {
        return makeError("refused " + dir.string() + ": not a folder of its own");
    }
    if (st.st_uid != geteuid()) {
        return makeError("refused " + dir.string() + ": it belongs to another user");
    }
    if ((st.st_mode & 077) != 0) {
        return makeError("refused " + dir.string() + ": others may write in it");
    }
    return dir;
}

Result<InstanceLock> InstanceLock::acquire(const std::filesystem::path& path) {
    // Close-on-exec: a program started later must not inherit the lock and keep it alive.
    // No link is followed, and a planted pipe cannot make the open wait.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) {
        const int err = errno;
        if (err == ELOOP) {
            return makeError("refused the lock file " + path.string() + ": a symbolic link");
        }
        return makeError("cannot open the lock file " + path.string() + ": " + reason(err));
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return makeError("refused the lock file " + path.string() + ": not a regular file");
    }
    if (st.st_uid != geteuid()) {
        close(fd);
        return makeError("refused the lock file " + path.string() + ": it belongs to another user");
    }
    int rc = 0;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        writePid(fd);
        return InstanceLock(fd, getpid());
    }
    const int err = errno;
    const long holder = err == EWOULDBLOCK ? readPid(fd) : 0;
    close(fd);
    if (err == EWOULDBLOCK) {
        return InstanceLock(-1, holder);
    }
    return makeError("cannot lock " + path.string() + ": " + reason(err));
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : fd_(other.fd_), holderPid_(other.holderPid_) {
    other.fd_ = -1;
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = other.fd_;
        holderPid_ = other.holderPid_;
        other.fd_ = -1;
    }
    return *this;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

}  // namespace velko::sdl
