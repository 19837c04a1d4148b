#include "formats/midi_info.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velko::sound {
namespace {

constexpr std::uint32_t kDefaultTempo = 500'000;  // microseconds per quarter: 120 bpm

struct TempoMark {
    std::uint64_t tick;
    int track;
    std::uint32_t usPerQuarter;
};

// The position of an event in playing order, for "which came first" across tracks.
struct Order {
    std::uint64_t tick = UINT64_MAX;
    int track = 0;
    std::uint32_t index = 0;
    bool operator<(const Order& o) const {
        return tick != o.tick     ? tick < o.tick
               : track != o.track ? track < o.track
                                  : index < o.index;
    }
};

std::uint32_t readBe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

std::uint16_t readBe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

class TrackReader {
public:
    TrackReader(std::span<const std::uint8_t> file, std::size_t begin, std::size_t end, int track)
        : file_(file), pos_(begin), end_(end), track_(track) {}

    std::optional<std::string> read(std::vector<TempoMark>& tempo, std::array<Order, 16>& firstNote,
                                    std::array<Order, 16>& firstProgram, MidiInfo& info) {
        std::uint8_t running = 0;
        std::uint32_t index = 0;
        std::array<std::array<std::uint16_t, 128>, 16> sounding{};
        for (;;) {
            if (pos_ >= end_) {
                return fail("the track has no End of Track");
            }
            std::uint32_t delta = 0;
            if (!readVarLen(delta)) {
                return error_;
            }
            tick_ += delta;
            if (pos_ >= end_) {
                return fail("the track ends inside an event");
            }
            const std::size_t eventPos = pos_;
            std::uint8_t status = file_[pos_];
            if (status < 0x80) {
                if (running == 0) {
                    return failAt(eventPos, "running status without a previous status byte");
                }
                status = running;
            } else {
                ++pos_;
            }
            ++index;
            const Order here{tick_, track_, index};
            if (status < 0xF0) {
                running = status;
                const int channel = status & 0x0F;
                const int kind = status & 0xF0;
                const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
                std::uint8_t data[2] = {0, 0};
                for (int i = 0; i < dataBytes; ++i) {
                    if (pos_ >= end_) {
                        return fail("the track ends inside a channel message");
                    }
                    if (file_[pos_] >= 0x80) {
                        return failAt(pos_, "a data byte was expected");
                    }
                    data[i] = file_[pos_++];
                }
                if (kind == 0x90 && data[1] > 0) {
                    ++info.notes;
                    info.channelsWithNotes |= static_cast<std::uint16_t>(1u << channel);
                    firstNote[channel] = std::min(firstNote[channel], here);
                    auto& count = sounding[channel][data[0]];
                    count = static_cast<std::uint16_t>(std::min(count + 1, 0xFFFF));
                } else if (kind == 0x80 || kind == 0x90) {
                    auto& count = sounding[channel][data[0]];
                    count = count > 0 ? static_cast<std::uint16_t>(count - 1) : 0;
                } else if (kind == 0xC0) {
                    firstProgram[channel] = std::min(firstProgram[channel], here);
                }
                continue;
            }
            // System exclusive and meta events cancel running status.
            running = 0;
            if (status == 0xF0 || status == 0xF7) {
                std::uint32_t length = 0;
                if (!readVarLen(length) || !skip(length, "system exclusive data")) {
                    return error_;
                }
                continue;
            }
            if (status != 0xFF) {
                return failAt(eventPos, "status byte " + hex(status) + " cannot stand in a file");
            }
            if (pos_ >= end_) {
                return fail("the track ends inside a meta event");
            }
            const std::uint8_t type = file_[pos_++];
            std::uint32_t length = 0;
            if (type >= 0x80 || !readVarLen(length)) {
                return error_.empty() ? failAt(eventPos, "bad meta event type") : error_;
            }
            const std::size_t dataPos = pos_;
            if (!skip(length, "meta event data")) {
                return error_;
            }
            if (type == 0x2F) {
                if (length != 0) {
                    return failAt(eventPos, "End of Track has data");
                }
                if (pos_ != end_) {
                    return failAt(pos_, "data after End of Track");
                }
                for (const auto& ch : sounding) {
                    for (std::uint16_t c : ch) {
                        info.hangingNotes += c;
                    }
                }
                endTick_ = tick_;
                return std::nullopt;
            }
            if (type == 0x51) {
                if (length != 3) {
                    return failAt(eventPos, "a tempo event holds 3 bytes");
                }
                const std::uint32_t us = static_cast<std::uint32_t>(file_[dataPos]) << 16 |
                                         static_cast<std::uint32_t>(file_[dataPos + 1]) << 8 |
                                         file_[dataPos + 2];
                if (us == 0) {
                    return failAt(eventPos, "tempo of zero");
                }
                tempo.push_back({tick_, track_, us});
            } else if (type == 0x58 && length != 4) {
                return failAt(eventPos, "a time signature holds 4 bytes");
            }
        }
    }

    std::uint64_t endTick() const { return endTick_; }

private:
    std::span<const std::uint8_t> file_;
    std::size_t pos_;
    std::size_t end_;
    int track_;
    std::uint64_t tick_ = 0;
    std::uint64_t endTick_ = 0;
    std::string error_;

    static std::string hex(std::uint8_t b) {
        static const char* digits = "0123456789ABCDEF";
        return std::string("0x") + digits[b >> 4] + digits[b & 15];
    }

    std::string failAt(std::size_t at, const std::string& message) {
        error_ =
            "track " + std::to_string(track_ + 1) + ", byte " + std::to_string(at) + ": " + message;
        return error_;
    }
    std::string fail(const std::string& message) { return failAt(pos_, message); }

    bool readVarLen(std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            if (pos_ >= end_) {
                fail("the track ends inside a length or time");
                return false;
            }
            const std::uint8_t b = file_[pos_++];
            out = (out << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) {
                return true;
            }
        }
        failAt(pos_ - 4, "a variable-length number longer than 4 bytes");
        return false;
    }

    bool skip(std::uint32_t length, const char* what) {
        if (length > end_ - pos_) {
            fail(std::string(what) + " of " + std::to_string(length) +
                 " bytes runs past the end of the track");
            return false;
        }
        pos_ += length;
        return true;
    }
};

std::uint64_t saturatingMs(unsigned __int128 us) {
    const unsigned __int128 ms = us / 1000;
    return ms > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(ms);
}

// Microseconds from tick 0 to `tick` under the tempo marks (sorted), at `division` per quarter.
unsigned __int128 timeAt(const std::vector<TempoMark>& tempo, std::uint64_t tick, int division) {
    unsigned __int128 scaled = 0;  // microseconds times division
    std::uint64_t last = 0;
    std::uint32_t current = kDefaultTempo;
    for (const TempoMark& m : tempo) {
        if (m.tick >= tick) {
            break;
        }
        scaled += static_cast<unsigned __int128>(m.tick - last) * current;
        last = m.tick;
        current = m.usPerQuarter;
    }
    scaled += static_cast<unsigned __int128>(tick - last) * current;
    return scaled / static_cast<unsigned>(division);
}

}  // namespace

Result<MidiInfo> inspectMidi(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 14 || !std::equal(bytes.begin(), bytes.begin() + 4, "MThd")) {
        return makeError("not a MIDI file (no MThd header)");
    }
    const std::uint32_t headerLength = readBe32(&bytes[4]);
    if (headerLength < 6 || headerLength > bytes.size() - 8) {
        return makeError("the MThd header length " + std::to_string(headerLength) + " is wrong");
    }
    MidiInfo info;
    info.format = readBe16(&bytes[8]);
    info.tracks = readBe16(&bytes[10]);
    const std::uint16_t division = readBe16(&bytes[12]);
    if (info.format > 2) {
        return makeError("unknown MIDI file format " + std::to_string(info.format));
    }
    if (info.tracks == 0 || (info.format == 0 && info.tracks != 1)) {
        return makeError("format " + std::to_string(info.format) + " with " +
                         std::to_string(info.tracks) + " tracks");
    }
    int ticksPerSecond = 0;
    if (division & 0x8000) {
        const int fps = -static_cast<std::int8_t>(division >> 8);
        const int perFrame = division & 0xFF;
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || perFrame == 0) {
            return makeError("bad SMPTE time division");
        }
        info.smpte = true;
        // 29 stands for 29.97 frames a second; rounding it is close enough for a length.
        ticksPerSecond = (fps == 29 ? 30 : fps) * perFrame;
        info.division = ticksPerSecond;
    } else {
        if (division == 0) {
            return makeError("time division of zero ticks per quarter");
        }
        info.division = division;
    }

    std::vector<std::vector<TempoMark>> tempoByTrack;
    std::vector<std::uint64_t> endByTrack;
    std::array<Order, 16> firstNote{};
    std::array<Order, 16> firstProgram{};
    std::size_t pos = 8 + headerLength;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 8) {
            return makeError("byte " + std::to_string(pos) + ": a chunk header is cut off");
        }
        const std::uint32_t length = readBe32(&bytes[pos + 4]);
        if (length > bytes.size() - pos - 8) {
            return makeError("byte " + std::to_string(pos) + ": chunk length " +
                             std::to_string(length) + " runs past the end of the file");
        }
        const bool isTrack = std::equal(&bytes[pos], &bytes[pos + 4], "MTrk");
        if (isTrack) {
            const int track = static_cast<int>(endByTrack.size());
            if (track >= info.tracks) {
                return makeError("more track chunks than the " + std::to_string(info.tracks) +
                                 " of the header");
            }
            tempoByTrack.emplace_back();
            TrackReader reader(bytes, pos + 8, pos + 8 + length, track);
            if (auto error = reader.read(tempoByTrack.back(), firstNote, firstProgram, info)) {
                return makeError(*error);
            }
            endByTrack.push_back(reader.endTick());
        }
        // Chunks of other kinds are skipped, as the file format asks.
        pos += 8 + static_cast<std::size_t>(length);
    }
    if (static_cast<int>(endByTrack.size()) != info.tracks) {
        return makeError("the header promises " + std::to_string(info.tracks) +
                         " tracks, the file holds " + std::to_string(endByTrack.size()));
    }

    for (int ch = 0; ch < 16; ++ch) {
        if (firstProgram[ch] < firstNote[ch]) {
            info.channelsWithProgram |= static_cast<std::uint16_t>(1u << ch);
        }
    }
    info.lengthTicks = *std::max_element(endByTrack.begin(), endByTrack.end());
    if (info.smpte) {
        info.durationMs = info.lengthTicks * 1000 / static_cast<std::uint64_t>(ticksPerSecond);
    } else if (info.format == 2) {
        // Independent sequences: each has its own tempo map; the longest decides.
        for (std::size_t t = 0; t < endByTrack.size(); ++t) {
            info.durationMs = std::max(
                info.durationMs, saturatingMs(timeAt(tempoByTrack[t], endByTrack[t], division)));
        }
    } else {
        std::vector<TempoMark> merged;
        for (const auto& t : tempoByTrack) {
            merged.insert(merged.end(), t.begin(), t.end());
        }
        std::stable_sort(merged.begin(), merged.end(),
                         [](const TempoMark& a, const TempoMark& b) { return a.tick < b.tick; });
        info.durationMs = saturatingMs(timeAt(merged, info.lengthTicks, division));
    }
    return info;
}

}  // namespace velko::sound
