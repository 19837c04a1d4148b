#include "platform/ui/message_box.h"

#include "platform/ui/message_box_view.h"

namespace velko::ui {

namespace {

// Takes the box off the window however the loop ends.
class OverlayGuard {
public:
    OverlayGuard(Window& window, Overlay& overlay) : window_(window), overlay_(overlay) {
        window_.pushOverlay(&overlay_);
    }
    ~OverlayGuard() { window_.removeOverlay(&overlay_); }
    OverlayGuard(const OverlayGuard&) = delete;
    OverlayGuard& operator=(const OverlayGuard&) = delete;

private:
    Window& window_;
    Overlay& overlay_;
};

}  // namespace

std::optional<platform::DialogAnswer> messageBox(Window& window, platform::EventPump& pump,
                                                 const MessageBoxSpec& request) {
    MessageBoxView view(window.fonts(), request);
    OverlayGuard guard(window, view);
    while (!view.result()) {
        if (!pump.waitAndProcess()) {
            return std::nullopt;
        }
    }
    return view.result();
}

}  // namespace velko::ui
