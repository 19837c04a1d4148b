#pragma once

// Which commands set the wallpaper on the user's desktop, chosen by XDG_CURRENT_DESKTOP.
// Pure: the caller runs them (without a shell) and ignores failures.

#include <string>
#include <string_view>
#include <vector>

namespace velko::sdl {

using Argv = std::vector<std::string>;

enum class DesktopKind { Gnome, Cinnamon, Mate, Kde, Xfce, Lxde, Lxqt, Sway, OtherX11 };

// The first entry of the colon-separated list that names a known desktop.
DesktopKind desktopKind(std::string_view xdgCurrentDesktop);

// XFCE keeps one wallpaper property per monitor and workspace: list them first.
Argv xfceListCommand();
// The listed properties that end in "last-image".
std::vector<std::string> xfceImageProperties(std::string_view listOutput);

// The commands, in order, that install `absolutePath` as the wallpaper. `xfceProperties` is
// used for XFCE only.
std::vector<Argv> wallpaperCommands(DesktopKind kind, const std::string& absolutePath,
                                    const std::vector<std::string>& xfceProperties = {});

// A file URI with the bytes outside the unreserved set percent-encoded.
std::string fileUri(const std::string& absolutePath);

}  // namespace velko::sdl
