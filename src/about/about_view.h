#pragma once

// The version dialog as an overlay of the main window: its layout, look and the way it
// answers the mouse and the keyboard. FrmAbout runs one of these in a nested event loop.
//
// The client area keeps the classic form's proportions: 382 by 117 pixels, the two-line
// title block on top, the address row below it, OK centred at the bottom.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "about/about_text.h"
#include "platform/fonts.h"
#include "platform/ui/window.h"

namespace velko::about {

class AboutView final : public ui::Overlay {
public:
    AboutView(platform::FontLibrary& fonts, AboutText text);

    // Called each time the address is clicked; the dialog stays open.
    std::function<void()> onLinkClicked;
    // Called when the pointer comes onto the address (true) or leaves it (false), so that
    // the owner can time the tool tip.
    std::function<void(bool)> onLinkHover;

    // Set once OK, Enter, Escape or the close box has closed the dialog.
    bool closed() const { return closed_; }

    // Shows the address's tool tip under the pointer, if the pointer is still on it.
    void showTip();
    bool tipShown() const { return tip_.has_value(); }

    gfx::Rect bounds() const override { return bounds_; }
    void draw(gfx::Bitmap& frame, int screenTop) override;
    void onMouseDown(double x, double y, int button) override;
    void onMouseUp(double x, double y, int button) override;
    void onMouseMove(double x, double y, int buttons) override;
    void onKeyDown(const std::string& key, int shift) override;
    void onAnswer(platform::DialogAnswer answer) override;
    platform::NativeWindow::Cursor cursorAt(double x, double y) const override;

    // Layout in screen coordinates.
    gfx::Rect clientRect() const;
    gfx::Rect linkRect() const;
    gfx::Rect okRect() const;
    gfx::Rect closeBoxRect() const;
    std::optional<gfx::Rect> tipRect() const;

    static constexpr int kClientWidth = 382;
    static constexpr int kClientHeight = 117;

private:
    enum class Part { None, Ok, CloseBox, Link };

    void layout();
    Part hit(double x, double y) const;
    void setHover(bool onLink, double x, double y);
    void hideTip();
    void drawTip(gfx::Bitmap& dst, int screenTop) const;

    AboutText text_;
    std::u16string homepage16_;
    std::shared_ptr<const platform::Font> uiFont_;
    std::shared_ptr<const platform::Font> captionFont_;
    std::shared_ptr<const platform::Font> titleFont_;
    std::shared_ptr<const platform::Font> labelFont_;
    std::shared_ptr<const platform::Font> linkFont_;

    gfx::Rect bounds_;
    // Relative to the dialog's top-left corner.
    gfx::Rect title_;
    gfx::Rect label_;
    gfx::Rect link_;
    gfx::Rect ok_;

    Part pressed_ = Part::None;
    bool pressedInside_ = false;
    bool overLink_ = false;
    gfx::Point pointer_;
    std::optional<gfx::Point> tip_;  // where the tool tip's pointer was
    bool closed_ = false;
};

}  // namespace velko::about
