// The question QE: the question in the message window, then a Branch with the two answers
// on the screen. The loop stops; a press on an answer comes back through SetLineNumber and
// BranchSelect.

#include "branch/branch.h"
#include "engine/engine.h"
#include "script/arguments.h"

namespace velko::engine {

Status Engine::questionCommand(std::u16string_view line, bool& stop) {
    const auto question = script::parseQuestion(script::argumentOf(line));
    if (!question) {
        return makeError(question.error());
    }
    // Stays true while the answers own the mouse, which keeps the screen's own clicks out.
    // A question still open is replaced: it leaves the screen before the new one prints.
    objBranch.reset();
    stopSkip();
    blnBusy = true;
    printMessage(question->question);
    noteText();
    auto branch =
        std::make_shared<branch::Branch>([this](std::int16_t n) { SetLineNumber(n); },
                                         [this](std::int16_t points) { BranchSelect(points); });
    objBranch = branch;
    branch->setPictureBox(frmMain_->picDisp);
    branch->setCommand(line);
    if (const Status shown = branch->subBranchDisp(); !shown) {
        return makeError(shown.error());
    }
    stop = true;
    return Ok{};
}

}  // namespace velko::engine
