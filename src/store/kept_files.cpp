#include "store/kept_files.h"

#include <charconv>
#include <map>
#include <vector>

namespace velko::store {

namespace {

constexpr std::string_view kApp = "velko01";

std::vector<std::string_view> rows(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) {
            eol = text.size();
        }
        std::string_view row = text.substr(pos, eol - pos);
        if (!row.empty() && row.back() == '\r') {
            row.remove_suffix(1);
        }
        out.push_back(row);
        pos = eol + 1;
    }
    return out;
}

bool parseInt(std::string_view s, long long lo, long long hi, long long& out) {
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc{} && p == s.data() + s.size() && out >= lo && out <= hi;
}

// The "key value" rows after the header (and the identity row, when there is one); the value
// is the rest of the row, so names may hold spaces.
Result<std::map<std::string, std::string>> fields(std::string_view text, std::string_view kind,
                                                  const std::string* identity) {
    const auto all = rows(text);
    const std::string header = std::string(kApp) + " " + std::string(kind) + " 1";
    if (all.empty() || all[0] != header) {
        return makeError("line 1: not a " + std::string(kind) + " file of velko01 (expected \"" +
                         header + "\")");
    }
    std::size_t first = 1;
    if (identity) {
        if (all.size() < 2 || all[1] != "script " + *identity) {
            return makeError("line 2: kept for another scenario");
        }
        first = 2;
    }
    std::map<std::string, std::string> out;
    for (std::size_t i = first; i < all.size(); ++i) {
        const std::string_view row = all[i];
        if (row.empty()) {
            continue;
        }
        const std::size_t space = row.find(' ');
        const std::string key(row.substr(0, space));
        const std::string value(space == std::string_view::npos ? std::string_view{}
                                                                : row.substr(space + 1));
        if (!out.emplace(key, value).second) {
            return makeError("line " + std::to_string(i + 1) + ": \"" + key + "\" given twice");
        }
    }
    return out;
}

std::string lineError(const std::string& key, const std::string& what) {
    return "\"" + key + "\" " + what;
}

}  // namespace

std::string formatSettings(const Settings& s) {
    return std::string(kApp) + " settings 1\nmusic " + std::to_string(s.music) + "\nsound " +
           std::to_string(s.sound) + "\nmute " + (s.muted ? "1" : "0") + "\n";
}

Result<Settings> parseSettings(std::string_view text) {
    auto f = fields(text, "settings", nullptr);
    if (!f) {
        return makeError(f.error());
    }
    Settings s;
    for (const auto& [key, value] : *f) {
        long long v = 0;
        if (key == "music" || key == "sound") {
            if (!parseInt(value, 0, kVolumeMax, v)) {
                return makeError(lineError(key, "takes a volume from 0 to 100"));
            }
            (key == "music" ? s.music : s.sound) = static_cast<int>(v);
        } else if (key == "mute") {
            if (!parseInt(value, 0, 1, v)) {
                return makeError(lineError(key, "takes 0 or 1"));
            }
            s.muted = v == 1;
        }
        // Keys of a later version are left alone.
    }
    return s;
}

std::string readLinesFile(const std::string& identity) {
    return identity + ".read";
}

std::string formatReadLines(const std::string& identity, const ReadLines& lines) {
    std::string out = std::string(kApp) + " read 1\nscript " + identity + "\nlines";
    for (const int n : lines) {
        out += ' ';
        out += std::to_string(n);
    }
    out += '\n';
    return out;
}

Result<ReadLines> parseReadLines(std::string_view text, const std::string& identity) {
    auto f = fields(text, "read", &identity);
    if (!f) {
        return makeError(f.error());
    }
    ReadLines lines;
    const auto it = f->find("lines");
    if (it == f->end()) {
        return lines;
    }
    std::string_view rest = it->second;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        const std::string_view word = rest.substr(0, space);
        rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
        if (word.empty()) {
            continue;
        }
        long long v = 0;
        if (!parseInt(word, 1, 32767, v)) {
            return makeError("\"lines\" holds \"" + std::string(word) +
                             "\", not a line number from 1 to 32767");
        }
        lines.insert(static_cast<int>(v));
    }
    return lines;
}

std::string placeFile(const std::string& identity) {
    return identity + ".place";
}

std::string formatPlace(const std::string& identity, const ResumePlace& p) {
    std::string out = std::string(kApp) + " place 1\nscript " + identity + "\n";
    out += "line " + std::to_string(p.line) + "\n";
    out += "picture " + p.picture + "\n";
    out += std::string("backdrop ") + (p.backdrop ? "1" : "0") + "\n";
    out += "music " + p.music + "\n";
    out += "wave-loop " + p.waveLoop + "\n";
    out += "points " + std::to_string(p.points) + "\n";
    out += std::string("key-stop ") + (p.keyStop ? "1" : "0") + "\n";
    out += std::string("right-click ") + (p.rightClick ? "1" : "0") + "\n";
    return out;
}

Result<ResumePlace> parsePlace(std::string_view text, const std::string& identity) {
    auto f = fields(text, "place", &identity);
    if (!f) {
        return makeError(f.error());
    }
    ResumePlace p;
    const auto number = [&](const char* key, long long lo, long long hi, long long& out) -> Status {
        const auto it = f->find(key);
        if (it == f->end() || !parseInt(it->second, lo, hi, out)) {
            return makeError(lineError(key, "is missing or not a number from " +
                                                std::to_string(lo) + " to " + std::to_string(hi)));
        }
        return Ok{};
    };
    long long v = 0;
    if (auto s = number("line", 1, 32767, v); !s) {
        return makeError(s.error());
    }
    p.line = static_cast<int>(v);
    if (auto s = number("points", -32768, 32767, v); !s) {
        return makeError(s.error());
    }
    p.points = static_cast<std::int16_t>(v);
    bool* const flags[] = {&p.backdrop, &p.keyStop, &p.rightClick};
    const char* const flagKeys[] = {"backdrop", "key-stop", "right-click"};
    for (int i = 0; i < 3; ++i) {
        if (auto s = number(flagKeys[i], 0, 1, v); !s) {
            return makeError(s.error());
        }
        *flags[i] = v == 1;
    }
    const auto name = [&](const char* key) {
        const auto it = f->find(key);
        return it == f->end() ? std::string() : it->second;
    };
    p.picture = name("picture");
    p.music = name("music");
    p.waveLoop = name("wave-loop");
    return p;
}

}  // namespace velko::store
