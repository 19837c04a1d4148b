#include "platform/ui/classic.h"

#include <array>
#include <string_view>

#include "platform/gfx/raster.h"

namespace velko::ui::classic {

std::shared_ptr<const platform::Font> uiFont(platform::FontLibrary& fonts, bool bold) {
    platform::FontSpec request;
    request.face = platform::FontFace::PGothic;
    request.emHeight = 12;
    request.bold = bold;
    request.antialias = false;
    return fonts.open(request);
}

void hline(gfx::Bitmap& dst, int x, int y, int w, gfx::Pixel color) {
    gfx::fillRect(dst, gfx::Rect{x, y, w, 1}, color);
}

void vline(gfx::Bitmap& dst, int x, int y, int h, gfx::Pixel color) {
    gfx::fillRect(dst, gfx::Rect{x, y, 1, h}, color);
}

void bevel(gfx::Bitmap& dst, const gfx::Rect& r, gfx::Pixel topLeft, gfx::Pixel bottomRight) {
    if (r.empty()) {
        return;
    }
    hline(dst, r.x, r.y, r.w - 1, topLeft);
    vline(dst, r.x, r.y, r.h - 1, topLeft);
    hline(dst, r.x, r.bottom() - 1, r.w, bottomRight);
    vline(dst, r.right() - 1, r.y, r.h, bottomRight);
}

namespace {
gfx::Rect inset(const gfx::Rect& r, int d) {
    return gfx::Rect{r.x + d, r.y + d, r.w - 2 * d, r.h - 2 * d};
}
}  // namespace

void raisedWindowEdge(gfx::Bitmap& dst, const gfx::Rect& r) {
    bevel(dst, r, kLight, kDarkShadow);
    bevel(dst, inset(r, 1), kHighlight, kShadow);
}

void pushButton(gfx::Bitmap& dst, const gfx::Rect& r, ButtonState state, bool isDefault) {
    gfx::fillRect(dst, r, kFace);
    gfx::Rect edge = r;
    if (isDefault || state == ButtonState::Pressed) {
        bevel(dst, edge, kDarkShadow, kDarkShadow);
        edge = inset(edge, 1);
    }
    if (state == ButtonState::Pressed) {
        bevel(dst, edge, kShadow, kShadow);
        return;
    }
    bevel(dst, edge, kHighlight, kDarkShadow);
    bevel(dst, inset(edge, 1), kLight, kShadow);
}

void focusRect(gfx::Bitmap& dst, const gfx::Rect& r) {
    const gfx::Rect c = r.intersected(dst.rect());
    if (r.empty()) {
        return;
    }
    // Walk the outline in one direction so the dots keep their rhythm round the corners.
    const auto dot = [&](int x, int y, int n) {
        if ((n & 1) == 0 && c.contains(x, y)) {
            dst.set(x, y, kText);
        }
    };
    int n = 0;
    for (int x = r.x; x < r.right(); ++x) {
        dot(x, r.y, n++);
    }
    for (int y = r.y + 1; y < r.bottom(); ++y) {
        dot(r.right() - 1, y, n++);
    }
    for (int x = r.right() - 2; x >= r.x; --x) {
        dot(x, r.bottom() - 1, n++);
    }
    for (int y = r.bottom() - 2; y > r.y; --y) {
        dot(r.x, y, n++);
    }
}

void gradient(gfx::Bitmap& dst, const gfx::Rect& r, gfx::Pixel left, gfx::Pixel right) {
    const gfx::Rect c = r.intersected(dst.rect());
    if (c.empty()) {
        return;
    }
    const int span = r.w > 1 ? r.w - 1 : 1;
    const auto mix = [span](int a, int b, int i) { return a + (b - a) * i / span; };
    for (int x = c.x; x < c.right(); ++x) {
        const int i = x - r.x;
        const gfx::Pixel p =
            gfx::rgb(static_cast<std::uint8_t>(mix(gfx::red(left), gfx::red(right), i)),
                     static_cast<std::uint8_t>(mix(gfx::green(left), gfx::green(right), i)),
                     static_cast<std::uint8_t>(mix(gfx::blue(left), gfx::blue(right), i)));
        vline(dst, x, c.y, c.h, p);
    }
}

void etchedText(gfx::Bitmap& dst, const platform::Font& font, int x, int y,
                std::u16string_view text, const gfx::Rect& clip) {
    font.draw(dst, x + 1, y + 1, text, kHighlight, clip);
    font.draw(dst, x, y, text, kGrayText, clip);
}

std::vector<std::u16string_view> splitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(text.substr(start));
    return lines;
}

void captionBar(gfx::Bitmap& dst, const gfx::Rect& r, const platform::Font* font,
                std::u16string_view title, int closeBoxWidth) {
    gradient(dst, r, kCaptionLeft, kCaptionRight);
    if (font) {
        const gfx::Rect clip{r.x, r.y, r.w - closeBoxWidth - 4, r.h};
        font->draw(dst, r.x + 3, r.y + (r.h - font->lineHeight() + 1) / 2, title, kCaptionText,
                   clip);
    }
}

void closeBox(gfx::Bitmap& dst, const gfx::Rect& r, bool sunken) {
    static constexpr std::array<std::string_view, 7> kCross = {
        "##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##",
    };
    gfx::fillRect(dst, r, kFace);
    const gfx::Rect inner{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
    if (sunken) {
        bevel(dst, r, kDarkShadow, kHighlight);
        bevel(dst, inner, kShadow, kLight);
    } else {
        bevel(dst, r, kHighlight, kDarkShadow);
        bevel(dst, inner, kLight, kShadow);
    }
    const int gx = r.x + (r.w - 8) / 2 + (sunken ? 1 : 0);
    const int gy = r.y + (r.h - 7) / 2 + (sunken ? 1 : 0);
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 8; ++col) {
            if (kCross[row][col] == '#' && dst.rect().contains(gx + col, gy + row)) {
                dst.set(gx + col, gy + row, kText);
            }
        }
    }
}

gfx::Rect closeBoxRect(const gfx::Rect& box) {
    return gfx::Rect{box.x + box.w - kDialogFrame - 2 - kCloseBoxWidth, box.y + kDialogFrame + 2,
                     kCloseBoxWidth, kCloseBoxHeight};
}

void dialogFrame(gfx::Bitmap& dst, const gfx::Rect& box, const platform::Font* font,
                 std::u16string_view title, bool closeBoxSunken) {
    gfx::fillRect(dst, box, kFace);
    raisedWindowEdge(dst, box);
    const gfx::Rect caption{box.x + kDialogFrame, box.y + kDialogFrame, box.w - 2 * kDialogFrame,
                            kCaptionHeight};
    captionBar(dst, caption, font, title, kCloseBoxWidth);
    closeBox(dst, closeBoxRect(box), closeBoxSunken);
}

}  // namespace velko::ui::classic
