#pragma once

// One run of the real engine on the headless platform: the pieces velko-headless puts
// together, for its plain runs and for each path of a storyboard.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "platform/fonts.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/input_script.h"
#include "platform/native_window.h"
#include "platform/trace.h"
#include "script/script.h"

namespace velko::headless {

struct SessionOptions {
    std::filesystem::path game;
    std::filesystem::path out;  // shots
    std::optional<std::filesystem::path> traceFile;
    InputScript input;
    std::optional<std::uint64_t> until;
    platform::DisplayInfo display{1024, 768, 32};
    int firstLine = 1;
    // Stands for the XDG config and state folders; without it the run keeps nothing.
    std::optional<std::filesystem::path> stateDir;
    std::string programName = "velko-headless";
    // Sees every trace event as well.
    platform::Trace* observer = nullptr;
    // Given the window when the program waits with no input left (see HeadlessWindow).
    std::function<void(HeadlessWindow&)> onIdle;
};

struct SessionResult {
    int scriptErrors = 0;
    std::vector<std::string> shotErrors;
};

// The error says why the run could not start (the trace file cannot be written).
Result<SessionResult> runSession(const script::Script& script, platform::FontLibrary& fonts,
                                 SessionOptions options);

}  // namespace velko::headless
