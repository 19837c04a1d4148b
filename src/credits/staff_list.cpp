#include "credits/staff_list.h"

#include <optional>

#include "base/utf.h"

namespace velko::credits {

namespace {

// Rows are addressed by an unsigned 8-bit index, as the roll stores them.
constexpr int kMaxIndex = 255;

std::optional<int> parseIndex(std::string_view s) {
    if (s.empty() || s.size() > 3) {
        return std::nullopt;
    }
    int n = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

StaffList parseStaffList(std::string_view text, std::string_view fileName) {
    StaffList list;
    std::vector<bool> named;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    int lineNo = 0;
    const auto warn = [&](const std::string& message) {
        list.warnings.push_back(std::string(fileName) + ":" + std::to_string(lineNo) + ": " +
                                message);
    };
    while (!text.empty()) {
        ++lineNo;
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto tab1 = line.find('\t');
        const auto tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos || line.find('\t', tab2 + 1) != std::string_view::npos) {
            warn("expected a row number, a role and a name separated by two TABs");
            continue;
        }
        const auto index = parseIndex(line.substr(0, tab1));
        if (!index || *index > kMaxIndex) {
            warn("the row number must be 0 to 255");
            continue;
        }
        const auto role = utf8ToUtf16(line.substr(tab1 + 1, tab2 - tab1 - 1));
        const auto name = utf8ToUtf16(line.substr(tab2 + 1));
        if (!role || !name) {
            warn("the text is not valid UTF-8");
            continue;
        }
        const auto at = static_cast<std::size_t>(*index);
        if (at < named.size() && named[at]) {
            warn("row " + std::to_string(*index) + " is given twice; the first one stays");
            continue;
        }
        if (list.entries.size() <= at) {
            list.entries.resize(at + 1);
            named.resize(at + 1);
        }
        list.entries[at] = StaffEntry{*role, *name};
        named[at] = true;
    }
    return list;
}

}  // namespace velko::credits
