#pragma once

// Stand-ins for the platform where a test or a benchmark needs one but does not look at it:
// a clock moved by hand, a window with nothing to say, fonts that draw nothing, a desktop
// that ignores requests. Tests derive from them where they do want to watch.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/fonts.h"
#include "platform/native_window.h"

namespace velko::testing {

// Time moves only when the program sleeps or waits, and each paced wait is remembered.
class ManualClock final : public platform::Clock {
public:
    explicit ManualClock(std::uint32_t start = 0) : now(start) {}

    struct Wait {
        std::uint32_t start;
        std::uint32_t period;
    };

    std::uint32_t tickCount() override { return now; }
    void sleep(std::uint32_t ms) override { now += ms; }
    void waitElapsed(std::uint32_t start, std::uint32_t period) override {
        waits.push_back({start, period});
        if (onWait) {
            onWait();
        }
        if (!platform::elapsedPast(now, start, period)) {
            now = start + period + 1;
        }
    }

    std::uint32_t now;
    std::vector<Wait> waits;
    std::function<void()> onWait;  // sees the screen as the paced step shows it
};

// No input ever, and every request accepted and forgotten.
class NullNativeWindow : public platform::NativeWindow {
public:
    bool poll(platform::InputEvent&) override { return false; }
    WaitResult wait(std::optional<std::uint32_t>) override { return WaitResult::Exhausted; }
    void present(const gfx::Bitmap&, int) override {}
    void setTitle(const std::string&) override {}
    platform::DisplayInfo display() override { return {}; }
    void show(int, int, int) override {}
    void setFullscreen(bool) override {}
    void setCursor(Cursor) override {}
    int setDisplayMode(int, int, int) override { return 0; }
};

// Where text does not matter: the menu bar may draw its captions with nothing.
class BlankFont final : public platform::Font {
public:
    const platform::FontSpec& request() const override { return spec_; }
    int lineHeight() const override { return 12; }
    int ascent() const override { return 10; }
    int advance(char32_t) const override { return 6; }
    int measure(std::u16string_view text) const override {
        return 6 * static_cast<int>(text.size());
    }
    int draw(gfx::Bitmap&, int x, int, std::u16string_view text, gfx::Pixel,
             const gfx::Rect&) const override {
        return x + measure(text);
    }

private:
    platform::FontSpec spec_;
};

class BlankFonts final : public platform::FontLibrary {
public:
    std::shared_ptr<const platform::Font> open(const platform::FontSpec&) override { return font_; }

private:
    std::shared_ptr<const platform::Font> font_ = std::make_shared<BlankFont>();
};

class NoDesktop final : public platform::Desktop {
public:
    void setWallpaper(const std::filesystem::path&) override {}
    void openUrl(const std::string&) override {}
};

}  // namespace velko::testing
