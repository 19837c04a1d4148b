#include "platform/surface.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/raster.h"

namespace velko::platform {

int pointsToPixels(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

Surface::Surface(std::string name, int width, int height, FontLibrary* fonts)
    : name_(std::move(name)), fonts_(fonts), image_(width, height, gfx::kBlack) {}

void Surface::setSize(int width, int height) {
    if (width == image_.width() && height == image_.height()) {
        return;
    }
    ++version_;
    image_.resize(width, height, backColor);
}

void Surface::setPicture(const gfx::Bitmap& picture) {
    // Assigning keeps the buffer when the size stays: base-picture changes happen every
    // fade and every message, and need not allocate.
    picture_ = picture;
    clear();
}

void Surface::setPicture(gfx::Bitmap&& picture) {
    picture_ = std::move(picture);
    clear();
}

void Surface::setPictureEmpty() {
    picture_.reset();
    clear();
}

void Surface::clear() {
    ++version_;
    const bool covered =
        picture_ && picture_->width() >= image_.width() && picture_->height() >= image_.height();
    if (!covered) {
        image_.fill(backColor);
    }
    if (picture_) {
        gfx::bitBlt(image_, 0, 0, picture_->width(), picture_->height(), *picture_, 0, 0,
                    gfx::Rop::SrcCopy);
    }
    currentX = 0;
    currentY = 0;
}

std::shared_ptr<const Font> Surface::currentFont() const {
    if (selected_) {
        return selected_;
    }
    if (!fonts_) {
        return nullptr;
    }
    FontSpec request;
    request.face = fontFace;
    request.emHeight = pointsToPixels(fontSize);
    request.bold = fontBold;
    return fonts_->open(request);
}

void Surface::print(std::u16string_view text, bool endLine) {
    const auto font = currentFont();
    if (!font) {
        return;
    }
    const int x = static_cast<int>(std::lround(currentX));
    const int y = static_cast<int>(std::lround(currentY));
    const int w = font->measure(text);
    if (!fontTransparent) {
        gfx::fillRect(image(), gfx::Rect{x, y, w, font->lineHeight()}, backColor);
    }
    font->draw(image(), x, y, text, foreColor, image_.rect());
    if (endLine) {
        currentX = 0;
        currentY += font->lineHeight();
    } else {
        currentX += w;
    }
}

double Surface::textWidth(std::u16string_view text) const {
    const auto font = currentFont();
    return font ? font->measure(text) : 0;
}

double Surface::textHeight(std::u16string_view) const {
    const auto font = currentFont();
    return font ? font->lineHeight() : 0;
}

void Surface::subscribe(SurfaceListener* listener) {
    const bool known = std::any_of(listeners_.begin(), listeners_.end(),
                                   [&](const Subscription& s) { return s.listener == listener; });
    if (!known) {
        listeners_.push_back(Subscription{listener, nextSerial_++});
    }
}

void Surface::unsubscribe(SurfaceListener* listener) {
    std::erase_if(listeners_, [&](const Subscription& s) { return s.listener == listener; });
}

// Handlers may subscribe or unsubscribe while an event is delivered (a press handler can
// release the object that received it and build the next one, often at the same address), so
// deliver to a snapshot and call only the subscriptions that are still the same ones.
template <typename F>
void Surface::deliver(F&& f) {
    const auto snapshot = listeners_;
    for (const Subscription& s : snapshot) {
        const bool current =
            std::any_of(listeners_.begin(), listeners_.end(),
                        [&](const Subscription& now) { return now.serial == s.serial; });
        if (current) {
            f(*s.listener);
        }
    }
}

void Surface::mouseDown(const MouseEvent& e) {
    deliver([&](SurfaceListener& l) { l.onMouseDown(e); });
}
void Surface::mouseMove(const MouseEvent& e) {
    deliver([&](SurfaceListener& l) { l.onMouseMove(e); });
}
void Surface::paint() {
    deliver([](SurfaceListener& l) { l.onPaint(); });
}
bool Surface::keyDown(const std::string& key, int shift) {
    bool taken = false;
    deliver([&](SurfaceListener& l) { taken = taken || l.onKey(key, shift); });
    return taken;
}

}  // namespace velko::platform
