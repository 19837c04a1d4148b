#pragma once

// Small sound files made by the tests: a sine tone as a 16-bit mono wave, and a one-note
// Standard MIDI File, each of a chosen length.

#include <cmath>
#include <cstdint>
#include <string>

namespace velko::test {

inline void putLe(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        s.push_back(static_cast<char>(v >> (8 * i)));
    }
}

inline void putBe(std::string& s, std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        s.push_back(static_cast<char>(v >> (8 * i)));
    }
}

inline std::string toneWave(std::uint32_t ms, int rate = 16000) {
    const std::uint32_t frames = static_cast<std::uint32_t>(std::uint64_t{ms} * rate / 1000);
    std::string data;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v = 12000.0 * std::sin(2 * 3.14159265358979 * 440.0 * i / rate);
        putLe(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2);
    }
    std::string s = "RIFF";
    putLe(s, static_cast<std::uint32_t>(4 + 24 + 8 + data.size()), 4);
    s += "WAVEfmt ";
    putLe(s, 16, 4);
    putLe(s, 1, 2);  // PCM
    putLe(s, 1, 2);  // mono
    putLe(s, static_cast<std::uint32_t>(rate), 4);
    putLe(s, static_cast<std::uint32_t>(rate * 2), 4);
    putLe(s, 2, 2);
    putLe(s, 16, 2);
    s += "data";
    putLe(s, static_cast<std::uint32_t>(data.size()), 4);
    return s + data;
}

// One note held for the whole piece, at 120 beats a minute and 480 ticks a beat (so 0.96
// ticks a millisecond), on a General MIDI instrument (0: piano; 19: organ, which does not
// fade while held). `ms` up to about 17 s.
inline std::string noteMidi(std::uint32_t ms, std::uint8_t instrument = 0) {
    const std::uint32_t ticks = ms * 96 / 100;
    std::string track;
    track += std::string("\x00\xC0", 2);
    track.push_back(static_cast<char>(instrument & 0x7F));
    track += std::string("\x00\x90\x3C\x64", 4);  // note on, middle C
    // The delta as a variable-length number of up to three bytes.
    track.push_back(static_cast<char>(0x80 | ((ticks >> 14) & 0x7F)));
    track.push_back(static_cast<char>(0x80 | ((ticks >> 7) & 0x7F)));
    track.push_back(static_cast<char>(ticks & 0x7F));
    track += std::string("\x80\x3C\x40", 3);      // note off
    track += std::string("\x00\xFF\x2F\x00", 4);  // end of track
    std::string s = "MThd";
    putBe(s, 6, 4);
    putBe(s, 0, 2);
    putBe(s, 1, 2);
    putBe(s, 480, 2);
    s += "MTrk";
    putBe(s, static_cast<std::uint32_t>(track.size()), 4);
    return s + track;
}

}  // namespace velko::test
