#include "run_check.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace velko::stress {

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool allDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// "PATH:LINE:" somewhere in the text: the message names the file and the line.
bool namesFileAndLine(const std::string& text, const fs::path& file) {
    const std::string prefix = file.string() + ":";
    for (std::size_t at = text.find(prefix); at != std::string::npos;
         at = text.find(prefix, at + 1)) {
        std::size_t end = at + prefix.size();
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            ++end;
        }
        if (end > at + prefix.size() && end < text.size() && text[end] == ':') {
            return true;
        }
    }
    return false;
}

// Checks trace.log line by line; returns the first fault, or "" when it is well-formed.
std::string judgeTrace(const std::string& trace, Verdict& verdict) {
    std::istringstream lines(trace);
    std::string line;
    std::uint64_t last = 0;
    int n = 0;
    while (std::getline(lines, line)) {
        ++n;
        const std::string where = "trace.log:" + std::to_string(n) + ": ";
        const auto space = line.find(' ');
        if (space == std::string::npos || !allDigits(std::string_view(line).substr(0, space))) {
            return where + "not \"T KIND DETAILS\": " + line;
        }
        const std::uint64_t t = std::stoull(line.substr(0, space));
        if (t < last) {
            return where + "time goes back";
        }
        last = t;
        const std::string rest = line.substr(space + 1);
        const std::string kind = rest.substr(0, rest.find(' '));
        if (kind == "line") {
            std::istringstream fields(rest.substr(5));
            int number = 0;
            std::string op;
            if (!(fields >> number >> op) || number < 1 || number > 32767) {
                return where + "a line event without a line number: " + line;
            }
            ++verdict.opcodes[op];
        } else if (kind == "error") {
            ++verdict.scriptErrors;
            std::istringstream fields(rest.substr(6));
            long number = 0;
            std::string message;
            if (!(fields >> number) || number < 1 || number > 32767 ||
                !std::getline(fields, message) || message.size() < 2) {
                return where + "an error that names no script line: " + line;
            }
        } else if (kind == "warning" && rest.size() <= 8) {
            return where + "an empty warning";
        }
    }
    return "";
}

}  // namespace

HeadlessRun::HeadlessRun(const fs::path& headless, StressCase stressCase)
    : case_(std::move(stressCase)), start_(std::chrono::steady_clock::now()) {
    const fs::path out = case_.dir / "out";
    std::error_code ec;
    fs::create_directories(out, ec);
    const std::vector<std::string> args = {
        headless.string(),     "--game",  case_.game.string(),        "--script",
        case_.script.string(), "--input", case_.input.string(),       "--out",
        out.string(),          "--until", std::to_string(case_.until)};
    const std::string stdoutFile = (case_.dir / "stdout.txt").string();
    const std::string stderrFile = (case_.dir / "stderr.txt").string();
    pid_ = ::fork();
    if (pid_ == 0) {
        // Its own process group, so that a run past its time is killed whole.
        ::setpgid(0, 0);
        const int o = ::open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(o, 1);
        ::dup2(e, 2);
        // Sanitizers stop at their first report, with a stack, and say so on stderr.
        ::setenv("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1", 0);
        ::setenv("SDL_VIDEODRIVER", "dummy", 0);
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

HeadlessRun::~HeadlessRun() {
    if (pid_ > 0 && status_ < 0) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool HeadlessRun::finished(std::chrono::milliseconds limit) {
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

Verdict HeadlessRun::verdict() const {
    Verdict v;
    v.exitStatus = status_;
    v.seconds = seconds_;
    const auto fail = [&](const std::string& problem) {
        v.problem = problem;
        return v;
    };
    if (!startError_.empty()) {
        return fail(startError_);
    }
    if (timedOut_) {
        return fail("no end within the time limit (a hang or a stalled clock)");
    }
    const std::string err = readFile(case_.dir / "stderr.txt");
    for (const char* report :
         {"AddressSanitizer", "LeakSanitizer", "runtime error:", "UndefinedBehaviorSanitizer"}) {
        if (err.find(report) != std::string::npos) {
            return fail(std::string("sanitizer report (") + report + ")");
        }
    }
    if (case_.badScript || case_.badInput) {
        if (status_ != 2) {
            return fail("exit status " + std::to_string(status_) +
                        " for a malformed file (expected 2)");
        }
        const fs::path& file = case_.badScript ? case_.script : case_.input;
        if (!namesFileAndLine(err, file)) {
            return fail("the refusal does not name " + file.filename().string() +
                        " and a line: " + err.substr(0, 200));
        }
        v.passed = true;
        return v;
    }
    if (status_ != 0) {
        return fail("exit status " + std::to_string(status_) + ": " + err.substr(0, 300));
    }
    const std::string trace = readFile(case_.dir / "out" / "trace.log");
    if (trace.empty()) {
        return fail("an empty trace");
    }
    if (auto problem = judgeTrace(trace, v); !problem.empty()) {
        return fail(problem);
    }
    v.passed = true;
    return v;
}

}  // namespace velko::stress
