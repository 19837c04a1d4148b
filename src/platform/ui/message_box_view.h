#pragma once

// The message box as an overlay: its layout, look and the way it answers the mouse and the
// keyboard. messageBox() runs one of these in a nested event loop.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fonts.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window.h"

namespace velko::ui {

class MessageBoxView final : public Overlay {
public:
    MessageBoxView(platform::FontLibrary& fonts, const MessageBoxSpec& request);

    // Set once a button has been pressed.
    const std::optional<platform::DialogAnswer>& result() const { return result_; }

    gfx::Rect bounds() const override { return bounds_; }
    void draw(gfx::Bitmap& frame, int screenTop) override;
    void onMouseDown(double x, double y, int button) override;
    void onMouseUp(double x, double y, int button) override;
    void onMouseMove(double x, double y, int buttons) override;
    void onKeyDown(const std::string& key, int shift) override;
    void onAnswer(platform::DialogAnswer answer) override;

    // Layout in screen coordinates, left to right.
    int buttonCount() const { return static_cast<int>(buttons_.size()); }
    gfx::Rect buttonRect(int index) const;
    platform::DialogAnswer buttonAnswer(int index) const { return buttons_[index].answer; }
    int focus() const { return focus_; }
    gfx::Rect closeBoxRect() const;

private:
    struct Button {
        platform::DialogAnswer answer;
        std::u16string caption;
        int mnemonic;    // index of the underlined character, -1 for none
        gfx::Rect rect;  // relative to the box
    };
    static constexpr int kCloseBox = -2;

    void layout(const MessageBoxSpec& request);
    void wrapText(std::u16string_view text, int maxWidth);
    void press(platform::DialogAnswer answer);
    bool pressIfPresent(platform::DialogAnswer answer);
    platform::DialogAnswer escapeAnswer() const;
    int hit(double x, double y) const;
    void moveFocus(int step);
    void drawButton(gfx::Bitmap& dst, int ox, int oy, int index);

    std::shared_ptr<const platform::Font> font_;
    std::shared_ptr<const platform::Font> titleFont_;
    std::u16string title_;
    Icon icon_ = Icon::None;
    std::vector<std::u16string> lines_;
    std::vector<Button> buttons_;
    gfx::Rect bounds_;
    gfx::Point iconPos_;
    gfx::Point textPos_;
    int lineHeight_ = 12;
    int focus_ = 0;
    int pressed_ = -1;  // the button held down by the mouse, kCloseBox, or -1
    bool pressedInside_ = false;
    std::optional<platform::DialogAnswer> result_;
};

}  // namespace velko::ui
