#include "engine/product.h"

#include "base/utf.h"

namespace velko::engine {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

}  // namespace

Product parseProduct(std::string_view text) {
    Product p;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        line = trim(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) {
            continue;
        }
        const auto key = trim(line.substr(0, eq));
        const auto value = trim(line.substr(eq + 1));
        if (key == "title") {
            p.title = u16(value);
        } else if (key == "maker") {
            p.maker = u16(value);
        } else if (key == "homepage") {
            p.homepage = std::string(value);
        } else if (key == "rights") {
            p.rights = u16(value);
        } else if (key == "episode2") {
            p.episode2 = u16(value);
        }
    }
    if (p.title.empty()) {
        p.title = u"velko01";
    }
    return p;
}

}  // namespace velko::engine
