#pragma once

// The parsed form of a music source: header settings, and for every track a tree of commands.
// Lengths that depend on the walking state (the default length `l`) stay unresolved here;
// the compiler resolves them while it walks the tree.

#include <memory>
#include <string>
#include <vector>

namespace velko::musicgen {

// Ticks per quarter note in every file we write; a whole note is four of them.
inline constexpr int kTicksPerQuarter = 480;
inline constexpr int kWholeNote = 4 * kTicksPerQuarter;

struct SourcePos {
    int line = 0;
    int col = 0;
};

// One pitch of a note or chord. Letter pitches follow the octave and transpose state;
// raw note numbers and drum names are absolute.
struct Pitch {
    bool absolute = false;
    int number = 0;  // absolute: the MIDI note; otherwise the semitone above C (may be <0 or >11)
    int octaveShift = 0;  // octaves added inside a chord by < and >
};

// One length as written: `ticks` < 0 means the default length of the moment.
struct LengthSpec {
    int ticks = -1;
    int dots = 0;
};

enum class NodeKind {
    Note,        // pitches, lengths
    Rest,        // lengths
    Tie,         // &
    Octave,      // value
    OctaveUp,    // >
    OctaveDown,  // <
    DefaultLength,
    Velocity,          // value
    VelocityRelative,  // value (signed)
    Gate,              // value 1..8
    Program,           // value 0..127
    Controller,        // controller, value
    Tempo,             // value: beats per minute
    Transpose,         // value (signed semitones)
    Loop,              // body, value = repeat count
    LoopBreak,         // :
    BarCheck,          // |
    Macro,             // macro
};

struct Node {
    NodeKind kind = NodeKind::Rest;
    SourcePos pos;
    int value = 0;
    int controller = 0;
    std::vector<Pitch> pitches;
    std::vector<LengthSpec> lengths;  // summed: the first as written, then every ^ extension
    std::vector<Node> body;
    std::shared_ptr<const std::vector<Node>> macro;
    std::string name;
};

struct Track {
    std::string name;
    int channel = 0;  // 0-based: drums are 9
    SourcePos pos;
    std::vector<Node> body;
};

struct Score {
    std::string file;  // for messages
    std::string title;
    int tempo = 120;
    int timeNumerator = 4;
    int timeDenominator = 4;
    std::vector<Track> tracks;
};

}  // namespace velko::musicgen
