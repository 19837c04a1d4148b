#include "platform/headless/input_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

namespace velko::headless {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    std::istringstream in{std::string(line)};
    std::string w;
    while (in >> w) {
        out.push_back(w);
    }
    return out;
}

bool parseTime(const std::string& s, std::uint64_t& out) {
    const auto* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc{} && p == end;
}

// "nan" and "inf" read as numbers, but they are no place on the screen.
bool parseCoord(const std::string& s, double& out) {
    const auto* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc{} && p == end && std::isfinite(out);
}

}  // namespace

std::string canonicalKeyName(std::string_view name) {
    static const char* const kNames[] = {
        "Return",    "Space",      "Escape",      "Tab",       "Backspace",  "Left",     "Right",
        "Up",        "Down",       "Home",        "End",       "PageUp",     "PageDown", "Left Alt",
        "Right Alt", "Left Shift", "Right Shift", "Left Ctrl", "Right Ctrl", "Delete",   "Insert",
    };
    const std::string l = lower(name);
    for (const char* n : kNames) {
        if (lower(n) == l) {
            return n;
        }
    }
    if (l == "enter") {
        return "Return";
    }
    if (l == "alt") {
        return "Left Alt";
    }
    if (l == "ctrl" || l == "control") {
        return "Left Ctrl";
    }
    if (l.size() >= 2 && l[0] == 'f' && std::all_of(l.begin() + 1, l.end(), ::isdigit)) {
        return "F" + l.substr(1);
    }
    if (l.size() == 1) {
        return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(l[0]))));
    }
    return std::string(name);
}

Result<InputScript> parseInputScript(std::string_view text, const std::string& fileName) {
    InputScript script;
    std::uint64_t last = 0;
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t eol = text.find('\n', pos);
        std::string_view line =
            text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = eol == std::string_view::npos ? text.size() + 1 : eol + 1;
        ++lineNo;
        if (const auto hash = line.find('#'); hash != std::string_view::npos) {
            line = line.substr(0, hash);
        }
        const auto w = words(line);
        if (w.empty()) {
            continue;
        }
        const auto fail = [&](const std::string& msg) {
            return makeError(fileName + ":" + std::to_string(lineNo) + ": " + msg);
        };
        std::uint64_t t = 0;
        if (!parseTime(w[0], t)) {
            return fail("expected a time in milliseconds, found \"" + w[0] + "\"");
        }
        if (t < last) {
            return fail("time " + std::to_string(t) + " is earlier than the line before");
        }
        last = t;
        if (w.size() < 2) {
            return fail("missing event after the time");
        }
        const std::string kind = lower(w[1]);
        const auto args = w.size() - 2;
        const auto needArgs = [&](std::size_t lo, std::size_t hi) {
            return args >= lo && args <= hi;
        };
        platform::InputEvent ev;
        double x = 0;
        double y = 0;
        if (kind == "click" || kind == "move" || kind == "dialog-click") {
            if (!needArgs(2, kind == "click" ? 3 : 2) || !parseCoord(w[2], x) ||
                !parseCoord(w[3], y)) {
                return fail(kind + " takes X Y" + (kind == "click" ? " [left|right]" : ""));
            }
            ev.x = x;
            ev.y = y;
            if (kind == "move") {
                ev.kind = platform::InputEvent::Kind::MouseMove;
                script.events.push_back({t, ev});
                continue;
            }
            ev.button = platform::kLeftButton;
            if (args == 3) {
                const std::string b = lower(w[4]);
                if (b == "right") {
                    ev.button = platform::kRightButton;
                } else if (b != "left") {
                    return fail("the button is left or right, not \"" + w[4] + "\"");
                }
            }
            ev.kind = platform::InputEvent::Kind::MouseDown;
            script.events.push_back({t, ev});
            ev.kind = platform::InputEvent::Kind::MouseUp;
            script.events.push_back({t, ev});
        } else if (kind == "paint" || kind == "close" || kind == "quit") {
            if (!needArgs(0, 0)) {
                return fail(kind + " takes no arguments");
            }
            if (kind == "quit") {
                script.quits.push_back(t);
                continue;
            }
            ev.kind = kind == "paint" ? platform::InputEvent::Kind::Paint
                                      : platform::InputEvent::Kind::Close;
            script.events.push_back({t, ev});
        } else if (kind == "key" || kind == "keydown" || kind == "keyup") {
            if (!needArgs(1, 1)) {
                return fail(kind + " takes one key name");
            }
            ev.kind = kind == "keyup" ? platform::InputEvent::Kind::KeyUp
                                      : platform::InputEvent::Kind::KeyDown;
            ev.key = canonicalKeyName(w[2]);
            script.events.push_back({t, ev});
        } else if (kind == "wheel") {
            const std::string way = args == 1 ? lower(w[2]) : "";
            if (way != "up" && way != "down") {
                return fail("wheel takes up or down");
            }
            ev.kind = platform::InputEvent::Kind::Wheel;
            ev.wheel = way == "up" ? 1 : -1;
            script.events.push_back({t, ev});
        } else if (kind == "menu") {
            const std::string item = args == 1 ? lower(w[2]) : "";
            if (item != "end" && item != "version") {
                return fail("menu takes end or version");
            }
            ev.kind = platform::InputEvent::Kind::Menu;
            ev.menu = item == "end" ? platform::MenuCommand::End : platform::MenuCommand::Version;
            script.events.push_back({t, ev});
        } else if (kind == "answer") {
            const std::string a = args == 1 ? lower(w[2]) : "";
            ev.kind = platform::InputEvent::Kind::Answer;
            if (a == "yes") {
                ev.answer = platform::DialogAnswer::Yes;
            } else if (a == "no") {
                ev.answer = platform::DialogAnswer::No;
            } else if (a == "cancel") {
                ev.answer = platform::DialogAnswer::Cancel;
            } else if (a == "ok") {
                ev.answer = platform::DialogAnswer::Ok;
            } else {
                return fail("answer takes yes, no, cancel or ok");
            }
            script.events.push_back({t, ev});
        } else if (kind == "shot") {
            if (!needArgs(1, 1)) {
                return fail("shot takes one name");
            }
            const std::string& name = w[2];
            if (name.find('/') != std::string::npos || name == "." || name == "..") {
                return fail("a shot name is a plain file name without folders");
            }
            script.shots.push_back({t, name});
        } else {
            return fail("unknown event \"" + w[1] + "\"");
        }
    }
    return script;
}

}  // namespace velko::headless
