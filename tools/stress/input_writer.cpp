// Timed input for the stress cases: clicks anywhere (off the screen, at absurd and
// non-finite coordinates), right clicks, keys, menu commands, dialog answers, close and
// paint requests, shots and quits at random moments; in some cases one malformed line.

#include <algorithm>

#include "writers.h"

namespace velko::stress {

namespace {

// Lines no input file may hold; each must be refused with the file's name and the line.
// clang-format off
const std::vector<std::string> kFaults = {
    "abc click 1 2", "5 click", "5 click 1", "5 click x y", "5 click 1 2 middle", "5 jump",
    "5 key", "5 key a b", "5 menu", "5 menu foo", "5 answer maybe", "5 shot a/b", "5 shot ..",
    "5 shot", "99999999999999999999999 paint", "-5 paint", "5 paint now", "5 quit 1", "5",
    "5 move 1", "5 dialog-click 1", "5 click nan 1", "5 move 1 inf", "5 dialog-click -inf 0",
    "5 click 1e999 1"};
// clang-format on

std::string coordinate(Random& random, int size) {
    const int roll = static_cast<int>(random.below(100));
    if (roll < 70) {
        return std::to_string(random.between(0, size - 1));
    }
    if (roll < 80) {
        return std::to_string(random.between(0, size * 4) / 4.0);
    }
    return random.pick({"-1", "-20", "-0", "640", "480", "1e9", "-1e9", "1e300", "-1e300",
                        "2147483648", "1e-300", "0.5", "1.7976931348623157e308"});
}

std::string event(Random& random) {
    const int roll = static_cast<int>(random.below(100));
    if (roll < 30) {
        return "click " + coordinate(random, 640) + " " + coordinate(random, 480) +
               (random.chance(20) ? " left" : "");
    }
    if (roll < 40) {
        return "click " + coordinate(random, 640) + " " + coordinate(random, 480) + " right";
    }
    if (roll < 54) {
        return "key " +
               random.pick({"Return", "space", "Escape", "F10", "F11", "Tab", "Left", "Right", "Up",
                            "Down", "a", "Keypad", "enter", "Alt", "F1", "NoSuchKey", "Delete"});
    }
    if (roll < 62) {
        return random.chance(60) ? "menu end" : "menu version";
    }
    if (roll < 72) {
        return "answer " + random.pick({"yes", "no", "cancel", "ok"});
    }
    if (roll < 76) {
        return "dialog-click " + coordinate(random, 640) + " " + coordinate(random, 480);
    }
    if (roll < 82) {
        if (random.chance(25)) {
            return random.pick({"wheel up", "wheel down", "key PageUp", "key Home"});
        }
        return "move " + coordinate(random, 640) + " " + coordinate(random, 480);
    }
    if (roll < 87) {
        return "paint";
    }
    if (roll < 89) {
        return "close";
    }
    if (roll < 99) {
        return "shot s" + std::to_string(random.below(5));
    }
    return "quit";
}

}  // namespace

InputText makeInput(Random& random, std::uint64_t until) {
    InputText out;
    std::vector<std::pair<std::uint64_t, std::string>> timed;
    const int count =
        static_cast<int>(random.chance(10) ? random.between(50, 200) : random.between(0, 30));
    std::uint64_t t = random.chance(30) ? 0 : random.below(2000);
    for (int i = 0; i < count; ++i) {
        timed.emplace_back(t, event(random));
        const int step = static_cast<int>(random.below(100));
        if (step < 20) {
            // several events at the same moment
        } else if (step < 90) {
            t += random.between(1, 3000);
        } else {
            t += random.below(until + 1);
        }
    }
    if (random.chance(60)) {
        // A reader who keeps clicking on, so that runs go deep into their scenarios.
        const std::uint64_t every = random.between(100, 3000);
        const std::uint64_t end = std::min<std::uint64_t>(until, every * 400);
        for (std::uint64_t at = random.below(every); at <= end; at += every) {
            timed.emplace_back(at, random.chance(85) ? "click 320 240" : "key Return");
        }
    }
    std::stable_sort(timed.begin(), timed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> rows;
    for (const auto& [at, what] : timed) {
        if (random.chance(4)) {
            rows.push_back(random.chance(50) ? "# a comment" : "");
        }
        rows.push_back(std::to_string(at) + " " + what + (random.chance(5) ? "  # why" : ""));
        t = std::max(t, at);
    }
    if (random.chance(5)) {
        out.malformed = true;
        const std::string& fault = random.pick(kFaults);
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(random.below(rows.size() + 1)),
                    fault);
    } else if (random.chance(3)) {
        // Times out of order: the second row goes back before the first.
        out.malformed = true;
        rows.push_back(std::to_string(t + 10) + " paint");
        rows.push_back(std::to_string(t) + " paint");
        if (t == 0) {
            rows.back() = "0 paint";
            rows[rows.size() - 2] = "5 paint";
        }
    }
    const std::string eol = random.chance(20) ? "\r\n" : "\n";
    for (const auto& row : rows) {
        out.bytes += row + eol;
    }
    return out;
}

}  // namespace velko::stress
