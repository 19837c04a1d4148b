#include "flow.h"

#include <algorithm>
#include <deque>
#include <string>

namespace velko::check {

using script::Opcode;

namespace {

// What may hold when a line starts, as a set of bits: one for each button-screen state, one
// for each KeyStop value. Tracking them separately is coarse but never misses a path.
enum : unsigned {
    kNoScreen = 1,
    kEmptyScreen = 2,
    kScreenWithButtons = 4,
    kScreenBits = 7,
    kClicksOn = 8,
    kClicksOff = 16,
    kClickBits = 24,
};

constexpr unsigned kStart = kNoScreen | kClicksOn;
constexpr int kStoryEntry = 1001;
constexpr int kExtrasEntry = 101;

unsigned afterLine(Opcode op, unsigned in) {
    switch (op) {
        case Opcode::ZT:
            return (in & kClickBits) | kEmptyScreen;
        case Opcode::ZB: {
            const unsigned screen = in & kScreenBits;
            unsigned out = screen & kNoScreen;
            if (screen & (kEmptyScreen | kScreenWithButtons)) {
                out |= kScreenWithButtons;
            }
            return (in & kClickBits) | out;
        }
        case Opcode::ZE:
            return (in & kClickBits) | kNoScreen;
        case Opcode::KC:
            return (in & kScreenBits) | kClicksOff;
        case Opcode::KO:
            return (in & kScreenBits) | kClicksOn;
        default:
            return in;
    }
}

class FlowAnalysis {
public:
    FlowAnalysis(const std::map<int, FlowLine>& lines, std::vector<Finding>& out)
        : lines_(lines), out_(out) {}

    void run() {
        // The title is shown by ST, or by the menu's return to the title from the story
        // while clicks are on; either way it drops any button screen.
        enter(1, kStart);
        enter(kExtrasEntry, kStart);
        enter(kStoryEntry, kStart);
        while (!work_.empty()) {
            const int n = work_.front();
            work_.pop_front();
            follow(n);
        }
        for (const auto& [n, line] : lines_) {
            if (state(n) != 0) {
                warnAbout(n, line.op, state(n));
            }
        }
        reportUnreached();
    }

private:
    unsigned state(int n) const {
        const auto it = in_.find(n);
        return it == in_.end() ? 0 : it->second;
    }

    void enter(int n, unsigned state) {
        if (lines_.count(n) == 0) {
            return;
        }
        unsigned& known = in_[n];
        if ((known | state) != known) {
            known |= state;
            work_.push_back(n);
        }
    }

    void follow(int n) {
        const FlowLine& line = lines_.at(n);
        const unsigned out = afterLine(line.op, state(n));
        if (script::fallsThrough(line.op)) {
            enter(n + 1, out);
        }
        for (const int target : line.targets) {
            // A button sends the reader on while its screen is up, full of buttons.
            enter(target, line.op == Opcode::ZB ? (out & kClickBits) | kScreenWithButtons : out);
        }
        if (line.op == Opcode::ST) {
            enter(kExtrasEntry, (out & kClickBits) | kNoScreen);
            enter(kStoryEntry, (out & kClickBits) | kNoScreen);
        }
    }

    void warn(int n, std::string message) {
        out_.push_back({n, Severity::Warning, std::move(message)});
    }

    void warnAbout(int n, Opcode op, unsigned in) {
        const bool noScreen = (in & kNoScreen) != 0;
        if (op == Opcode::ZB && noScreen) {
            warn(n, "ZB adds a button, but no ZT starts a button screen before it on some path");
        } else if (op == Opcode::ZS && noScreen) {
            warn(n, "ZS shows a button screen, but no ZT starts one before it on some path");
        } else if (op == Opcode::ZS && (in & kEmptyScreen)) {
            warn(n,
                 "ZS shows a button screen without buttons on some path; nothing can go on "
                 "from it");
        } else if (op == Opcode::KB && noScreen) {
            warn(n, "KB returns to a button screen, but none is up on some path");
        }
        if (script::flowOf(op) == script::Flow::WaitsForClick && (in & kClicksOff)) {
            warn(n,
                 "waits for a click while KC has switched clicks off; nothing can go on "
                 "from here");
        }
    }

    // One warning for each run of unreached lines that follow each other in the script.
    void reportUnreached() {
        for (auto it = lines_.begin(); it != lines_.end();) {
            if (state(it->first) != 0) {
                ++it;
                continue;
            }
            const int first = it->first;
            int last = first;
            int count = 0;
            for (; it != lines_.end() && state(it->first) == 0; ++it) {
                last = it->first;
                ++count;
            }
            if (count == 1) {
                warn(first, "no path reaches this line");
            } else {
                warn(first, "no path reaches this line nor the " + std::to_string(count - 1) +
                                " after it (to line " + std::to_string(last) + ")");
            }
        }
    }

    const std::map<int, FlowLine>& lines_;
    std::vector<Finding>& out_;
    std::map<int, unsigned> in_;
    std::deque<int> work_;
};

// A line after which the next one runs at once: no stop, no fade, no pause.
bool instant(const FlowLine& line) {
    switch (line.op) {
        case Opcode::PA:
        case Opcode::PK:
        case Opcode::PB:
        case Opcode::PL:
        case Opcode::PF:
            return false;
        case Opcode::WT:
            return !line.pauses;
        default: {
            const script::Flow flow = script::flowOf(line.op);
            return flow == script::Flow::Continues || flow == script::Flow::Jumps;
        }
    }
}

// Loops made only of instant lines, as the strongly connected parts of their graph
// (Tarjan's algorithm, with an explicit stack: a loop may be thousands of lines long).
class LoopFinder {
public:
    LoopFinder(const std::map<int, FlowLine>& lines, std::vector<Finding>& out)
        : lines_(lines), out_(out) {}

    void run() {
        for (const auto& [n, line] : lines_) {
            if (instant(line) && index_.count(n) == 0) {
                visit(n);
            }
        }
    }

private:
    std::vector<int> next(int n) const {
        const FlowLine& line = lines_.at(n);
        std::vector<int> out;
        const auto add = [&](int m) {
            const auto it = lines_.find(m);
            if (it != lines_.end() && instant(it->second)) {
                out.push_back(m);
            }
        };
        if (script::flowOf(line.op) == script::Flow::Jumps) {
            for (const int t : line.targets) {
                add(t);
            }
        } else {
            add(n + 1);
        }
        return out;
    }

    void visit(int root) {
        struct Frame {
            int n;
            std::vector<int> next;
            std::size_t i = 0;
        };
        std::vector<Frame> frames;
        const auto enter = [&](int n) {
            index_[n] = low_[n] = counter_++;
            stack_.push_back(n);
            onStack_[n] = true;
            frames.push_back({n, next(n)});
        };
        enter(root);
        while (!frames.empty()) {
            Frame& f = frames.back();
            if (f.i < f.next.size()) {
                const int m = f.next[f.i++];
                if (index_.count(m) == 0) {
                    enter(m);
                } else if (onStack_[m]) {
                    low_[f.n] = std::min(low_[f.n], index_[m]);
                }
                continue;
            }
            const int n = f.n;
            const bool selfLoop = std::count(f.next.begin(), f.next.end(), n) > 0;
            frames.pop_back();
            if (!frames.empty()) {
                low_[frames.back().n] = std::min(low_[frames.back().n], low_[n]);
            }
            if (low_[n] == index_[n]) {
                std::vector<int> part;
                int m = 0;
                do {
                    m = stack_.back();
                    stack_.pop_back();
                    onStack_[m] = false;
                    part.push_back(m);
                } while (m != n);
                if (part.size() > 1 || selfLoop) {
                    report(part);
                }
            }
        }
    }

    void report(std::vector<int>& part) {
        std::sort(part.begin(), part.end());
        const std::string where = part.size() == 1
                                      ? "this line comes back to itself"
                                      : "lines " + std::to_string(part.front()) + " to " +
                                            std::to_string(part.back()) + " go round in a loop";
        const std::string what = where + " with no pause, fade or wait for the reader";
        // An IF with a target outside the loop decides, by the points, whether it is taken.
        const auto decider = std::find_if(part.begin(), part.end(), [&](int n) {
            const FlowLine& line = lines_.at(n);
            return line.op == Opcode::IF &&
                   std::any_of(line.targets.begin(), line.targets.end(), [&](int t) {
                       return !std::binary_search(part.begin(), part.end(), t);
                   });
        });
        if (decider == part.end()) {
            out_.push_back({part.front(), Severity::Error, what + "; it would never end"});
        } else {
            out_.push_back({part.front(), Severity::Warning,
                            what + " whenever the IF on line " + std::to_string(*decider) +
                                " leads into it; it would never end"});
        }
    }

    const std::map<int, FlowLine>& lines_;
    std::vector<Finding>& out_;
    std::map<int, int> index_;
    std::map<int, int> low_;
    std::map<int, bool> onStack_;
    std::vector<int> stack_;
    int counter_ = 0;
};

}  // namespace

void analyseFlow(const std::map<int, FlowLine>& lines, std::vector<Finding>& out) {
    FlowAnalysis(lines, out).run();
    LoopFinder(lines, out).run();
}

}  // namespace velko::check
