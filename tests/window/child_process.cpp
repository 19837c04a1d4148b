#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace velko::testing {

namespace {

std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> environmentFor(const ChildLaunch& launch) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (!launch.env.contains(name)) {
            env.push_back(entry);
        }
    }
    for (const auto& [name, value] : launch.env) {
        if (value) {
            env.push_back(name + "=" + *value);
        }
    }
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings) {
        out.push_back(s.data());
    }
    out.push_back(nullptr);
    return out;
}

}  // namespace

Result<std::unique_ptr<ChildProcess>> ChildProcess::start(const ChildLaunch& launch) {
    if (launch.argv.empty()) {
        return makeError("no program to start");
    }
    // Everything the child needs is prepared before fork: after it, only async-signal-safe
    // calls are allowed.
    std::vector<std::string> args = launch.argv;
    std::vector<std::string> env = environmentFor(launch);
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(env);
    const std::string out = launch.stdoutFile.string();
    const std::string err = launch.stderrFile.string();
    const pid_t parent = getpid();

    const pid_t pid = fork();
    if (pid < 0) {
        return makeError(std::string("fork: ") + std::strerror(errno));
    }
    if (pid == 0) {
        // Dies with the test program, even when that is killed by a time limit.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(127);
        }
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) {
            _exit(127);
        }
        close(o);
        close(e);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid, launch));
}

ChildProcess::~ChildProcess() {
    if (!status_) {
        kill(pid_, SIGKILL);
        reap(0);
    }
}

bool ChildProcess::reap(int flags) {
    if (status_) {
        return true;
    }
    int st = 0;
    pid_t r = 0;
    do {
        r = waitpid(pid_, &st, flags);
    } while (r < 0 && errno == EINTR);
    if (r != pid_) {
        return false;
    }
    status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return true;
}

bool ChildProcess::running() {
    return !reap(WNOHANG);
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

void ChildProcess::signal(int sig) {
    if (!status_) {
        kill(pid_, sig);
    }
}

bool ChildProcess::waitingForInput() const {
    if (status_) {
        return false;
    }
    const auto proc = std::filesystem::path("/proc") / std::to_string(pid_);
    // "NR ARG1 ... ARG6 SP PC" while the main thread blocks in a system call.
    std::istringstream call(readAll(proc / "syscall"));
    std::vector<std::string> f;
    for (std::string token; call >> token;) {
        f.push_back(token);
    }
    if (f.size() >= 7) {
        const long nr = std::stol(f[0]);
        const bool forever = f[3] == "0xffffffff" || f[3] == "0xffffffffffffffff";
        return (nr == SYS_poll && forever) || (nr == SYS_ppoll && f[3] == "0x0");
    }
    if (!f.empty()) {
        return false;  // "running", or a call we do not know as a wait
    }
    // Without access to the system call, a sleeping process is the best sign there is.
    const std::string stat = readAll(proc / "stat");
    const auto close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'S';
}

std::string ChildProcess::standardOutput() const {
    return readAll(launch_.stdoutFile);
}

std::string ChildProcess::standardError() const {
    return readAll(launch_.stderrFile);
}

}  // namespace velko::testing
