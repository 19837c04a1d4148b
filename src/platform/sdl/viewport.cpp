#include "platform/sdl/viewport.h"

#include <algorithm>

namespace velko::sdl {

Viewport fitViewport(int outputW, int outputH, int logicalW, int logicalH) {
    Viewport v;
    if (logicalW > 0 && logicalH > 0) {
        v.scale = std::max(1, std::min(outputW / logicalW, outputH / logicalH));
    }
    v.w = logicalW * v.scale;
    v.h = logicalH * v.scale;
    v.x = (outputW - v.w) / 2;
    v.y = (outputH - v.h) / 2;
    return v;
}

int fittingScale(int usableW, int usableH, int logicalW, int logicalH, int decorationW,
                 int decorationH) {
    if (logicalW <= 0 || logicalH <= 0) {
        return 1;
    }
    const int byWidth = (usableW - decorationW) / logicalW;
    const int byHeight = (usableH - decorationH) / logicalH;
    return std::max(1, std::min(byWidth, byHeight));
}

LogicalPoint toLogical(const Viewport& v, double px, double py, int menuBarHeight) {
    return LogicalPoint{(px - v.x) / v.scale, (py - v.y) / v.scale - menuBarHeight};
}

}  // namespace velko::sdl
