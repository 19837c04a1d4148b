#pragma once

// A button screen of the script: picture buttons cut from one button sheet and drawn over
// the current picture, each with a normal and a hover image and the line at which the script
// goes on when it is pressed. ZT creates it and names the sheet, each ZB adds a button, ZS
// shows it, ZE drops it; after the wallpaper question KB arms it again.
//
// The screen listens to the surface's mouse, key and repaint events itself; the keys move a
// focus through the buttons in table order, drawn as the hover image (see KeyFocus). A left
// press inside a button turns clicks and redrawing off and calls MenuJump, which runs the
// script on from inside the press: by the time it returns the script may have dropped this
// screen and built the next one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "script/arguments.h"
#include "menus/key_focus.h"
#include "menus/sheet_menu.h"

namespace velko::menus {

class Menu final : public SheetMenu {
public:
    // The interpreter's MenuJump: the script goes on at the line.
    using MenuJump = std::function<void(std::int16_t line)>;

    static constexpr std::size_t kMaxButtons = 32767;

    Menu(SheetLoader loadSheet, MenuJump menuJump);

    // Draws every button in its normal image, in the order they were added.
    void subMenuDisp();
    // Appends the button of a ZB argument ("left,top,right,bottom,normal left,...,target";
    // items after the thirteenth are ignored). A malformed argument, a target outside
    // 1..32767 or a full table adds nothing and says why.
    Status ButtonNum(std::u16string_view strData);
    // setPictureBox, setPicButton, setRedrawFlag and MouseClickMode: see SheetMenu.

private:
    void onMouseDown(const platform::MouseEvent& e) override;
    void onMouseMove(const platform::MouseEvent& e) override;
    void onPaint() override;
    bool onKey(const std::string& key, int shift) override;

    // Every button, in table order: in its hover image when `pointer` is inside it or it has
    // the keyboard focus, else in its normal image.
    void draw(std::optional<platform::MouseEvent> pointer);
    void press(std::size_t index);
    // The first button that holds the point, or buttons_.size().
    std::size_t buttonAt(double x, double y) const;

    MenuJump menuJump_;
    // In the order of their ZB lines: the rectangle on the surface, the normal and the hover
    // image on the sheet (each left, top, right, bottom), the target line.
    std::vector<script::Button> buttons_;
    KeyFocus focus_;
};

}  // namespace velko::menus
