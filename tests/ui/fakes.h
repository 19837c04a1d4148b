#pragma once

// Stand-ins for the platform in window tests: a native window fed from a queue that moves the
// hand-set clock when it waits, and a font whose every character is a filled box.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/gfx/raster.h"
#include "platform/input.h"
#include "platform/native_window.h"
#include "support/fake_platform.h"

namespace velko::testing {

class FakeNativeWindow final : public NullNativeWindow {
public:
    explicit FakeNativeWindow(ManualClock* clock = nullptr) : clock_(clock) {}

    std::deque<platform::InputEvent> queue;
    // Called when the program waits and the queue is empty: lets a test feed events late.
    std::function<void()> onIdle;
    int presents = 0;
    gfx::Bitmap lastFrame;
    std::string title;
    bool fullscreen = false;
    Cursor cursor = Cursor::Arrow;
    std::vector<std::optional<std::uint32_t>> waits;

    void push(platform::InputEvent e) { queue.push_back(std::move(e)); }

    bool poll(platform::InputEvent& event) override {
        if (queue.empty()) {
            return false;
        }
        event = queue.front();
        queue.pop_front();
        return true;
    }
    WaitResult wait(std::optional<std::uint32_t> timeoutMs) override {
        waits.push_back(timeoutMs);
        if (queue.empty() && onIdle) {
            onIdle();
        }
        if (!queue.empty()) {
            return WaitResult::Ready;
        }
        if (timeoutMs && clock_) {
            clock_->now += *timeoutMs;
            return WaitResult::TimedOut;
        }
        return WaitResult::Exhausted;
    }
    void present(const gfx::Bitmap& frame, int) override {
        ++presents;
        lastFrame = frame;
    }
    void setTitle(const std::string& utf8) override { title = utf8; }
    void setFullscreen(bool on) override { fullscreen = on; }
    void setCursor(Cursor c) override { cursor = c; }

private:
    ManualClock* clock_;
};

// Every character is a box: half-width characters (ASCII, half-width katakana) 6 pixels wide,
// the others 12, on 12-pixel lines. Enough to check layout and routing without real fonts.
class BoxFont final : public platform::Font {
public:
    explicit BoxFont(const platform::FontSpec& request) : spec_(request) {}
    const platform::FontSpec& request() const override { return spec_; }
    int lineHeight() const override { return 12; }
    int ascent() const override { return 10; }
    int advance(char32_t c) const override {
        if (c == U'\r' || c == U'\n') {
            return 0;
        }
        return (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 6 : 12;
    }
    int measure(std::u16string_view text) const override {
        int w = 0;
        for (char16_t c : text) {
            w += advance(c);
        }
        return w;
    }
    int draw(gfx::Bitmap& dst, int x, int y, std::u16string_view text, gfx::Pixel color,
             const gfx::Rect& clip) const override {
        for (char16_t c : text) {
            const int a = advance(c);
            if (a > 0) {
                gfx::fillRect(dst, gfx::Rect{x + 1, y + 2, a - 2, 8}.intersected(clip), color);
            }
            x += a;
        }
        return x;
    }

private:
    platform::FontSpec spec_;
};

class BoxFontLibrary final : public platform::FontLibrary {
public:
    std::shared_ptr<const platform::Font> open(const platform::FontSpec& request) override {
        for (auto& [s, f] : cache_) {
            if (s == request) {
                return f;
            }
        }
        cache_.emplace_back(request, std::make_shared<BoxFont>(request));
        return cache_.back().second;
    }

private:
    std::vector<std::pair<platform::FontSpec, std::shared_ptr<const platform::Font>>> cache_;
};

// Event builders.
inline platform::InputEvent mouse(platform::InputEvent::Kind kind, double x, double y,
                                  int button = platform::kLeftButton) {
    platform::InputEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.button = button;
    return e;
}
inline platform::InputEvent down(double x, double y, int button = platform::kLeftButton) {
    return mouse(platform::InputEvent::Kind::MouseDown, x, y, button);
}
inline platform::InputEvent up(double x, double y, int button = platform::kLeftButton) {
    return mouse(platform::InputEvent::Kind::MouseUp, x, y, button);
}
inline platform::InputEvent move(double x, double y) {
    return mouse(platform::InputEvent::Kind::MouseMove, x, y, 0);
}
inline platform::InputEvent key(std::string name, int shift = 0) {
    platform::InputEvent e;
    e.kind = platform::InputEvent::Kind::KeyDown;
    e.key = std::move(name);
    e.shift = shift;
    return e;
}
inline platform::InputEvent simple(platform::InputEvent::Kind kind) {
    platform::InputEvent e;
    e.kind = kind;
    return e;
}
inline platform::InputEvent menu(platform::MenuCommand c) {
    platform::InputEvent e;
    e.kind = platform::InputEvent::Kind::Menu;
    e.menu = c;
    return e;
}
inline platform::InputEvent answer(platform::DialogAnswer a) {
    platform::InputEvent e;
    e.kind = platform::InputEvent::Kind::Answer;
    e.answer = a;
    return e;
}

}  // namespace velko::testing
