#pragma once

// A desktop that only remembers what it was asked: headless runs never touch the user's
// wallpaper or start a browser.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace velko::headless {

class RecordingDesktop final : public platform::Desktop {
public:
    void setWallpaper(const std::filesystem::path& absolutePath) override {
        wallpapers.push_back(absolutePath);
    }
    void openUrl(const std::string& url) override { urls.push_back(url); }

    std::vector<std::filesystem::path> wallpapers;
    std::vector<std::string> urls;
};

}  // namespace velko::headless
