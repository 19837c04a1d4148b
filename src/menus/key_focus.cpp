#include "menus/key_focus.h"

#include "platform/input.h"

namespace velko::menus {

namespace {

enum class Action { None, Previous, Next, Choose };

Action actionOf(const std::string& key, int shift) {
    if (key == "Up" || key == "Left") {
        return Action::Previous;
    }
    if (key == "Down" || key == "Right") {
        return Action::Next;
    }
    if (key == "Tab") {
        return (shift & platform::kShift) ? Action::Previous : Action::Next;
    }
    if (key == "Return" || key == "Space" || key == "Keypad Enter") {
        return Action::Choose;
    }
    return Action::None;
}

}  // namespace

KeyFocus::Outcome KeyFocus::key(const std::string& key, int shift, int count) {
    const Action action = actionOf(key, shift);
    // Return held down to read on quickly must not run on into a choice: only a fresh
    // press chooses, or shows the focus.
    const bool heldChoose = action == Action::Choose && (shift & platform::kKeyRepeat);
    if (action == Action::None || count <= 0 || heldChoose) {
        return Outcome::Ignored;
    }
    if (index_ < 0 || index_ >= count) {
        index_ = 0;
        return Outcome::Moved;
    }
    switch (action) {
        case Action::Choose:
            return Outcome::Chosen;
        case Action::Previous:
            index_ = (index_ + count - 1) % count;
            break;
        default:
            index_ = (index_ + 1) % count;
            break;
    }
    return Outcome::Moved;
}

}  // namespace velko::menus
