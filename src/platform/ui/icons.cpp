#include "platform/ui/icons.h"

#include <array>
#include <string_view>

#include "platform/ui/classic.h"

namespace velko::ui {

namespace {

constexpr gfx::Pixel kMarkBlue = 0x0000FF;
constexpr gfx::Pixel kWarningYellow = 0xFFFF00;

// '#' marks a pixel of the sign painted over the icon's body.
constexpr std::array<std::string_view, 14> kQuestionMark = {
    "..######..", ".########.", "###....###", "###....###", "......###.",
    ".....###..", "....###...", "....###...", "....###...", "..........",
    "..........", "....###...", "....###...", "....###...",
};

constexpr std::array<std::string_view, 15> kInformationMark = {
    "..###..", "..###..", "..###..", ".......", ".......", ".####..", "..###..", "..###..",
    "..###..", "..###..", "..###..", "..###..", "..###..", ".#####.", ".#####.",
};

constexpr std::array<std::string_view, 13> kExclamationMark = {
    ".###.", "#####", "#####", "#####", ".###.", ".###.", ".###.",
    "..#..", "..#..", ".....", ".###.", ".###.", ".###.",
};

template <std::size_t N>
void drawPattern(gfx::Bitmap& dst, int x, int y, const std::array<std::string_view, N>& rows,
                 gfx::Pixel color) {
    for (std::size_t r = 0; r < N; ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const int px = x + static_cast<int>(c);
            const int py = y + static_cast<int>(r);
            if (rows[r][c] == '#' && dst.rect().contains(px, py)) {
                dst.set(px, py, color);
            }
        }
    }
}

// Which side of the line a->b the point lies on (for the triangle tests).
double side(double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

bool inTriangle(double px, double py, const double (&t)[6]) {
    const double d1 = side(t[0], t[1], t[2], t[3], px, py);
    const double d2 = side(t[2], t[3], t[4], t[5], px, py);
    const double d3 = side(t[4], t[5], t[0], t[1], px, py);
    const bool hasNeg = d1 < 0 || d2 < 0 || d3 < 0;
    const bool hasPos = d1 > 0 || d2 > 0 || d3 > 0;
    return !(hasNeg && hasPos);
}

// The speech bubble: an ellipse with a tail to the lower left. Tested at pixel centres.
bool inBubble(int x, int y) {
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double dx = (px - 16.0) / 14.5;
    const double dy = (py - 13.0) / 11.5;
    if (dx * dx + dy * dy <= 1.0) {
        return true;
    }
    static const double tail[6] = {7.0, 19.0, 14.0, 23.0, 5.0, 30.5};
    return inTriangle(px, py, tail);
}

bool inWarningTriangle(int x, int y) {
    static const double tri[6] = {16.0, 1.0, 31.0, 29.0, 1.0, 29.0};
    return inTriangle(x + 0.5, y + 0.5, tri);
}

// Fills a shape with a one-pixel black outline and a grey drop shadow, as the classic icons
// sit on the dialog face.
template <typename Inside>
void drawShape(gfx::Bitmap& dst, int x0, int y0, Inside inside, gfx::Pixel fill) {
    constexpr int kShadowOffset = 2;
    const auto set = [&](int x, int y, gfx::Pixel p) {
        if (dst.rect().contains(x0 + x, y0 + y)) {
            dst.set(x0 + x, y0 + y, p);
        }
    };
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if (!inside(x, y) && inside(x - kShadowOffset, y - kShadowOffset)) {
                set(x, y, classic::kShadow);
            }
        }
    }
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            set(x, y, edge ? classic::kDarkShadow : fill);
        }
    }
}

}  // namespace

void drawIcon(gfx::Bitmap& dst, int x, int y, Icon icon) {
    switch (icon) {
        case Icon::None:
            return;
        case Icon::Question:
            drawShape(dst, x, y, inBubble, classic::kHighlight);
            drawPattern(dst, x + 11, y + 6, kQuestionMark, kMarkBlue);
            return;
        case Icon::Information:
            drawShape(dst, x, y, inBubble, classic::kHighlight);
            drawPattern(dst, x + 13, y + 5, kInformationMark, kMarkBlue);
            return;
        case Icon::Warning:
            drawShape(dst, x, y, inWarningTriangle, kWarningYellow);
            drawPattern(dst, x + 14, y + 11, kExclamationMark, classic::kDarkShadow);
            return;
    }
}

}  // namespace velko::ui
