// Wallpaper commands chosen per desktop, and helper programs started without a shell,
// bounded in time and always reaped.

#include <gtest/gtest.h>

#include "platform/sdl/process.h"
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
    EXPECT_EQ(wallpaperCommands(DesktopKind::Sway, path),
              (V{{"swaymsg", "output", "*", "bg", path, "fill"}}));
    EXPECT_EQ(wallpaperCommands(DesktopKind::OtherX11, path), (V{{"feh", "--bg-fill", path}}));
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
