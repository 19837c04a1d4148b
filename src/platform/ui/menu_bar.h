#pragma once

// The window's menu bar: "終了" (a command on the bar itself) and "ﾍﾙﾌﾟ" with its dropdown
// "バージョン情報". Holds the enabled state of the three items, the open/highlighted state for
// mouse and keyboard use, and draws itself in frame coordinates (the bar is the frame's top
// rows, the dropdown hangs below it over the screen).

#include <memory>
#include <optional>
#include <string>

#include "platform/fonts.h"
#include "platform/gfx/bitmap.h"
#include "platform/input.h"

namespace velko::ui {

enum class MenuItem { End, Help, Version };

class MenuBar {
public:
    static constexpr int kHeight = 20;

    explicit MenuBar(platform::FontLibrary& fonts);

    void setEnabled(MenuItem item, bool enabled);
    bool enabled(MenuItem item) const;
    // The command's item and the menu that holds it are both enabled.
    bool available(platform::MenuCommand command) const;

    // A dropdown is open or the keyboard is in the menus.
    bool active() const { return mode_ != Mode::Idle; }
    bool dropdownOpen() const;
    void close();

    // What an input event did to the menus: `taken` when it must go no further, `command`
    // when it chose an item.
    struct Outcome {
        bool taken = false;
        std::optional<platform::MenuCommand> command;
    };
    // Positions in frame pixels (the bar covers rows 0 to kHeight - 1).
    Outcome mouseDown(double x, double y, int button);
    Outcome mouseUp(double x, double y, int button);
    Outcome mouseMove(double x, double y);
    Outcome keyDown(const std::string& key);

    // A short note at the bar's right end (the reading modes that are on); empty for none.
    void setMark(std::u16string mark) {
        if (mark != mark_) {
            mark_ = std::move(mark);
            dirty_ = true;
        }
    }
    const std::u16string& mark() const { return mark_; }

    bool dirty() const { return dirty_; }
    void clearDirty() { dirty_ = false; }

    void drawBar(gfx::Bitmap& frame);
    // Draws the open dropdown, if any, moved down by `offsetY` rows.
    void drawDropdown(gfx::Bitmap& dst, int offsetY);

    // Layout, in frame pixels.
    gfx::Rect titleRect(MenuItem top) const;
    gfx::Rect dropdownRect() const;
    gfx::Rect versionRect() const;

private:
    enum class Mode { Idle, Keyboard, Open };
    static constexpr int kEnd = 0;
    static constexpr int kHelp = 1;

    void layout();
    int titleAt(double x, double y) const;
    bool overVersion(double x, double y) const;
    void setState(Mode mode, int hot, bool itemHot);
    Outcome activateVersion();

    platform::FontLibrary& fonts_;
    std::shared_ptr<const platform::Font> font_;
    bool enabled_[3] = {false, false, false};
    Mode mode_ = Mode::Idle;
    int hot_ = kEnd;
    bool versionHot_ = false;
    bool dirty_ = true;
    std::u16string mark_;
    gfx::Rect titles_[2];
    gfx::Rect dropdown_;
};

}  // namespace velko::ui
