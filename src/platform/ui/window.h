#pragma once

// The main window as the program draws it: a menu bar ("終了", "ﾍﾙﾌﾟ" > "バージョン情報") above
// the 640 by 480 screen, and modal dialogs over the screen. It routes input: menu bar clicks
// and keys to the menus, screen mouse input to the screen surface's listeners, everything to
// the top dialog while one is open. While the window is disabled, input is dropped and a
// close request waits until it is enabled again.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/fonts.h"
#include "platform/gfx/bitmap.h"
#include "platform/input.h"
#include "platform/native_window.h"
#include "platform/surface.h"
#include "platform/ui/menu_bar.h"

namespace velko::ui {

class WindowListener {
public:
    virtual ~WindowListener() = default;
    virtual void onCloseRequest() {}
    virtual void onMenuCommand(platform::MenuCommand) {}
    // Keys that neither the menu bar nor a dialog took (Return, Space, ...).
    virtual void onKeyDown(const std::string& /*key*/, int /*shift*/) {}
    // The mouse wheel, outside dialogs; positive notches turn it up.
    virtual void onWheel(int /*notches*/) {}
};

// A modal dialog drawn over the screen. Coordinates are screen-logical.
class Overlay {
public:
    virtual ~Overlay() = default;
    virtual gfx::Rect bounds() const = 0;
    // Draws the dialog into the frame; `screenTop` is the frame row where the screen starts.
    virtual void draw(gfx::Bitmap& frame, int screenTop) = 0;
    virtual void onMouseDown(double x, double y, int button) = 0;
    virtual void onMouseUp(double x, double y, int button) = 0;
    virtual void onMouseMove(double x, double y, int buttons) = 0;
    virtual void onKeyDown(const std::string& key, int shift) = 0;
    virtual void onAnswer(platform::DialogAnswer answer) = 0;
    virtual void onWheel(int /*notches*/) {}
    // A view that asks nothing of the reader gives way to the window's close request: it is
    // answered Cancel so that its loop ends and the close is delivered.
    virtual bool yieldsToClose() const { return false; }
    // Pointer shape over a point of the dialog.
    virtual platform::NativeWindow::Cursor cursorAt(double, double) const {
        return platform::NativeWindow::Cursor::Arrow;
    }
    // Set when its content changed and the frame must be composed again.
    bool dirty = true;
};

class Window final : public platform::InputRouter {
public:
    Window(platform::NativeWindow& native, platform::FontLibrary& fonts);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void setScreen(platform::Surface* screen);
    platform::Surface* screen() const { return screen_; }
    void setListener(WindowListener* listener) { listener_ = listener; }
    // Sees every key press and release first, even while the window is disabled or a dialog
    // is open; returns true when it took the key (the volume keys work everywhere).
    void setKeyWatcher(std::function<bool(const platform::InputEvent&)> watcher) {
        keyWatcher_ = std::move(watcher);
    }
    platform::NativeWindow& native() const { return native_; }
    platform::FontLibrary& fonts() const { return fonts_; }

    void setCaption(const std::u16string& caption);
    const std::u16string& caption() const { return caption_; }

    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

    void setMenuEnabled(MenuItem item, bool enabled);
    bool menuEnabled(MenuItem item) const;

    // Dialogs: the last pushed is on top and takes all input.
    void pushOverlay(Overlay* overlay);
    void removeOverlay(Overlay* overlay);
    bool hasOverlay() const { return !overlays_.empty(); }

    // Height in logical pixels of the menu bar drawn above the screen.
    static constexpr int kMenuBarHeight = MenuBar::kHeight;
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;

    void dispatch(const platform::InputEvent& event) override;
    // Composes and shows the frame when the screen, the menus or a dialog changed since the
    // last time. A close request held back while the window was busy is delivered here.
    void present() override;

    // The screen as the reader sees it: the screen surface with an open menu and any open
    // dialog over it (the headless runner's shots).
    gfx::Bitmap composedScreen();
    // The whole frame as last composed: menu bar rows, then the screen.
    const gfx::Bitmap& frame() const { return frame_; }

    const MenuBar& menuBar() const { return menu_; }
    void setMark(std::u16string mark) { menu_.setMark(std::move(mark)); }
    bool fullscreen() const { return fullscreen_; }

private:
    void routeMouse(const platform::InputEvent& event);
    void routeKey(const platform::InputEvent& event);
    void runCommand(platform::MenuCommand command);
    void deliverPendingClose();
    void updateCursor(double x, double y);
    void compose();
    void drawScreen(gfx::Bitmap& dst, int top) const;

    platform::NativeWindow& native_;
    platform::FontLibrary& fonts_;
    MenuBar menu_;
    platform::Surface* screen_ = nullptr;
    WindowListener* listener_ = nullptr;
    std::function<bool(const platform::InputEvent&)> keyWatcher_;
    std::u16string caption_;
    bool enabled_ = true;
    bool closePending_ = false;
    bool deliveringClose_ = false;
    bool fullscreen_ = false;
    std::vector<Overlay*> overlays_;

    gfx::Bitmap frame_;
    bool frameDirty_ = true;
    const platform::Surface* shownScreen_ = nullptr;
    std::uint64_t shownVersion_ = 0;
    platform::NativeWindow::Cursor cursor_ = platform::NativeWindow::Cursor::Arrow;
};

}  // namespace velko::ui
