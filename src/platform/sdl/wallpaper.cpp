#include "platform/sdl/wallpaper.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

namespace velko::sdl {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Letters, digits, single spaces, UTF-8 and "/._-+@%=": nothing that sway's command parser
// or its word expansion gives a meaning.
bool swaySafe(std::string_view path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        const bool plain =
            std::isalnum(c) || c >= 0x80 ||
            std::string_view("/._-+@%=").find(static_cast<char>(c)) != std::string_view::npos;
        const bool space = c == ' ' && (i == 0 || path[i - 1] != ' ');
        if (!plain && !space) {
            return false;
        }
    }
    return !path.empty();
}

}  // namespace

DesktopKind desktopKind(std::string_view list) {
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        const std::string name = lower(list.substr(start, end - start));
        if (name == "gnome" || name == "gnome-classic" || name == "gnome-flashback" ||
            name == "budgie" || name == "unity" || name == "pantheon") {
            return DesktopKind::Gnome;
        }
        if (name == "x-cinnamon" || name == "cinnamon") {
            return DesktopKind::Cinnamon;
        }
        if (name == "mate") {
            return DesktopKind::Mate;
        }
        if (name == "kde") {
            return DesktopKind::Kde;
        }
        if (name == "xfce") {
            return DesktopKind::Xfce;
        }
        if (name == "lxde") {
            return DesktopKind::Lxde;
        }
        if (name == "lxqt") {
            return DesktopKind::Lxqt;
        }
        if (name == "sway") {
            return DesktopKind::Sway;
        }
        start = end + 1;
    }
    return DesktopKind::OtherX11;
}

Argv xfceListCommand() {
    return {"xfconf-query", "-c", "xfce4-desktop", "-l"};
}

std::vector<std::string> xfceImageProperties(std::string_view listOutput) {
    std::vector<std::string> props;
    std::size_t start = 0;
    while (start < listOutput.size()) {
        std::size_t end = listOutput.find('\n', start);
        if (end == std::string_view::npos) {
            end = listOutput.size();
        }
        std::string_view line = listOutput.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.remove_suffix(1);
        }
        if (endsWith(line, "last-image")) {
            props.emplace_back(line);
        }
        start = end + 1;
    }
    return props;
}

std::string fileUri(const std::string& absolutePath) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : absolutePath) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

std::vector<Argv> wallpaperCommands(DesktopKind kind, const std::string& path,
                                    const std::vector<std::string>& xfceProperties) {
    switch (kind) {
        case DesktopKind::Gnome:
            // The dark-style key exists from GNOME 42 on; older ones reject it harmlessly.
            return {
                {"gsettings", "set", "org.gnome.desktop.background", "picture-uri", fileUri(path)},
                {"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark",
                 fileUri(path)}};
        case DesktopKind::Cinnamon:
            return {{"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri",
                     fileUri(path)}};
        case DesktopKind::Mate:
            return {{"gsettings", "set", "org.mate.background", "picture-filename", path}};
        case DesktopKind::Kde:
            return {{"plasma-apply-wallpaperimage", path}};
        case DesktopKind::Xfce: {
            std::vector<Argv> cmds;
            for (const auto& prop : xfceProperties) {
                cmds.push_back({"xfconf-query", "-c", "xfce4-desktop", "-p", prop, "-s", path});
            }
            return cmds;
        }
        case DesktopKind::Lxde:
            return {{"pcmanfm", "--set-wallpaper=" + path}};
        case DesktopKind::Lxqt:
            return {{"pcmanfm-qt", "--set-wallpaper=" + path}};
        case DesktopKind::Sway: {
            // swaymsg joins its arguments into one command line that sway splits again and
            // then expands like a shell word: quoted, a path of plain characters survives
            // both; any other is left alone rather than half-applied or run as a command.
            if (!swaySafe(path)) {
                return {};
            }
            return {{"swaymsg", "output", "*", "bg", "\"" + path + "\"", "fill"}};
        }
        case DesktopKind::OtherX11:
            return {{"feh", "--bg-fill", path}};
    }
    return {};
}

std::filesystem::path wallpaperKeepFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data == '/') {
        return std::filesystem::path(data) / "velko01";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share" / "velko01";
}

Result<std::filesystem::path> keepWallpaper(const std::filesystem::path& picture,
                                            const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return makeError("cannot create " + folder.string() + ": " + ec.message());
    }
    const auto target = folder / picture.filename();
    const auto temporary =
        folder / ("." + picture.filename().string() + "." + std::to_string(getpid()) + ".tmp");
    std::ifstream in(picture, std::ios::binary);
    if (!in) {
        return makeError("cannot read " + picture.string() + ": " + std::strerror(errno));
    }
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
        out.flush();
        if (!out) {
            std::filesystem::remove(temporary, ec);
            return makeError("cannot write " + temporary.string());
        }
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return makeError("cannot write " + target.string() + ": " + ec.message());
    }
    return target;
}

}  // namespace velko::sdl
