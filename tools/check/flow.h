#pragma once

// Where the script can go: from the start (line 1) and the title's two entries (1001 and 101)
// along fall-through, jumps, IF branches, question choices and the targets of reachable
// buttons. Along the way it follows whether a button screen is being built and whether
// KC has switched clicks off, to catch a button command with no screen and a wait for a
// click that nothing can end.

#include <map>
#include <vector>

#include "checker.h"
#include "script/opcode.h"

namespace velko::check {

struct FlowLine {
    script::Opcode op = script::Opcode::Message;
    std::vector<int> targets;  // JP, IF, QE and ZB targets whose arguments parsed
    bool pauses = false;       // a WT of at least a millisecond
};

// Adds warnings for lines no path reaches and for the screen and click faults above, and
// reports loops that go round without ever letting time pass (the player stops them as
// script errors): an error, or a warning when an IF decides whether the loop is taken.
void analyseFlow(const std::map<int, FlowLine>& lines, std::vector<Finding>& out);

}  // namespace velko::check
