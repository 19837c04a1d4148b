#pragma once

// The text of the files the program keeps: the settings, the set of lines read and the place
// to resume. Each starts with a line naming what it is ("velko01 settings 1"); the files of a
// scenario then name its identity, so a file copied from another scenario's reading is told
// apart. Parsing errors say which line of the file is wrong; the caller names the file.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "base/result.h"

namespace velko::store {

inline constexpr int kVolumeMax = 100;
inline constexpr int kVolumeStep = 10;

struct Settings {
    int music = kVolumeMax;  // 0 to 100
    int sound = kVolumeMax;
    bool muted = false;

    bool operator==(const Settings&) const = default;
};

inline constexpr const char* kSettingsFile = "settings.txt";

std::string formatSettings(const Settings& settings);
Result<Settings> parseSettings(std::string_view text);

// The story lines read in any run, by scenario line number.
using ReadLines = std::set<int>;

std::string readLinesFile(const std::string& identity);
std::string formatReadLines(const std::string& identity, const ReadLines& lines);
Result<ReadLines> parseReadLines(std::string_view text, const std::string& identity);

// Where a reader left the story, with what makes up the scene at that line.
struct ResumePlace {
    int line = 0;           // the line whose text was shown last
    std::string picture;    // BMP/ name of the scene picture, as the script gave it
    bool backdrop = false;  // the message band is dimmed
    std::string music;      // Music/ name of the piece that loops; empty for none
    std::string waveLoop;   // Music/ name of the looping wave; empty for none
    std::int16_t points = 0;
    bool keyStop = false;     // clicks are held off (KC)
    bool rightClick = false;  // the bare-picture view is allowed (KR)

    bool operator==(const ResumePlace&) const = default;
};

std::string placeFile(const std::string& identity);
std::string formatPlace(const std::string& identity, const ResumePlace& place);
Result<ResumePlace> parsePlace(std::string_view text, const std::string& identity);

}  // namespace velko::store
