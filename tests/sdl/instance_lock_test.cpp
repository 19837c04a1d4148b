// The one-instance lock between real processes: refused while held, free again when the
// holder is killed, and not kept alive by a program the holder started.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/sdl/instance_lock.h"

extern char** environ;

namespace velko::sdl {
namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = std::filesystem::temp_directory_path() /
               ("velko-lock-test-" + std::to_string(getpid()) + ".lock");
        std::filesystem::remove(path);
    }
    void TearDown() override { std::filesystem::remove(path); }

    // 1: the lock was free and taken, 0: held elsewhere, 2: error.
    int tryInChild() {
        const pid_t pid = fork();
        if (pid == 0) {
            auto lock = InstanceLock::acquire(path);
            _exit(!lock ? 2 : lock->held() ? 1 : 0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
    }

    // A child that takes the lock, optionally starts `sleep` from it, reports and waits.
    // Returns its pid; *sleeper gets the started program's pid.
    pid_t holder(bool startProgram, pid_t* sleeper = nullptr) {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            auto lock = InstanceLock::acquire(path);
            pid_t child = 0;
            if (lock && lock->held() && startProgram) {
                char* argv[] = {const_cast<char*>("sleep"), const_cast<char*>("60"), nullptr};
                posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ);
            }
            const pid_t report[2] = {lock && lock->held() ? 1 : 0, child};
            (void)!write(fds[1], report, sizeof report);
            for (;;) {
                pause();
            }
        }
        close(fds[1]);
        pid_t report[2] = {0, 0};
        EXPECT_EQ(read(fds[0], report, sizeof report), static_cast<ssize_t>(sizeof report));
        close(fds[0]);
        EXPECT_EQ(report[0], 1) << "the holder could not take the lock";
        if (sleeper) {
            *sleeper = report[1];
        }
        return pid;
    }

    static void killAndReap(pid_t pid) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    std::filesystem::path path;
};

TEST_F(InstanceLockTest, SecondProcessIsRefusedWhileTheFirstHoldsIt) {
    auto lock = InstanceLock::acquire(path);
    ASSERT_TRUE(lock.ok()) << lock.error();
    ASSERT_TRUE(lock->held());
    EXPECT_EQ(tryInChild(), 0);
    {
        InstanceLock moved = std::move(lock.value());
        EXPECT_TRUE(moved.held());
        EXPECT_EQ(tryInChild(), 0);
    }
    EXPECT_EQ(tryInChild(), 1) << "released with its last owner";
}

TEST_F(InstanceLockTest, KilledHolderReleasesItAndTheRefusedOneLearnsItsPid) {
    const pid_t pid = holder(false);
    EXPECT_EQ(tryInChild(), 0);
    {
        auto refused = InstanceLock::acquire(path);
        ASSERT_TRUE(refused.ok()) << refused.error();
        EXPECT_FALSE(refused->held());
        EXPECT_EQ(refused->holderPid(), pid);
    }
    killAndReap(pid);
    EXPECT_EQ(tryInChild(), 1);
}

TEST_F(InstanceLockTest, ProgramsStartedByTheHolderDoNotKeepIt) {
    pid_t sleeper = 0;
    const pid_t pid = holder(true, &sleeper);
    ASSERT_GT(sleeper, 0);
    killAndReap(pid);
    // The started program still runs; had it inherited the lock, this would be refused.
    EXPECT_EQ(kill(sleeper, 0), 0);
    EXPECT_EQ(tryInChild(), 1);
    kill(sleeper, SIGKILL);  // orphaned: reaped by init, not by us
}

TEST_F(InstanceLockTest, UnusableFolderIsAnErrorNamingTheFile) {
    const auto bad = std::filesystem::path("/nonexistent-velko-dir/x.lock");
    auto lock = InstanceLock::acquire(bad);
    ASSERT_FALSE(lock.ok());
    EXPECT_NE(lock.error().find(bad.string()), std::string::npos);
}

// What another local user could leave where the lock goes: a link (to a file they want us to
// create, or to one of ours), a pipe, a folder, a file of their own. Each is refused with a
// line naming the path, and nothing is created or changed through it.
class PlantedLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() / ("velko-planted-" + std::to_string(getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        lockPath = dir / "velko01.lock";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void expectRefused(const std::string& why) {
        auto lock = InstanceLock::acquire(lockPath);
        ASSERT_FALSE(lock.ok()) << why;
        EXPECT_NE(lock.error().find(lockPath.string()), std::string::npos) << lock.error();
        EXPECT_EQ(lock.error().find('\n'), std::string::npos) << lock.error();
    }

    static bool runningAsRoot() { return geteuid() == 0; }

    std::filesystem::path dir;
    std::filesystem::path lockPath;
};

TEST_F(PlantedLockTest, LinksPipesFoldersAndOtherUsersFilesAreRefused) {
    const auto target = dir / "chosen-by-someone-else";
    std::filesystem::create_symlink(target, lockPath);
    expectRefused("a link to a missing file");
    EXPECT_FALSE(std::filesystem::exists(target)) << "the link was followed";

    std::filesystem::remove(lockPath);
    { std::ofstream(target) << "precious"; }
    std::filesystem::create_symlink(target, lockPath);
    expectRefused("a link to an existing file");
    std::filesystem::remove(lockPath);

    ASSERT_EQ(mkfifo(lockPath.c_str(), 0600), 0);
    expectRefused("a pipe");  // and the open did not wait for a writer
    std::filesystem::remove(lockPath);

    std::filesystem::create_directory(lockPath);
    expectRefused("a folder");
    std::filesystem::remove(lockPath);

    if (runningAsRoot()) {  // giving a file to another user needs root
        { std::ofstream(lockPath) << ""; }
        ASSERT_EQ(chown(lockPath.c_str(), 65534, 65534), 0);
        expectRefused("another user's file");
        std::filesystem::remove(lockPath);
    }

    // The path is usable again once the plant is gone.
    auto lock = InstanceLock::acquire(lockPath);
    ASSERT_TRUE(lock.ok()) << lock.error();
    EXPECT_TRUE(lock->held());
}

TEST_F(PlantedLockTest, WithoutARuntimeFolderTheLockGoesInAFolderOfOurOwn) {
    auto path = InstanceLock::pathFor("", dir);
    ASSERT_TRUE(path.ok()) << path.error();
    const auto own = dir / ("velko01-" + std::to_string(getuid()));
    EXPECT_EQ(path->parent_path(), own);
    struct stat st {};
    ASSERT_EQ(lstat(own.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    auto lock = InstanceLock::acquire(*path);
    ASSERT_TRUE(lock.ok()) << lock.error();
    EXPECT_TRUE(lock->held());
    // The next start finds the folder as it was left.
    EXPECT_EQ(*InstanceLock::pathFor("", dir), *path);
}

TEST_F(PlantedLockTest, APlantedFolderIsRefused) {
    const auto own = dir / ("velko01-" + std::to_string(getuid()));
    const auto elsewhere = dir / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    std::filesystem::create_directory_symlink(elsewhere, own);
    auto linked = InstanceLock::privateFolder(dir);
    ASSERT_FALSE(linked.ok());
    EXPECT_NE(linked.error().find(own.string()), std::string::npos) << linked.error();
    std::filesystem::remove(own);

    std::filesystem::create_directory(own);
    std::filesystem::permissions(own, std::filesystem::perms::all);
    EXPECT_FALSE(InstanceLock::privateFolder(dir).ok()) << "open to everyone";
    std::filesystem::permissions(own, std::filesystem::perms::owner_all);
    EXPECT_TRUE(InstanceLock::privateFolder(dir).ok());

    {
        std::filesystem::remove(own);
        std::ofstream(own) << "";
    }
    EXPECT_FALSE(InstanceLock::privateFolder(dir).ok()) << "a file in its place";
    std::filesystem::remove(own);

    if (runningAsRoot()) {
        std::filesystem::create_directory(own);
        std::filesystem::permissions(own, std::filesystem::perms::owner_all);
        ASSERT_EQ(chown(own.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(InstanceLock::privateFolder(dir).ok()) << "another user's folder";
    }
}

TEST(InstanceLockPath, FollowsTheRuntimeFolder) {
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    EXPECT_EQ(
        *InstanceLock::defaultPath(),
        std::filesystem::path("/run/user/4242/velko01-" + std::to_string(getuid()) + ".lock"));
    if (old) {
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }
}

}  // namespace
}  // namespace velko::sdl
