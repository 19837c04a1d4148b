#pragma once

// How a script line is read: the first two UTF-16 units are the opcode (blank-padded when
// the line is shorter), compared exactly; the argument runs from the fourth unit on. The
// third unit is a separator that is never looked at. A line that names no opcode is a
// message line, shown whole.

#include <string_view>

namespace velko::script {

// In the order the interpreter tests for them.
// clang-format off
enum class Opcode {
    PA, PK, PB, PL, PF, BD,
    WM, WS, WA, WR, WC, MS, MR, MC,
    QE, JP, IF, WT, KS, KC, KO, KR,
    ZT, ZB, ZS, ZE, KB, ST, FR,
    ES, EH, ET, ED,
    Message,
};
// clang-format on
inline constexpr int kOpcodeCount = 33;  // not counting Message

Opcode opcodeOf(std::u16string_view line);
std::u16string_view argumentOf(std::u16string_view line);

// "PA", ..., "ED", and "MSG" for a message line (the names in traces).
std::string_view opcodeName(Opcode op);

// PF, WC, MC, KS, KC, KO, ZS, ZE, ST, FR, ET and ED ignore whatever follows them.
bool takesArgument(Opcode op);

// The folder a file-name argument is looked up in.
enum class AssetFolder { None, Bmp, Music, Wall };
AssetFolder assetFolderOf(Opcode op);      // WM counts: its argument starts with a wave
std::string_view folderName(AssetFolder);  // "BMP", "Music", "Wall"

// What happens after the line has run.
enum class Flow {
    Continues,       // straight on to the next line
    WaitsForClick,   // stops; a click goes on with the next line (messages, WM, KS, ES, EH, ET)
    Jumps,           // JP, IF
    WaitsElsewhere,  // stops; a button, choice or title entry says where to go (QE, ZS, KB, ST)
    Ends,            // ED
};
Flow flowOf(Opcode op);

// True when the line after this one can run next without a jump.
inline bool fallsThrough(Opcode op) {
    const Flow flow = flowOf(op);
    return flow == Flow::Continues || flow == Flow::WaitsForClick;
}

}  // namespace velko::script
