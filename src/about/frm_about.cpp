#include "about/frm_about.h"

#include "about/about_view.h"

namespace velko::about {

namespace {

// How long the pointer rests on the address before its tool tip shows.
constexpr std::uint32_t kTipDelayMs = 500;

// Takes the dialog off the window and stops its timer however the loop ends.
class Modal {
public:
    Modal(platform::Host& host, AboutView& view) : host_(host), view_(view) {
        host_.window.pushOverlay(&view_);
    }
    ~Modal() {
        stopTipTimer();
        host_.window.removeOverlay(&view_);
    }
    Modal(const Modal&) = delete;
    Modal& operator=(const Modal&) = delete;

    void startTipTimer() {
        stopTipTimer();
        tipTimer_ = host_.pump.setTimer(kTipDelayMs, [this] {
            stopTipTimer();
            view_.showTip();
        });
    }
    void stopTipTimer() {
        if (tipTimer_ != 0) {
            host_.pump.killTimer(tipTimer_);
            tipTimer_ = 0;
        }
    }

private:
    platform::Host& host_;
    AboutView& view_;
    platform::TimerId tipTimer_ = 0;
};

}  // namespace

void FrmAbout::Show() {
    if (showing_ || host_.window.hasOverlay()) {
        return;
    }
    showing_ = true;
    host_.trace.event("dialog", "about");
    AboutView view(host_.fonts, text_);
    Modal modal(host_, view);
    view.onLinkClicked = [this] {
        // Whether a browser came up is not reported; the dialog stays open either way.
        host_.trace.event("url", text_.homepage);
        host_.desktop.openUrl(text_.homepage);
    };
    view.onLinkHover = [&modal](bool on) {
        if (on) {
            modal.startTipTimer();
        } else {
            modal.stopTipTimer();
        }
    };
    while (!view.closed()) {
        if (!host_.pump.waitAndProcess()) {
            break;
        }
    }
    if (view.closed()) {
        host_.trace.event("answer", "ok");
    }
    showing_ = false;
}

}  // namespace velko::about
