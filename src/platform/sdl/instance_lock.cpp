#include "platform/sdl/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
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

std::filesystem::path InstanceLock::defaultPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path dir = runtime && *runtime ? runtime : "/tmp";
    return dir / ("velko01-" + std::to_string(getuid()) + ".lock");
}

Result<InstanceLock> InstanceLock::acquire(const std::filesystem::path& path) {
    // Close-on-exec: a program started later must not inherit the lock and keep it alive.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return makeError("cannot open the lock file " + path.string() + ": " +
                         std::strerror(errno));
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
    return makeError("cannot lock " + path.string() + ": " + std::strerror(err));
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
