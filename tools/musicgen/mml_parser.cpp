#include "mml_parser.h"

#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <utility>

namespace velko::musicgen {
namespace {

struct DrumName {
    std::string_view name;
    int key;
};

constexpr std::array kDrums = {
    DrumName{"kick", 36},     DrumName{"bassdrum", 35},   DrumName{"rim", 37},
    DrumName{"snare", 38},    DrumName{"clap", 39},       DrumName{"esnare", 40},
    DrumName{"lowtom", 45},   DrumName{"hat", 42},        DrumName{"pedalhat", 44},
    DrumName{"ohat", 46},     DrumName{"midtom", 47},     DrumName{"hitom", 50},
    DrumName{"crash", 49},    DrumName{"ride", 51},       DrumName{"china", 52},
    DrumName{"bell", 53},     DrumName{"tambourine", 54}, DrumName{"splash", 55},
    DrumName{"cowbell", 56},  DrumName{"crashb", 57},     DrumName{"rideb", 59},
    DrumName{"hibongo", 60},  DrumName{"lobongo", 61},    DrumName{"conga", 63},
    DrumName{"timbale", 65},  DrumName{"agogo", 67},      DrumName{"cabasa", 69},
    DrumName{"maracas", 70},  DrumName{"whistle", 71},    DrumName{"guiro", 74},
    DrumName{"claves", 75},   DrumName{"woodblock", 76},  DrumName{"lowblock", 77},
    DrumName{"triangle", 81}, DrumName{"shaker", 82},     DrumName{"jingle", 83},
    DrumName{"chimes", 84},   DrumName{"castanets", 85},  DrumName{"surdo", 87},
};

// Deep enough for any piece, shallow enough that parsing never exhausts the stack.
constexpr int kMaxLoopDepth = 32;

// Semitones above C of the letters a..g.
constexpr std::array<int, 7> kLetterSemitone = {9, 11, 0, 2, 4, 5, 7};

struct Line {
    int number;
    std::string text;
};

// Walks the body lines of one track or macro as a single stream; a line end is a blank.
class BodyParser {
public:
    BodyParser(const std::vector<Line>& lines, const std::string& file,
               const std::map<std::string, std::shared_ptr<const std::vector<Node>>>& macros)
        : lines_(lines), file_(file), macros_(macros) {}

    std::optional<std::vector<Node>> parse() {
        std::vector<Node> out;
        if (!parseSequence(out, 0)) {
            return std::nullopt;
        }
        return out;
    }

    const std::string& error() const { return error_; }

private:
    const std::vector<Line>& lines_;
    const std::string& file_;
    const std::map<std::string, std::shared_ptr<const std::vector<Node>>>& macros_;
    std::size_t line_ = 0;
    std::size_t col_ = 0;
    std::string error_;

    bool atEnd() {
        skipBlank();
        return line_ >= lines_.size();
    }

    // Blanks and comments; never crosses into the next line inside a token.
    void skipBlank() {
        while (line_ < lines_.size()) {
            const std::string& t = lines_[line_].text;
            while (col_ < t.size() && (t[col_] == ' ' || t[col_] == '\t' || t[col_] == '\r')) {
                ++col_;
            }
            if (col_ < t.size() && t[col_] != ';') {
                return;
            }
            ++line_;
            col_ = 0;
        }
    }

    char peek() const {
        if (line_ >= lines_.size() || col_ >= lines_[line_].text.size()) {
            return '\0';
        }
        return lines_[line_].text[col_];
    }

    SourcePos pos() const {
        if (line_ >= lines_.size()) {
            return lines_.empty() ? SourcePos{} : SourcePos{lines_.back().number, 1};
        }
        return {lines_[line_].number, static_cast<int>(col_) + 1};
    }

    bool fail(SourcePos p, const std::string& message) {
        error_ =
            file_ + ":" + std::to_string(p.line) + ":" + std::to_string(p.col) + ": " + message;
        return false;
    }

    std::optional<int> readNumber() {
        if (!std::isdigit(static_cast<unsigned char>(peek()))) {
            return std::nullopt;
        }
        long value = 0;
        while (std::isdigit(static_cast<unsigned char>(peek()))) {
            value = value * 10 + (peek() - '0');
            if (value > 1000000) {
                value = 1000000;  // reported as out of range by the caller
            }
            ++col_;
        }
        return static_cast<int>(value);
    }

    std::optional<int> readSigned() {
        int sign = 1;
        if (peek() == '+' || peek() == '-') {
            sign = peek() == '-' ? -1 : 1;
            ++col_;
        }
        const auto n = readNumber();
        if (!n) {
            return std::nullopt;
        }
        return sign * *n;
    }

    std::string readWord() {
        std::string w;
        while (std::isalnum(static_cast<unsigned char>(peek())) || peek() == '_') {
            w.push_back(peek());
            ++col_;
        }
        return w;
    }

    // A length as written after a note, rest, chord, ^ or l: digits (optional) and dots.
    bool readLength(LengthSpec& out, bool required) {
        const SourcePos p = pos();
        if (const auto n = readNumber()) {
            if (*n < 1 || *n > kWholeNote || kWholeNote % *n != 0) {
                return fail(p, "length " + std::to_string(*n) +
                                   " does not divide a whole note into whole ticks");
            }
            out.ticks = kWholeNote / *n;
        } else if (required) {
            return fail(p, "a length is expected here");
        }
        while (peek() == '.') {
            ++out.dots;
            ++col_;
        }
        if (out.ticks > 0) {
            int part = out.ticks;
            for (int i = 0; i < out.dots; ++i) {
                if (part % 2 != 0) {
                    return fail(p, "this dotted length is not a whole number of ticks");
                }
                part /= 2;
            }
        }
        return true;
    }

    // The length after a note or chord, then any ^ extensions.
    bool readLengths(Node& n) {
        LengthSpec first;
        if (!readLength(first, false)) {
            return false;
        }
        n.lengths.push_back(first);
        for (;;) {
            skipBlank();
            if (peek() != '^') {
                return true;
            }
            ++col_;
            LengthSpec more;
            if (!readLength(more, false)) {
                return false;
            }
            n.lengths.push_back(more);
        }
    }

    void readAccidentals(int& semitone) {
        for (;;) {
            const char c = peek();
            if (c == '+' || c == '#') {
                ++semitone;
            } else if (c == '-') {
                --semitone;
            } else {
                return;
            }
            ++col_;
        }
    }

    bool readDrum(Pitch& out) {
        const SourcePos p = pos();
        ++col_;  // %
        std::string name;
        while (std::isalpha(static_cast<unsigned char>(peek()))) {
            name.push_back(peek());
            ++col_;
        }
        const int key = drumKey(name);
        if (key < 0) {
            return fail(p, "unknown drum name '%" + name + "'");
        }
        out.absolute = true;
        out.number = key;
        return true;
    }

    bool readRawNote(Pitch& out) {
        const SourcePos p = pos();
        ++col_;  // n
        const auto n = readNumber();
        if (!n || *n > 127) {
            return fail(p, "'n' needs a MIDI note number 0..127");
        }
        out.absolute = true;
        out.number = *n;
        // A raw note's length is separated by a comma: n38,8.
        if (peek() == ',') {
            ++col_;
        }
        return true;
    }

    bool parseChord(Node& node) {
        ++col_;  // {
        int shift = 0;
        for (;;) {
            skipBlank();
            const SourcePos p = pos();
            const char c = peek();
            if (c == '}') {
                ++col_;
                break;
            }
            if (c == '\0') {
                return fail(node.pos, "chord '{' is not closed");
            }
            Pitch pitch;
            if (c >= 'a' && c <= 'g') {
                ++col_;
                pitch.number = kLetterSemitone[c - 'a'];
                readAccidentals(pitch.number);
                pitch.octaveShift = shift;
            } else if (c == 'n') {
                if (!readRawNote(pitch)) {
                    return false;
                }
            } else if (c == '%') {
                if (!readDrum(pitch)) {
                    return false;
                }
            } else if (c == '<' || c == '>') {
                shift += c == '>' ? 1 : -1;
                ++col_;
                continue;
            } else {
                return fail(p, std::string("'") + c + "' cannot stand inside a chord");
            }
            node.pitches.push_back(pitch);
        }
        if (node.pitches.empty()) {
            return fail(node.pos, "empty chord");
        }
        return readLengths(node);
    }

    bool parseUpperCase(std::vector<Node>& out) {
        const SourcePos p = pos();
        std::string word;
        while (std::isupper(static_cast<unsigned char>(peek()))) {
            word.push_back(peek());
            ++col_;
        }
        const auto value = readSigned();
        if (!value) {
            return fail(p, "'" + word + "' needs a number");
        }
        Node n;
        n.pos = p;
        n.value = *value;
        auto ranged = [&](int lo, int hi) {
            if (*value < lo || *value > hi) {
                return fail(p, "'" + word + "' takes " + std::to_string(lo) + ".." +
                                   std::to_string(hi) + ", not " + std::to_string(*value));
            }
            return true;
        };
        static const std::map<std::string, int> kControllers = {
            {"V", 7}, {"P", 10}, {"E", 11}, {"REV", 91}, {"CHO", 93}};
        if (word == "T") {
            if (!ranged(20, 400)) {
                return false;
            }
            n.kind = NodeKind::Tempo;
        } else if (word == "K") {
            if (!ranged(-36, 36)) {
                return false;
            }
            n.kind = NodeKind::Transpose;
        } else if (word == "PED") {
            if (!ranged(0, 1)) {
                return false;
            }
            n.kind = NodeKind::Controller;
            n.controller = 64;
            n.value = *value ? 127 : 0;
        } else if (const auto it = kControllers.find(word); it != kControllers.end()) {
            if (!ranged(0, 127)) {
                return false;
            }
            n.kind = NodeKind::Controller;
            n.controller = it->second;
        } else {
            return fail(p, "unknown command '" + word + "'");
        }
        out.push_back(std::move(n));
        return true;
    }

    bool parseValue(std::vector<Node>& out, NodeKind kind, int lo, int hi, const char* what) {
        const SourcePos p = pos();
        ++col_;
        const auto value = readNumber();
        if (!value || *value < lo || *value > hi) {
            return fail(p, std::string(what) + " needs a number " + std::to_string(lo) + ".." +
                               std::to_string(hi));
        }
        Node n;
        n.kind = kind;
        n.pos = p;
        n.value = *value;
        out.push_back(std::move(n));
        return true;
    }

    // Parses until the end of the block (depth 0) or the ] that closes a loop.
    bool parseSequence(std::vector<Node>& out, int depth) {
        for (;;) {
            if (atEnd()) {
                return true;
            }
            const SourcePos p = pos();
            const char c = peek();
            Node n;
            n.pos = p;
            if (c >= 'a' && c <= 'g') {
                ++col_;
                Pitch pitch;
                pitch.number = kLetterSemitone[c - 'a'];
                readAccidentals(pitch.number);
                n.kind = NodeKind::Note;
                n.pitches.push_back(pitch);
                if (!readLengths(n)) {
                    return false;
                }
            } else if (c == 'n' || c == '%') {
                Pitch pitch;
                if (!(c == 'n' ? readRawNote(pitch) : readDrum(pitch))) {
                    return false;
                }
                n.kind = NodeKind::Note;
                n.pitches.push_back(pitch);
                if (!readLengths(n)) {
                    return false;
                }
            } else if (c == '{') {
                n.kind = NodeKind::Note;
                if (!parseChord(n)) {
                    return false;
                }
            } else if (c == 'r') {
                ++col_;
                n.kind = NodeKind::Rest;
                if (!readLengths(n)) {
                    return false;
                }
            } else if (c == '&') {
                ++col_;
                n.kind = NodeKind::Tie;
            } else if (c == '^') {
                return fail(p, "'^' must follow a note or rest");
            } else if (c == '>' || c == '<') {
                ++col_;
                n.kind = c == '>' ? NodeKind::OctaveUp : NodeKind::OctaveDown;
            } else if (c == 'o') {
                if (!parseValue(out, NodeKind::Octave, 0, 9, "'o'")) {
                    return false;
                }
                continue;
            } else if (c == 'l') {
                ++col_;
                LengthSpec len;
                if (!readLength(len, true)) {
                    return false;
                }
                n.kind = NodeKind::DefaultLength;
                n.lengths.push_back(len);
            } else if (c == 'v') {
                ++col_;
                const bool relative = peek() == '+' || peek() == '-';
                const auto value = readSigned();
                if (!value || (!relative && (*value < 1 || *value > 127)) ||
                    (relative && (*value < -126 || *value > 126))) {
                    return fail(p, "'v' needs a velocity 1..127 or a change such as v+8");
                }
                n.kind = relative ? NodeKind::VelocityRelative : NodeKind::Velocity;
                n.value = *value;
            } else if (c == 'q') {
                if (!parseValue(out, NodeKind::Gate, 1, 8, "'q'")) {
                    return false;
                }
                continue;
            } else if (c == '@') {
                if (!parseValue(out, NodeKind::Program, 0, 127, "'@'")) {
                    return false;
                }
                continue;
            } else if (std::isupper(static_cast<unsigned char>(c))) {
                if (!parseUpperCase(out)) {
                    return false;
                }
                continue;
            } else if (c == '[') {
                if (depth >= kMaxLoopDepth) {
                    return fail(
                        p, "loops nested more than " + std::to_string(kMaxLoopDepth) + " deep");
                }
                ++col_;
                n.kind = NodeKind::Loop;
                if (!parseSequence(n.body, depth + 1)) {
                    return false;
                }
                if (peek() != ']') {
                    return fail(p, "loop '[' is not closed");
                }
                ++col_;
                const SourcePos countPos = pos();
                n.value = readNumber().value_or(2);
                if (n.value < 1 || n.value > 999) {
                    return fail(countPos, "a loop repeats 1..999 times");
                }
                int breaks = 0;
                for (const Node& b : n.body) {
                    breaks += b.kind == NodeKind::LoopBreak;
                }
                if (breaks > 1) {
                    return fail(p, "a loop has at most one ':'");
                }
            } else if (c == ']') {
                if (depth == 0) {
                    return fail(p, "']' without a loop");
                }
                return true;
            } else if (c == ':') {
                if (depth == 0) {
                    return fail(p, "':' outside a loop");
                }
                ++col_;
                n.kind = NodeKind::LoopBreak;
            } else if (c == '|') {
                ++col_;
                n.kind = NodeKind::BarCheck;
            } else if (c == '$') {
                ++col_;
                n.name = readWord();
                const auto it = macros_.find(n.name);
                if (it == macros_.end()) {
                    return fail(p,
                                "unknown macro '$" + n.name + "' (macros are defined before use)");
                }
                n.kind = NodeKind::Macro;
                n.macro = it->second;
            } else {
                return fail(p, std::string("unexpected '") + c + "'");
            }
            out.push_back(std::move(n));
        }
    }
};

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view stripComment(std::string_view s) {
    const auto semi = s.find(';');
    return semi == std::string_view::npos ? s : s.substr(0, semi);
}

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::optional<int> parseInt(std::string_view s) {
    if (s.empty() || s.size() > 6) {
        return std::nullopt;
    }
    int v = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

int drumKey(std::string_view name) {
    for (const DrumName& d : kDrums) {
        if (d.name == name) {
            return d.key;
        }
    }
    return -1;
}

Result<Score> parseMml(std::string_view text, const std::string& file) {
    Score score;
    score.file = file;
    std::map<std::string, std::shared_ptr<const std::vector<Node>>> macros;

    enum class BlockKind { None, Track, Macro };
    BlockKind block = BlockKind::None;
    std::string blockName;
    SourcePos blockPos;
    std::vector<Line> blockLines;
    Track pendingTrack;
    bool sawTempo = false;

    auto at = [&](int line, int col, const std::string& message) {
        return makeError(file + ":" + std::to_string(line) + ":" + std::to_string(col) + ": " +
                         message);
    };

    // Parses the lines gathered for the open block; false with `error` set on failure.
    std::string error;
    auto closeBlock = [&]() {
        if (block == BlockKind::None) {
            return true;
        }
        BodyParser parser(blockLines, file, macros);
        auto body = parser.parse();
        if (!body) {
            error = parser.error();
            return false;
        }
        if (block == BlockKind::Track) {
            pendingTrack.body = std::move(*body);
            score.tracks.push_back(std::move(pendingTrack));
            pendingTrack = Track{};
        } else {
            macros[blockName] = std::make_shared<const std::vector<Node>>(std::move(*body));
        }
        block = BlockKind::None;
        blockLines.clear();
        return true;
    };

    int lineNo = 0;
    std::size_t start = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        start = 3;
    }
    while (start <= text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view raw = text.substr(start, end - start);
        ++lineNo;
        start = end + 1;

        const std::string_view content = trim(stripComment(raw));
        const std::size_t indent = raw.find_first_not_of(" \t");
        std::size_t wordEnd = 0;
        while (wordEnd < content.size() && isWordChar(content[wordEnd])) {
            ++wordEnd;
        }
        const std::string_view word = content.substr(0, wordEnd);
        const bool endsWord =
            wordEnd == content.size() || content[wordEnd] == ' ' || content[wordEnd] == '\t';
        const bool directive = endsWord && (word == "title" || word == "tempo" || word == "time" ||
                                            word == "macro" || word == "end" || word == "track");
        if (!directive) {
            if (content.empty()) {
                continue;
            }
            if (block == BlockKind::None) {
                return at(lineNo, static_cast<int>(indent) + 1, "notes outside a track or macro");
            }
            blockLines.push_back({lineNo, std::string(raw)});
            continue;
        }
        const int col = static_cast<int>(indent) + 1;
        if (block == BlockKind::Macro && word != "end") {
            return at(lineNo, col, "macro '" + blockName + "' has no 'end' before this line");
        }
        const std::string_view arg = trim(content.substr(wordEnd));
        // The title keeps its text whole: it may contain ';'.
        if (word == "title") {
            if (!closeBlock()) {
                return makeError(error);
            }
            const std::string_view full = trim(raw);
            score.title = std::string(trim(full.substr(5)));
            continue;
        }
        if (word == "end") {
            if (block != BlockKind::Macro) {
                return at(lineNo, col, "'end' without a macro");
            }
            if (!closeBlock()) {
                return makeError(error);
            }
            continue;
        }
        if (!closeBlock()) {
            return makeError(error);
        }
        if (word == "tempo") {
            const auto v = parseInt(arg);
            if (!v || *v < 20 || *v > 400) {
                return at(lineNo, col, "'tempo' needs beats per minute 20..400");
            }
            if (!score.tracks.empty() || sawTempo) {
                return at(lineNo, col, "'tempo' belongs once before the tracks (use T inside)");
            }
            sawTempo = true;
            score.tempo = *v;
        } else if (word == "time") {
            const auto slash = arg.find('/');
            const auto num = parseInt(arg.substr(0, slash));
            const auto den =
                slash == std::string_view::npos ? std::nullopt : parseInt(arg.substr(slash + 1));
            if (!num || !den || *num < 1 || *num > 32 ||
                (*den != 1 && *den != 2 && *den != 4 && *den != 8 && *den != 16)) {
                return at(lineNo, col, "'time' needs a signature such as 4/4 or 6/8");
            }
            if (!score.tracks.empty()) {
                return at(lineNo, col, "'time' belongs before the tracks");
            }
            score.timeNumerator = *num;
            score.timeDenominator = *den;
        } else if (word == "macro") {
            std::size_t n = 0;
            while (n < arg.size() && isWordChar(arg[n])) {
                ++n;
            }
            if (n == 0 || n != arg.size()) {
                return at(lineNo, col, "'macro' needs one name of letters, digits and _");
            }
            blockName = std::string(arg);
            if (macros.count(blockName) != 0) {
                return at(lineNo, col, "macro '" + blockName + "' is defined twice");
            }
            block = BlockKind::Macro;
        } else {  // track
            const auto space = arg.find_first_of(" \t");
            const auto channel =
                space == std::string_view::npos ? std::nullopt : parseInt(trim(arg.substr(space)));
            if (!channel || *channel < 1 || *channel > 16) {
                return at(lineNo, col, "'track' needs a name and a channel 1..16");
            }
            pendingTrack.name = std::string(arg.substr(0, space));
            pendingTrack.channel = *channel - 1;
            pendingTrack.pos = {lineNo, col};
            block = BlockKind::Track;
        }
    }
    if (block == BlockKind::Macro) {
        return makeError(file + ": macro '" + blockName + "' has no 'end'");
    }
    if (!closeBlock()) {
        return makeError(error);
    }
    if (score.tracks.empty()) {
        return makeError(file + ": no tracks");
    }
    return score;
}

}  // namespace velko::musicgen
