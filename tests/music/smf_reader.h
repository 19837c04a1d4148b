#pragma once

// A small reader of the files the compiler writes, for looking at them in tests: it keeps
// every event with its absolute tick and notes where running status was used. It trusts its
// input (the compiler's own output), unlike velko_sound_formats.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velko::musicgen::testing {

struct Event {
    std::uint32_t tick = 0;
    std::uint8_t status = 0;  // channel status, or 0xFF for meta
    std::uint8_t a = 0;       // first data byte, or the meta type
    std::uint8_t b = 0;
    std::vector<std::uint8_t> data;  // meta data
    bool runningStatus = false;
    bool noteOn() const { return (status & 0xF0) == 0x90 && b > 0; }
    bool noteOff() const { return (status & 0xF0) == 0x80 || ((status & 0xF0) == 0x90 && b == 0); }
};

struct Track {
    std::uint32_t declaredLength = 0;
    std::vector<Event> events;
};

struct Note {
    int channel;
    int pitch;
    int velocity;
    std::uint32_t on;
    std::uint32_t off;
};

inline std::uint32_t be32(const std::vector<std::uint8_t>& f, std::size_t p) {
    return std::uint32_t(f[p]) << 24 | std::uint32_t(f[p + 1]) << 16 |
           std::uint32_t(f[p + 2]) << 8 | f[p + 3];
}

inline std::vector<Track> readTracks(const std::vector<std::uint8_t>& f) {
    std::vector<Track> out;
    std::size_t pos = 8 + be32(f, 4);
    while (pos + 8 <= f.size()) {
        Track t;
        t.declaredLength = be32(f, pos + 4);
        std::size_t p = pos + 8;
        const std::size_t end = pos + 8 + t.declaredLength;
        std::uint32_t tick = 0;
        std::uint8_t running = 0;
        auto varLen = [&]() {
            std::uint32_t v = 0;
            while (f[p] & 0x80) {
                v = (v << 7) | (f[p++] & 0x7F);
            }
            return (v << 7) | f[p++];
        };
        while (p < end) {
            tick += varLen();
            Event e;
            e.tick = tick;
            if (f[p] < 0x80) {
                e.runningStatus = true;
                e.status = running;
            } else {
                e.status = f[p++];
            }
            if (e.status == 0xFF) {
                e.a = f[p++];
                const std::uint32_t len = varLen();
                e.data.assign(f.begin() + p, f.begin() + p + len);
                p += len;
                running = 0;
            } else {
                running = e.status;
                e.a = f[p++];
                const int kind = e.status & 0xF0;
                if (kind != 0xC0 && kind != 0xD0) {
                    e.b = f[p++];
                }
            }
            t.events.push_back(e);
        }
        out.push_back(t);
        pos = end;
    }
    return out;
}

// Pairs note-ons with note-offs, channel and pitch wise, across all tracks.
inline std::vector<Note> notesOf(const std::vector<Track>& tracks) {
    std::vector<Note> notes;
    for (const Track& t : tracks) {
        std::map<int, std::size_t> open;
        for (const Event& e : t.events) {
            const int key = (e.status & 0x0F) * 128 + e.a;
            if (e.noteOn()) {
                open[key] = notes.size();
                notes.push_back({e.status & 0x0F, e.a, e.b, e.tick, UINT32_MAX});
            } else if (e.noteOff() && open.count(key)) {
                notes[open[key]].off = e.tick;
                open.erase(key);
            }
        }
    }
    return notes;
}

}  // namespace velko::musicgen::testing
