#pragma once

// Turns a music source into the bytes of a Standard MIDI File: format 1, 480 ticks per
// quarter, a conductor track (title, time signature, tempo map) and one track per part.
// Every part sets its channel up at tick 0 (reset of controllers, program, volume, pan,
// expression, reverb and chorus), so a piece restarted from the beginning always sounds the
// same whatever played before it. All parts end together, at the end of the longest one.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "mml_score.h"

namespace velko::musicgen {

Result<std::vector<std::uint8_t>> compileScore(const Score& score);

// Parses and compiles; `file` names the source in messages (FILE:LINE:COL: message).
Result<std::vector<std::uint8_t>> compileMml(std::string_view text, const std::string& file);

}  // namespace velko::musicgen
