#pragma once

// Golden-image checks against VELKO_GOLDEN_DIR/NAME.png, which the test target defines: a
// mismatch writes NAME-Actual.png beside it, and VELKO_UPDATE_GOLDEN=1 rewrites the expected
// file deliberately.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/gfx/image_io.h"

namespace velko::testing {

inline void expectMatchesGolden(const gfx::Bitmap& actual, const std::string& name) {
    const std::filesystem::path dir = VELKO_GOLDEN_DIR;
    const auto expectedPath = dir / (name + ".png");
    const auto actualPath = dir / (name + "-Actual.png");
    if (const char* update = std::getenv("VELKO_UPDATE_GOLDEN");
        update && std::string(update) == "1") {
        const auto saved = gfx::savePng(expectedPath, actual);
        ASSERT_TRUE(saved) << saved.error();
        std::filesystem::remove(actualPath);
        return;
    }
    const auto expected = gfx::loadPng(expectedPath);
    if (!expected || !(*expected == actual)) {
        (void)gfx::savePng(actualPath, actual);
        ADD_FAILURE() << name << " differs from " << expectedPath << "; see " << actualPath
                      << (expected ? "" : " (" + expected.error() + ")");
        return;
    }
    std::filesystem::remove(actualPath);
}

}  // namespace velko::testing
