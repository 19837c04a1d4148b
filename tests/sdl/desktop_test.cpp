// Wallpaper commands chosen per desktop, and helper programs started without a shell,
// bounded in time and always reaped.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/sdl/process.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/wallpaper.h"

namespace velko::sdl {
namespace {

using namespace std::chrono_literals;

TEST(Wallpaper, DesktopFromTheColonSeparatedList) {
    EXPECT_EQ(desktopKind("GNOME"), DesktopKind::Gnome);
    EXPECT_EQ(desktopKind("ubuntu:GNOME"), DesktopKind::Gnome);
    EXPECT_EQ(desktopKind("Budgie:GNOME"), DesktopKind::Gnome);
    EXPECT_EQ(desktopKind("X-Cinnamon"), DesktopKind::Cinnamon);
    EXPECT_EQ(desktopKind("MATE"), DesktopKind::Mate);
    EXPECT_EQ(desktopKind("KDE"), DesktopKind::Kde);
    EXPECT_EQ(desktopKind("XFCE"), DesktopKind::Xfce);
    EXPECT_EQ(desktopKind("LXDE"), DesktopKind::Lxde);
    EXPECT_EQ(desktopKind("LXQt"), DesktopKind::Lxqt);
    EXPECT_EQ(desktopKind("sway"), DesktopKind::Sway);
    EXPECT_EQ(desktopKind(""), DesktopKind::OtherX11);
    EXPECT_EQ(desktopKind("i3"), DesktopKind::OtherX11);
}

TEST(Wallpaper, CommandsAreArgumentVectorsWithThePathWhole) {
    const std::string path = "/home/a b/Wall/夏.bmp";  // a space and UTF-8 need no quoting
    using V = std::vector<Argv>;
    const std::string uri = "file:///home/a%20b/Wall/%E5%A4%8F.bmp";
    EXPECT_EQ(wallpaperCommands(DesktopKind::Gnome, path),
              (V{{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri},
                 {"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", uri}}));
    EXPECT_EQ(wallpaperCommands(DesktopKind::Cinnamon, path),
              (V{{"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri", uri}}));
    EXPECT_EQ(wallpaperCommands(DesktopKind::Mate, path),
              (V{{"gsettings", "set", "org.mate.background", "picture-filename", path}}));
    EXPECT_EQ(wallpaperCommands(DesktopKind::Kde, path),
              (V{{"plasma-apply-wallpaperimage", path}}));
    EXPECT_EQ(wallpaperCommands(DesktopKind::Lxde, path),
              (V{{"pcmanfm", "--set-wallpaper=" + path}}));
    EXPECT_EQ(wallpaperCommands(DesktopKind::Lxqt, path),
              (V{{"pcmanfm-qt", "--set-wallpaper=" + path}}));
    // swaymsg re-splits its arguments: the path goes quoted, in one of them.
    EXPECT_EQ(wallpaperCommands(DesktopKind::Sway, path),
              (V{{"swaymsg", "output", "*", "bg", "\"" + path + "\"", "fill"}}));
    EXPECT_EQ(wallpaperCommands(DesktopKind::OtherX11, path), (V{{"feh", "--bg-fill", path}}));
}

TEST(Wallpaper, APathThatSwayWouldSplitOrExpandIsNotHandedToIt) {
    for (const std::string path : {"/home/a;b/w.bmp", "/home/$(rm x)/w.bmp", "/home/a\"b/w.bmp",
                                   "/home/a  b/w.bmp", "/home/a,b/w.bmp", "/home/`x`/w.bmp"}) {
        EXPECT_TRUE(wallpaperCommands(DesktopKind::Sway, path).empty()) << path;
        // Commands that take the path as an argument of their own need no such care.
        EXPECT_EQ(wallpaperCommands(DesktopKind::Kde, path),
                  (std::vector<Argv>{{"plasma-apply-wallpaperimage", path}}));
    }
}

// The desktop is handed a copy that outlives the program's folder, as one argument, even
// when the folder's name holds a space and a semicolon.
TEST(Wallpaper, TheDesktopGetsALastingCopyAsOneArgument) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("velko-wallpaper-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    const auto bin = dir / "bin";
    const auto game = dir / "build tree;x" / "Wall";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(game);
    {
        std::ofstream tool(bin / "plasma-apply-wallpaperimage");
        tool << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"" << (dir / "args").string() << "\"\n";
    }
    std::filesystem::permissions(bin / "plasma-apply-wallpaperimage",
                                 std::filesystem::perms::owner_all);
    std::ofstream(game / "w 1.bmp", std::ios::binary) << "BMpicture";

    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const char* oldDesktop = std::getenv("XDG_CURRENT_DESKTOP");
    const std::string savedDesktop = oldDesktop ? oldDesktop : "";
    setenv("PATH", (bin.string() + ":" + oldPath).c_str(), 1);
    setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
    const auto keep = dir / "data" / "velko01";
    SdlDesktop(keep).setWallpaper(game / "w 1.bmp");
    setenv("PATH", oldPath.c_str(), 1);
    oldDesktop ? (void)setenv("XDG_CURRENT_DESKTOP", savedDesktop.c_str(), 1)
               : (void)unsetenv("XDG_CURRENT_DESKTOP");

    std::filesystem::remove_all(dir / "build tree;x");
    std::ifstream args(dir / "args");
    std::string count;
    std::string path;
    std::getline(args, count);
    std::getline(args, path);
    EXPECT_EQ(count, "1");
    EXPECT_EQ(path, (keep / "w 1.bmp").string());
    std::ifstream kept(keep / "w 1.bmp", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "BMpicture") << "the copy is gone or differs";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(keep),
                            std::filesystem::directory_iterator()),
              1)
        << "a temporary file was left behind";

    // A picture that cannot be copied is not handed over at all.
    std::filesystem::remove(dir / "args");
    SdlDesktop(keep).setWallpaper(game / "gone.bmp");
    EXPECT_FALSE(std::filesystem::exists(dir / "args"));
    std::filesystem::remove_all(dir);
}

TEST(Wallpaper, XfceSetsEveryLastImageProperty) {
    const std::string listed =
        "/backdrop/screen0/monitor0/workspace0/color-style\n"
        "/backdrop/screen0/monitor0/workspace0/last-image\n"
        "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\r\n"
        "/backdrop/screen0/monitor0/image-path\n";
    const auto props = xfceImageProperties(listed);
    ASSERT_EQ(props.size(), 2u);
    EXPECT_EQ(props[1], "/backdrop/screen0/monitorHDMI-1/workspace1/last-image");
    const auto cmds = wallpaperCommands(DesktopKind::Xfce, "/w.bmp", props);
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0],
              (Argv{"xfconf-query", "-c", "xfce4-desktop", "-p", props[0], "-s", "/w.bmp"}));
    EXPECT_TRUE(wallpaperCommands(DesktopKind::Xfce, "/w.bmp", {}).empty());
}

TEST(Process, StatusOutputMissingCommandsAndHangs) {
    EXPECT_EQ(runProcess({"true"}, 10s).exitCode, 0);
    EXPECT_EQ(runProcess({"false"}, 10s).exitCode, 1);

    const auto echo = runProcess({"printf", "%s|", "a b", "c;d"}, 10s, true);
    EXPECT_EQ(echo.output, "a b|c;d|") << "arguments reach the program unsplit and unquoted";

    const auto missing = runProcess({"velko-no-such-helper"}, 10s);
    EXPECT_FALSE(missing.started);

    const auto hang = runProcess({"sleep", "60"}, 100ms);
    EXPECT_TRUE(hang.started);
    EXPECT_TRUE(hang.timedOut);
    EXPECT_EQ(hang.exitCode, -1);
}

TEST(Process, OutputOfAHelperWhoseChildKeepsThePipe) {
    // The helper ends at once but leaves a child holding its output open.
    const auto r = runProcess({"sh", "-c", "echo done; sleep 3 & exit 0"}, 5s, true);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "done\n");
}

}  // namespace
}  // namespace velko::sdl
