#pragma once

#include <cstdint>
#include <string>

namespace velko::platform {

// Mouse buttons as the picture events report them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// Shift state bits. A key-down also carries kKeyRepeat when it comes from a key held down.
enum ShiftState : int { kShift = 1, kCtrl = 2, kAlt = 4, kKeyRepeat = 8 };

enum class MenuCommand { End, Version };
enum class DialogAnswer { Ok, Cancel, Yes, No };

// One input event as the native window (or the headless input file) delivers it.
// Positions are logical: (0, 0) is the top-left pixel of the 640 by 480 screen, the menu bar
// lies above it at negative y; fractional values are normal in a scaled window.
struct InputEvent {
    enum class Kind {
        MouseDown,
        MouseUp,
        MouseMove,
        KeyDown,           // `key` holds the key name ("Return", "Space", "Escape", "F10", "A"...)
        KeyUp,             // a key let go (held keys such as "Left Ctrl" matter)
        Paint,             // the window must be repainted
        Close,             // the window's close request
        Menu,              // a menu command chosen without the menu bar (headless input)
        Answer,            // a dialog button pressed without a click (headless input)
        ToggleFullscreen,  // F11 / Alt+Enter, already recognised by the native window
        Wheel,             // the mouse wheel turned by `wheel` notches
    };
    Kind kind = Kind::Paint;
    double x = 0;
    double y = 0;
    int button = 0;  // MouseButton for MouseDown/MouseUp, held buttons for MouseMove
    int shift = 0;   // ShiftState
    std::string key;
    MenuCommand menu = MenuCommand::End;
    DialogAnswer answer = DialogAnswer::Ok;
    int wheel = 0;  // Wheel: notches, positive away from the reader (up)
};

}  // namespace velko::platform
