#pragma once

// A native window that only keeps what the program gives it (the last frame, the pointer
// shape), input event builders, and the golden-image check of tests/about/data: a mismatch
// writes NAME-Actual.png beside the expected file; VELKO_UPDATE_GOLDEN=1 rewrites it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/gfx/image_io.h"
#include "platform/input.h"
#include "platform/native_window.h"

namespace velko::about::testing {

class FrameKeeper final : public platform::NativeWindow {
public:
    gfx::Bitmap lastFrame;
    Cursor cursor = Cursor::Arrow;

    bool poll(platform::InputEvent&) override { return false; }
    WaitResult wait(std::optional<std::uint32_t>) override { return WaitResult::Exhausted; }
    void present(const gfx::Bitmap& frame, int) override { lastFrame = frame; }
    void setTitle(const std::string&) override {}
    platform::DisplayInfo display() override { return {}; }
    void show(int, int, int) override {}
    void setFullscreen(bool) override {}
    void setCursor(Cursor c) override { cursor = c; }
    int setDisplayMode(int, int, int) override { return 0; }
};

inline platform::InputEvent mouse(platform::InputEvent::Kind kind, int x, int y) {
    platform::InputEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.button = kind == platform::InputEvent::Kind::MouseMove ? 0 : platform::kLeftButton;
    return e;
}
inline platform::InputEvent key(std::string name) {
    platform::InputEvent e;
    e.kind = platform::InputEvent::Kind::KeyDown;
    e.key = std::move(name);
    return e;
}
inline platform::InputEvent answer(platform::DialogAnswer a) {
    platform::InputEvent e;
    e.kind = platform::InputEvent::Kind::Answer;
    e.answer = a;
    return e;
}

inline void expectMatchesGolden(const gfx::Bitmap& actual, const std::string& name) {
    const std::filesystem::path dir = VELKO_ABOUT_DATA_DIR;
    const auto expectedPath = dir / (name + ".png");
    const auto actualPath = dir / (name + "-Actual.png");
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

}  // namespace velko::about::testing
