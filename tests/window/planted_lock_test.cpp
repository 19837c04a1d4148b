// velko01 finding a link planted where its lock file goes: it refuses the link in one line,
// creates nothing through it, and plays on as when the lock cannot be taken.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "program_window.h"

namespace velko {
namespace {

using testing::ProgramWindow;

TEST_F(ProgramWindow, APlantedLockLinkIsRefusedInOneLineAndThePlayGoesOn) {
    const auto lockPath = runtimeDir_ / ("velko01-" + std::to_string(getuid()) + ".lock");
    const auto target = game_.dir() / "chosen-by-someone-else";
    std::filesystem::create_symlink(target, lockPath);

    auto p = start("1\tKS\n", "planted");
    ASSERT_TRUE(p);
    EXPECT_NE(waitForWindow(*p), 0u);
    ASSERT_TRUE(waitUntilWaiting(*p));
    const std::string err = p->standardError();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(lockPath.string()), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(target)) << "the link was followed";
    p->signal(SIGTERM);
    EXPECT_EQ(p->waitForExit(testing::kPatience), std::optional<int>(0));
}

}  // namespace
}  // namespace velko
