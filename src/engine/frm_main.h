#pragma once

// The main window: five picture surfaces, the menu commands and the mouse handling of the
// screen. The window itself (menu bar, dialogs, scaling) is ui::Window; this is the
// program's side of it.

#include "platform/host/host.h"
#include "platform/input.h"
#include "platform/surface.h"
#include "platform/ui/window.h"

namespace velko::engine {

class Engine;

class FrmMain final : public platform::SurfaceListener, public ui::WindowListener {
public:
    FrmMain(Engine& engine, platform::Host& host);
    ~FrmMain() override;
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // The five pictures. All start black with a black background, carrying the window font.
    platform::Surface picDisp;      // the visible screen
    platform::Surface picBmp;       // the bare current picture
    platform::Surface picBackBuff;  // the composed screen: picture, backdrop, text
    platform::Surface picFPtarn;    // the mask surface of the effects; the staff roll's strip
    platform::Surface picBMP2;      // the overlay picture of BD (100 by 100)

    // Form state.
    bool MenuClickFlag = false;         // the menu commands are honoured
    bool RightButtonClickFlag = false;  // the bare-picture view may be toggled
    bool KeyStop = false;               // screen clicks and the end command are ignored

    // Load: places and sizes the four full-screen pictures and hooks up the events.
    void Form_Load();
    // Release: stops listening; the window is gone.
    void Form_Unload();
    bool loaded() const { return loaded_; }

    void setMenuEnabled(ui::MenuItem item, bool enabled) {
        host_.window.setMenuEnabled(item, enabled);
    }
    void setEnabled(bool enabled) { host_.window.setEnabled(enabled); }

    // Handlers.
    void Form_QueryClose();
    void mnuEnd_Click();
    void mnuVer_Click();
    void picDisp_MouseDown(int button, int shift, double x, double y);

    // The right-click view of the bare picture is on.
    bool messageHidden() const { return blnMessageHidden; }
    void clearMessageHidden() { blnMessageHidden = false; }

private:
    // SurfaceListener (picDisp)
    void onMouseDown(const platform::MouseEvent& e) override;
    // WindowListener
    void onCloseRequest() override { Form_QueryClose(); }
    void onMenuCommand(platform::MenuCommand command) override;
    void onKeyDown(const std::string& key, int shift) override;
    void onWheel(int notches) override;

    Engine& engine_;
    platform::Host& host_;
    bool blnMessageHidden = false;
    bool loaded_ = false;
};

}  // namespace velko::engine
