#pragma once

// The shipped scenario's source, compiled into the program at build time (see
// velko_embed_scenario in cmake/scenario.cmake). The player parses it at start-up with the
// same parser as any other source. Defined by the generated library velko_builtin_scenario.

#include <string_view>

namespace velko::script {

// The UTF-8 bytes of the source file, unchanged.
std::string_view builtinScenarioSource();

// Where it came from, for messages ("game/scenario.txt").
std::string_view builtinScenarioFileName();

}  // namespace velko::script
