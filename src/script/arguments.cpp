#include "script/arguments.h"

#include <limits>
#include <vector>

#include "base/utf.h"

namespace velko::script {

namespace {

constexpr std::int64_t kClamp = 1'000'000'000'000;

std::u16string_view trimBlanks(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == u' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A number in [low, high], which T holds. `what` starts every message ("JP target",
// "ZB item 4").
template <typename T>
Result<T> numberIn(std::string_view what, std::u16string_view text, std::int64_t low,
                   std::int64_t high, std::string_view rangeText) {
    const auto value = parseDecimal(text);
    if (!value) {
        return makeError(std::string(what) + " " + quoteText(text) + " is not a number");
    }
    if (*value < low || *value > high) {
        return makeError(std::string(what) + " " + utf16ToUtf8(trimBlanks(text)) + " is outside " +
                         std::string(rangeText));
    }
    return static_cast<T>(*value);
}

Result<std::int32_t> lineNumber(std::string_view what, std::u16string_view text) {
    return numberIn<std::int32_t>(what, text, 1, 32767, "1 to 32767");
}

Result<std::int16_t> points(std::string_view what, std::u16string_view text) {
    return numberIn<std::int16_t>(what, text, std::numeric_limits<std::int16_t>::min(),
                                  std::numeric_limits<std::int16_t>::max(), "-32768 to 32767");
}

std::string_view assetKind(Opcode op) {
    switch (assetFolderOf(op)) {
        case AssetFolder::Music:
            return op == Opcode::MS || op == Opcode::MR ? "MIDI file" : "wave";
        case AssetFolder::Wall:
            return "wallpaper picture";
        default:
            return op == Opcode::ZT ? "button bitmap" : "picture";
    }
}

constexpr std::size_t npos = std::u16string_view::npos;

std::size_t findAfter(std::u16string_view text, char16_t c, std::size_t after) {
    return after == npos ? npos : text.find(c, after + 1);
}

}  // namespace

std::string quoteText(std::u16string_view text) {
    constexpr std::size_t kMax = 40;
    std::string out = "\"" + utf16ToUtf8(text.substr(0, kMax));
    out += text.size() > kMax ? "…\"" : "\"";
    return out;
}

std::optional<std::int64_t> parseDecimal(std::u16string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = std::min(value * 10 + (c - u'0'), kClamp);
    }
    return negative ? -value : value;
}

Result<std::int32_t> parseJump(std::u16string_view argument) {
    if (trimBlanks(argument).empty()) {
        return makeError("JP needs a line number");
    }
    return lineNumber("JP target", argument);
}

Result<std::int32_t> parseWait(std::u16string_view argument) {
    if (trimBlanks(argument).empty()) {
        return makeError("WT needs a number of milliseconds");
    }
    return numberIn<std::int32_t>("WT time", argument, 0, std::numeric_limits<std::int32_t>::max(),
                                  "0 to 2147483647");
}

Result<bool> parseRightClick(std::u16string_view argument) {
    const std::u16string_view word = trimBlanks(argument);
    auto is = [&](std::u16string_view expected) {
        if (word.size() != expected.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char16_t c = word[i] >= u'A' && word[i] <= u'Z' ? word[i] + 32 : word[i];
            if (c != expected[i]) {
                return false;
            }
        }
        return true;
    };
    if (is(u"true")) {
        return true;
    }
    if (is(u"false")) {
        return false;
    }
    return makeError("KR takes True or False, not " + quoteText(argument));
}

Result<std::u16string_view> parseAssetName(Opcode op, std::u16string_view argument) {
    const std::string what = std::string(opcodeName(op)) + " " + std::string(assetKind(op));
    if (argument.empty()) {
        return makeError(std::string(opcodeName(op)) + " needs a " + std::string(assetKind(op)) +
                         " name");
    }
    if (argument.find_first_of(u"/\\") != npos) {
        return makeError(what + " name " + quoteText(argument) +
                         " may not contain \"/\" or \"\\\"");
    }
    if (argument.find(u"..") != npos) {
        return makeError(what + " name " + quoteText(argument) + " may not contain \"..\"");
    }
    for (const char16_t c : argument) {
        if (c < 0x20) {
            return makeError(what + " name " + quoteText(argument) +
                             " may not contain control characters");
        }
    }
    return argument;
}

Result<WaveMessage> parseWaveMessage(std::u16string_view argument) {
    const std::size_t colon = argument.find(u':');
    if (colon == npos) {
        return makeError("WM needs wave:text, not " + quoteText(argument));
    }
    auto wave = parseAssetName(Opcode::WM, argument.substr(0, colon));
    if (!wave) {
        return makeError(wave.error());
    }
    return WaveMessage{*wave, argument.substr(colon + 1)};
}

Result<Button> parseButton(std::u16string_view argument) {
    std::vector<std::u16string_view> items;
    for (std::size_t start = 0;;) {
        const std::size_t comma = argument.find(u',', start);
        items.push_back(argument.substr(start, comma == npos ? npos : comma - start));
        if (comma == npos) {
            break;
        }
        start = comma + 1;
    }
    if (items.size() < 13) {
        std::string message = "ZB needs 13 numbers separated by \",\"";
        if (!trimBlanks(argument).empty()) {
            message += ", found " + std::to_string(items.size());
        }
        return makeError(message);
    }
    Button button;
    for (std::size_t i = 0; i < 12; ++i) {
        auto n = numberIn<std::int32_t>(
            "ZB item " + std::to_string(i + 1), items[i], std::numeric_limits<std::int32_t>::min(),
            std::numeric_limits<std::int32_t>::max(), "the 32-bit range");
        if (!n) {
            return makeError(n.error());
        }
        button.values[i] = *n;
    }
    auto target = lineNumber("ZB target", items[12]);
    if (!target) {
        return makeError(target.error());
    }
    button.values[12] = *target;
    button.ignoredItems = static_cast<int>(items.size()) - 13;
    return button;
}

Result<Question> parseQuestion(std::u16string_view argument) {
    const std::size_t colon1 = argument.find(u':');
    const std::size_t comma1 = argument.find(u',');
    const std::size_t comma2 = findAfter(argument, u',', comma1);
    const std::size_t colon2 = findAfter(argument, u':', colon1);
    const std::size_t comma3 = findAfter(argument, u',', colon2);
    const std::size_t comma4 = findAfter(argument, u',', comma3);
    if (colon1 == npos || comma1 == npos || comma4 == npos) {
        return makeError("QE needs question:text1,points1,line1:text2,points2,line2");
    }
    if (comma1 < colon1) {
        return makeError("QE question may not contain \",\"");
    }
    if (colon2 < comma2) {
        return makeError("QE first choice may not contain \":\"");
    }
    auto part = [&](std::size_t from, std::size_t to) {
        return argument.substr(from + 1, to - from - 1);
    };
    Question result;
    result.question = argument.substr(0, colon1);
    result.first.text = part(colon1, comma1);
    result.second.text = part(colon2, comma3);
    auto points1 = points("QE first choice points", part(comma1, comma2));
    auto line1 = lineNumber("QE first choice target", part(comma2, colon2));
    auto points2 = points("QE second choice points", part(comma3, comma4));
    auto line2 = lineNumber("QE second choice target", argument.substr(comma4 + 1));
    if (!points1) {
        return makeError(points1.error());
    }
    if (!line1) {
        return makeError(line1.error());
    }
    if (!points2) {
        return makeError(points2.error());
    }
    if (!line2) {
        return makeError(line2.error());
    }
    result.first.points = *points1;
    result.first.target = *line1;
    result.second.points = *points2;
    result.second.target = *line2;
    return result;
}

namespace {

struct IfFields {
    std::u16string_view value, equal, greater, less;
};

std::optional<IfFields> splitIf(std::u16string_view argument) {
    const std::size_t p1 = argument.find(u':');
    const std::size_t p2 = findAfter(argument, u':', p1);
    const std::size_t p3 = findAfter(argument, u':', p2);
    if (p3 == npos) {
        return std::nullopt;
    }
    return IfFields{argument.substr(0, p1), argument.substr(p1 + 1, p2 - p1 - 1),
                    argument.substr(p2 + 1, p3 - p2 - 1), argument.substr(p3 + 1)};
}

Error ifShape(std::u16string_view argument) {
    return makeError("IF needs n:equal:greater:less, not " + quoteText(argument));
}

}  // namespace

Result<IfTargets> parseIf(std::u16string_view argument) {
    const auto fields = splitIf(argument);
    if (!fields) {
        return ifShape(argument);
    }
    auto value = points("IF value", fields->value);
    if (!value) {
        return makeError(value.error());
    }
    auto equal = lineNumber("IF equal target", fields->equal);
    if (!equal) {
        return makeError(equal.error());
    }
    auto greater = lineNumber("IF greater target", fields->greater);
    if (!greater) {
        return makeError(greater.error());
    }
    auto less = lineNumber("IF less target", fields->less);
    if (!less) {
        return makeError(less.error());
    }
    return IfTargets{*value, *equal, *greater, *less};
}

Result<std::int32_t> IfJump(std::u16string_view argument, std::int16_t pointsNow) {
    const auto fields = splitIf(argument);
    if (!fields) {
        return ifShape(argument);
    }
    auto value = points("IF value", fields->value);
    if (!value) {
        return makeError(value.error());
    }
    if (pointsNow == *value) {
        return lineNumber("IF equal target", fields->equal);
    }
    if (pointsNow > *value) {
        return lineNumber("IF greater target", fields->greater);
    }
    return lineNumber("IF less target", fields->less);
}

Result<std::int16_t> addPoints(std::int16_t pointsNow, std::int32_t delta) {
    const std::int64_t sum = std::int64_t{pointsNow} + delta;
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max()) {
        return makeError("points " + std::to_string(pointsNow) + (delta < 0 ? " - " : " + ") +
                         std::to_string(delta < 0 ? -std::int64_t{delta} : delta) +
                         " leave -32768 to 32767");
    }
    return static_cast<std::int16_t>(sum);
}

}  // namespace velko::script
