#include "platform/sdl/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

extern char** environ;

namespace velko::sdl {

namespace {

// Closes the pipe ends and file actions on every way out.
struct SpawnResources {
    posix_spawn_file_actions_t actions{};
    bool actionsReady = false;
    int pipeFd[2] = {-1, -1};
    ~SpawnResources() {
        if (actionsReady) {
            posix_spawn_file_actions_destroy(&actions);
        }
        for (int fd : pipeFd) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }
};

}  // namespace

ProcessResult runProcess(const Argv& argv, std::chrono::milliseconds timeout, bool captureOutput) {
    ProcessResult result;
    if (argv.empty()) {
        return result;
    }
    SpawnResources res;
    if (captureOutput) {
        if (pipe2(res.pipeFd, O_CLOEXEC) != 0) {
            return result;
        }
        // Our end never blocks: a helper's own children may keep the pipe open.
        fcntl(res.pipeFd[0], F_SETFL, fcntl(res.pipeFd[0], F_GETFL) | O_NONBLOCK);
    }
    if (posix_spawn_file_actions_init(&res.actions) != 0) {
        return result;
    }
    res.actionsReady = true;
    posix_spawn_file_actions_addopen(&res.actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput) {
        posix_spawn_file_actions_adddup2(&res.actions, res.pipeFd[1], 1);
    } else {
        posix_spawn_file_actions_addopen(&res.actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&res.actions, 2, "/dev/null", O_WRONLY, 0);

    std::vector<char*> args;
    for (const auto& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], &res.actions, nullptr, args.data(), environ) != 0) {
        return result;  // not installed, or not runnable
    }
    result.started = true;
    if (captureOutput) {
        close(res.pipeFd[1]);
        res.pipeFd[1] = -1;
    }

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    bool reaped = false;
    while (!reaped) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            kill(pid, SIGKILL);
            result.timedOut = true;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        // Drain the output while waiting, so a talkative helper cannot block on a full pipe.
        const int slice = static_cast<int>(std::min<long long>(left.count(), 20));
        if (res.pipeFd[0] >= 0) {
            pollfd p{res.pipeFd[0], POLLIN, 0};
            if (poll(&p, 1, slice) > 0) {
                char buf[4096];
                const ssize_t n = read(res.pipeFd[0], buf, sizeof buf);
                if (n > 0) {
                    result.output.append(buf, static_cast<std::size_t>(n));
                } else if (n == 0) {
                    close(res.pipeFd[0]);
                    res.pipeFd[0] = -1;
                }
            }
        } else {
            usleep(static_cast<useconds_t>(std::min(slice, 5)) * 1000);
        }
        const pid_t r = waitpid(pid, &status, WNOHANG);
        reaped = r == pid || (r < 0 && errno != EINTR);
    }
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    // Whatever the helper wrote before it ended.
    while (res.pipeFd[0] >= 0) {
        char buf[4096];
        const ssize_t n = read(res.pipeFd[0], buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        result.output.append(buf, static_cast<std::size_t>(n));
    }
    return result;
}

}  // namespace velko::sdl
