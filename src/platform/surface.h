#pragma once

// A picture surface: one of the main window's five pictures. It has a size, a base picture
// (a loaded bitmap, another surface's image, or nothing), an image (the base picture plus
// everything drawn since the last clear, which is what a repaint shows), text state for
// printing, and listeners for the mouse and repaint events of the screen.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts.h"
#include "platform/gfx/bitmap.h"

namespace velko::platform {

struct MouseEvent {
    int button = 0;  // MouseButton bits
    int shift = 0;   // ShiftState bits
    double x = 0;    // logical pixels, possibly fractional
    double y = 0;
};

// Objects that listen to a surface's events (the main window, the title menu, a button
// screen, a question). Each receives every event.
class SurfaceListener {
public:
    virtual ~SurfaceListener() = default;
    virtual void onMouseDown(const MouseEvent&) {}
    virtual void onMouseMove(const MouseEvent&) {}
    virtual void onPaint() {}
    // A key the window passed on to the screen; true when the listener used it.
    virtual bool onKey(const std::string& /*key*/, int /*shift*/) { return false; }
};

class Surface {
public:
    Surface(std::string name, int width, int height, FontLibrary* fonts);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    const std::string& name() const { return name_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // Keeps what fits, new rows take the background colour.
    void setSize(int width, int height);
    void setHeight(int height) { setSize(width(), height); }

    // The base picture. Setting it (or emptying it) also clears the image.
    void setPicture(const gfx::Bitmap& picture);  // copies into the existing storage
    void setPicture(gfx::Bitmap&& picture);
    void setPictureEmpty();
    const std::optional<gfx::Bitmap>& picture() const { return picture_; }

    // Drops all drawing: the image becomes the base picture (drawn at the top left, as a
    // picture box shows a picture of another size) over the background colour.
    void clear();

    // The drawing context. Mutable access counts as a change (see version()).
    gfx::Bitmap& image() {
        ++version_;
        return image_;
    }
    const gfx::Bitmap& image() const { return image_; }
    const gfx::Bitmap& constImage() const { return image_; }

    // Grows with every change of the image; lets the window skip presenting an unchanged screen.
    std::uint64_t version() const { return version_; }

    // Text state. Positions are pixels; colours 0x00RRGGBB.
    double currentX = 0;
    double currentY = 0;
    gfx::Pixel foreColor = gfx::kBlack;
    gfx::Pixel backColor = gfx::kBlack;
    bool fontTransparent = true;
    FontFace fontFace = FontFace::Gothic;
    double fontSize = 14.25;  // points at 96 dots per inch
    bool fontBold = false;

    // A font selected into the drawing context wins over the text state's font until it is
    // deselected (the message and answer fonts work this way).
    void selectFont(std::shared_ptr<const Font> font) { selected_ = std::move(font); }
    void deselectFont() { selected_.reset(); }
    std::shared_ptr<const Font> currentFont() const;

    // Prints one line at the current position. With endLine the position moves to the start
    // of the next line (x 0, y + text height); otherwise it stays behind the text.
    void print(std::u16string_view text, bool endLine = true);
    double textWidth(std::u16string_view text) const;
    double textHeight(std::u16string_view text) const;

    // Events. Listeners may subscribe and unsubscribe (themselves or others) while an event is
    // delivered; one subscribed during a delivery first hears the next event.
    void subscribe(SurfaceListener* listener);
    void unsubscribe(SurfaceListener* listener);
    void mouseDown(const MouseEvent& e);
    void mouseMove(const MouseEvent& e);
    void paint();
    // Offers the key to each listener until one takes it; true when one did.
    bool keyDown(const std::string& key, int shift);

    FontLibrary* fonts() const { return fonts_; }

private:
    template <typename F>
    void deliver(F&& f);

    std::string name_;
    FontLibrary* fonts_;
    gfx::Bitmap image_;
    std::optional<gfx::Bitmap> picture_;
    std::shared_ptr<const Font> selected_;
    std::uint64_t version_ = 0;
    // Each subscription has its own serial: a listener freed during a delivery and a new one
    // built at the same address are told apart by it, not by the address.
    struct Subscription {
        SurfaceListener* listener;
        std::uint64_t serial;
    };
    std::vector<Subscription> listeners_;
    std::uint64_t nextSerial_ = 1;
};

// The em height in pixels of a point size on a 96 dots-per-inch screen.
int pointsToPixels(double points);

}  // namespace velko::platform
