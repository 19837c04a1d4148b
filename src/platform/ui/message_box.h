#pragma once

// Modal message boxes in the classic style (title bar, icon, text, buttons), drawn by the
// program inside its window and running their own nested event loop. Enter presses the
// default button, Escape answers Cancel (No where there is no Cancel; OK for OK alone),
// Tab and the arrow keys move between the buttons, Y and N press Yes and No.

#include <optional>
#include <string>

#include "platform/event_pump.h"
#include "platform/input.h"
#include "platform/ui/window.h"

namespace velko::ui {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Question, Information, Warning };

struct MessageBoxSpec {
    std::u16string text;  // may hold CR LF or LF breaks
    std::u16string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 0;  // 0-based, left to right
};

// Shows the box and returns the answer, or nullopt when the run ends while it is open
// (quit requested, or no more input in a headless run).
std::optional<platform::DialogAnswer> messageBox(Window& window, platform::EventPump& pump,
                                                 const MessageBoxSpec& request);

}  // namespace velko::ui
