#include "checker.h"

#include <algorithm>
#include <array>
#include <map>

#include "asset_index.h"
#include "base/utf.h"
#include "script/arguments.h"
#include "script/script.h"
#include "flow.h"

namespace velko::check {

using script::Opcode;

bool CheckResult::hasErrors() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

std::string formatFinding(std::string_view scriptName, const Finding& finding) {
    return std::string(scriptName) + ":" + std::to_string(finding.line) +
           (finding.severity == Severity::Error ? ": error: " : ": warning: ") + finding.message;
}

namespace {

// A pause is a plain sleep: past this the reader may well think the program has hung.
constexpr std::int32_t kLongestQuietPauseMs = 60'000;

class ScenarioChecker {
public:
    ScenarioChecker(const std::optional<std::filesystem::path>& gameDir) : gameDir_(gameDir) {}

    CheckResult run(std::string_view source) {
        script::ParsedSource parsed = script::parseSource(source);
        for (auto& e : parsed.errors) {
            error(e.physicalLine, std::move(e.message));
        }
        script_ = &parsed.script;
        openFolders();
        for (const auto& [n, line] : parsed.script.lines()) {
            checkLine(n, line.text);
        }
        checkEntries();
        analyseFlow(flow_, result_.findings);
        std::stable_sort(result_.findings.begin(), result_.findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(result_);
    }

private:
    void error(int line, std::string message) {
        result_.findings.push_back({line, Severity::Error, std::move(message)});
    }
    void warning(int line, std::string message) {
        result_.findings.push_back({line, Severity::Warning, std::move(message)});
    }

    // Folders are listed only when some command names a file in them.
    void openFolders() {
        if (!gameDir_) {
            return;
        }
        std::array<bool, 4> used{};
        for (const auto& [n, line] : script_->lines()) {
            used[static_cast<int>(script::assetFolderOf(script::opcodeOf(line.text)))] = true;
        }
        for (auto folder :
             {script::AssetFolder::Bmp, script::AssetFolder::Music, script::AssetFolder::Wall}) {
            if (!used[static_cast<int>(folder)]) {
                continue;
            }
            const auto dir = *gameDir_ / std::string(script::folderName(folder));
            folders_[static_cast<int>(folder)] = AssetIndex::open(dir);
            if (!folders_[static_cast<int>(folder)]) {
                result_.notes.push_back(dir.string() + " is not a folder; the names of " +
                                        std::string(script::folderName(folder)) +
                                        " files were not looked up");
            }
        }
    }

    void checkAsset(int n, Opcode op, std::u16string_view name) {
        const auto folder = script::assetFolderOf(op);
        const auto& files = folders_[static_cast<int>(folder)];
        if (files && !files->contains(utf16ToUtf8(name))) {
            error(n, std::string(script::opcodeName(op)) + " file " + script::quoteText(name) +
                         " is not in " + std::string(script::folderName(folder)) + "/");
        }
    }

    void target(int n, std::string_view what, int line) {
        flow_[n].targets.push_back(line);
        if (!script_->contains(line)) {
            error(n, std::string(what) + " line " + std::to_string(line) + " does not exist");
        }
    }

    void checkLine(int n, std::u16string_view text) {
        const Opcode op = script::opcodeOf(text);
        const std::u16string_view arg = script::argumentOf(text);
        flow_[n].op = op;
        auto fail = [&](const std::string& message) { error(n, message); };

        switch (op) {
            case Opcode::JP:
                if (auto t = script::parseJump(arg)) {
                    target(n, "JP target", *t);
                } else {
                    fail(t.error());
                }
                break;
            case Opcode::IF:
                if (auto jumps = script::parseIf(arg)) {
                    target(n, "IF equal target", jumps->equal);
                    target(n, "IF greater target", jumps->greater);
                    target(n, "IF less target", jumps->less);
                } else {
                    fail(jumps.error());
                }
                break;
            case Opcode::QE:
                if (auto q = script::parseQuestion(arg)) {
                    target(n, "QE first choice target", q->first.target);
                    target(n, "QE second choice target", q->second.target);
                } else {
                    fail(q.error());
                }
                break;
            case Opcode::ZB:
                if (auto b = script::parseButton(arg)) {
                    target(n, "ZB target", b->target());
                    if (b->ignoredItems > 0) {
                        warning(n, "ZB uses 13 numbers; the " + std::to_string(b->ignoredItems) +
                                       " after them are ignored");
                    }
                } else {
                    fail(b.error());
                }
                break;
            case Opcode::WT:
                if (auto w = script::parseWait(arg); !w) {
                    fail(w.error());
                } else {
                    flow_[n].pauses = *w > 0;
                    if (*w > kLongestQuietPauseMs) {
                        warning(n, "WT pauses " + std::to_string(*w) +
                                       " ms; for all that time the window answers nothing, "
                                       "not even its close button");
                    }
                }
                break;
            case Opcode::KR:
                if (auto r = script::parseRightClick(arg); !r) {
                    fail(r.error());
                }
                break;
            case Opcode::WM:
                if (auto wm = script::parseWaveMessage(arg)) {
                    checkAsset(n, op, wm->wave);
                } else {
                    fail(wm.error());
                }
                break;
            case Opcode::Message:
                checkMessage(n, text);
                break;
            default:
                if (script::assetFolderOf(op) != script::AssetFolder::None) {
                    if (auto name = script::parseAssetName(op, arg)) {
                        checkAsset(n, op, *name);
                    } else {
                        fail(name.error());
                    }
                }
                break;
        }

        if (script::fallsThrough(op) && !script_->contains(n + 1)) {
            fail(n == script::kLastLineNumber
                     ? "the script goes on past line 32767, the last line number"
                     : "the script goes on to line " + std::to_string(n + 1) +
                           ", which does not exist");
        }
    }

    // Two capitals and a blank look like a mistyped command, not like story text.
    void checkMessage(int n, std::u16string_view text) {
        auto capital = [](char16_t c) { return c >= u'A' && c <= u'Z'; };
        if (text.size() >= 3 && capital(text[0]) && capital(text[1]) && text[2] == u' ') {
            warning(n, "\"" + utf16ToUtf8(text.substr(0, 2)) +
                           "\" is not a command; the line is shown as text");
        }
    }

    // The program starts at line 1; the title menu sends the reader to 1001 and 101.
    void checkEntries() {
        if (!script_->contains(1)) {
            error(1, "line 1 does not exist; the program starts there");
        }
        const bool hasTitle = std::any_of(flow_.begin(), flow_.end(),
                                          [](const auto& f) { return f.second.op == Opcode::ST; });
        if (!hasTitle) {
            return;
        }
        if (!script_->contains(1001)) {
            error(1001, "line 1001 does not exist; the title menu starts the story there");
        }
        if (!script_->contains(101)) {
            error(101, "line 101 does not exist; the title menu opens the extras there");
        }
    }

    std::optional<std::filesystem::path> gameDir_;
    std::array<std::optional<AssetIndex>, 4> folders_;
    const script::Script* script_ = nullptr;
    std::map<int, FlowLine> flow_;
    CheckResult result_;
};

}  // namespace

CheckResult checkScenario(std::string_view sourceUtf8,
                          const std::optional<std::filesystem::path>& gameDir) {
    return ScenarioChecker(gameDir).run(sourceUtf8);
}

}  // namespace velko::check
