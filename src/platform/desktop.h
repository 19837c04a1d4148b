#pragma once

#include <filesystem>
#include <string>

namespace velko::platform {

// The user's desktop beyond our window: its wallpaper and its web browser.
// Failures are not reported, as the calls these stand for reported none to the reader.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void setWallpaper(const std::filesystem::path& absolutePath) = 0;
    virtual void openUrl(const std::string& url) = 0;
};

}  // namespace velko::platform
