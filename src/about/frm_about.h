#pragma once

// frmAbout: the modal version dialog. Each Show builds the dialog anew, traces it, lets the
// reader open the maker's home page from its address as often as they like, and returns
// when it is closed. The window under it takes no input meanwhile.

#include "about/about_text.h"
#include "platform/host/host.h"

namespace velko::about {

class FrmAbout {
public:
    FrmAbout(platform::Host& host, AboutText text) : host_(host), text_(std::move(text)) {}

    // Returns when the dialog is closed or the run ends while it is open. A call made while
    // this dialog is already open returns at once: there is only ever one.
    void Show();

    bool showing() const { return showing_; }

private:
    platform::Host& host_;
    AboutText text_;
    bool showing_ = false;
};

}  // namespace velko::about
