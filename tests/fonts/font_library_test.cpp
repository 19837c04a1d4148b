// Finding and loading the faces, and what a reader sees when they are missing.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "font_test_support.h"
#include "platform/fonts/font_lookup.h"

namespace velko::platform {
namespace {

// The package paths answer first; fontconfig, asked where they miss, must name the same
// two faces, never a stand-in of another family.
TEST(FontLibrary, FindsBothFacesAtTheirPathsAndThroughFontconfigAlike) {
    const auto files = locateFontFiles();
    ASSERT_TRUE(files) << files.error();
    EXPECT_TRUE(std::filesystem::exists(files->gothic.path));
    EXPECT_TRUE(std::filesystem::exists(files->pgothic.path));
    EXPECT_NE(std::filesystem::canonical(files->gothic.path),
              std::filesystem::canonical(files->pgothic.path));
    const FamilyFiles looked = lookUpFamilies();
    ASSERT_TRUE(looked.gothic && looked.pgothic) << "fontconfig does not know the IPA faces";
    EXPECT_EQ(std::filesystem::canonical(looked.gothic->path),
              std::filesystem::canonical(files->gothic.path));
    EXPECT_EQ(std::filesystem::canonical(looked.pgothic->path),
              std::filesystem::canonical(files->pgothic.path));
}

TEST(FontLibrary, OpensEachSpecOnceAndRefusesImpossibleSizes) {
    auto& lib = testing::fonts();
    const auto a = lib.open(testing::messageSpec());
    EXPECT_EQ(lib.open(testing::messageSpec()), a);
    EXPECT_NE(lib.open(testing::messageSpec(false)), a);
    FontSpec zero;
    zero.emHeight = 0;
    EXPECT_EQ(lib.open(zero), nullptr);
    FontSpec huge;
    huge.emHeight = 100000;
    EXPECT_EQ(lib.open(huge), nullptr);
}

TEST(FontLibrary, FontsOutliveTheLibraryThatOpenedThem) {
    std::shared_ptr<const Font> font;
    {
        auto lib = FreeTypeFontLibrary::create();
        ASSERT_TRUE(lib) << lib.error();
        font = (*lib)->open(testing::messageSpec());
    }
    gfx::Bitmap bmp(30, 20);
    font->draw(bmp, 0, 0, u"あ", gfx::kWhite, bmp.rect());
    EXPECT_GT(testing::inkIn(bmp, bmp.rect(), gfx::kBlack), 0);
}

TEST(FontLibrary, AMissingOrBrokenFaceNamesTheFileAndThePackage) {
    const auto real = locateFontFiles();
    ASSERT_TRUE(real);
    const auto dir = std::filesystem::path(::testing::TempDir());
    const auto notAFont = dir / "velko-not-a-font.ttf";
    std::ofstream(notAFont) << "this is not a font";

    FontFiles missing = *real;
    missing.gothic.path = dir / "velko-no-such-font.ttf";
    const auto a = FreeTypeFontLibrary::create(missing);
    ASSERT_FALSE(a);
    EXPECT_NE(a.error().find("velko-no-such-font.ttf"), std::string::npos) << a.error();
    EXPECT_NE(a.error().find("fonts-ipafont-gothic"), std::string::npos) << a.error();

    FontFiles broken = *real;
    broken.pgothic.path = notAFont;
    const auto b = FreeTypeFontLibrary::create(broken);
    ASSERT_FALSE(b);
    EXPECT_NE(b.error().find("velko-not-a-font.ttf"), std::string::npos) << b.error();
    EXPECT_NE(b.error().find("IPAPGothic"), std::string::npos) << b.error();
    std::filesystem::remove(notAFont);
}

}  // namespace
}  // namespace velko::platform
