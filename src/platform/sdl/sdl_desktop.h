#pragma once

// The desktop around the window: its wallpaper through the desktop's own setting command,
// and web addresses through the default browser.

#include <chrono>

#include "platform/desktop.h"

namespace velko::sdl {

class SdlDesktop final : public platform::Desktop {
public:
    // Failures are ignored: a missing command or a refusal leaves the wallpaper as it was.
    void setWallpaper(const std::filesystem::path& absolutePath) override;
    void openUrl(const std::string& url) override;

private:
    static constexpr std::chrono::milliseconds kCommandTimeout{5000};
};

}  // namespace velko::sdl
