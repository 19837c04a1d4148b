#include "smf_writer.h"

#include <algorithm>
#include <cassert>

namespace velko::musicgen {
namespace {

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void appendU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

std::vector<std::uint8_t> trackChunk(MidiTrackEvents events, std::uint32_t endTick) {
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
    });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    std::uint8_t running = 0;
    for (const MidiEvent& e : events) {
        assert(!e.bytes.empty());
        appendVarLen(body, e.tick - now);
        now = e.tick;
        const std::uint8_t status = e.bytes[0];
        if (status >= 0x80 && status < 0xF0) {
            // Running status: a repeated channel status byte is left out.
            const bool same = status == running;
            running = status;
            body.insert(body.end(), e.bytes.begin() + (same ? 1 : 0), e.bytes.end());
        } else {
            // Meta and system exclusive events cancel running status.
            running = 0;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
    }
    appendVarLen(body, std::max(endTick, now) - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    appendU32(chunk, static_cast<std::uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

void appendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    assert(value <= 0x0FFFFFFF);
    std::uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) {
        out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    }
    out.push_back(groups[0]);
}

std::vector<std::uint8_t> writeSmf(std::vector<MidiTrackEvents> tracks, std::uint32_t endTick,
                                   int ticksPerQuarter) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
    appendU32(out, 6);
    appendU16(out, 1);
    appendU16(out, static_cast<std::uint16_t>(tracks.size()));
    appendU16(out, static_cast<std::uint16_t>(ticksPerQuarter));
    for (MidiTrackEvents& t : tracks) {
        const auto chunk = trackChunk(std::move(t), endTick);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

MidiEvent metaEvent(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
    MidiEvent e;
    e.tick = tick;
    e.rank = EventRank::Setup;
    e.bytes = {0xFF, type};
    appendVarLen(e.bytes, static_cast<std::uint32_t>(data.size()));
    e.bytes.insert(e.bytes.end(), data.begin(), data.end());
    return e;
}

MidiEvent metaText(std::uint32_t tick, std::uint8_t type, std::string_view text) {
    return metaEvent(tick, type, std::vector<std::uint8_t>(text.begin(), text.end()));
}

MidiEvent channelEvent(std::uint32_t tick, EventRank rank, std::uint8_t status, std::uint8_t a) {
    return MidiEvent{tick, rank, {status, a}};
}

MidiEvent channelEvent(std::uint32_t tick, EventRank rank, std::uint8_t status, std::uint8_t a,
                       std::uint8_t b) {
    return MidiEvent{tick, rank, {status, a, b}};
}

}  // namespace velko::musicgen
