// Where the episode's folders are found without --game: beside the program, then the
// installed data folder, and one line naming what is missing otherwise.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "base/episode_folder.h"

namespace velko {
namespace {

namespace fs = std::filesystem;

class EpisodeFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("velko-episode-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
    }
    void TearDown() override { fs::remove_all(root_); }

    void make(const fs::path& dir, std::initializer_list<const char*> folders) {
        for (const char* f : folders) {
            fs::create_directories(dir / f);
        }
    }

    fs::path root_;
};

TEST_F(EpisodeFolder, BesideTheProgramFirstThenTheInstalledDataFolder) {
    const auto bin = root_ / "bin";
    const auto share = root_ / "share" / "velko01";
    const auto candidates = episodeFolderCandidates(bin, std::array{root_ / "game"});
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[1], share) << "../share/velko01 is written out plainly";

    make(share, {"BMP", "Music", "Wall"});
    auto found = findEpisodeFolder(candidates);
    ASSERT_TRUE(found.ok()) << found.error();
    EXPECT_EQ(*found, share);

    // Folder names in another letter case count, as asset names do.
    make(bin, {"bmp", "MUSIC", "wall"});
    found = findEpisodeFolder(candidates);
    ASSERT_TRUE(found.ok()) << found.error();
    EXPECT_EQ(*found, bin);

    // A file where a folder should be does not.
    fs::remove_all(bin / "wall");
    std::ofstream(bin / "Wall") << "not a folder";
    EXPECT_EQ(missingAssetFolders(bin), std::vector<std::string>{"Wall/"});
    found = findEpisodeFolder(candidates);
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(*found, share) << "a partial program folder gives way to a whole installed one";
}

TEST_F(EpisodeFolder, WhatIsMissingAndWhereItWasLookedFor) {
    const auto candidates = episodeFolderCandidates(root_ / "bin");
    const auto share = (root_ / "share" / "velko01").string();

    auto none = findEpisodeFolder(candidates);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error(), "the episode's data (BMP/, Music/ and Wall/) is not in " +
                                (root_ / "bin").string() + " and " + share);

    make(share, {"BMP", "Music"});
    auto partial = findEpisodeFolder(candidates);
    ASSERT_FALSE(partial.ok());
    EXPECT_EQ(partial.error(), "the episode's data in " + share + " lacks Wall/ (looked in " +
                                   (root_ / "bin").string() + " and " + share + ")");
    EXPECT_EQ(partial.error().find('\n'), std::string::npos);
}

}  // namespace
}  // namespace velko
