#pragma once

// The keyboard's way through a screen's entries (title menu, button screen, question): the
// arrow keys and Tab move a focus, Return or space chooses. Nothing is shown until the first
// of these keys; the first one only shows the focus, on the first entry, so that a reader
// sees what the next key will choose. A mouse move hides it again.

#include <string>

namespace velko::menus {

class KeyFocus {
public:
    enum class Outcome { Ignored, Moved, Chosen };

    // What `key` does among `count` entries.
    Outcome key(const std::string& key, int shift, int count);
    // The focused entry, or -1 while the focus is hidden.
    int index() const { return index_; }
    bool shown() const { return index_ >= 0; }
    void hide() { index_ = -1; }

private:
    int index_ = -1;
};

}  // namespace velko::menus
