// The six notice pages: washi with an indigo frame, a heading band, and the text set in the
// program's own screen font (fixed pitch, so the full-width spaces of the source line up).

#include <sstream>
#include <vector>

#include "base/utf.h"
#include "paint/effects.h"
#include "pictures/frame.h"
#include "pictures/paper.h"
#include "pictures/pictures.h"

namespace velko::art {

using namespace paint;

namespace {

// Coverage of text drawn by the screen font layer: white on black, read back as a mask.
Mask screenText(const Canvas& c, const platform::Font& font, std::u16string_view text, int x,
                int y) {
    const int w = font.measure(text) + 4;
    const int h = font.lineHeight() + 4;
    gfx::Bitmap b(w, h, gfx::kBlack);
    font.draw(b, 2, 2, text, gfx::kWhite, b.rect());
    Mask m(Box{x - 2, y - 2, w, h});
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            m.local(xx, yy) = static_cast<float>(gfx::red(b.at(xx, yy))) / 255.0f;
        }
    }
    (void)c;
    return m;
}

std::vector<std::u16string> splitLines(const std::string& utf8) {
    std::vector<std::u16string> out;
    std::istringstream in(utf8);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        out.push_back(utf8ToUtf16(line).value_or(u"?"));
    }
    return out;
}

}  // namespace

Canvas paintNoticePage(Studio& studio, const PictureEntry& e) {
    Canvas c(e.width, e.height);
    const Frame f(c);
    washi(c, hex(0xF2EAD6), 1000 + e.seed);
    const Rgb indigo = hex(0x27305E);
    // Frame: a thin indigo rule inside the edge, doubled.
    Path frame;
    frame.addRect(f.x(8), f.y(8), f.len(624), f.len(464));
    frame.addRect(f.x(11), f.y(11), f.len(618), f.len(458));
    c.fill(frame, indigo, 1.0f, Blend::Normal, FillRule::EvenOdd);
    Path inner;
    inner.addRect(f.x(15), f.y(15), f.len(610), f.len(450));
    inner.addRect(f.x(16), f.y(16), f.len(608), f.len(448));
    c.fill(inner, indigo, 0.5f, Blend::Normal, FillRule::EvenOdd);
    // Heading band.
    Path band;
    band.addRect(f.x(16), f.y(16), f.len(608), f.len(40));
    c.fill(band,
           linearGradient(f.at(0, 16), f.at(0, 56), {{0, hex(0x34407A)}, {1, hex(0x27305E)}}));
    c.fill(Path().addRect(f.x(16), f.y(56), f.len(608), f.len(2)), hex(0xC8442C));

    const std::string name = "pages/osirase0" + std::to_string(e.seed) + ".txt";
    auto text = studio.file(name);
    if (!text) {
        return c;
    }
    auto lines = splitLines(*text);
    if (lines.empty()) {
        return c;
    }
    // The first line holds the heading, full-width spaces, then the page number.
    std::u16string head = lines.front();
    std::u16string number;
    const auto gap = head.find(u"\u3000\u3000");
    if (gap != std::u16string::npos) {
        number = head.substr(head.find_last_of(u'\u3000') + 1);
        head = head.substr(0, gap);
    }
    auto headFont =
        studio.screenFonts().open({platform::FontFace::PGothic, 22, 0, true, false, true});
    auto bodyFont =
        studio.screenFonts().open({platform::FontFace::Gothic, 19, 0, false, false, true});
    if (!headFont || !bodyFont) {
        return c;
    }
    c.fill(screenText(c, *headFont, head, 40, 26), hex(0xFFFFFF));
    c.fill(screenText(c, *headFont, number, 600 - headFont->measure(number), 26), hex(0xF0E0B0));
    // Body: from y 78, one line every 26 pixels; blank lines keep their place.
    int y = 78;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (i == 1 && lines[i].empty()) {
            continue;  // the blank line under the heading is the band itself
        }
        c.fill(screenText(c, *bodyFont, lines[i], 40, y), indigo);
        y += 26;
    }
    return c;
}

}  // namespace velko::art
