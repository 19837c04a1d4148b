#include "message/message_disp.h"

namespace velko::message {
namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

std::size_t findMarker(std::u16string_view text, std::size_t from) {
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (text[i] == u'\'' && (text[i + 1] == u'R' || text[i + 1] == u'r')) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

}  // namespace

std::u16string MessageDisp::ChangeMessage(std::u16string_view strSource) {
    // Pass 1: markers become CR LF. Both are two characters, so the length stays n.
    std::u16string broken;
    broken.reserve(strSource.size());
    for (std::size_t pos = 0;;) {
        const std::size_t f = findMarker(strSource, pos);
        if (f == std::u16string_view::npos) {
            broken.append(strSource.substr(pos));
            break;
        }
        broken.append(strSource.substr(pos, f - pos));
        broken.append(kCrLf);
        pos = f + 2;
    }

    // Pass 2: the wrap. The test comes after each line, so even an empty text gives one.
    const std::u16string_view text = broken;
    const std::size_t n = text.size();
    std::u16string result;
    result.reserve(n + 2 * (n / kWrapColumns + 2));
    std::size_t p = 0;
    do {
        const std::size_t found = text.find(kCrLf, p);
        if (found != std::u16string_view::npos && found - p <= kWrapColumns) {
            result.append(text.substr(p, found - p));
            p = found + 2;
        } else {
            const std::u16string_view taken = text.substr(p, kWrapColumns);
            result.append(taken);
            p += taken.size();
        }
        result.append(kCrLf);
    } while (p < n);
    return result;
}

}  // namespace velko::message
