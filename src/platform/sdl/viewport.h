#pragma once

// Whole-factor scaling of the logical frame into a window of any size, and the way back from
// window pixels to logical coordinates. Pure arithmetic, shared by the window and its tests.

namespace velko::sdl {

struct Viewport {
    int scale = 1;
    int x = 0;  // where the scaled frame starts in the output, in output pixels
    int y = 0;
    int w = 0;  // the scaled frame's size
    int h = 0;
};

// The largest whole factor (at least 1) at which the logical size fits the output, centred;
// the rest of the output is black.
Viewport fitViewport(int outputW, int outputH, int logicalW, int logicalH);

// The largest whole factor (at least 1) at which a window of the logical size plus its
// decorations fits the desktop's usable area.
int fittingScale(int usableW, int usableH, int logicalW, int logicalH, int decorationW,
                 int decorationH);

struct LogicalPoint {
    double x = 0;
    double y = 0;
};

// An output pixel position to screen-logical coordinates: fractional at scales above 1, and
// measured from the first screen row below the menu bar.
LogicalPoint toLogical(const Viewport& v, double px, double py, int menuBarHeight);

}  // namespace velko::sdl
