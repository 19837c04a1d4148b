// The keyboard focus of the menus and the question: Return held down to read quickly never
// runs on into a choice, and Shift+Tab goes back.

#include <gtest/gtest.h>

#include "menus/key_focus.h"
#include "platform/input.h"

namespace velko::menus {
namespace {

using Outcome = KeyFocus::Outcome;

TEST(KeyFocus, AHeldReturnNeitherShowsTheFocusNorChooses) {
    KeyFocus f;
    EXPECT_EQ(f.key("Return", platform::kKeyRepeat, 3), Outcome::Ignored);
    EXPECT_FALSE(f.shown());
    EXPECT_EQ(f.key("Return", 0, 3), Outcome::Moved);
    EXPECT_EQ(f.key("Space", platform::kKeyRepeat, 3), Outcome::Ignored);
    // Held arrows still move.
    EXPECT_EQ(f.key("Down", platform::kKeyRepeat, 3), Outcome::Moved);
    EXPECT_EQ(f.index(), 1);
    EXPECT_EQ(f.key("Tab", platform::kShift, 3), Outcome::Moved);
    EXPECT_EQ(f.key("Tab", platform::kShift, 3), Outcome::Moved);
    EXPECT_EQ(f.index(), 2);
    EXPECT_EQ(f.key("Keypad Enter", 0, 3), Outcome::Chosen);
    EXPECT_EQ(f.key("Return", 0, 0), Outcome::Ignored);
}

}  // namespace
}  // namespace velko::menus
