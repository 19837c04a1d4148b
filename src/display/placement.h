#pragma once

// The arithmetic of the display setup, kept pure: centring the window, its outer size from
// the frame metrics, and the display-mode record.

#include <array>
#include <cstdint>

namespace velko::display {

// Rounds to the nearest integer, a half to the even neighbour (-0.5 -> 0, -1.5 -> -2).
int roundHalfEven(double value);

// The frame metrics of the classic desktop, in pixels.
struct SystemMetrics {
    int cyCaption = 18;
    int cyMenu = 19;
    int cxEdge = 2;
    int cyEdge = 2;
    int cxBorder = 1;
    int cyBorder = 1;
};

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool topmost = false;
};

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

// Where the window's outer top-left corner goes: the 640 by 480 area centred on the screen
// (the frame is not taken into account). `scale` centres a window drawn that many times
// larger the same way.
int centredX(int screenWidth, int scale = 1);
int centredY(int screenHeight, int scale = 1);

// Position, outer size and z-order for a 640 by 480 client area under a caption and a menu
// bar. bState true: edges only, above other windows; false: edges and borders, ordinary.
WindowPlacement topWindowPlacement(int screenWidth, int screenHeight, bool bState,
                                   const SystemMetrics& metrics = {});

// The display-mode record in its classic ANSI layout (124 bytes of fields).
struct DevModeA {
    static constexpr std::uint32_t kDmBitsPerPel = 0x00040000;
    static constexpr std::uint32_t kDmPelsWidth = 0x00080000;
    static constexpr std::uint32_t kDmPelsHeight = 0x00100000;
    static constexpr std::size_t kFieldBytes = 124;

    std::array<char, 32> dmDeviceName{};
    std::uint16_t dmSpecVersion = 0;
    std::uint16_t dmDriverVersion = 0;
    std::uint16_t dmSize = 0;
    std::uint16_t dmDriverExtra = 0;
    std::uint32_t dmFields = 0;
    std::array<std::int16_t, 13> printerFields{};  // orientation ... paper and print fields
    std::array<char, 32> dmFormName{};
    std::uint16_t dmLogPixels = 0;
    std::uint32_t dmBitsPerPel = 0;
    std::uint32_t dmPelsWidth = 0;
    std::uint32_t dmPelsHeight = 0;
    std::uint32_t dmDisplayFlags = 0;
    std::uint32_t dmDisplayFrequency = 0;

    // Little-endian bytes in field order, as the system call would read them.
    std::array<std::uint8_t, kFieldBytes> bytes() const;
};

// A zeroed record with the size, the field mask and the requested mode; `color` -1 keeps
// the current depth out of the mask.
DevModeA displayModeRecord(std::int16_t width, std::int16_t height, std::int16_t color);

}  // namespace velko::display
