#pragma once

// The timed input of a headless run, one event a line: "T click X Y [left|right]", "T move X Y",
// "T paint", "T key NAME", "T keydown NAME" / "T keyup NAME" (held keys), "T wheel up|down",
// "T menu end|version", "T answer yes|no|cancel|ok", "T dialog-click X Y", "T close",
// "T shot NAME", "T quit". T is virtual milliseconds since the start, non-decreasing; "#"
// starts a comment.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/input.h"

namespace velko::headless {

struct TimedEvent {
    std::uint64_t time = 0;
    platform::InputEvent event;
};

struct Shot {
    std::uint64_t time = 0;
    std::string name;
};

struct InputScript {
    std::vector<TimedEvent> events;
    std::vector<Shot> shots;
    std::vector<std::uint64_t> quits;
};

// Errors read "FILE:LINE: message".
Result<InputScript> parseInputScript(std::string_view text, const std::string& fileName);

// SDL's spelling of a key name written in any letter case ("return" -> "Return").
std::string canonicalKeyName(std::string_view name);

}  // namespace velko::headless
