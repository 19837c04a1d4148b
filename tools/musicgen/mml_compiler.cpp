#include "mml_compiler.h"

#include <algorithm>
#include <optional>

#include "mml_parser.h"
#include "smf_writer.h"

namespace velko::musicgen {
namespace {

// A generous bound that keeps nested repeats from producing absurd files.
constexpr std::uint32_t kMaxTicks = kTicksPerQuarter * 60 * 400 * 60;  // an hour at 400 bpm
constexpr std::size_t kMaxEvents = 2'000'000;
// Repeats of commands that neither sound nor take time would otherwise loop for ages.
constexpr std::uint64_t kMaxSteps = 10'000'000;
constexpr int kMaxMacroDepth = 64;

struct TempoChange {
    std::uint32_t tick;
    int bpm;
};

// What a channel is set to at tick 0; commands before the first note or rest set these.
// Parts that share a channel share one setup, sent by the first of them.
enum SetupField { kProgram, kVolume, kPan, kExpression, kReverb, kChorus, kSetupFields };
constexpr int kSetupDefaults[kSetupFields] = {0, 100, 64, 127, 40, 0};
constexpr int kSetupControllers[kSetupFields] = {-1, 7, 10, 11, 91, 93};
constexpr const char* kSetupNames[kSetupFields] = {"program",    "volume", "pan",
                                                   "expression", "reverb", "chorus"};

struct ChannelSetup {
    std::optional<int> values[kSetupFields];
    SourcePos where[kSetupFields];
};

class TrackWalker {
public:
    TrackWalker(const Score& score, const Track& track, std::vector<TempoChange>& tempo)
        : score_(score), track_(track), tempo_(tempo) {}

    bool run() {
        if (!walk(track_.body)) {
            return false;
        }
        if (tieNext_) {
            return fail(tiePos_, "'&' must be followed by a note");
        }
        releaseHeld(std::nullopt);
        return true;
    }

    std::uint32_t endTick() const { return cursor_; }
    const std::string& error() const { return error_; }

    const ChannelSetup& setup() const { return setup_; }

    // The track's events; `setup` is sent first when this part opens its channel.
    MidiTrackEvents takeEvents(const ChannelSetup* setup) {
        const auto ch = static_cast<std::uint8_t>(track_.channel);
        MidiTrackEvents out;
        out.push_back(metaText(0, 0x03, track_.name));
        if (setup != nullptr) {
            const std::uint8_t cc = 0xB0 | ch;
            out.push_back(channelEvent(0, EventRank::Setup, cc, 121, 0));
            if (ch != 9) {
                // Bank select on the drum channel would move it off the drum kit in some synths.
                out.push_back(channelEvent(0, EventRank::Setup, cc, 0, 0));
                out.push_back(channelEvent(0, EventRank::Setup, cc, 32, 0));
            }
            for (int f = 0; f < kSetupFields; ++f) {
                const auto value =
                    static_cast<std::uint8_t>(setup->values[f].value_or(kSetupDefaults[f]));
                out.push_back(f == kProgram
                                  ? channelEvent(0, EventRank::Setup, 0xC0 | ch, value)
                                  : channelEvent(0, EventRank::Setup, cc,
                                                 static_cast<std::uint8_t>(kSetupControllers[f]),
                                                 value));
            }
        }
        out.insert(out.end(), std::make_move_iterator(events_.begin()),
                   std::make_move_iterator(events_.end()));
        events_.clear();
        return out;
    }

private:
    const Score& score_;
    const Track& track_;
    std::vector<TempoChange>& tempo_;
    ChannelSetup setup_;
    MidiTrackEvents events_;
    std::string error_;

    std::uint32_t cursor_ = 0;
    std::uint64_t steps_ = 0;
    int macroDepth_ = 0;
    bool started_ = false;  // a note or rest has been seen: commands now become events
    int octave_ = 4;
    int length_ = kTicksPerQuarter;
    int velocity_ = 90;
    int gate_ = 7;
    int transpose_ = 0;

    // The note (or chord) that sounds now and has not been released yet.
    std::vector<int> held_;
    std::uint32_t heldStart_ = 0;
    std::uint32_t heldLength_ = 0;
    int heldGate_ = 8;
    bool tieNext_ = false;
    SourcePos tiePos_;

    bool fail(SourcePos p, const std::string& message) {
        error_ = score_.file + ":" + std::to_string(p.line) + ":" + std::to_string(p.col) + ": " +
                 message;
        return false;
    }

    std::uint8_t channelStatus(std::uint8_t kind) const {
        return static_cast<std::uint8_t>(kind | track_.channel);
    }

    bool add(MidiEvent e, SourcePos p) {
        if (events_.size() >= kMaxEvents) {
            return fail(p, "the piece has too many events (runaway repeats?)");
        }
        events_.push_back(std::move(e));
        return true;
    }

    // Releases the held notes: at `at` when given (a slur), else after the gate of their last part.
    void releaseHeld(std::optional<std::uint32_t> at) {
        const std::uint32_t gated =
            heldStart_ + std::max<std::uint32_t>(1, heldLength_ * heldGate_ / 8);
        for (int pitch : held_) {
            events_.push_back(channelEvent(at.value_or(gated), EventRank::NoteOff,
                                           channelStatus(0x90), static_cast<std::uint8_t>(pitch),
                                           0));
        }
        held_.clear();
    }

    std::optional<std::uint32_t> resolveLength(const Node& n) {
        std::uint32_t total = 0;
        for (const LengthSpec& l : n.lengths) {
            int ticks = l.ticks < 0 ? length_ : l.ticks;
            int part = ticks;
            for (int i = 0; i < l.dots; ++i) {
                if (part % 2 != 0) {
                    fail(n.pos, "this dotted length is not a whole number of ticks");
                    return std::nullopt;
                }
                part /= 2;
                ticks += part;
            }
            total += static_cast<std::uint32_t>(ticks);
        }
        return total;
    }

    bool advance(std::uint32_t ticks, SourcePos p) {
        cursor_ += ticks;
        if (cursor_ > kMaxTicks) {
            return fail(p, "the piece is longer than an hour (runaway repeats?)");
        }
        return true;
    }

    bool playNote(const Node& n) {
        const auto length = resolveLength(n);
        if (!length) {
            return false;
        }
        std::vector<int> pitches;
        for (const Pitch& p : n.pitches) {
            const int midi =
                p.absolute ? p.number : 12 * (octave_ + 1 + p.octaveShift) + p.number + transpose_;
            if (midi < 0 || midi > 127) {
                return fail(n.pos, "note " + std::to_string(midi) + " is outside 0..127");
            }
            if (std::find(pitches.begin(), pitches.end(), midi) == pitches.end()) {
                pitches.push_back(midi);
            }
        }
        started_ = true;
        std::vector<int> kept;
        if (tieNext_) {
            // Tied pitches go on sounding; the others end exactly where this note starts.
            std::vector<int> released;
            for (int h : held_) {
                (std::find(pitches.begin(), pitches.end(), h) != pitches.end() ? kept : released)
                    .push_back(h);
            }
            held_ = released;
            releaseHeld(cursor_);
            tieNext_ = false;
        } else {
            releaseHeld(std::nullopt);
        }
        for (int p : pitches) {
            if (std::find(kept.begin(), kept.end(), p) == kept.end()) {
                if (!add(channelEvent(cursor_, EventRank::NoteOn, channelStatus(0x90),
                                      static_cast<std::uint8_t>(p),
                                      static_cast<std::uint8_t>(velocity_)),
                         n.pos)) {
                    return false;
                }
            }
        }
        held_ = pitches;
        heldStart_ = cursor_;
        heldLength_ = *length;
        heldGate_ = gate_;
        return advance(*length, n.pos);
    }

    bool control(const Node& n, std::uint8_t status, int a, std::optional<int> b, int field) {
        if (!started_ && field >= 0) {
            setup_.values[field] = b.value_or(a);
            setup_.where[field] = n.pos;
            return true;
        }
        if (b) {
            return add(channelEvent(cursor_, EventRank::Setup, status, static_cast<std::uint8_t>(a),
                                    static_cast<std::uint8_t>(*b)),
                       n.pos);
        }
        return add(channelEvent(cursor_, EventRank::Setup, status, static_cast<std::uint8_t>(a)),
                   n.pos);
    }

    static int setupFieldFor(int controller) {
        for (int f = 0; f < kSetupFields; ++f) {
            if (kSetupControllers[f] == controller) {
                return f;
            }
        }
        return -1;
    }

    bool walkNode(const Node& n) {
        if (++steps_ > kMaxSteps) {
            return fail(n.pos, "the piece takes too many steps to play (runaway repeats?)");
        }
        if (tieNext_ && n.kind == NodeKind::Rest) {
            return fail(tiePos_, "'&' must be followed by a note, not a rest");
        }
        switch (n.kind) {
            case NodeKind::Note:
                return playNote(n);
            case NodeKind::Rest: {
                const auto length = resolveLength(n);
                if (!length) {
                    return false;
                }
                started_ = true;
                releaseHeld(std::nullopt);
                return advance(*length, n.pos);
            }
            case NodeKind::Tie:
                if (held_.empty()) {
                    return fail(n.pos, "'&' has no note before it to join");
                }
                if (tieNext_) {
                    return fail(n.pos, "'&' twice in a row");
                }
                tieNext_ = true;
                tiePos_ = n.pos;
                return true;
            case NodeKind::Octave:
                octave_ = n.value;
                return true;
            case NodeKind::OctaveUp:
            case NodeKind::OctaveDown:
                octave_ += n.kind == NodeKind::OctaveUp ? 1 : -1;
                if (octave_ < -1 || octave_ > 10) {
                    return fail(n.pos, "octave out of range");
                }
                return true;
            case NodeKind::DefaultLength: {
                const auto length = resolveLength(n);
                if (!length) {
                    return false;
                }
                length_ = static_cast<int>(*length);
                return true;
            }
            case NodeKind::Velocity:
                velocity_ = n.value;
                return true;
            case NodeKind::VelocityRelative:
                velocity_ = std::clamp(velocity_ + n.value, 1, 127);
                return true;
            case NodeKind::Gate:
                gate_ = n.value;
                return true;
            case NodeKind::Program:
                return control(n, channelStatus(0xC0), n.value, std::nullopt, kProgram);
            case NodeKind::Controller:
                return control(n, channelStatus(0xB0), n.controller, n.value,
                               setupFieldFor(n.controller));
            case NodeKind::Tempo:
                tempo_.push_back({cursor_, n.value});
                return true;
            case NodeKind::Transpose:
                transpose_ = n.value;
                return true;
            case NodeKind::BarCheck: {
                const std::uint32_t bar =
                    kWholeNote * score_.timeNumerator / score_.timeDenominator;
                if (cursor_ % bar != 0) {
                    return fail(n.pos, "bar check: " + std::to_string(cursor_ % bar) +
                                           " ticks into bar " + std::to_string(cursor_ / bar + 1) +
                                           " (a bar is " + std::to_string(bar) +
                                           " ticks, a quarter 480)");
                }
                return true;
            }
            case NodeKind::Loop:
                for (int i = 0; i < n.value; ++i) {
                    const bool last = i == n.value - 1;
                    for (const Node& b : n.body) {
                        if (b.kind == NodeKind::LoopBreak && last) {
                            break;
                        }
                        if (!walkNode(b)) {
                            return false;
                        }
                    }
                }
                return true;
            case NodeKind::LoopBreak:
                return true;
            case NodeKind::Macro: {
                if (macroDepth_ >= kMaxMacroDepth) {
                    return fail(n.pos, "macros nested more than " + std::to_string(kMaxMacroDepth) +
                                           " deep");
                }
                ++macroDepth_;
                const bool ok = walk(*n.macro);
                --macroDepth_;
                return ok;
            }
        }
        return true;
    }

    bool walk(const std::vector<Node>& nodes) {
        for (const Node& n : nodes) {
            if (!walkNode(n)) {
                return false;
            }
        }
        return true;
    }
};

std::vector<std::uint8_t> tempoBytes(int bpm) {
    const std::uint32_t usPerQuarter = 60'000'000u / static_cast<std::uint32_t>(bpm);
    return {static_cast<std::uint8_t>(usPerQuarter >> 16),
            static_cast<std::uint8_t>(usPerQuarter >> 8), static_cast<std::uint8_t>(usPerQuarter)};
}

}  // namespace

Result<std::vector<std::uint8_t>> compileScore(const Score& score) {
    std::vector<TempoChange> tempo;
    std::vector<MidiTrackEvents> tracks(1);
    std::uint32_t end = 0;
    std::vector<TrackWalker> walkers;
    walkers.reserve(score.tracks.size());
    ChannelSetup channels[16];
    int firstTrack[16];
    std::fill(std::begin(firstTrack), std::end(firstTrack), -1);
    for (const Track& track : score.tracks) {
        TrackWalker& walker = walkers.emplace_back(score, track, tempo);
        if (!walker.run()) {
            return makeError(walker.error());
        }
        end = std::max(end, walker.endTick());
        ChannelSetup& merged = channels[track.channel];
        if (firstTrack[track.channel] < 0) {
            firstTrack[track.channel] = static_cast<int>(walkers.size() - 1);
        }
        for (int f = 0; f < kSetupFields; ++f) {
            const auto& mine = walker.setup().values[f];
            if (!mine) {
                continue;
            }
            if (merged.values[f] && *merged.values[f] != *mine) {
                const SourcePos p = walker.setup().where[f];
                return makeError(score.file + ":" + std::to_string(p.line) + ":" +
                                 std::to_string(p.col) + ": channel " +
                                 std::to_string(track.channel + 1) + " already has " +
                                 kSetupNames[f] + " " + std::to_string(*merged.values[f]) +
                                 " from another part");
            }
            merged.values[f] = mine;
            merged.where[f] = walker.setup().where[f];
        }
    }
    for (std::size_t i = 0; i < walkers.size(); ++i) {
        const int ch = score.tracks[i].channel;
        tracks.push_back(
            walkers[i].takeEvents(firstTrack[ch] == static_cast<int>(i) ? &channels[ch] : nullptr));
    }
    if (end == 0) {
        return makeError(score.file + ": the piece has no notes or rests");
    }

    MidiTrackEvents& conductor = tracks[0];
    conductor.push_back(metaText(0, 0x03, score.title));
    int log2Den = 0;
    while ((1 << log2Den) < score.timeDenominator) {
        ++log2Den;
    }
    conductor.push_back(metaEvent(0, 0x58,
                                  {static_cast<std::uint8_t>(score.timeNumerator),
                                   static_cast<std::uint8_t>(log2Den), 24, 8}));
    // A T at tick 0 in any part replaces the header tempo rather than following it.
    int initial = score.tempo;
    for (const TempoChange& t : tempo) {
        if (t.tick == 0) {
            initial = t.bpm;
        }
    }
    conductor.push_back(metaEvent(0, 0x51, tempoBytes(initial)));
    std::stable_sort(tempo.begin(), tempo.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    for (const TempoChange& t : tempo) {
        if (t.tick > 0 && t.tick < end) {
            conductor.push_back(metaEvent(t.tick, 0x51, tempoBytes(t.bpm)));
        }
    }
    return writeSmf(std::move(tracks), end, kTicksPerQuarter);
}

Result<std::vector<std::uint8_t>> compileMml(std::string_view text, const std::string& file) {
    auto score = parseMml(text, file);
    if (!score) {
        return makeError(score.error());
    }
    return compileScore(*score);
}

}  // namespace velko::musicgen
