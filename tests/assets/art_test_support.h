#pragma once

// Paints pictures of the manifest for the tests, the way velko-assetgen does.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "paint/canvas.h"
#include "pictures/studio.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/image_io.h"

namespace velko::art::testing {

inline std::unique_ptr<Studio> openStudio() {
    auto manifest = readManifest(std::string(VELKO_ART_DIR) + "/pictures.txt");
    EXPECT_TRUE(manifest.ok()) << (manifest.ok() ? "" : manifest.error());
    auto studio = Studio::open(VELKO_ART_DIR);
    EXPECT_TRUE(studio.ok()) << (studio.ok() ? "" : studio.error());
    if (!manifest || !studio) {
        return nullptr;
    }
    (*studio)->setEntries(*manifest);
    return std::move(studio.value());
}

// The picture as it is written to disk and read back by the player.
inline gfx::Bitmap paintAndDecode(Studio& studio, const std::string& file) {
    const auto bytes = gfx::encodeBmp24(studio.picture(file).toBitmap());
    auto decoded = gfx::decodeBmp(bytes);
    EXPECT_TRUE(decoded.ok()) << file << ": " << (decoded.ok() ? "" : decoded.error());
    return decoded.ok() ? decoded.value() : gfx::Bitmap{};
}

}  // namespace velko::art::testing
