#pragma once

// Writes Standard MIDI Files (format 1): one chunk per track, deltas as variable-length
// quantities, running status for channel messages, End of Track at a given tick.

#include <cstdint>
#include <string_view>
#include <vector>

namespace velko::musicgen {

// Events at the same tick go out by `rank` (lower first), then in the order they were added:
// note-offs before controllers before note-ons, so a repeated pitch is cut and struck again.
enum class EventRank : int { NoteOff = 0, Setup = 1, NoteOn = 2 };

struct MidiEvent {
    std::uint32_t tick = 0;
    EventRank rank = EventRank::Setup;
    std::vector<std::uint8_t> bytes;  // a channel message, or FF type length data for a meta event
};

using MidiTrackEvents = std::vector<MidiEvent>;

// Every track ends at `endTick` (or at its last event, if that is later).
std::vector<std::uint8_t> writeSmf(std::vector<MidiTrackEvents> tracks, std::uint32_t endTick,
                                   int ticksPerQuarter);

// Helpers that build the byte form of common events.
MidiEvent metaEvent(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data);
MidiEvent metaText(std::uint32_t tick, std::uint8_t type, const std::string_view text);
MidiEvent channelEvent(std::uint32_t tick, EventRank rank, std::uint8_t status, std::uint8_t a);
MidiEvent channelEvent(std::uint32_t tick, EventRank rank, std::uint8_t status, std::uint8_t a,
                       std::uint8_t b);

void appendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value);

}  // namespace velko::musicgen
