// velko01's reading aids in a real window: the auto mark in the menu bar, and the volume and
// the lines read kept in the XDG folders the environment names, also after a SIGTERM.

#include <gtest/gtest.h>
#include <signal.h>

#include "program_window.h"

namespace velko {
namespace {

using testing::kBarRows;
using testing::kPatience;
using testing::ProgramWindow;

// Pixels of the bar's right part that are not its face colour (no caption lies there).
int markInk(const gfx::Bitmap& frame) {
    int ink = 0;
    for (int y = 0; y < kBarRows - 1; ++y) {
        for (int x = 480; x < 640; ++x) {
            ink += frame.at(x, y) != 0xC0C0C0u ? 1 : 0;
        }
    }
    return ink;
}

std::string whenFileHolds(const std::filesystem::path& dir, const std::string& extension,
                          const std::string& needle) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    std::string text;
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::filesystem::exists(dir)) {
            for (const auto& e : std::filesystem::directory_iterator(dir)) {
                if (e.path().filename().string().ends_with(extension)) {
                    text = test::readFile(e.path());
                    if (text.find(needle) != std::string::npos) {
                        return text;
                    }
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    return text;
}

TEST_F(ProgramWindow, TheAutoMarkShowsAndTheVolumeAndLinesReadAreKept) {
    game_.addPicture("BMP/red.bmp", gfx::Bitmap(640, 480, 0xFF0000));
    auto p = start("1\tPK red.bmp\n2\tいち\n3\tKS\n", "aids");
    ASSERT_TRUE(p);
    const unsigned long w = waitForWindow(*p);
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(waitUntilWaiting(*p));
    auto before = x_->capture(w);
    ASSERT_TRUE(before.ok()) << before.error();
    EXPECT_EQ(markInk(*before), 0);

    ASSERT_TRUE(x_->sendKey(w, "minus"));
    const std::string settings =
        whenFileHolds(game_.dir() / "xdg-config/velko01", "settings.txt", "music 90");
    EXPECT_NE(settings.find("sound 90"), std::string::npos) << settings;

    ASSERT_TRUE(x_->sendKey(w, "a"));
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    int ink = 0;
    gfx::Bitmap shot;
    while (ink == 0 && std::chrono::steady_clock::now() < deadline) {
        auto c = x_->capture(w);
        if (c.ok()) {
            shot = std::move(c.value());
            ink = markInk(shot);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    (void)gfx::savePng(testing::outDir() / "auto_mark.png", shot);
    EXPECT_GT(ink, 20) << "no mark at the bar's right end";

    ASSERT_TRUE(waitUntilWaiting(*p));
    p->signal(SIGTERM);
    EXPECT_EQ(p->waitForExit(kPatience), std::optional<int>(0)) << p->standardError();
    const std::string read = whenFileHolds(game_.dir() / "xdg-state/velko01", ".read", "lines 2");
    EXPECT_NE(read.find("lines 2\n"), std::string::npos) << read;
}

}  // namespace
}  // namespace velko
