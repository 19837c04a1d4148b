#include "display/placement.h"

#include <cmath>
#include <cstring>

namespace velko::display {

int roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    return static_cast<int>(std::nearbyint(value));
}

int centredX(int screenWidth, int scale) {
    return roundHalfEven((screenWidth - kClientWidth * scale) / 2.0);
}

int centredY(int screenHeight, int scale) {
    return roundHalfEven((screenHeight - kClientHeight * scale) / 2.0);
}

WindowPlacement topWindowPlacement(int screenWidth, int screenHeight, bool bState,
                                   const SystemMetrics& m) {
    WindowPlacement p;
    p.x = centredX(screenWidth);
    p.y = centredY(screenHeight);
    p.width = kClientWidth + 2 * m.cxEdge;
    p.height = kClientHeight + m.cyCaption + m.cyMenu + 2 * m.cyEdge;
    if (!bState) {
        p.width += 2 * m.cxBorder;
        p.height += 2 * m.cyBorder;
    }
    p.topmost = bState;
    return p;
}

DevModeA displayModeRecord(std::int16_t width, std::int16_t height, std::int16_t color) {
    DevModeA rec;
    // Two less than the fields occupy, as the program always passed it.
    rec.dmSize = 122;
    rec.dmFields = DevModeA::kDmPelsWidth | DevModeA::kDmPelsHeight;
    rec.dmPelsWidth = static_cast<std::uint32_t>(static_cast<std::int32_t>(width));
    rec.dmPelsHeight = static_cast<std::uint32_t>(static_cast<std::int32_t>(height));
    if (color != -1) {
        rec.dmFields |= DevModeA::kDmBitsPerPel;
        rec.dmBitsPerPel = static_cast<std::uint32_t>(static_cast<std::int32_t>(color));
    }
    return rec;
}

std::array<std::uint8_t, DevModeA::kFieldBytes> DevModeA::bytes() const {
    std::array<std::uint8_t, kFieldBytes> out{};
    std::size_t at = 0;
    const auto put = [&](std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) {
            out[at++] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    const auto putChars = [&](const std::array<char, 32>& s) {
        std::memcpy(out.data() + at, s.data(), s.size());
        at += s.size();
    };
    putChars(dmDeviceName);
    put(dmSpecVersion, 2);
    put(dmDriverVersion, 2);
    put(dmSize, 2);
    put(dmDriverExtra, 2);
    put(dmFields, 4);
    for (std::int16_t f : printerFields) {
        put(static_cast<std::uint16_t>(f), 2);
    }
    putChars(dmFormName);
    put(dmLogPixels, 2);
    put(dmBitsPerPel, 4);
    put(dmPelsWidth, 4);
    put(dmPelsHeight, 4);
    put(dmDisplayFlags, 4);
    put(dmDisplayFrequency, 4);
    return out;
}

}  // namespace velko::display
