#pragma once

// Checks a Standard MIDI File from end to end and measures it, without a synthesiser.
// A malformed file can make a software synthesiser play silence forever, so the player
// refuses any file this rejects; the duration comes from the tempo map, because synthesisers
// report the end of a piece late or not at all.

#include <cstdint>
#include <span>

#include "base/result.h"

namespace velko::sound {

struct MidiInfo {
    int format = 0;  // 0, 1 or 2
    int tracks = 0;
    int division = 0;  // ticks per quarter note; for SMPTE time, ticks per second
    bool smpte = false;
    std::uint64_t lengthTicks = 0;          // the latest End of Track
    std::uint64_t durationMs = 0;           // playing time up to the latest End of Track
    std::uint32_t notes = 0;                // note-ons with a velocity above 0
    std::uint32_t hangingNotes = 0;         // note-ons never switched off before their track ends
    std::uint16_t channelsWithNotes = 0;    // bit n: channel n+1 plays notes
    std::uint16_t channelsWithProgram = 0;  // bit n: a program change precedes the first note
};

// Errors name the byte offset and the track: "track 2, byte 310: running status without a
// previous status byte".
Result<MidiInfo> inspectMidi(std::span<const std::uint8_t> bytes);

}  // namespace velko::sound
