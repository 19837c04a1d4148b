#pragma once

// The names of the staff roll. The list is text, one entry a line: the row index (0 to 255),
// a TAB, the role label, a TAB, the name. Indices that no line names are blank rows; "#"
// lines and empty lines are ignored.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velko::credits {

struct StaffEntry {
    std::u16string role;  // left column
    std::u16string name;  // right column
};

struct StaffList {
    std::vector<StaffEntry> entries;    // indexed by row; both strings empty for a blank row
    std::vector<std::string> warnings;  // "FILE:LINE: message", one per line that was skipped
};

// Reads a list; a line that cannot be used is skipped with a warning, never fatal.
StaffList parseStaffList(std::string_view text, std::string_view fileName);

// The list the program was built with (game/staff.txt).
std::string_view builtinStaffText();

}  // namespace velko::credits
