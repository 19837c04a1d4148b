#include "message/text_layout.h"

#include <algorithm>

#include "base/utf.h"

namespace velko::message {
namespace {

// Units of one character: two for a surrogate pair, else one.
std::size_t charLength(std::u16string_view text, std::size_t i) {
    return isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
}

// Characters that the double-byte text call treated as words of their own: everything
// from Greek onwards except the half-width katakana and half-width forms. Latin letters,
// digits and punctuation of one byte join into words.
bool isWide(char16_t u) {
    if (u < 0x0370) {
        return false;
    }
    return !(u >= 0xFF61 && u <= 0xFFDC) && !(u >= 0xFFE8 && u <= 0xFFEE);
}

class Breaker {
public:
    Breaker(const platform::Font& font, std::u16string_view text, int width,
            std::vector<TextLine>& out)
        : font_(font), text_(text), width_(width), out_(out) {}

    // Lays out the paragraph [b, e), which holds no line ends.
    void paragraph(std::size_t b, std::size_t e) {
        begin_ = end_ = b;
        x_ = 0;
        wrapped_ = false;
        std::size_t i = b;
        while (i < e) {
            if (text_[i] == u' ') {
                std::size_t j = i;
                while (j < e && text_[j] == u' ') {
                    ++j;
                }
                spaces(i, j);
                i = j;
                continue;
            }
            std::size_t j = i + charLength(text_, i);
            if (!isWide(text_[i])) {
                while (j < e && text_[j] != u' ' && !isWide(text_[j])) {
                    j += charLength(text_, j);
                }
            }
            word(i, j);
            i = j;
        }
        out_.push_back(TextLine{begin_, end_});
    }

private:
    int widthOf(std::size_t b, std::size_t e) const {
        return font_.measure(text_.substr(b, e - b));
    }

    void newLine(std::size_t next) {
        out_.push_back(TextLine{begin_, end_});
        begin_ = end_ = next;
        x_ = 0;
        wrapped_ = true;
    }

    void spaces(std::size_t b, std::size_t e) {
        if (wrapped_ && begin_ == b) {
            begin_ = end_ = e;  // a wrapped line does not start with the breaking spaces
            return;
        }
        const int w = widthOf(b, e);
        if (x_ + w > width_) {
            newLine(e);
            return;
        }
        x_ += w;
        end_ = e;
    }

    void word(std::size_t b, std::size_t e) {
        int w = widthOf(b, e);
        if (x_ + w <= width_) {
            x_ += w;
            end_ = e;
            wrapped_ = false;
            return;
        }
        if (end_ > begin_) {
            trimTrailingSpaces();
            newLine(b);
            if (w <= width_) {
                x_ = w;
                end_ = e;
                wrapped_ = false;
                return;
            }
        }
        // Longer than a whole line: cut by character, at least one character a line.
        for (std::size_t i = b; i < e;) {
            const std::size_t n = charLength(text_, i);
            const int cw = widthOf(i, i + n);
            if (x_ + cw > width_ && end_ > begin_) {
                newLine(i);
            }
            x_ += cw;
            end_ = i + n;
            wrapped_ = false;
            i += n;
        }
    }

    void trimTrailingSpaces() {
        while (end_ > begin_ && text_[end_ - 1] == u' ') {
            --end_;
        }
    }

    const platform::Font& font_;
    std::u16string_view text_;
    int width_;
    std::vector<TextLine>& out_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    int x_ = 0;
    bool wrapped_ = false;
};

}  // namespace

std::vector<TextLine> layoutText(const platform::Font& font, std::u16string_view text, int width) {
    std::vector<TextLine> lines;
    Breaker breaker(font, text, width, lines);
    std::size_t b = 0;
    while (b < text.size()) {
        std::size_t e = b;
        while (e < text.size() && text[e] != u'\r' && text[e] != u'\n') {
            ++e;
        }
        breaker.paragraph(b, e);
        if (e == text.size()) {
            break;
        }
        b = (text[e] == u'\r' && e + 1 < text.size() && text[e + 1] == u'\n') ? e + 2 : e + 1;
    }
    return lines;
}

std::size_t visibleLength(const std::vector<TextLine>& lines, int lineHeight,
                          const gfx::Rect& area) {
    std::size_t end = 0;
    int y = area.y;
    for (const TextLine& line : lines) {
        if (y >= area.bottom()) {
            break;
        }
        end = line.end;
        y += lineHeight;
    }
    return end;
}

void drawLines(gfx::Bitmap& dst, const platform::Font& font, std::u16string_view text,
               const std::vector<TextLine>& lines, std::size_t k, const gfx::Rect& area,
               gfx::Pixel color) {
    k = std::min(k, text.size());
    if (k > 0 && k < text.size() && isHighSurrogate(text[k - 1])) {
        --k;
    }
    int y = area.y;
    for (const TextLine& line : lines) {
        if (line.begin >= k || y >= area.bottom()) {
            break;
        }
        const std::size_t end = std::min(line.end, k);
        font.draw(dst, area.x, y, text.substr(line.begin, end - line.begin), color, area);
        y += font.lineHeight();
    }
}

}  // namespace velko::message
