#include "pictures/contact_sheet.h"

#include <algorithm>

#include "base/utf.h"

namespace velko::art {

gfx::Bitmap contactSheet(
    Studio& studio, const std::vector<std::pair<std::string, const paint::Canvas*>>& pictures) {
    // Cells fit a 4:3 picture at 320 by 240 under a label line; other shapes keep their
    // aspect inside the cell.
    constexpr int kCellW = 320;
    constexpr int kCellH = 240;
    constexpr int kLabel = 20;
    constexpr int kGap = 8;
    constexpr int kColumns = 4;
    const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
    const int width = kColumns * (kCellW + kGap) + kGap;
    const int height = std::max(1, rows) * (kCellH + kLabel + kGap) + kGap;
    paint::Canvas sheet(width, height);
    sheet.fillAll(paint::hex(0x303238));
    auto font = studio.screenFonts().open({platform::FontFace::PGothic, 14, 0, false, false, true});
    gfx::Bitmap out;
    std::vector<std::pair<int, int>> labelAt;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const paint::Canvas& c = *pictures[i].second;
        const int col = static_cast<int>(i) % kColumns;
        const int row = static_cast<int>(i) / kColumns;
        const int cx = kGap + col * (kCellW + kGap);
        const int cy = kGap + row * (kCellH + kLabel + kGap);
        const double k = std::min({static_cast<double>(kCellW) / c.width(),
                                   static_cast<double>(kCellH) / c.height(), 1.0});
        const int w = std::max(1, static_cast<int>(c.width() * k));
        const int h = std::max(1, static_cast<int>(c.height() * k));
        sheet.place(k < 1.0 ? c.resized(w, h) : c, cx + (kCellW - w) / 2, cy + (kCellH - h) / 2);
        labelAt.emplace_back(cx, cy + kCellH + 2);
    }
    out = sheet.toBitmap(false);
    if (font) {
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const auto [x, y] = labelAt[i];
            font->draw(out, x, y, utf8ToUtf16(pictures[i].first).value_or(u"?"),
                       gfx::rgb(230, 230, 230), out.rect());
        }
    }
    return out;
}

}  // namespace velko::art
