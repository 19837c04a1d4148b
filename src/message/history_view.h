#pragma once

// The text history: every text the message window has shown in this run, in its display
// form, read back in a window of the classic kind that covers the screen. The texts are set
// in the message font, white on black as in the message band, the newest at the bottom (a
// history shorter than the view sits at its bottom too). It
// is read-only: the wheel, the arrow keys, Page Up/Down, Home and End scroll it; the wheel
// turned down past the end, Escape, Return, space or a click closes it. The screen under it
// is never drawn on, so it stands exactly as before once the view is gone.

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event_pump.h"
#include "platform/fonts.h"
#include "platform/ui/window.h"

namespace velko::message {

// The texts shown so far, oldest first. A story that is read again and again from the title
// would grow it without end, so the oldest give way past kMaxEntries.
class TextHistory {
public:
    static constexpr std::size_t kMaxEntries = 2000;

    void add(std::u16string_view displayForm);
    const std::deque<std::u16string>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

private:
    std::deque<std::u16string> entries_;
};

class HistoryView final : public ui::Overlay {
public:
    static constexpr gfx::Rect kBox{0, 0, 640, 480};
    // Where the text rows go: as wide as the message window's text area, so that the rows
    // break where they broke on the screen.
    static constexpr gfx::Rect kTextArea{17, 30, 590, 437};
    static constexpr gfx::Rect kScrollBar{617, 26, 16, 447};
    // Rows a notch of the wheel scrolls.
    static constexpr int kWheelRows = 3;

    HistoryView(platform::FontLibrary& fonts, const TextHistory& history);

    bool closed() const { return closed_; }
    // The first row shown, and the largest value it takes (the newest row at the bottom).
    int top() const { return top_; }
    int maxTop() const { return maxTop_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int visibleRows() const { return visible_; }

    gfx::Rect bounds() const override { return kBox; }
    void draw(gfx::Bitmap& frame, int screenTop) override;
    void onMouseDown(double x, double y, int button) override;
    void onMouseUp(double, double, int) override {}
    void onMouseMove(double, double, int) override {}
    void onKeyDown(const std::string& key, int shift) override;
    void onAnswer(platform::DialogAnswer answer) override;
    void onWheel(int notches) override;
    bool yieldsToClose() const override { return true; }

private:
    void scrollTo(int top);
    void close();

    std::shared_ptr<const platform::Font> font_;
    std::shared_ptr<const platform::Font> captionFont_;
    std::vector<std::u16string> rows_;  // one text row each; empty rows part the texts
    int top_ = 0;
    int maxTop_ = 0;
    int visible_ = 1;
    bool closed_ = false;
};

// Shows the history until the reader closes it. False when the run ended while it was open.
bool showHistory(ui::Window& window, platform::EventPump& pump, const TextHistory& history);

}  // namespace velko::message
