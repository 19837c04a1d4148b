#include "engine/frm_main.h"

#include "about/frm_about.h"
#include "engine/engine.h"
#include "platform/ui/message_box.h"

namespace velko::engine {

FrmMain::FrmMain(Engine& engine, platform::Host& host)
    : picDisp("picDisp", 640, 480, &host.fonts),
      picBmp("picBmp", 640, 480, &host.fonts),
      picBackBuff("picBackBuff", 640, 480, &host.fonts),
      picFPtarn("picFPtarn", 640, 480, &host.fonts),
      picBMP2("picBMP2", 100, 100, &host.fonts),
      engine_(engine),
      host_(host) {}

FrmMain::~FrmMain() {
    Form_Unload();
}

void FrmMain::Form_Load() {
    for (platform::Surface* s : {&picDisp, &picFPtarn, &picBmp, &picBackBuff}) {
        s->setSize(640, 480);
    }
    host_.window.setScreen(&picDisp);
    host_.window.setListener(this);
    host_.window.setCaption(engine_.product().title);
    // The menu items start disabled; the title screen and the story enable them.
    setMenuEnabled(ui::MenuItem::End, false);
    setMenuEnabled(ui::MenuItem::Help, false);
    setMenuEnabled(ui::MenuItem::Version, false);
    picDisp.subscribe(this);
    loaded_ = true;
}

void FrmMain::Form_Unload() {
    if (!loaded_) {
        return;
    }
    loaded_ = false;
    picDisp.unsubscribe(this);
    if (host_.window.screen() == &picDisp) {
        host_.window.setListener(nullptr);
    }
}

void FrmMain::Form_QueryClose() {
    engine_.closeRequested();
}

void FrmMain::onMenuCommand(platform::MenuCommand command) {
    if (command == platform::MenuCommand::End) {
        mnuEnd_Click();
    } else {
        mnuVer_Click();
    }
}

void FrmMain::mnuEnd_Click() {
    // A menu command handled while the interpreter runs is refused: it would build the
    // title screen under a running line.
    if (KeyStop || !MenuClickFlag || engine_.interpreterRunning()) {
        return;
    }
    ui::MessageBoxSpec request;
    request.text = u"ﾀｲﾄﾙに戻りますか？";
    request.title = engine_.product().title;
    request.buttons = ui::Buttons::YesNoCancel;
    request.icon = ui::Icon::Question;
    request.defaultButton = 1;
    const auto answer = engine_.ask(request);
    if (!answer) {
        return;
    }
    switch (*answer) {
        case platform::DialogAnswer::Yes:
            blnMessageHidden = false;
            engine_.ShowTitle();
            break;
        case platform::DialogAnswer::No:
            engine_.unloadMainWindow();
            break;
        default:
            break;
    }
}

void FrmMain::mnuVer_Click() {
    // Unlike the end command this one may come between two lines of a running script: the
    // dialog changes nothing, so the script goes on where it was once it is closed.
    if (!MenuClickFlag) {
        return;
    }
    const Product& product = engine_.product();
    about::FrmAbout frmAbout(host_,
                             about::aboutText(product.title, product.rights, product.homepage));
    frmAbout.Show();
}

void FrmMain::onMouseDown(const platform::MouseEvent& e) {
    picDisp_MouseDown(e.button, e.shift, e.x, e.y);
}

void FrmMain::onKeyDown(const std::string& key, int shift) {
    // The title menu, a button screen or a question takes its keys first (guarded as its
    // clicks are); what none of them wants falls to the reader's keys below.
    if (loaded_ && picDisp.keyDown(key, shift)) {
        return;
    }
    if (key == "F1") {
        engine_.showKeyHelp();
        return;
    }
    if (key == "PageUp" || key == "Up") {
        engine_.openHistory();
        return;
    }
    // Return and space read on like a left click on the screen, with the same guards.
    if (key == "Return" || key == "Space" || key == "Keypad Enter") {
        picDisp_MouseDown(platform::kLeftButton, shift, 0, 0);
    } else {
        engine_.readerKey(key, shift);
    }
}

void FrmMain::onWheel(int notches) {
    if (notches > 0) {
        engine_.openHistory();
    }
}

void FrmMain::picDisp_MouseDown(int button, int /*shift*/, double /*x*/, double /*y*/) {
    if (engine_.blnBusy || KeyStop) {
        return;
    }
    if (button == platform::kLeftButton) {
        // A click that arrives while the interpreter is still running (queued during a
        // pause) is ignored; one that arrives while it waits resumes it.
        if (!blnMessageHidden && !engine_.interpreterRunning()) {
            engine_.RunScript();
        }
    } else if (button == platform::kRightButton) {
        if (!RightButtonClickFlag) {
            return;
        }
        if (!blnMessageHidden) {
            picDisp.setPicture(picBmp.constImage());
            blnMessageHidden = true;
        } else {
            picDisp.setPicture(picBackBuff.constImage());
            blnMessageHidden = false;
        }
    }
}

}  // namespace velko::engine
