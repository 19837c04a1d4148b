#include "engine/trace_text.h"

#include "base/utf.h"

namespace velko::engine {

std::string traceText(std::u16string_view text) {
    const std::string utf8 = utf16ToUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace velko::engine
