#include "platform/ui/window.h"

#include <algorithm>
#include <cmath>

#include "base/utf.h"
#include "platform/gfx/raster.h"

namespace velko::ui {

using platform::InputEvent;

Window::Window(platform::NativeWindow& native, platform::FontLibrary& fonts)
    : native_(native), fonts_(fonts), menu_(fonts) {}

Window::~Window() = default;

void Window::setScreen(platform::Surface* screen) {
    screen_ = screen;
    frameDirty_ = true;
}

void Window::setCaption(const std::u16string& caption) {
    caption_ = caption;
    native_.setTitle(utf16ToUtf8(caption));
}

void Window::setEnabled(bool enabled) {
    if (!enabled) {
        menu_.close();
    }
    enabled_ = enabled;
}

void Window::setMenuEnabled(MenuItem item, bool enabled) {
    menu_.setEnabled(item, enabled);
    // An open menu whose title was just disabled must not stay open.
    if (!enabled && item != MenuItem::Version) {
        menu_.close();
    }
}

bool Window::menuEnabled(MenuItem item) const {
    return menu_.enabled(item);
}

void Window::pushOverlay(Overlay* overlay) {
    menu_.close();
    overlays_.push_back(overlay);
    overlay->dirty = true;
    frameDirty_ = true;
}

void Window::removeOverlay(Overlay* overlay) {
    const auto it = std::find(overlays_.begin(), overlays_.end(), overlay);
    if (it == overlays_.end()) {
        return;
    }
    overlays_.erase(it);
    frameDirty_ = true;
    if (overlays_.empty() && cursor_ != platform::NativeWindow::Cursor::Arrow) {
        cursor_ = platform::NativeWindow::Cursor::Arrow;
        native_.setCursor(cursor_);
    }
}

void Window::dispatch(const InputEvent& event) {
    if ((event.kind == InputEvent::Kind::KeyDown || event.kind == InputEvent::Kind::KeyUp) &&
        keyWatcher_ && keyWatcher_(event)) {
        return;
    }
    switch (event.kind) {
        case InputEvent::Kind::Paint:
            // Repaints reach the screen even while the window is disabled.
            frameDirty_ = true;
            if (screen_) {
                screen_->paint();
            }
            break;
        case InputEvent::Kind::Close:
            closePending_ = true;
            break;
        case InputEvent::Kind::ToggleFullscreen:
            fullscreen_ = !fullscreen_;
            native_.setFullscreen(fullscreen_);
            break;
        case InputEvent::Kind::Menu:
            if (enabled_ && overlays_.empty() && menu_.available(event.menu)) {
                runCommand(event.menu);
            }
            break;
        case InputEvent::Kind::Answer:
            if (enabled_ && !overlays_.empty()) {
                overlays_.back()->onAnswer(event.answer);
            }
            break;
        case InputEvent::Kind::MouseDown:
        case InputEvent::Kind::MouseUp:
        case InputEvent::Kind::MouseMove:
            if (enabled_) {
                routeMouse(event);
            }
            break;
        case InputEvent::Kind::KeyDown:
            if (enabled_) {
                routeKey(event);
            }
            break;
        case InputEvent::Kind::Wheel:
            if (enabled_ && !overlays_.empty()) {
                overlays_.back()->onWheel(event.wheel);
            } else if (enabled_ && !menu_.active() && listener_) {
                listener_->onWheel(event.wheel);
            }
            break;
        case InputEvent::Kind::KeyUp:
            break;
    }
    deliverPendingClose();
}

namespace {

// A position far off the frame is simply outside everything; held to a range where every
// conversion to whole pixels is defined. Not a number at all counts as far above the left.
double onPlane(double v) {
    constexpr double kFar = 1 << 20;
    return std::isnan(v) ? -kFar : std::clamp(v, -kFar, kFar);
}

}  // namespace

void Window::routeMouse(const InputEvent& raw) {
    InputEvent event = raw;
    event.x = onPlane(raw.x);
    event.y = onPlane(raw.y);
    if (!overlays_.empty()) {
        Overlay* top = overlays_.back();
        switch (event.kind) {
            case InputEvent::Kind::MouseDown:
                top->onMouseDown(event.x, event.y, event.button);
                break;
            case InputEvent::Kind::MouseUp:
                top->onMouseUp(event.x, event.y, event.button);
                break;
            default:
                top->onMouseMove(event.x, event.y, event.button);
                break;
        }
        updateCursor(event.x, event.y);
        return;
    }
    const double frameY = event.y + kMenuBarHeight;
    const platform::MouseEvent mouse{event.button, event.shift, event.x, event.y};
    switch (event.kind) {
        case InputEvent::Kind::MouseDown: {
            const auto outcome = menu_.mouseDown(event.x, frameY, event.button);
            if (outcome.command) {
                runCommand(*outcome.command);
            } else if (!outcome.taken && event.y >= 0 && screen_) {
                screen_->mouseDown(mouse);
            }
            break;
        }
        case InputEvent::Kind::MouseUp: {
            const auto outcome = menu_.mouseUp(event.x, frameY, event.button);
            if (outcome.command) {
                runCommand(*outcome.command);
            }
            break;
        }
        default: {
            const auto outcome = menu_.mouseMove(event.x, frameY);
            if (!outcome.taken && event.y >= 0 && screen_) {
                screen_->mouseMove(mouse);
            }
            updateCursor(event.x, event.y);
            break;
        }
    }
}

void Window::routeKey(const InputEvent& event) {
    if (!overlays_.empty()) {
        overlays_.back()->onKeyDown(event.key, event.shift);
        return;
    }
    const auto outcome = menu_.keyDown(event.key);
    if (outcome.command) {
        runCommand(*outcome.command);
    } else if (!outcome.taken && listener_) {
        listener_->onKeyDown(event.key, event.shift);
    }
}

void Window::runCommand(platform::MenuCommand command) {
    menu_.close();
    if (listener_) {
        listener_->onMenuCommand(command);
    }
}

void Window::deliverPendingClose() {
    if (closePending_ && enabled_ && !overlays_.empty() && overlays_.back()->yieldsToClose()) {
        overlays_.back()->onAnswer(platform::DialogAnswer::Cancel);
    }
    if (!closePending_ || !enabled_ || !overlays_.empty() || deliveringClose_) {
        return;
    }
    closePending_ = false;
    deliveringClose_ = true;
    if (listener_) {
        listener_->onCloseRequest();
    }
    deliveringClose_ = false;
}

void Window::updateCursor(double x, double y) {
    const auto wanted = overlays_.empty() ? platform::NativeWindow::Cursor::Arrow
                                          : overlays_.back()->cursorAt(x, y);
    if (wanted != cursor_) {
        cursor_ = wanted;
        native_.setCursor(wanted);
    }
}

void Window::present() {
    deliverPendingClose();
    bool changed = frameDirty_ || menu_.dirty() || screen_ != shownScreen_ ||
                   (screen_ && screen_->version() != shownVersion_);
    for (const Overlay* o : overlays_) {
        changed = changed || o->dirty;
    }
    if (!changed) {
        return;
    }
    compose();
    native_.present(frame_, kMenuBarHeight);
}

void Window::drawScreen(gfx::Bitmap& dst, int top) const {
    const gfx::Bitmap* image = screen_ ? &screen_->constImage() : nullptr;
    // The black only shows where the screen's image falls short; laid under a full-size
    // image it would cost a whole extra frame of writes on every fade and reveal step.
    if (!image || image->width() < kScreenWidth || image->height() < kScreenHeight) {
        gfx::fillRect(dst, gfx::Rect{0, top, kScreenWidth, kScreenHeight}, gfx::kBlack);
    }
    if (image) {
        gfx::bitBlt(dst, 0, top, std::min(image->width(), kScreenWidth),
                    std::min(image->height(), kScreenHeight), *image, 0, 0, gfx::Rop::SrcCopy);
    }
}

void Window::compose() {
    if (frame_.width() != kScreenWidth || frame_.height() != kMenuBarHeight + kScreenHeight) {
        frame_ = gfx::Bitmap(kScreenWidth, kMenuBarHeight + kScreenHeight);
    }
    menu_.drawBar(frame_);
    drawScreen(frame_, kMenuBarHeight);
    menu_.drawDropdown(frame_, 0);
    for (Overlay* o : overlays_) {
        o->draw(frame_, kMenuBarHeight);
        o->dirty = false;
    }
    menu_.clearDirty();
    frameDirty_ = false;
    shownScreen_ = screen_;
    shownVersion_ = screen_ ? screen_->version() : 0;
}

gfx::Bitmap Window::composedScreen() {
    gfx::Bitmap out(kScreenWidth, kScreenHeight);
    drawScreen(out, 0);
    menu_.drawDropdown(out, -kMenuBarHeight);
    for (Overlay* o : overlays_) {
        o->draw(out, 0);
    }
    return out;
}

}  // namespace velko::ui
