// Scenarios for the stress cases: every opcode (and near misses of them) with arguments
// that are valid, on a boundary or nonsense; jumps into gaps and into loops; texts with
// markers, surrogate pairs, control characters and great length; and, in some cases, one
// fault of the source format itself.

#include <algorithm>
#include <map>

#include "writers.h"

namespace velko::stress {

namespace {

const std::vector<std::string> kTextPieces = {
    "　雨が降っていた。",
    "「どこへ行くの？」",
    "『鳥居』",
    "・・・・・・",
    "abc",
    "Hello, world",
    " ",
    "  ",
    "'R",
    "'r",
    "'",
    "R",
    "𠮷",
    "😀",
    "ｱｲｳｴｵ",
    "１２３",
    "\t",
    "\x01",
    "\x07",
    "\x1b[0m",
    "\x1f",
    "\x7f",
    "\\",
    "\\n",
    "%s%n",
    ":",
    ",",
    "\xEF\xBB\xBF",      // U+FEFF inside the text
    "\xEF\xBF\xBF",      // U+FFFF
    "\xF4\x8F\xBF\xBF",  // U+10FFFF
    "e\xCC\x81",         // a combining accent
    "..",
    "/",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "ああああああああああああああああああああああああああああ",
};

const std::vector<std::string> kOpcodes = {
    "PA", "PK", "PB", "PL", "PF", "BD", "WM", "WS", "WA", "WR", "WC",
    "MS", "MR", "MC", "QE", "JP", "IF", "WT", "KS", "KC", "KO", "KR",
    "ZT", "ZB", "ZS", "ZE", "KB", "ST", "FR", "ES", "EH", "ET", "ED",
};

// Numbers as a script author might mistype them.
std::string oddNumber(Random& random) {
    return random.pick({"",
                        " ",
                        "0",
                        "-0",
                        "+5",
                        "-1",
                        "32767",
                        "32768",
                        "-32768",
                        "-32769",
                        "65535",
                        "65536",
                        "2147483647",
                        "2147483648",
                        "-2147483648",
                        "-2147483649",
                        "4294967296",
                        "99999999999999999999999999",
                        "-99999999999999999999999999",
                        " 12 ",
                        "1 2",
                        "1e3",
                        "0x10",
                        "１２",
                        "12abc",
                        "abc",
                        "+",
                        "-",
                        "--1",
                        "1.5"});
}

class ScenarioWriter {
public:
    ScenarioWriter(Random& random, const FolderNames& names) : random_(random), names_(names) {
        const int roll = static_cast<int>(random_.below(10));
        nastiness_ = static_cast<int>(roll < 6   ? random_.between(0, 4)
                                      : roll < 9 ? random_.between(5, 15)
                                                 : random_.between(16, 50));
    }

    ScriptText run() {
        chooseLineNumbers();
        for (int n : numbers_) {
            lines_[n] = lineText();
        }
        ScriptText out;
        out.bytes = serialise(out.malformed);
        return out;
    }

private:
    void chooseLineNumbers() {
        const int count =
            static_cast<int>(random_.chance(5) ? random_.between(0, 3) : random_.between(2, 80));
        int n = random_.chance(97) ? 1 : static_cast<int>(random_.between(2, 20));
        for (int i = 0; i < count; ++i) {
            numbers_.push_back(n);
            n += random_.chance(96) ? 1 : static_cast<int>(random_.between(2, 40));
        }
        for (int special : {11, 101, 1001, 32765, 32766, 32767}) {
            if (random_.chance(15)) {
                numbers_.push_back(special);
            }
        }
        std::sort(numbers_.begin(), numbers_.end());
        numbers_.erase(std::unique(numbers_.begin(), numbers_.end()), numbers_.end());
    }

    // Whether this value goes wrong. Each case has its own measure of nastiness: some run
    // long and deep before a fault stops them, others fail at once in many ways.
    bool odd() { return random_.chance(nastiness_); }

    // A line number worth jumping to: one that exists, the gap after one, or nonsense.
    std::string target() {
        if (!odd() && !numbers_.empty()) {
            return std::to_string(random_.pick(numbers_));
        }
        const int roll = static_cast<int>(random_.below(100));
        if (roll < 40 && !numbers_.empty()) {
            return std::to_string(random_.pick(numbers_) + 1);
        }
        if (roll < 60) {
            return std::to_string(random_.between(1, 32767));
        }
        return oddNumber(random_);
    }

    std::string number() {
        return odd() ? oddNumber(random_) : std::to_string(random_.between(-50, 500));
    }

    std::string assetName(const std::vector<std::string>& offered) {
        const int roll = odd() ? 100 : static_cast<int>(random_.below(80));
        if (roll < 60 && !offered.empty()) {
            std::string name = random_.pick(offered);
            if (random_.chance(20)) {
                std::transform(name.begin(), name.end(), name.begin(),
                               [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            }
            return name;
        }
        if (roll < 80) {
            return random_.pick({"missing.bmp", "nothing.mid", "gone.wav", "x"});
        }
        return random_.pick({"", " ", "..", "../secret.bmp", "a/b.bmp", "a\\b.bmp", "/etc/passwd",
                             ".", "BMP", "a\x01.bmp", "a\tb.bmp", "名前.bmp", "a..b.bmp",
                             "very_long_name_very_long_name_very_long_name_very_long_name_very_"
                             "long_name_very_long_name_very_long_name_very_long_name_very_long_"
                             "name_very_long_name_very_long_name_very_long_name_very_long_name_"
                             "very_long_name_very_long_name.bmp"});
    }

    std::string argument(const std::string& op) {
        if (op == "PA" || op == "PK" || op == "PB" || op == "PL" || op == "BD" || op == "ES" ||
            op == "EH" || op == "ZT") {
            return assetName(names_.pictures);
        }
        if (op == "WS" || op == "WA" || op == "WR" || op == "MS" || op == "MR") {
            return assetName(names_.sounds);
        }
        if (op == "KB") {
            return assetName(names_.walls);
        }
        if (op == "WM") {
            return odd() ? randomText(random_, 3)
                         : assetName(names_.sounds) + ":" + randomText(random_, 4);
        }
        if (op == "JP") {
            return target();
        }
        if (op == "IF") {
            const int parts = static_cast<int>(odd() ? random_.between(0, 6) : 4);
            std::string fields;
            for (int i = 0; i < parts; ++i) {
                fields += i == 0 ? "" : ":";
                fields += i == 0 ? number() : target();
            }
            return fields;
        }
        if (op == "WT") {
            return odd() ? oddNumber(random_) : std::to_string(random_.between(0, 3000));
        }
        if (op == "KR") {
            return odd() ? random_.pick({"", "yes", "-1", "0", "Tru", "True False"})
                         : random_.pick({"True", "False", "true", "FALSE", " True "});
        }
        if (op == "ZB") {
            const int items = static_cast<int>(odd() ? random_.between(0, 16) : 13);
            std::string fields;
            for (int i = 0; i < items; ++i) {
                fields += i == 0 ? "" : ",";
                fields += i == 12 ? target()
                                  : (odd() ? oddNumber(random_)
                                           : std::to_string(random_.between(-10, 700)));
            }
            return fields;
        }
        if (op == "QE") {
            if (odd()) {
                return random_.pick({"", ":", "::", ",,:,,", "q:a,1,10", "q:a,1,10:b,2",
                                     "q,x:a,1,10:b,2,20", "q:a:x,1,10:b,2,20", "q:a,,:b,,",
                                     "q:a,40000,10:b,-40000,20", "q:a,1,0:b,1,32768"});
            }
            return randomText(random_, 2) + ":" + randomText(random_, 1) + "," + number() + "," +
                   target() + ":" + randomText(random_, 1) + "," + number() + "," + target();
        }
        // Commands without an argument, sometimes with something after them anyway.
        return random_.chance(80) ? "" : randomText(random_, 2);
    }

    std::string lineText() {
        const int roll = static_cast<int>(random_.below(100));
        if (roll < 22) {
            // A message, sometimes over several physical rows.
            std::string text = randomText(random_, 6);
            for (int rows = static_cast<int>(random_.below(4)); rows > 0; --rows) {
                if (random_.chance(40)) {
                    text += "\n" + randomText(random_, 4);
                }
            }
            if (random_.chance(3)) {
                const std::string piece = randomText(random_, 3) + "'R";
                for (int i = 0, n = static_cast<int>(random_.between(50, 1500)); i < n; ++i) {
                    text += piece;  // a very long line
                }
            }
            return text;
        }
        if (roll < 27) {
            // Near misses of an opcode: lower case, one letter, a bare opcode, nothing.
            return random_.pick({"pa x.bmp", "jp 1", "Pa title.bmp", "kS", "P", "J", "", "  ", "PA",
                                 "JP", "ZB", "QE", "IF", "KR", "WM", "WT", "PAX"});
        }
        std::string op = random_.pick(kOpcodes);
        if ((op == "ST" || op == "ED") && random_.chance(70)) {
            op = random_.pick(kOpcodes);  // both end a run early; rarer, so runs go deeper
        }
        std::string separator = " ";
        if (odd() && random_.chance(30)) {
            separator = random_.pick({"", "\t", "x", "　", ":", "  "});
        }
        return op + separator + argument(op);
    }

    // The source as an author's editor might save it: BOM or not, LF or CR LF, comments,
    // blank rows, lines out of order. In some cases, one format fault goes in on purpose.
    std::string serialise(bool& malformed) {
        std::vector<std::pair<int, std::string>> order(lines_.begin(), lines_.end());
        if (random_.chance(20)) {
            for (std::size_t i = order.size(); i > 1; --i) {
                std::swap(order[i - 1], order[random_.below(i)]);
            }
        }
        const std::string eol = random_.chance(30) ? "\r\n" : "\n";
        std::vector<std::string> rows;
        for (const auto& [n, text] : order) {
            if (random_.chance(10)) {
                rows.push_back(random_.chance(50) ? "" : "# " + randomText(random_, 2));
            }
            std::string row = (random_.chance(5) ? "00" : "") + std::to_string(n) + "\t";
            for (const char c : text) {
                if (c == '\n') {
                    rows.push_back(row);
                    row = "\t";
                } else {
                    row.push_back(c);
                }
            }
            rows.push_back(row);
        }
        if (random_.chance(8)) {
            malformed = true;
            const std::string fault = random_.pick(
                {"0\tKC", "32768\tKC", "99999999999999999999999\tKC", "\tstray", " 12\tKC", "12 KC",
                 "12", "abc", "12\tA\rB", "12\t\xFF", "12\t\xC0\xAF", "12\t\xED\xA0\x80",
                 "12\t\xE3\x81", "-5\tKC", "+5\tKC", "１\tKC"});
            const bool first = fault == "\tstray" || rows.empty();
            rows.insert(first ? rows.begin() : rows.begin() + random_.below(rows.size() + 1),
                        fault);
            if (!first && random_.chance(30) && !lines_.empty()) {
                // A repeated number instead.
                rows.back() = std::to_string(lines_.begin()->first) + "\tKC";
            }
        }
        std::string out = random_.chance(20) ? "\xEF\xBB\xBF" : "";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            out += rows[i];
            if (i + 1 < rows.size() || random_.chance(85)) {
                out += eol;
            }
        }
        return out;
    }

    Random& random_;
    const FolderNames& names_;
    int nastiness_ = 0;  // percent
    std::vector<int> numbers_;
    std::map<int, std::string> lines_;
};

}  // namespace

std::string randomText(Random& random, std::size_t maxPieces) {
    std::string text;
    for (std::size_t i = 0, n = random.below(maxPieces + 1); i < n; ++i) {
        text += random.pick(kTextPieces);
    }
    return text;
}

ScriptText makeScenario(Random& random, const FolderNames& names) {
    return ScenarioWriter(random, names).run();
}

}  // namespace velko::stress
