#include "storyboard.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>

#include "base/utf.h"
#include "branch/branch.h"
#include "frame_png.h"
#include "platform/headless/input_script.h"
#include "platform/surface.h"
#include "script/arguments.h"
#include "script/opcode.h"

namespace velko::headless {
namespace {

namespace fs = std::filesystem;

// Input goes in well after the program settled, so that a staff roll or a fade driven by
// timers has run its course; the virtual clock makes the wait free.
constexpr std::uint64_t kClickDelayMs = 1000;
constexpr std::uint64_t kEndingDelayMs = 120'000;
// A run that waits this often without running a line is stuck; it ends there.
constexpr int kIdleWithoutProgress = 20;

// The title menu's entries from top to bottom, with the mode each hands to the engine.
struct TitleEntry {
    int y;
    const char* label;
};
constexpr TitleEntry kTitleEntries[] = {
    {255, "the story (1001)"}, {325, "the extras (101)"}, {395, "end"}};
constexpr int kTitleX = 500;

// Every title screen is one place: its entries lead to the same lines wherever it is built.
constexpr int kTitlePlace = 0;

struct Decision {
    int place = 0;
    int option = 0;
};

struct Place {
    int line = 0;
    std::vector<std::string> labels;  // one an option
    std::vector<bool> taken;
    std::vector<Decision> route;  // the decisions that first led here
};

// "\r\n" and friends in trace text back to the characters they stand for.
std::string untrace(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            if (c == 'n') {
                out += '\n';
            } else if (c != 'r') {
                out += c;
            }
        } else {
            out += text[i];
        }
    }
    while (!out.empty() && out.back() == '\n') {
        out.pop_back();
    }
    return out;
}

// Where the two answers of a question are pressed: the question lays them out by its font.
std::pair<int, int> questionAnswerRows(platform::FontLibrary& fonts) {
    platform::Surface screen("storyboard", 640, 480, &fonts);
    auto question = std::make_shared<branch::Branch>([](std::int16_t) {}, [](std::int16_t) {});
    question->setPictureBox(screen);
    const int top = question->row1();
    const int zone = question->zoneHeight();
    question.reset();
    return {top + zone / 4, top + (3 * zone) / 4};
}

class Explorer;

// Follows one run through its trace and answers each wait of the program.
class PathRun final : public platform::Trace {
public:
    PathRun(Explorer& explorer, std::vector<Decision> route, int index)
        : explorer_(explorer), route_(std::move(route)), index_(index) {}

    void event(std::string_view kind, std::string_view details) override;
    void onIdle(HeadlessWindow& window, std::uint64_t now);

    StoryPath& path() { return path_; }
    const std::set<int>& executed() const { return executed_; }
    const std::vector<Decision>& decisions() const { return made_; }

private:
    void click(HeadlessWindow& window, std::uint64_t at, int x, int y);
    void answer(HeadlessWindow& window, std::uint64_t at, const char* button);
    // Takes a choice at `place` with the given options; false ends the run.
    bool choose(HeadlessWindow& window, std::uint64_t now, int placeLine,
                const std::vector<std::string>& labels,
                const std::vector<std::pair<int, int>>& targets);
    void stop(std::string why) {
        if (path_.ending.empty()) {
            path_.ending = std::move(why);
        }
    }

    Explorer& explorer_;
    std::vector<Decision> route_;
    int index_;
    std::vector<Decision> made_;
    StoryPath path_;
    std::set<int> executed_;

    int line_ = 0;
    script::Opcode op_ = script::Opcode::Message;
    int points_ = 0;
    std::optional<std::string> pendingText_;
    bool titleShown_ = false;
    bool boxOpen_ = false;
    int screenLine_ = 0;        // the ZS line of the button screen that is up
    std::vector<int> buttons_;  // the ZB lines since the last ZT
    bool progress_ = false;
    int idleWithoutProgress_ = 0;
    bool stopped_ = false;
};

class Explorer {
public:
    Explorer(const script::Script& script, platform::FontLibrary& fonts, fs::path framesDir)
        : script_(script), fonts_(fonts), framesDir_(std::move(framesDir)) {
        answerRows_ = questionAnswerRows(fonts);
    }

    const script::Script& script() const { return script_; }
    std::pair<int, int> answerRows() const { return answerRows_; }

    Place& place(int line, const std::vector<std::string>& labels,
                 const std::vector<Decision>& route) {
        auto [it, added] = places_.try_emplace(line);
        if (added) {
            it->second.line = line;
            it->second.labels = labels;
            it->second.taken.assign(labels.size(), false);
            it->second.route = route;
            order_.push_back(line);
        }
        return it->second;
    }
    Place* findPlace(int line) {
        const auto it = places_.find(line);
        return it == places_.end() ? nullptr : &it->second;
    }

    // The next route to explore: to the place found last that has a choice not taken yet,
    // so that the branches of a path follow it on the page.
    std::optional<std::vector<Decision>> nextRoute() {
        for (auto at = order_.rbegin(); at != order_.rend(); ++at) {
            const int line = *at;
            Place& p = places_.at(line);
            for (std::size_t i = 0; i < p.taken.size(); ++i) {
                if (!p.taken[i]) {
                    p.taken[i] = true;
                    auto route = p.route;
                    route.push_back({line, static_cast<int>(i)});
                    return route;
                }
            }
        }
        return std::nullopt;
    }

    std::string describe(const Decision& d) const {
        const Place& p = places_.at(d.place);
        const std::string& label = p.labels.at(static_cast<std::size_t>(d.option));
        if (d.place == kTitlePlace) {
            return "title menu: " + label;
        }
        const script::Opcode op = script::opcodeOf(script_.line(d.place).value_or(u""));
        return std::string(op == script::Opcode::QE ? "question" : "button screen") + " at line " +
               std::to_string(d.place) + ": " + label;
    }

    // The first path that showed this text with these points, or -1; records it otherwise.
    int shownBy(int line, int points, int path) {
        const auto [it, added] = shown_.try_emplace({line, points}, path);
        return added ? -1 : it->second;
    }

    std::string nextFrameName() {
        char name[32];
        std::snprintf(name, sizeof name, "f%05d", ++frameCount_);
        return name;
    }
    const fs::path& framesDir() const { return framesDir_; }

private:
    const script::Script& script_;
    platform::FontLibrary& fonts_;
    fs::path framesDir_;
    std::pair<int, int> answerRows_;
    std::map<int, Place> places_;
    std::vector<int> order_;
    std::map<std::pair<int, int>, int> shown_;
    int frameCount_ = 0;
};

void PathRun::event(std::string_view kind, std::string_view details) {
    if (kind == "line") {
        progress_ = true;
        const auto space = details.find(' ');
        line_ = std::stoi(std::string(details.substr(0, space)));
        op_ = script::opcodeOf(explorer_.script().line(line_).value_or(u""));
        executed_.insert(line_);
        switch (op_) {
            case script::Opcode::ZT:
                buttons_.clear();
                break;
            case script::Opcode::ZB:
                buttons_.push_back(line_);
                break;
            case script::Opcode::ZS:
                screenLine_ = line_;
                break;
            case script::Opcode::ZE:
            case script::Opcode::ST:
                screenLine_ = 0;
                break;
            default:
                break;
        }
    } else if (kind == "text") {
        pendingText_ = untrace(details);
    } else if (kind == "points") {
        points_ = std::stoi(std::string(details));
    } else if (kind == "title") {
        titleShown_ = true;
        screenLine_ = 0;
    } else if (kind == "box") {
        boxOpen_ = true;
    } else if (kind == "answer") {
        boxOpen_ = false;
    } else if (kind == "error") {
        ++path_.scriptErrors;
        const auto space = details.find(' ');
        stop("a script error at line " + std::string(details.substr(0, space)) + ": " +
             std::string(
                 details.substr(space == std::string_view::npos ? details.size() : space + 1)));
    }
}

void PathRun::click(HeadlessWindow& window, std::uint64_t at, int x, int y) {
    auto input = parseInputScript(
        std::to_string(at) + " click " + std::to_string(x) + " " + std::to_string(y) + "\n",
        "storyboard");
    window.feed(*input);
}

void PathRun::answer(HeadlessWindow& window, std::uint64_t at, const char* button) {
    auto input = parseInputScript(std::to_string(at) + " answer " + button + "\n", "storyboard");
    window.feed(*input);
}

bool PathRun::choose(HeadlessWindow& window, std::uint64_t now, int placeLine,
                     const std::vector<std::string>& labels,
                     const std::vector<std::pair<int, int>>& targets) {
    if (labels.empty()) {
        stop("a button screen without buttons at line " + std::to_string(placeLine));
        return false;
    }
    Place& place = explorer_.place(placeLine, labels, made_);
    int option = -1;
    if (made_.size() < route_.size()) {
        const Decision& next = route_[made_.size()];
        if (next.place != placeLine) {
            stop("the replay went elsewhere (line " + std::to_string(placeLine) + " instead of " +
                 std::to_string(next.place) + ")");
            return false;
        }
        option = next.option;
    } else {
        const auto it = std::find(place.taken.begin(), place.taken.end(), false);
        if (it == place.taken.end()) {
            stop(placeLine == kTitlePlace
                     ? "every entry of the title menu has been taken"
                     : "every choice at line " + std::to_string(placeLine) + " has been taken");
            return false;
        }
        option = static_cast<int>(it - place.taken.begin());
        place.taken[static_cast<std::size_t>(option)] = true;
    }
    if (option < 0 || option >= static_cast<int>(targets.size())) {
        stop("no choice " + std::to_string(option) + " at line " + std::to_string(placeLine));
        return false;
    }
    made_.push_back({placeLine, option});
    path_.choices.push_back(explorer_.describe(made_.back()));
    const auto [x, y] = targets[static_cast<std::size_t>(option)];
    click(window, now + kClickDelayMs, x, y);
    return true;
}

void PathRun::onIdle(HeadlessWindow& window, std::uint64_t now) {
    if (stopped_) {
        return;
    }
    if (!path_.ending.empty()) {
        // A script error: answer its box, then let the program go where it goes.
        if (boxOpen_) {
            answer(window, now + kClickDelayMs, "ok");
        }
        stopped_ = true;
        return;
    }
    idleWithoutProgress_ = progress_ ? 0 : idleWithoutProgress_ + 1;
    progress_ = false;
    if (idleWithoutProgress_ > kIdleWithoutProgress) {
        stop("it waited at line " + std::to_string(line_) +
             " for something the storyboard "
             "cannot give");
        stopped_ = true;
        return;
    }
    const bool replaying = made_.size() < route_.size();
    using script::Opcode;

    if (boxOpen_) {
        // The wallpaper question is declined; any other box has only OK.
        answer(window, now + kClickDelayMs, op_ == Opcode::KB ? "no" : "ok");
        return;
    }
    if (pendingText_ && (op_ == Opcode::Message || op_ == Opcode::WM)) {
        const std::string text = std::move(*pendingText_);
        pendingText_.reset();
        if (!replaying) {
            const int earlier = explorer_.shownBy(line_, points_, index_);
            if (earlier >= 0 && earlier != index_) {
                stop("joins path " + std::to_string(earlier + 1) + " at line " +
                     std::to_string(line_));
                stopped_ = true;
                return;
            }
            if (earlier == index_) {
                stop("comes back to line " + std::to_string(line_));
                stopped_ = true;
                return;
            }
            const std::string name = explorer_.nextFrameName();
            InputScript shot;
            shot.shots.push_back({now, name});
            window.feed(shot);
            path_.frames.push_back({line_, points_, text, "frames/" + name + ".png"});
        }
        click(window, now + kClickDelayMs, 320, 240);
        return;
    }
    switch (op_) {
        case Opcode::KS:
        case Opcode::Message:
        case Opcode::WM:
            click(window, now + kClickDelayMs, 320, 240);
            return;
        case Opcode::ES:
        case Opcode::EH:
        case Opcode::ET:
            click(window, now + kEndingDelayMs, 320, 240);
            return;
        default:
            break;
    }
    if (op_ == Opcode::ST || titleShown_) {
        titleShown_ = false;
        // Back at the title after choosing there: what lies beyond is cheaper to reach from
        // the start than from the end of this path.
        const bool chose = std::any_of(made_.begin(), made_.end(),
                                       [](const Decision& d) { return d.place == kTitlePlace; });
        if (chose && !replaying) {
            stop("back at the title menu");
            stopped_ = true;
            return;
        }
        std::vector<std::string> labels;
        std::vector<std::pair<int, int>> targets;
        for (const auto& entry : kTitleEntries) {
            labels.emplace_back(entry.label);
            targets.emplace_back(kTitleX, entry.y);
        }
        if (!choose(window, now, kTitlePlace, labels, targets)) {
            stopped_ = true;
        }
        return;
    }
    if (op_ == Opcode::QE) {
        // The question is a text too: its frame shows it with both answers.
        if (pendingText_ && !replaying) {
            const std::string name = explorer_.nextFrameName();
            InputScript shot;
            shot.shots.push_back({now, name});
            window.feed(shot);
            path_.frames.push_back({line_, points_, *pendingText_, "frames/" + name + ".png"});
        }
        pendingText_.reset();
        const auto question =
            script::parseQuestion(script::argumentOf(explorer_.script().line(line_).value()));
        if (!question) {
            stop("a question that cannot be read at line " + std::to_string(line_));
            stopped_ = true;
            return;
        }
        const std::vector<std::string> labels = {
            "「" + utf16ToUtf8(question->first.text) + "」 (line " +
                std::to_string(question->first.target) + ")",
            "「" + utf16ToUtf8(question->second.text) + "」 (line " +
                std::to_string(question->second.target) + ")"};
        const auto [y1, y2] = explorer_.answerRows();
        if (!choose(window, now, line_, labels, {{300, y1}, {300, y2}})) {
            stopped_ = true;
        }
        return;
    }
    if (screenLine_ != 0 && (op_ == Opcode::ZS || op_ == Opcode::KB)) {
        std::vector<std::string> labels;
        std::vector<std::pair<int, int>> targets;
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            const auto b = script::parseButton(
                script::argumentOf(explorer_.script().line(buttons_[i]).value()));
            if (!b) {
                continue;
            }
            labels.push_back("button " + std::to_string(i + 1) + " (line " +
                             std::to_string(b->target()) + ")");
            targets.emplace_back((b->left() + b->right()) / 2, (b->top() + b->bottom()) / 2);
        }
        if (!choose(window, now, screenLine_, labels, targets)) {
            stopped_ = true;
        }
        return;
    }
    stop("it waited at line " + std::to_string(line_) +
         " for something the storyboard "
         "cannot give");
    stopped_ = true;
}

std::vector<std::pair<int, int>> unreachedRanges(const script::Script& script,
                                                 const std::set<int>& executed) {
    std::vector<std::pair<int, int>> out;
    int previous = 0;
    for (const auto& [n, line] : script.lines()) {
        if (executed.count(n) != 0) {
            previous = 0;
            continue;
        }
        if (previous != 0 && !out.empty() && out.back().second == previous) {
            out.back().second = n;
        } else {
            out.push_back({n, n});
        }
        previous = n;
    }
    return out;
}

}  // namespace

int Storyboard::frames() const {
    int n = 0;
    for (const auto& p : paths) {
        n += static_cast<int>(p.frames.size());
    }
    return n;
}

int Storyboard::scriptErrors() const {
    int n = 0;
    for (const auto& p : paths) {
        n += p.scriptErrors;
    }
    return n;
}

Result<Storyboard> playStoryboard(const script::Script& script, std::string_view scriptName,
                                  platform::FontLibrary& fonts, const SessionOptions& base,
                                  const fs::path& out) {
    const fs::path framesDir = out / "frames";
    std::error_code ec;
    fs::create_directories(framesDir, ec);
    if (ec) {
        return makeError(framesDir.string() + ": cannot make the folder: " + ec.message());
    }
    Explorer explorer(script, fonts, framesDir);
    Storyboard board;
    board.scriptName = std::string(scriptName);
    std::set<int> executed;
    std::vector<Decision> route;
    for (int index = 0;; ++index) {
        PathRun run(explorer, route, index);
        SessionOptions options;
        options.game = base.game;
        options.display = base.display;
        options.out = framesDir;
        options.observer = &run;
        options.programName = base.programName;
        options.shotWriter = saveFramePng;
        options.onIdle = [&run](HeadlessWindow& window, std::uint64_t now) {
            run.onIdle(window, now);
        };
        auto result = runSession(script, fonts, std::move(options));
        if (!result) {
            return makeError(result.error());
        }
        for (const auto& e : result->shotErrors) {
            return makeError("cannot write the frame " + e);
        }
        StoryPath path = std::move(run.path());
        if (path.ending.empty()) {
            path.ending = "the program ended";
        }
        executed.insert(run.executed().begin(), run.executed().end());
        board.paths.push_back(std::move(path));
        auto next = explorer.nextRoute();
        if (!next) {
            break;
        }
        route = std::move(*next);
    }
    board.unreached = unreachedRanges(script, executed);
    return board;
}

Result<StoryboardSummary> writeStoryboard(const script::Script& script, std::string_view scriptName,
                                          platform::FontLibrary& fonts, const SessionOptions& base,
                                          const fs::path& out) {
    auto board = playStoryboard(script, scriptName, fonts, base, out);
    if (!board) {
        return makeError(board.error());
    }
    const std::string page = storyboardHtml(*board);
    const fs::path target = out / "index.html";
    const fs::path temporary = out / ".index.html.tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) {
        return makeError(temporary.string() + ": cannot write: " +
                         std::error_code(errno, std::generic_category()).message());
    }
    const bool written = std::fwrite(page.data(), 1, page.size(), f) == page.size();
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (!written || !closed) {
        fs::remove(temporary, ec);
        return makeError(target.string() + ": cannot write the page");
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        return makeError(target.string() + ": cannot write the page: " + ec.message());
    }
    StoryboardSummary summary;
    summary.paths = static_cast<int>(board->paths.size());
    summary.frames = board->frames();
    for (const auto& [first, last] : board->unreached) {
        summary.unreached += static_cast<int>(
            std::distance(script.lines().find(first), std::next(script.lines().find(last))));
    }
    summary.scriptErrors = board->scriptErrors();
    return summary;
}

}  // namespace velko::headless
