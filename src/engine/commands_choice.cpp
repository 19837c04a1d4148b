// Choices: the question QE, the button screen ZT/ZB/ZS/ZE and the wallpaper question KB.
// The choice objects themselves (button screens, questions) are not built yet: their
// commands check their arguments, record what they were asked in the trace and stop or go
// on as the script expects, so every script runs to its end.

#include "base/utf.h"
#include "engine/engine.h"
#include "engine/script/arguments.h"
#include "engine/trace_text.h"

namespace velko::engine {

using script::Opcode;

Status Engine::choiceCommand(Opcode op, std::u16string_view line, bool& stop) {
    const auto argument = script::argumentOf(line);
    const auto stub = [&] {
        host_.trace.event("stub", std::string(script::opcodeName(op)) + " " + traceText(argument));
    };
    switch (op) {
        case Opcode::QE: {
            const auto question = script::parseQuestion(argument);
            if (!question) {
                return makeError(question.error());
            }
            blnBusy = true;
            printMessage(question->question);
            stub();
            stop = true;
            break;
        }
        case Opcode::ZT: {
            const auto name = script::parseAssetName(op, argument);
            if (!name) {
                return makeError(name.error());
            }
            blnBusy = true;
            stub();
            break;
        }
        case Opcode::ZB: {
            const auto button = script::parseButton(argument);
            if (!button) {
                return makeError(button.error());
            }
            stub();
            break;
        }
        case Opcode::ZS:
            stub();
            stop = true;
            break;
        case Opcode::ZE:
            stub();
            break;
        case Opcode::KB: {
            const auto name = script::parseAssetName(op, argument);
            if (!name) {
                return makeError(name.error());
            }
            ui::MessageBoxSpec request;
            request.text = u"この画像を壁紙に設定しますか？";
            request.title = host_.window.caption();
            request.buttons = ui::Buttons::YesNo;
            request.icon = ui::Icon::Question;
            request.defaultButton = 1;
            const auto answer = ask(request);
            if (answer == platform::DialogAnswer::Yes) {
                if (const auto path = folder_.find(script::AssetFolder::Wall, *name)) {
                    const auto absolute = std::filesystem::absolute(*path);
                    host_.desktop.setWallpaper(absolute);
                    host_.trace.event("wallpaper", absolute.string());
                } else {
                    // As the system call did, a failed setting changes nothing and says nothing
                    // to the reader; the log names the file.
                    warn("Wall/" + utf16ToUtf8(*name) + ": not found");
                }
            }
            stop = true;
            break;
        }
        default:
            break;
    }
    return Ok{};
}

}  // namespace velko::engine
