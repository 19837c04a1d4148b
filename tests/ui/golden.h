#pragma once

// Golden-image checks: compares with tests/ui/data/NAME.png; a mismatch writes
// NAME-Actual.png beside it, and VELKO_UPDATE_GOLDEN=1 rewrites the expected file.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/gfx/image_io.h"

namespace velko::testing {

inline std::filesystem::path uiDataDir() {
    return VELKO_UI_DATA_DIR;
}

inline void expectMatchesGolden(const gfx::Bitmap& actual, const std::string& name) {
    const auto expectedPath = uiDataDir() / (name + ".png");
    const auto actualPath = uiDataDir() / (name + "-Actual.png");
    if (const char* update = std::getenv("VELKO_UPDATE_GOLDEN");
        update && std::string(update) == "1") {
        ASSERT_TRUE(gfx::savePng(expectedPath, actual).ok());
        return;
    }
    auto expected = gfx::loadPng(expectedPath);
    if (!expected || !(*expected == actual)) {
        (void)gfx::savePng(actualPath, actual);
        ADD_FAILURE() << name << " differs from " << expectedPath << "; see " << actualPath;
        return;
    }
    std::filesystem::remove(actualPath);
}

}  // namespace velko::testing
