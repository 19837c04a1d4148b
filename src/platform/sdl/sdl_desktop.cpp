#include "platform/sdl/sdl_desktop.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/sdl/process.h"
#include "platform/sdl/wallpaper.h"

namespace velko::sdl {

void SdlDesktop::setWallpaper(const std::filesystem::path& picture) {
    std::filesystem::path absolutePath = picture;
    if (keepFolder_) {
        auto kept = keepWallpaper(picture, *keepFolder_);
        if (!kept) {
            // As a refused setting: the wallpaper stays as it was.
            std::fprintf(stderr, "velko01: the wallpaper is left as it was: %s\n",
                         kept.error().c_str());
            return;
        }
        absolutePath = *kept;
    }
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
