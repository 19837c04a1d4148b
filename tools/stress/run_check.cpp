#include "run_check.h"

#include <fstream>
#include <optional>
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

std::optional<std::string> sanitizerReport(const std::string& err) {
    for (const char* report :
         {"AddressSanitizer", "LeakSanitizer", "runtime error:", "UndefinedBehaviorSanitizer"}) {
        if (err.find(report) != std::string::npos) {
            return report;
        }
    }
    return std::nullopt;
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
bool hasErrorEvent(const std::string& trace) {
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line)) {
        const auto space = line.find(' ');
        if (space != std::string::npos && line.compare(space + 1, 6, "error ") == 0) {
            return true;
        }
    }
    return false;
}

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

CaseRun::CaseRun(const Tools& tools, StressCase stressCase)
    : tools_(tools), case_(std::move(stressCase)) {
    const fs::path out = case_.dir / "out";
    std::error_code ec;
    fs::create_directories(out, ec);
    headless_ = std::make_unique<Child>(
        std::vector<std::string>{tools_.headless.string(), "--game", case_.game.string(),
                                 "--script", case_.script.string(), "--input", case_.input.string(),
                                 "--out", out.string(), "--until", std::to_string(case_.until)},
        case_.dir / "stdout.txt", case_.dir / "stderr.txt");
}

bool CaseRun::finished(std::chrono::milliseconds limit) {
    if (!headless_->finished(limit)) {
        return false;
    }
    if (tools_.check.empty()) {
        return true;
    }
    if (!check_) {
        check_ = std::make_unique<Child>(
            std::vector<std::string>{tools_.check.string(), "--game", case_.game.string(),
                                     case_.script.string()},
            case_.dir / "check-stdout.txt", case_.dir / "check-stderr.txt");
    }
    return check_->finished(limit);
}

std::string CaseRun::judgeCheck() const {
    if (!check_->startError().empty()) {
        return "velko-check: " + check_->startError();
    }
    if (check_->timedOut()) {
        return "velko-check: no end within the time limit";
    }
    if (auto report = sanitizerReport(readFile(case_.dir / "check-stderr.txt"))) {
        return "velko-check: sanitizer report (" + *report + ")";
    }
    const int status = check_->status();
    if (status != 0 && status != 1) {
        return "velko-check: exit status " + std::to_string(status);
    }
    const std::string out = readFile(case_.dir / "check-stdout.txt");
    if (case_.badScript && (status != 1 || !namesFileAndLine(out, case_.script))) {
        return "velko-check: no error naming the line of the format fault";
    }
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        if (!namesFileAndLine(line, case_.script) ||
            (line.find(": error: ") == std::string::npos &&
             line.find(": warning: ") == std::string::npos)) {
            return "velko-check: not \"SCRIPT:LINE: error|warning: message\": " +
                   line.substr(0, 200);
        }
    }
    return "";
}

Verdict CaseRun::verdict() const {
    Verdict v;
    const int status = headless_->status();
    v.exitStatus = status;
    v.seconds = headless_->seconds();
    const auto fail = [&](const std::string& problem) {
        v.problem = problem;
        return v;
    };
    if (!headless_->startError().empty()) {
        return fail(headless_->startError());
    }
    if (headless_->timedOut()) {
        return fail("no end within the time limit (a hang or a stalled clock)");
    }
    const std::string err = readFile(case_.dir / "stderr.txt");
    if (auto report = sanitizerReport(err)) {
        return fail("sanitizer report (" + *report + ")");
    }
    if (case_.badScript || case_.badInput) {
        if (status != 2) {
            return fail("exit status " + std::to_string(status) +
                        " for a malformed file (expected 2)");
        }
        const fs::path& file = case_.badScript ? case_.script : case_.input;
        if (!namesFileAndLine(err, file)) {
            return fail("the refusal does not name " + file.filename().string() +
                        " and a line: " + err.substr(0, 200));
        }
    } else if (status != 0 && status != 1) {
        return fail("exit status " + std::to_string(status) + ": " + err.substr(0, 300));
    } else {
        const std::string trace = readFile(case_.dir / "out" / "trace.log");
        if (trace.empty()) {
            return fail("an empty trace");
        }
        if (auto problem = judgeTrace(trace, v); !problem.empty()) {
            return fail(problem);
        }
        // Status 1 says that the run recorded a script error, and only that.
        if ((status == 1) != hasErrorEvent(trace)) {
            return fail(
                "exit status " + std::to_string(status) +
                (status == 1 ? " with no error in the trace" : " with an error in the trace"));
        }
    }
    if (check_) {
        if (auto problem = judgeCheck(); !problem.empty()) {
            return fail(problem);
        }
    }
    v.passed = true;
    return v;
}

}  // namespace velko::stress
