#include "checker.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <tuple>

#include "asset_contents.h"
#include "asset_index.h"
#include "base/utf.h"
#include "flow.h"
#include "message/message_disp.h"
#include "message/text_layout.h"
#include "script/arguments.h"
#include "script/script.h"

namespace velko::check {

using script::Opcode;

bool CheckResult::hasErrors() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

std::string formatFinding(std::string_view scriptName, const Finding& finding) {
    std::string out = std::string(scriptName) + ":" + std::to_string(finding.physicalLine);
    if (finding.column > 0) {
        out += ":" + std::to_string(finding.column);
    }
    out += finding.severity == Severity::Error ? ": error: " : ": warning: ";
    if (finding.line > 0) {
        out += "line " + std::to_string(finding.line) + ": ";
    }
    return out + finding.message;
}

namespace {

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

// Control characters would break the one-finding-a-line output (a continued line holds
// CR LF), so they are written out.
std::string oneLine(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

// Characters (code points) in a piece of UTF-8.
int countChars(std::string_view utf8) {
    return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

std::string formatFindingJson(std::string_view scriptName, const Finding& finding) {
    std::string out = "{\"file\":";
    appendJsonString(out, scriptName);
    out += ",\"line\":" + std::to_string(finding.physicalLine);
    out += ",\"column\":" + std::to_string(finding.column);
    out += ",\"scriptLine\":" + std::to_string(finding.line);
    out += ",\"severity\":";
    out += finding.severity == Severity::Error ? "\"error\"" : "\"warning\"";
    out += ",\"message\":";
    appendJsonString(out, finding.message);
    return out + "}";
}

namespace {

// A pause is a plain sleep: past this the reader may well think the program has hung.
constexpr std::int32_t kLongestQuietPauseMs = 60'000;

class ScenarioChecker {
public:
    explicit ScenarioChecker(const CheckOptions& options) : gameDir_(options.gameDir) {
        if (options.fonts) {
            messageFont_ = options.fonts->open(
                message::MessageDisp::messageFontSpec(platform::FontFace::Gothic));
        }
    }

    CheckResult run(std::string_view source) {
        splitRows(source);
        script::ParsedSource parsed = script::parseSource(source);
        for (auto& e : parsed.errors) {
            result_.findings.push_back({0, Severity::Error, std::move(e.message), e.physicalLine});
        }
        script_ = &parsed.script;
        openFolders();
        for (const auto& [n, line] : parsed.script.lines()) {
            checkLine(n, line.text);
        }
        checkEntries();
        analyseFlow(flow_, result_.findings);
        for (Finding& f : result_.findings) {
            if (f.physicalLine == 0) {
                f.physicalLine = std::max(1, script_->sourceLine(f.line));
            }
            f.message = oneLine(std::move(f.message));
        }
        std::stable_sort(result_.findings.begin(), result_.findings.end(),
                         [](const Finding& a, const Finding& b) {
                             return std::tie(a.physicalLine, a.column) <
                                    std::tie(b.physicalLine, b.column);
                         });
        return std::move(result_);
    }

private:
    void error(int line, std::string message, int column = 0) {
        result_.findings.push_back({line, Severity::Error, std::move(message), 0, column});
    }
    void warning(int line, std::string message, int column = 0) {
        result_.findings.push_back({line, Severity::Warning, std::move(message), 0, column});
    }

    // The physical rows, for columns.
    void splitRows(std::string_view text) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") {
            text.remove_prefix(3);
        }
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            rows_.push_back(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
    }

    // The column where line n's argument starts: after the number, the TAB and the opcode
    // with its separator. 0 when the line is not where the parser put it.
    int argumentColumn(int n, std::u16string_view text) const {
        const int physical = script_->sourceLine(n);
        if (physical < 1 || physical > static_cast<int>(rows_.size()) || text.size() < 3) {
            return 0;
        }
        const std::string_view row = rows_[physical - 1];
        const std::size_t tab = row.find('\t');
        if (tab == std::string_view::npos) {
            return 0;
        }
        return static_cast<int>(tab) + 1 + countChars(utf16ToUtf8(text.substr(0, 3))) + 1;
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
            auto index = AssetIndex::open(dir);
            if (index) {
                folders_[static_cast<int>(folder)] = std::move(index).value();
            } else {
                result_.notes.push_back(index.error() + "; the " +
                                        std::string(script::folderName(folder)) +
                                        " files were not looked up");
            }
        }
    }

    void checkAsset(int n, Opcode op, std::u16string_view name, int column) {
        const auto folder = script::assetFolderOf(op);
        const auto& files = folders_[static_cast<int>(folder)];
        if (!files) {
            return;
        }
        const std::string folderSlash = std::string(script::folderName(folder)) + "/";
        const auto file = files->find(utf16ToUtf8(name));
        if (!file) {
            error(n,
                  std::string(script::opcodeName(op)) + " file " + script::quoteText(name) +
                      " is not in " + folderSlash,
                  column);
            return;
        }
        if (const Status& read = reader_.read(*file, assetKindOf(op)); !read) {
            error(n, folderSlash + file->filename().string() + ": " + read.error(), column);
        }
    }

    // Laid out as the message window lays it out; rows past the area are never seen.
    void checkFit(int n, std::u16string_view text) {
        if (!messageFont_ || messageFont_->lineHeight() <= 0) {
            return;
        }
        const auto& area = message::MessageDisp::kTextArea;
        const std::u16string shown = message::MessageDisp::ChangeMessage(text);
        const std::size_t rows = message::layoutText(*messageFont_, shown, area.w).size();
        const std::size_t whole = static_cast<std::size_t>(area.h / messageFont_->lineHeight());
        if (rows > whole) {
            warning(n, "the text needs " + std::to_string(rows) + " rows; the message area " +
                           "shows " + std::to_string(whole) + " (26 full-width characters a " +
                           "row), so the rest is cut off");
        }
    }

    void target(int n, std::string_view what, int line) {
        flow_[n].targets.push_back(line);
        if (!script_->contains(line)) {
            error(n, std::string(what) + " line " + std::to_string(line) + " does not exist",
                  argumentColumn_);
        }
    }

    void checkLine(int n, std::u16string_view text) {
        const Opcode op = script::opcodeOf(text);
        const std::u16string_view arg = script::argumentOf(text);
        flow_[n].op = op;
        const int column = argumentColumn(n, text);
        argumentColumn_ = column;
        auto fail = [&](const std::string& message) { error(n, message, column); };

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
                    checkAsset(n, op, wm->wave, column);
                    checkFit(n, wm->text);
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
                        checkAsset(n, op, *name, column);
                    } else {
                        fail(name.error());
                    }
                }
                break;
        }

        if (script::fallsThrough(op) && !script_->contains(n + 1)) {
            error(n, n == script::kLastLineNumber
                         ? "the script goes on past line 32767, the last line number"
                         : "the script goes on to line " + std::to_string(n + 1) +
                               ", which does not exist");
        }
    }

    // Two capitals and a blank look like a mistyped command, not like story text.
    void checkMessage(int n, std::u16string_view text) {
        checkFit(n, text);
        auto capital = [](char16_t c) { return c >= u'A' && c <= u'Z'; };
        if (text.size() >= 3 && capital(text[0]) && capital(text[1]) && text[2] == u' ') {
            warning(n, "\"" + utf16ToUtf8(text.substr(0, 2)) +
                           "\" is not a command; the line is shown as text");
        }
    }

    // The program starts at line 1; the title menu sends the reader to 1001 and 101.
    void checkEntries() {
        // These name lines that are not there, so they point at what needs them.
        if (!script_->contains(1)) {
            result_.findings.push_back(
                {0, Severity::Error, "line 1 does not exist; the program starts there", 1});
        }
        const auto title = std::find_if(flow_.begin(), flow_.end(),
                                        [](const auto& f) { return f.second.op == Opcode::ST; });
        if (title == flow_.end()) {
            return;
        }
        const int at = script_->sourceLine(title->first);
        if (!script_->contains(1001)) {
            result_.findings.push_back({0, Severity::Error,
                                        "line 1001 does not exist; the title menu (line " +
                                            std::to_string(title->first) +
                                            ") starts the story there",
                                        at});
        }
        if (!script_->contains(101)) {
            result_.findings.push_back({0, Severity::Error,
                                        "line 101 does not exist; the title menu (line " +
                                            std::to_string(title->first) +
                                            ") opens the extras there",
                                        at});
        }
    }

    std::optional<std::filesystem::path> gameDir_;
    std::shared_ptr<const platform::Font> messageFont_;
    std::vector<std::string_view> rows_;
    AssetReader reader_;
    int argumentColumn_ = 0;  // of the line being checked
    std::array<std::optional<AssetIndex>, 4> folders_;
    const script::Script* script_ = nullptr;
    std::map<int, FlowLine> flow_;
    CheckResult result_;
};

}  // namespace

CheckResult checkScenario(std::string_view sourceUtf8, const CheckOptions& options) {
    return ScenarioChecker(options).run(sourceUtf8);
}

}  // namespace velko::check
