#include "platform/gfx/image_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace velko::gfx {
namespace {

std::filesystem::path tempPath(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "velko_gfx_test";
    std::filesystem::create_directories(dir);
    return dir / (std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name);
}

std::vector<std::uint8_t> readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bitmap sample(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.set(x, y,
                  rgb(static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 91),
                      static_cast<std::uint8_t>(x * y + 5)));
        }
    }
    return b;
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

TEST(EncodeBmp24, HeaderAndPaddedBottomUpRows) {
    Bitmap b(3, 2);
    b.set(0, 0, rgb(1, 2, 3));     // top left
    b.set(2, 1, rgb(10, 20, 30));  // bottom right
    const auto bytes = encodeBmp24(b);
    // 3 pixels = 9 bytes, padded to 12 per row.
    ASSERT_EQ(bytes.size(), 14u + 40u + 24u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(le32(bytes, 2), bytes.size());
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 14), 40u);
    EXPECT_EQ(le32(bytes, 18), 3u);
    EXPECT_EQ(le32(bytes, 22), 2u);  // positive height: bottom-up
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(le32(bytes, 30), 0u);   // BI_RGB
    EXPECT_EQ(le32(bytes, 34), 24u);  // image size
    // The first stored row is the bottom one, blue first, then three zero padding bytes.
    EXPECT_EQ(bytes[54 + 6], 30);
    EXPECT_EQ(bytes[54 + 7], 20);
    EXPECT_EQ(bytes[54 + 8], 10);
    EXPECT_EQ(bytes[54 + 9], 0);
    EXPECT_EQ(bytes[54 + 11], 0);
    EXPECT_EQ(bytes[54 + 12], 3);
    EXPECT_EQ(bytes[54 + 13], 2);
    EXPECT_EQ(bytes[54 + 14], 1);
}

TEST(EncodeBmp24, RoundTripsThroughTheDecoderAtEveryPadding) {
    for (int w = 1; w <= 5; ++w) {
        const Bitmap b = sample(w, 3);
        const auto decoded = decodeBmp(encodeBmp24(b));
        ASSERT_TRUE(decoded.ok()) << decoded.error();
        EXPECT_EQ(*decoded, b) << "width " << w;
    }
}

TEST(SaveBmp24, WritesTheEncodedBytesAndLoadsBack) {
    const Bitmap b = sample(7, 5);
    const auto path = tempPath("a.bmp");
    ASSERT_TRUE(saveBmp24(path, b).ok());
    EXPECT_EQ(readAll(path), encodeBmp24(b));
    const auto loaded = loadBmp(path);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(*loaded, b);
    std::filesystem::remove(path);
}

TEST(SaveBmp24, ReportsTheFileOnFailure) {
    const auto bad = std::filesystem::path("/nonexistent-dir/x.bmp");
    const auto s = saveBmp24(bad, sample(2, 2));
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.error().find("/nonexistent-dir/x.bmp"), std::string::npos);
    EXPECT_FALSE(saveBmp24(tempPath("empty.bmp"), Bitmap()).ok());
}

TEST(LoadBmp, ErrorsNameTheFile) {
    const auto missing = loadBmp("/nonexistent-dir/y.bmp");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().rfind("/nonexistent-dir/y.bmp: ", 0), 0u) << missing.error();

    const auto path = tempPath("junk.bmp");
    {
        std::ofstream out(path, std::ios::binary);
        out << "GIF89a....";
    }
    const auto junk = loadBmp(path);
    ASSERT_FALSE(junk.ok());
    EXPECT_EQ(junk.error(), path.string() + ": not a bitmap");
    std::filesystem::remove(path);
}

TEST(Png, RoundTripIsExactAndDeterministic) {
    const Bitmap b = sample(13, 9);
    const auto first = tempPath("1.png");
    const auto second = tempPath("2.png");
    ASSERT_TRUE(savePng(first, b).ok());
    ASSERT_TRUE(savePng(second, b).ok());
    const auto bytes = readAll(first);
    EXPECT_EQ(bytes, readAll(second));
    // No time chunk: the bytes depend on the pixels only.
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("tIME"), std::string::npos);
    const auto loaded = loadPng(first);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(*loaded, b);
    std::filesystem::remove(first);
    std::filesystem::remove(second);
}

TEST(Png, ErrorsNameTheFile) {
    const auto missing = loadPng("/nonexistent-dir/z.png");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().rfind("/nonexistent-dir/z.png: ", 0), 0u) << missing.error();
    const auto path = tempPath("notpng.png");
    {
        std::ofstream out(path, std::ios::binary);
        out << "\x89PNG\r\n\x1a\n-broken-";
    }
    EXPECT_FALSE(loadPng(path).ok());
    EXPECT_FALSE(savePng("/nonexistent-dir/w.png", sample(2, 2)).ok());
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace velko::gfx
