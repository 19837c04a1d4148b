#pragma once

// The desktop as a browser page sees it: an address opens in a new tab, and as a page cannot
// set the desktop's wallpaper, the picture is offered as a download instead.

#include <filesystem>
#include <string>

#include "platform/desktop.h"

namespace velko::web {

class WebDesktop final : public platform::Desktop {
public:
    // Files under `root` in the program's file system are served at `urlBase` beside the page.
    WebDesktop(std::filesystem::path root, std::string urlBase)
        : root_(std::move(root)), urlBase_(std::move(urlBase)) {}

    void setWallpaper(const std::filesystem::path& absolutePath) override;
    void openUrl(const std::string& url) override;

    // The address a file of the program's file system is served at, or "" outside `root`.
    std::string urlOf(const std::filesystem::path& absolutePath) const;

private:
    std::filesystem::path root_;
    std::string urlBase_;
};

}  // namespace velko::web
