#pragma once

// The storyboard: plays every path of a script — each entry of the title menu, each button
// of each button screen, both answers of each question, each at most once per place — and
// writes OUT/index.html with a screenshot of every text line, grouped by the path taken,
// and the lines that no path reached.
//
// A path is one run of the real engine on the headless platform. It replays the choices
// that led to the place it explores, then takes at every place a choice not yet taken.
// It ends with the program, at a place whose every choice has been taken, or where it shows
// a text that an earlier path showed with the same points (from there on it would only
// repeat that path).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/fonts.h"
#include "script/script.h"
#include "session.h"

namespace velko::headless {

struct StoryFrame {
    int line = 0;
    int points = 0;
    std::string text;   // UTF-8, with its line breaks
    std::string image;  // relative to the page
};

struct StoryPath {
    std::vector<std::string> choices;  // how the path got where it went its own way
    std::vector<StoryFrame> frames;    // only those after its own first choice
    std::string ending;                // why it stopped
    int scriptErrors = 0;
};

struct Storyboard {
    std::string scriptName;
    std::vector<StoryPath> paths;
    std::vector<std::pair<int, int>> unreached;  // ranges of line numbers, inclusive
    int frames() const;
    int scriptErrors() const;
};

// Plays every path; shots go to OUT/frames. `base` gives the game folder and the display.
Result<Storyboard> playStoryboard(const script::Script& script, std::string_view scriptName,
                                  platform::FontLibrary& fonts, const SessionOptions& base,
                                  const std::filesystem::path& out);

// The page, self-contained but for the frames beside it.
std::string storyboardHtml(const Storyboard& board);

struct StoryboardSummary {
    int paths = 0;
    int frames = 0;
    int unreached = 0;  // lines
    int scriptErrors = 0;
};

// Both of the above, and OUT/index.html written atomically.
Result<StoryboardSummary> writeStoryboard(const script::Script& script, std::string_view scriptName,
                                          platform::FontLibrary& fonts, const SessionOptions& base,
                                          const std::filesystem::path& out);

}  // namespace velko::headless
