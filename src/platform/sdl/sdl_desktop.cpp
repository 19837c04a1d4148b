#include "platform/sdl/sdl_desktop.h"

#include <SDL.h>

#include <cstdlib>

#include "platform/sdl/process.h"
#include "platform/sdl/wallpaper.h"

namespace velko::sdl {

void SdlDesktop::setWallpaper(const std::filesystem::path& absolutePath) {
    const char* current = std::getenv("XDG_CURRENT_DESKTOP");
    const DesktopKind kind = desktopKind(current ? current : "");
    std::vector<std::string> xfceProps;
    if (kind == DesktopKind::Xfce) {
        xfceProps =
            xfceImageProperties(runProcess(xfceListCommand(), kCommandTimeout, true).output);
    }
    for (const Argv& argv : wallpaperCommands(kind, absolutePath.string(), xfceProps)) {
        (void)runProcess(argv, kCommandTimeout);
    }
}

void SdlDesktop::openUrl(const std::string& url) {
    (void)SDL_OpenURL(url.c_str());
}

}  // namespace velko::sdl
