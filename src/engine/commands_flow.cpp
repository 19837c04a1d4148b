// The flow commands: JP, IF, WT, KS, KC, KO, KR, FR and ED.

#include "engine/engine.h"
#include "script/arguments.h"

namespace velko::engine {

using script::Opcode;

Status Engine::flowCommand(Opcode op, std::u16string_view line, bool& stop) {
    const auto argument = script::argumentOf(line);
    switch (op) {
        case Opcode::JP: {
            const auto target = script::parseJump(argument);
            if (!target) {
                return makeError(target.error());
            }
            intLineNumber = static_cast<std::int16_t>(*target - 1);
            break;
        }
        case Opcode::IF: {
            const auto target = script::IfJump(argument, intPoint);
            if (!target) {
                return makeError(target.error());
            }
            if (*target < script::kFirstLineNumber || *target > script::kLastLineNumber) {
                return makeError("IF target " + std::to_string(*target) + " is outside 1 to 32767");
            }
            intLineNumber = static_cast<std::int16_t>(*target - 1);
            break;
        }
        case Opcode::WT: {
            const auto ms = script::parseWait(argument);
            if (!ms) {
                return makeError(ms.error());
            }
            // A plain pause: no events, no repaint; clicks wait in the queue.
            host_.sleep(static_cast<std::uint32_t>(*ms));
            break;
        }
        case Opcode::KS:
            stop = true;
            break;
        case Opcode::KC:
            frmMain_->KeyStop = true;
            break;
        case Opcode::KO:
            frmMain_->KeyStop = false;
            break;
        case Opcode::KR: {
            const auto allow = script::parseRightClick(argument);
            if (!allow) {
                return makeError(allow.error());
            }
            frmMain_->RightButtonClickFlag = *allow;
            break;
        }
        case Opcode::FR:
            setPoints(0);
            break;
        case Opcode::ED:
            endStory();
            EndEngine();
            unloadMainWindow();
            stop = true;
            break;
        default:
            break;
    }
    return Ok{};
}

}  // namespace velko::engine
