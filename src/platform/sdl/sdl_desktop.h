#pragma once

// The desktop around the window: its wallpaper through the desktop's own setting command,
// and web addresses through the default browser.

#include <chrono>
#include <optional>

#include "platform/desktop.h"

namespace velko::sdl {

class SdlDesktop final : public platform::Desktop {
public:
    // `keepFolder`: where a picture is copied before the desktop is given its path, when the
    // folder it comes from may not last (a build tree); nothing for an installed episode.
    explicit SdlDesktop(std::optional<std::filesystem::path> keepFolder = std::nullopt)
        : keepFolder_(std::move(keepFolder)) {}

    // Failures are ignored: a missing command or a refusal leaves the wallpaper as it was.
    void setWallpaper(const std::filesystem::path& absolutePath) override;
    void openUrl(const std::string& url) override;

private:
    static constexpr std::chrono::milliseconds kCommandTimeout{5000};
    std::optional<std::filesystem::path> keepFolder_;
};

}  // namespace velko::sdl
