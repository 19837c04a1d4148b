// The keys a reader has beyond reading on: the list of keys (F1) and the text history.

#include "engine/engine.h"
#include "message/history_view.h"

namespace velko::engine {

void Engine::showKeyHelp() {
    // Like a click, the key does nothing while a line runs (a fade, a reveal, a wait, the
    // staff roll) or the title is being built; an open box takes every key itself.
    if (ended_ || !frmMain_->loaded() || interpreterRunning() || buildingTitle_ ||
        frmMain_->KeyStop || host_.window.hasOverlay()) {
        return;
    }
    ui::MessageBoxSpec request;
    request.text =
        u"Enter／スペース／左クリック：文章を読み進める\n"
        u"右クリック：絵だけを見る・元に戻す\n"
        u"ホイール上／PageUp／↑：読んだ文章を読み返す\n"
        u"矢印キー／Tab：項目を選ぶ　Enter／スペース：決める\n"
        u"Ctrl（押している間）：読んだ文章を飛ばす\n"
        u"Tab：読んだ文章を飛ばす（入・切）\n"
        u"A：自動で読み進める（入・切）\n"
        u"－／＝：音量を下げる・上げる　M：音を消す\n"
        u"F10／Alt：メニュー　F11／Alt+Enter：全画面\n"
        u"F1：このキーの一覧";
    request.title = product_.title;
    request.buttons = ui::Buttons::Ok;
    request.icon = ui::Icon::Information;
    ask(request);
}

bool Engine::historyAvailable() const {
    return textWaits_ && !ended_ && frmMain_->loaded() && !interpreterRunning() && !blnBusy &&
           !frmMain_->KeyStop && !frmMain_->messageHidden() && !host_.window.hasOverlay() &&
           host_.window.enabled() && !history_.empty();
}

void Engine::openHistory() {
    if (!historyAvailable()) {
        return;
    }
    host_.trace.event("history", "open");
    if (message::showHistory(host_.window, host_.pump, history_)) {
        host_.trace.event("history", "close");
    }
}

}  // namespace velko::engine
