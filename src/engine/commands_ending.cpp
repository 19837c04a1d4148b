// The ending commands ES, EH and ET. The staff roll and the closing caption are not built
// yet: the commands show their picture, record what they were asked and stop for a click.

#include "effects/cross_hatch.h"
#include "engine/engine.h"
#include "engine/script/arguments.h"
#include "engine/trace_text.h"

namespace velko::engine {

using script::Opcode;

Status Engine::endingCommand(Opcode op, std::u16string_view line, bool& stop) {
    const auto argument = script::argumentOf(line);
    auto& form = *frmMain_;
    if (op == Opcode::ES || op == Opcode::EH) {
        const auto name = script::parseAssetName(op, argument);
        if (!name) {
            return makeError(name.error());
        }
        loadPicture(form.picBmp, *name);
        auto hatch = objCrossHatch;
        hatch->PlayFade(0, 0);
        blnBusy = true;
        host_.trace.event("stub", std::string(script::opcodeName(op)) + " " + traceText(*name));
        if (op == Opcode::EH) {
            hatch->MessageHatch(40, 360, 560, 160);
        }
        blnBusy = false;
    } else {
        blnBusy = true;
        form.RightButtonClickFlag = false;
        host_.trace.event("stub", "ET");
        blnBusy = false;
    }
    stop = true;
    return Ok{};
}

}  // namespace velko::engine
