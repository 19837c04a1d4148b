#pragma once

// Which commands set the wallpaper on the user's desktop, chosen by XDG_CURRENT_DESKTOP.
// Pure: the caller runs them (without a shell) and ignores failures. And where the picture is
// kept so that the desktop still finds it after the program's folder is gone.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

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

// $XDG_DATA_HOME/velko01 (by default ~/.local/share/velko01): what the desktop is handed
// lives there when the episode runs from a build tree or another folder that may go away.
std::filesystem::path wallpaperKeepFolder();

// `picture` copied into `folder` (created when missing) under its own name, written to a
// temporary file and renamed into place, so the desktop never reads half a picture.
Result<std::filesystem::path> keepWallpaper(const std::filesystem::path& picture,
                                            const std::filesystem::path& folder);

// A file URI with the bytes outside the unreserved set percent-encoded.
std::string fileUri(const std::string& absolutePath);

}  // namespace velko::sdl
