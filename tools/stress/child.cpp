#include "child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velko::stress {

Child::Child(const std::vector<std::string>& args, const std::filesystem::path& stdoutFile,
             const std::filesystem::path& stderrFile)
    : start_(std::chrono::steady_clock::now()) {
    pid_ = ::fork();
    if (pid_ == 0) {
        ::setpgid(0, 0);
        const int o = ::open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(o, 1);
        ::dup2(e, 2);
        // Sanitizers stop at their first report, with a stack, and say so on stderr.
        ::setenv("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1", 0);
        std::vector<char*> argv;
        for (const auto& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(errno));
        ::_exit(127);
    }
    if (pid_ < 0) {
        startError_ = std::string("fork failed: ") + std::strerror(errno);
    }
}

Child::~Child() {
    if (pid_ > 0 && status_ < 0) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool Child::finished(std::chrono::milliseconds limit) {
    if (pid_ < 0 || status_ >= 0) {
        return true;
    }
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    seconds_ = std::chrono::duration<double>(elapsed).count();
    if (r == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }
    if (elapsed > limit) {
        timedOut_ = true;
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        status_ = 128 + SIGKILL;
        return true;
    }
    return false;
}

}  // namespace velko::stress
