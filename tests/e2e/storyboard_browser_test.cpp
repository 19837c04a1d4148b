// The storyboard's page in a real browser: headless Chromium opens it from the disk and its
// screenshot shows the frames, the pictures of both branches of the question among them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "headless_run.h"
#include "platform/gfx/image_io.h"
#include "storyboard_scenario.h"

extern char** environ;

namespace velko::test {
namespace {

int runProgram(std::vector<std::string> args, const std::filesystem::path& log) {
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        waitpid(pid, &status, 0);
        status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

int count(const gfx::Bitmap& image, gfx::Pixel colour) {
    int n = 0;
    for (const gfx::Pixel p : image.pixels()) {
        n += p == colour ? 1 : 0;
    }
    return n;
}

TEST(StoryboardPage, HeadlessChromiumShowsTheFramesOfEveryBranch) {
    StoryboardGame g;
    const auto run = g.play();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto shot = g.out() / "browser.png";
    const auto log = g.out() / "browser.log";
    // Root needs --no-sandbox; a fresh profile and no network keep the run to itself.
    const int status =
        runProgram({"timeout", "120", "chromium", "--headless", "--no-sandbox", "--disable-gpu",
                    "--no-first-run", "--disable-background-networking",
                    "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                    "--user-data-dir=" + (g.out() / "profile").string(), "--window-size=1200,2000",
                    "--screenshot=" + shot.string(), "file://" + (g.out() / "index.html").string()},
                   log);
    ASSERT_EQ(status, 0) << "chromium (installed by scripts/setup.sh) failed:\n" << readFile(log);
    const auto image = gfx::loadPng(shot);
    ASSERT_TRUE(image) << image.error();
    // Frames are shown at half size: the red story, the blue second answer and the grey
    // extras each fill a good part of a 320 by 240 box.
    EXPECT_GT(count(*image, kRed), 20000);
    EXPECT_GT(count(*image, kBlue), 20000);
    EXPECT_GT(count(*image, kGrey), 20000);
}

}  // namespace
}  // namespace velko::test
