// The kept files: their text round trip, damaged and foreign files, the XDG folders, and
// writes that replace a file as a whole.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "store/kept_files.h"
#include "store/store.h"

namespace velko::store {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    TempDir() {
        char name[] = "/tmp/velko-store-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    fs::path path;
};

TEST(KeptFiles, WhatIsWrittenReadsBackAndDamageIsNamed) {
    const Settings settings{30, 0, true};
    EXPECT_EQ(*parseSettings(formatSettings(settings)), settings);

    const std::string id = identityOf("1\tST\n");
    const ReadLines lines{1002, 1003, 32767};
    EXPECT_EQ(*parseReadLines(formatReadLines(id, lines), id), lines);

    ResumePlace place;
    place.line = 1102;
    place.picture = "CG 01.BMP";  // a name with a space stays whole
    place.backdrop = true;
    place.music = "velko01.mid";
    place.points = -3;
    place.rightClick = true;
    EXPECT_EQ(*parsePlace(formatPlace(id, place), id), place);

    // Another scenario's files, other kinds of file, and damage in the values.
    const std::string other = identityOf("1\tED\n");
    EXPECT_NE(id, other);
    const auto foreign = parsePlace(formatPlace(other, place), id);
    ASSERT_FALSE(foreign);
    EXPECT_NE(foreign.error().find("another scenario"), std::string::npos);
    EXPECT_FALSE(parseReadLines(formatReadLines(other, lines), id));
    EXPECT_FALSE(parsePlace(formatReadLines(id, lines), id));
    EXPECT_FALSE(parseSettings(""));
    EXPECT_FALSE(parseSettings("\x89PNG\r\n"));
    EXPECT_FALSE(parseSettings("velko01 settings 1\nmusic 101\n"));
    EXPECT_FALSE(parseSettings("velko01 settings 1\nmusic 5\nmusic 6\n"));
    EXPECT_FALSE(parseReadLines("velko01 read 1\nscript " + id + "\nlines 5 x\n", id));
    EXPECT_FALSE(parseReadLines("velko01 read 1\nscript " + id + "\nlines 0\n", id));
    std::string cut = formatPlace(id, place);
    cut.resize(cut.find("points"));
    EXPECT_FALSE(parsePlace(cut, id));
    // Unknown keys of a later version, CR LF rows: still ours.
    EXPECT_EQ(parseSettings("velko01 settings 1\r\nmusic 40\r\ntheme dark\r\n")->music, 40);
}

TEST(FolderStore, XdgFoldersComeFromTheEnvironmentOrTheHome) {
    std::map<std::string, const char*> env{{"HOME", "/home/r"}};
    const auto lookup = [&env](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second;
    };
    auto s = FolderStore::forUser(lookup);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->dir(Folder::Config), "/home/r/.config/velko01");
    EXPECT_EQ(s->dir(Folder::State), "/home/r/.local/state/velko01");
    env["XDG_CONFIG_HOME"] = "/x/conf";
    env["XDG_STATE_HOME"] = "relative/state";  // not absolute: ignored
    s = FolderStore::forUser(lookup);
    EXPECT_EQ(s->dir(Folder::Config), "/x/conf/velko01");
    EXPECT_EQ(s->dir(Folder::State), "/home/r/.local/state/velko01");
    env.erase("HOME");
    EXPECT_FALSE(FolderStore::forUser(lookup));
}

TEST(FolderStore, WritesReplaceTheWholeFileAndLeaveNothingElse) {
    TempDir tmp;
    auto store = FolderStore::under(tmp.path);
    EXPECT_FALSE(*store.read(Folder::State, "a.place"));  // missing: nothing, no error
    ASSERT_TRUE(store.write(Folder::State, "a.place", "one\n"));
    // A reader that opened the old file still reads it whole: the new text went to a new
    // file that took the old one's name, never over the old bytes.
    std::ifstream old(tmp.path / "state/velko01/a.place");
    ASSERT_TRUE(store.write(Folder::State, "a.place", "two\n"));
    EXPECT_EQ(**store.read(Folder::State, "a.place"), "two\n");
    std::string oldText;
    std::getline(old, oldText);
    EXPECT_EQ(oldText, "one");
    ASSERT_TRUE(store.write(Folder::Config, "settings.txt", "s\n"));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(tmp.path / "state/velko01"), fs::directory_iterator{}),
        1);  // no temporary file left beside it
    EXPECT_TRUE(fs::exists(tmp.path / "config/velko01/settings.txt"));

    // A write that cannot be made leaves the old file as it was, and says where.
    if (::geteuid() != 0) {
        fs::permissions(tmp.path / "state/velko01", fs::perms::owner_read | fs::perms::owner_exec);
        const auto failed = store.write(Folder::State, "a.place", "three\n");
        ASSERT_FALSE(failed);
        EXPECT_NE(failed.error().find("a.place"), std::string::npos);
        EXPECT_EQ(**store.read(Folder::State, "a.place"), "two\n");
        fs::permissions(tmp.path / "state/velko01", fs::perms::owner_all);
    }

    // A folder where the file should be, and a removed file.
    fs::create_directories(tmp.path / "state/velko01/b.read");
    EXPECT_FALSE(store.read(Folder::State, "b.read"));
    ASSERT_TRUE(store.remove(Folder::State, "a.place"));
    EXPECT_FALSE(*store.read(Folder::State, "a.place"));
    EXPECT_TRUE(store.remove(Folder::State, "a.place"));
}

}  // namespace
}  // namespace velko::store
