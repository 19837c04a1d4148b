#include "script/opcode.h"

#include <array>

namespace velko::script {

namespace {

constexpr std::array<std::string_view, kOpcodeCount + 1> kNames = {
    "PA", "PK", "PB", "PL", "PF", "BD", "WM", "WS", "WA", "WR",  "WC", "MS",
    "MR", "MC", "QE", "JP", "IF", "WT", "KS", "KC", "KO", "KR",  "ZT", "ZB",
    "ZS", "ZE", "KB", "ST", "FR", "ES", "EH", "ET", "ED", "MSG",
};

}  // namespace

Opcode opcodeOf(std::u16string_view line) {
    const char16_t first = line.size() > 0 ? line[0] : u' ';
    const char16_t second = line.size() > 1 ? line[1] : u' ';
    for (int i = 0; i < kOpcodeCount; ++i) {
        if (first == kNames[i][0] && second == kNames[i][1]) {
            return static_cast<Opcode>(i);
        }
    }
    return Opcode::Message;
}

std::u16string_view argumentOf(std::u16string_view line) {
    return line.size() > 3 ? line.substr(3) : std::u16string_view();
}

std::string_view opcodeName(Opcode op) {
    return kNames[static_cast<int>(op)];
}

bool takesArgument(Opcode op) {
    switch (op) {
        case Opcode::PF:
        case Opcode::WC:
        case Opcode::MC:
        case Opcode::KS:
        case Opcode::KC:
        case Opcode::KO:
        case Opcode::ZS:
        case Opcode::ZE:
        case Opcode::ST:
        case Opcode::FR:
        case Opcode::ET:
        case Opcode::ED:
        case Opcode::Message:
            return false;
        default:
            return true;
    }
}

AssetFolder assetFolderOf(Opcode op) {
    switch (op) {
        case Opcode::PA:
        case Opcode::PK:
        case Opcode::PB:
        case Opcode::PL:
        case Opcode::BD:
        case Opcode::ES:
        case Opcode::EH:
        case Opcode::ZT:
            return AssetFolder::Bmp;
        case Opcode::WM:
        case Opcode::WS:
        case Opcode::WA:
        case Opcode::WR:
        case Opcode::MS:
        case Opcode::MR:
            return AssetFolder::Music;
        case Opcode::KB:
            return AssetFolder::Wall;
        default:
            return AssetFolder::None;
    }
}

std::string_view folderName(AssetFolder folder) {
    switch (folder) {
        case AssetFolder::Bmp:
            return "BMP";
        case AssetFolder::Music:
            return "Music";
        case AssetFolder::Wall:
            return "Wall";
        case AssetFolder::None:
            break;
    }
    return "";
}

Flow flowOf(Opcode op) {
    switch (op) {
        case Opcode::WM:
        case Opcode::KS:
        case Opcode::ES:
        case Opcode::EH:
        case Opcode::ET:
        case Opcode::Message:
            return Flow::WaitsForClick;
        case Opcode::JP:
        case Opcode::IF:
            return Flow::Jumps;
        case Opcode::QE:
        case Opcode::ZS:
        case Opcode::KB:
        case Opcode::ST:
            return Flow::WaitsElsewhere;
        case Opcode::ED:
            return Flow::Ends;
        default:
            return Flow::Continues;
    }
}

}  // namespace velko::script
