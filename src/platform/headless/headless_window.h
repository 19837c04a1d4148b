#pragma once

// The headless stand-in for the platform window: input comes from a timed input script and
// is delivered once the virtual clock has reached its time; frames are kept so that shots
// can show the screen as it stood at any moment. When the program waits for input and none
// is pending, the clock jumps to the next scripted moment.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/headless/input_script.h"
#include "platform/headless/virtual_clock.h"
#include "platform/native_window.h"

namespace velko::headless {

class HeadlessWindow final : public platform::NativeWindow {
public:
    // Shots are written into `shotDir` as NAME.png. `until`: the run ends when the clock
    // passes it.
    HeadlessWindow(VirtualClock& clock, InputScript input, std::filesystem::path shotDir,
                   std::optional<std::uint64_t> until = std::nullopt);

    // Called once when the run ends (quit line, --until, input used up at a wait).
    void setOnRunEnd(std::function<void()> f) { onRunEnd_ = std::move(f); }
    bool runEnded() const { return ended_; }
    // Called when the program waits with no input left; it may add input (and shots) to go
    // on instead of ending the run. Drives the storyboard, which decides as it goes.
    void setOnIdle(std::function<void()> f) { onIdle_ = std::move(f); }
    // More input, at or after the current time, in the order of time.
    void feed(const InputScript& more);

    // Takes the shots still due at the current time (the end of a run).
    void flushShots();

    bool poll(platform::InputEvent& event) override;
    WaitResult wait(std::optional<std::uint32_t> timeoutMs) override;
    void present(const gfx::Bitmap& frame, int menuBarHeight) override;
    void setTitle(const std::string& utf8) override { title_ = utf8; }
    platform::DisplayInfo display() override { return display_; }
    void show(int x, int y, int scale) override;
    void setFullscreen(bool on) override { fullscreen_ = on; }
    void setCursor(Cursor cursor) override { cursor_ = cursor; }
    int setDisplayMode(int, int, int) override { return 0; }

    void setDisplay(const platform::DisplayInfo& info) { display_ = info; }
    const std::string& title() const { return title_; }
    // The last frame without its menu bar; black before anything was presented.
    gfx::Bitmap lastScreen() const;
    const gfx::Bitmap& lastFrame() const { return frame_; }
    bool shown() const { return shown_; }
    int shownX() const { return x_; }
    int shownY() const { return y_; }
    int shownScale() const { return scale_; }
    bool fullscreen() const { return fullscreen_; }
    Cursor cursor() const { return cursor_; }
    // Shot files that could not be written ("NAME.png: reason").
    const std::vector<std::string>& shotErrors() const { return shotErrors_; }

private:
    void onAdvance(std::uint64_t from, std::uint64_t to);
    void takeShotsUpTo(std::uint64_t limit, bool inclusive);
    void endRun();
    std::optional<std::uint64_t> nextMoment() const;

    VirtualClock& clock_;
    std::deque<TimedEvent> events_;
    std::deque<Shot> shots_;
    std::optional<std::uint64_t> quitAt_;
    std::filesystem::path shotDir_;
    std::function<void()> onRunEnd_;
    std::function<void()> onIdle_;
    bool ended_ = false;

    // Presents are many and shots few, so the screen is cut out of the frame only for a shot.
    gfx::Bitmap frame_;
    int menuBarHeight_ = 0;
    bool presented_ = false;
    std::string title_;
    platform::DisplayInfo display_{1024, 768, 32};
    bool shown_ = false;
    int x_ = 0;
    int y_ = 0;
    int scale_ = 1;
    bool fullscreen_ = false;
    Cursor cursor_ = Cursor::Arrow;
    std::vector<std::string> shotErrors_;
};

}  // namespace velko::headless
